#pragma once

#include <QString>

// The controls on which the user prepares a command: the command list, the force box, the
// run-file panel and the notification texts, with the two clicks "Run A Specified File" makes.
class CommandInputs {
public:
    virtual ~CommandInputs() = default;

    // The text of the command list at this moment.
    virtual QString selectedCommand() const = 0;
    // The force box: true when it is not unchecked (checked or grey).
    virtual bool forceFlag() const = 0;
    // The run-file panel's test action: opens the file named in its path field.
    virtual void testRunFile() = 0;
    // The activation button's action: arms a disarmed schedule, disarms an armed one.
    virtual void toggleSchedule() = 0;
    virtual QString notificationTitle() const = 0;
    virtual QString notificationText() const = 0;
};
