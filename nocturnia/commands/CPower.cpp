#include "commands/CPower.h"

#include "base/PowerLog.h"
#include "commands/modPower.h"

#include <optional>

namespace {

// Exit flags: the low bits say what to end, bit 4 forces it.
constexpr qint32 exitLogOff = 0;
constexpr qint32 exitShutDown = 1;
constexpr qint32 exitReboot = 2;
constexpr qint32 exitForce = 4;

std::optional<PowerAction> exitAction(qint32 flags) {
    switch (flags & ~exitForce) {
    case exitLogOff:
        return PowerAction::LogOff;
    case exitShutDown:
        return PowerAction::PowerOff;
    case exitReboot:
        return PowerAction::Reboot;
    default:
        return std::nullopt;
    }
}

} // namespace

CPower::CPower(PowerRequests& system)
    : m_system(system) {}

void CPower::ShutDown(PowerKind ShutDownType, bool Force) {
    if (ShutDownType == PowerKind::Hibernate || ShutDownType == PowerKind::Standby) {
        const PowerAction action =
            ShutDownType == PowerKind::Hibernate ? PowerAction::Hibernate : PowerAction::Suspend;
        if (modPower::IsWinNT(m_system))
            modPower::EnableShutdownPrivilege(m_system, action);
        m_system.request(action, Force);
        return;
    }
    exitSession(static_cast<qint32>(ShutDownType) | (Force ? exitForce : 0));
}

void CPower::exitSession(qint32 flags) {
    const std::optional<PowerAction> action = exitAction(flags);
    // Flags without a meaning still get the privilege step, as every exit request does; the
    // shut-down question stands for the privilege as such.
    if (modPower::IsWinNT(m_system))
        modPower::EnableShutdownPrivilege(m_system, action.value_or(PowerAction::PowerOff));
    if (!action) {
        qCWarning(lcPower) << "Exit flags" << flags << "name no request; nothing was asked";
        return;
    }
    m_system.request(*action, (flags & exitForce) != 0);
}
