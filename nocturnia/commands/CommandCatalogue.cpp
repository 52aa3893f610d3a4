#include "CommandCatalogue.h"

namespace CommandCatalogue {

const QList<PowerCommand>& powerCommands() {
    static const QList<PowerCommand> commands{
        {kShutdown, QStringLiteral("Force Shutdown"), ShutDown},
        {kRestart, QStringLiteral("Force Restart"), Restart},
        {kStandby, QStringLiteral("Force Standby"), Standby},
        {kHibernate, QStringLiteral("Force Hibernation"), Hibernate},
        {kLogOff, QStringLiteral("Force Log-Off"), LogOff},
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
