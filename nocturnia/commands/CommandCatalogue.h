#pragma once

#include "commands/PowerKind.h"

#include <QList>
#include <QString>

// The fixed catalogue of commands the user can arm, in the order of the command list.
namespace CommandCatalogue {

inline const QString kPrompt = QStringLiteral("Please Select A Command");
inline const QString kShutdown = QStringLiteral("Shutdown Computer");
inline const QString kRestart = QStringLiteral("Restart Computer");
inline const QString kLogOff = QStringLiteral("Log Off Windows");
inline const QString kStandby = QStringLiteral("Go Into Standby");
inline const QString kHibernate = QStringLiteral("Go Into Hibernation");
inline const QString kRunFile = QStringLiteral("Run A Specified File");
inline const QString kAlarm = QStringLiteral("Sound Wake-up Alarm");
inline const QString kNotification = QStringLiteral("Display A Notification");

struct PowerCommand {
    QString name;
    QString forcedCaption; // the caption of the force box while the command is selected
    PowerKind kind;
};

// The five power commands in the order the selection handler tests them.
const QList<PowerCommand>& powerCommands();

// The command list's entries: the prompt first; hibernation only where the system offers it.
QList<QString> entries(bool canHibernate);

} // namespace CommandCatalogue
