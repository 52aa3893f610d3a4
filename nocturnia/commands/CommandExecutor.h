#pragma once

#include "commands/CommandControls.h"
#include "commands/PowerKind.h"

// What performing a command acts on: the main window's command list, force box and run-file
// panel, and the operations behind the other commands.
class CommandTargets : public CommandControls {
public:
    virtual void shutDown(PowerKind kind, bool force) = 0;
    virtual void showNotification() = 0;
    // Sounds the alarm and shows the alarm window.
    virtual void soundWakeUpAlarm() = 0;
};

// Performs the selected command once. Independent tests, each reading the command
// list afresh and comparing exactly, with letter case; the force flag is read just before
// each power request. Any other text, the prompt included, performs nothing.
void PerformSelectedCommand(CommandTargets& targets);
