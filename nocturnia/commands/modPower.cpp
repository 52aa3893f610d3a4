#include "commands/modPower.h"

namespace modPower {

bool IsWinNT(PowerRequests& system) {
    return system.isPowerServiceReachable();
}

void EnableShutdownPrivilege(PowerRequests& system, PowerAction action) {
    system.askWhetherAllowed(action);
}

void CanHibernate(PowerRequests& system, std::function<void(bool)> offered) {
    system.answerWhetherAllowed(
        PowerAction::Hibernate, [offered = std::move(offered)](const QString& answer) {
            offered(answer == QLatin1String("yes") || answer == QLatin1String("challenge"));
        });
}

} // namespace modPower
