#include "commands/CommandExecutor.h"

#include "commands/CommandCatalogue.h"

void PerformSelectedCommand(CommandTargets& targets) {
    using namespace CommandCatalogue;
    // No "else" between the tests: after a power request returns (stand-by returns on
    // wake-up) the remaining tests still run, and none of them can match.
    if (targets.selectedCommand() == kRunFile) {
        targets.testRunFile();
        targets.toggleSchedule();
    }
    if (targets.selectedCommand() == kShutdown)
        targets.shutDown(PowerKind::ShutDown, targets.forceFlag());
    if (targets.selectedCommand() == kRestart)
        targets.shutDown(PowerKind::Restart, targets.forceFlag());
    if (targets.selectedCommand() == kLogOff)
        targets.shutDown(PowerKind::LogOff, targets.forceFlag());
    if (targets.selectedCommand() == kStandby)
        targets.shutDown(PowerKind::Standby, targets.forceFlag());
    if (targets.selectedCommand() == kHibernate)
        targets.shutDown(PowerKind::Hibernate, targets.forceFlag());
    if (targets.selectedCommand() == kNotification)
        targets.showNotification();
    if (targets.selectedCommand() == kAlarm)
        targets.soundWakeUpAlarm();
}
