#pragma once

#include "base/PowerRequests.h"

#include <functional>

// The procedures of power control that talk to the system.
namespace modPower {

// True when the login manager that grants power requests is reachable; without it the
// privilege step is pointless and is skipped.
bool IsWinNT(PowerRequests& system);

// The privilege step before a request: asks the login manager whether the action is
// allowed, so that it (and polkit) see the question before the request. The answer is
// not used; the request is made whatever it says.
void EnableShutdownPrivilege(PowerRequests& system, PowerAction action);

// Tells `offered` true when the login manager offers hibernation to this user, possibly after
// authentication ("yes" or "challenge"); false on "no", "na", an error, no answer or no bus.
// Never waits: the answer comes when the login manager gives it.
void CanHibernate(PowerRequests& system, std::function<void(bool)> offered);

} // namespace modPower
