#include "commands/CommandCatalogue.h"

namespace CommandCatalogue {

const QList<PowerCommand>& powerCommands() {
    static const QList<PowerCommand> commands{
        {kShutdown, QStringLiteral("Force Shutdown"), PowerKind::ShutDown},
        {kRestart, QStringLiteral("Force Restart"), PowerKind::Restart},
        {kStandby, QStringLiteral("Force Standby"), PowerKind::Standby},
        {kHibernate, QStringLiteral("Force Hibernation"), PowerKind::Hibernate},
        {kLogOff, QStringLiteral("Force Log-Off"), PowerKind::LogOff},
    };
    return commands;
}

QList<QString> entries(bool canHibernate) {
    QList<QString> list{kPrompt, kShutdown, kRestart, kLogOff, kStandby};
    if (canHibernate)
        list << kHibernate;
    list << kRunFile << kAlarm << kNotification;
    return list;
}

} // namespace CommandCatalogue
