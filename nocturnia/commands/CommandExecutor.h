#pragma once

#include "commands/PowerKind.h"

#include <QString>

// What performing a command acts on: the main window's command list, force box and the
// operations behind each command.
class CommandTargets {
public:
    virtual ~CommandTargets() = default;

    // The text of the command list at this moment.
    virtual QString selectedCommand() const = 0;
    // The force box: true when it is not unchecked (checked or grey).
    virtual bool forceFlag() const = 0;

    virtual void shutDown(PowerKind kind, bool force) = 0;
    // The run-file panel's test action: opens the file named in its path field.
    virtual void testRunFile() = 0;
    // The activation button's action: arms a disarmed schedule, disarms an armed one.
    virtual void toggleSchedule() = 0;
    virtual void showNotification() = 0;
    // Sounds the alarm and shows the alarm window.
    virtual void soundWakeUpAlarm() = 0;
};

// Performs the selected command once. Independent tests, each reading the command
// list afresh and comparing exactly, with letter case; the force flag is read just before
// each power request. Any other text, the prompt included, performs nothing.
void PerformSelectedCommand(CommandTargets& targets);
