#pragma once

#include <QString>

// The controls a command is chosen and run with: the command list, the force box and the
// run-file panel, with the two clicks "Run A Specified File" makes.
class CommandControls {
public:
    virtual ~CommandControls() = default;

    // The text of the command list at this moment.
    virtual QString selectedCommand() const = 0;
    // The force box: true when it is not unchecked (checked or grey).
    virtual bool forceFlag() const = 0;
    // The run-file panel's test action: opens the file named in its path field.
    virtual void testRunFile() = 0;
    // The activation button's action: arms a disarmed schedule, disarms an armed one.
    virtual void toggleSchedule() = 0;
};
