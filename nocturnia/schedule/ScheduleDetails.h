#pragma once

class QGroupBox;
class QLabel;

// The labels of "Schedule Details" (current and scheduled date and time, or the speed
// thresholds) and the countdown line of "Schedule Countdown", built into the two frames the
// main window places.
class ScheduleDetails final {
public:
    ScheduleDetails(QGroupBox& Frame11, QGroupBox& Frame13);

    QLabel* Label7;  // current date
    QLabel* Label1;  // current time
    QLabel* Label17; // "Schedule Date:" or "Upload Speed:"
    QLabel* Label15; // scheduled date, or the upload threshold
    QLabel* Label18; // "Schedule Time:" or "Download Speed:"
    QLabel* Label4;  // scheduled time, or the download threshold
    QLabel* Label35; // the countdown line
};
