#include "commands/modPower.h"

namespace modPower {

bool IsWinNT(PowerRequests& system) {
    return system.isPowerServiceReachable();
}

void EnableShutdownPrivilege(PowerRequests& system, PowerAction action) {
    system.askWhetherAllowed(action);
}

bool CanHibernate(PowerRequests& system) {
    const QString answer = system.answerWhetherAllowed(PowerAction::Hibernate);
    return answer == QLatin1String("yes") || answer == QLatin1String("challenge");
}

} // namespace modPower
