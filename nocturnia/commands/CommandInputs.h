#pragma once

#include "commands/CommandControls.h"

#include <QString>

// The controls on which the user prepares a command: those it is chosen and run with, and
// the notification texts.
class CommandInputs : public CommandControls {
public:
    virtual QString notificationTitle() const = 0;
    virtual QString notificationText() const = 0;
};
