#pragma once

#include "conventions/DateTimeConventions.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class AutomaticCommandsPage;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimeEdit;
class StateField;

namespace conv {
class Clock;
class Timer;
} // namespace conv

namespace nocturnia {
class utimerCTL;
}

// Decides when the armed schedule fires and keeps the user informed: the status display,
// the countdown line, the schedule test with its closing steps and the speed condition.
class ScheduleEvaluation final : public QObject {
    Q_OBJECT
public:
    struct Links {
        AutomaticCommandsPage& page;
        // "Schedule Details" and the countdown strip.
        QLabel& Label7;  // current date
        QLabel& Label1;  // current time
        QLabel& Label15; // scheduled date, or the upload threshold
        QLabel& Label4;  // scheduled time, or the download threshold
        QLabel& Label17;
        QLabel& Label18;
        QLabel& Label35; // the countdown line
        // Hidden fields.
        StateField& Label43; // current time and date
        StateField& Label44; // scheduled time and date
        StateField& Label10; // the countdown text alone
        StateField& Text8;   // speed condition met
        StateField& Text9;   // scheduled moment reached
        StateField& Label37; // last download figure
        StateField& Label42; // last upload figure
        StateField& Label5;
        StateField& lblActive;
        conv::Timer& Timer2;          // schedule test, runs while armed
        conv::Timer& Timer10;         // countdown
        nocturnia::utimerCTL& Timer4; // five minutes of the speed condition
        QPushButton& dcButton2;       // the custom alarm sound's browse button
        const QRadioButton& Custom;   // the alarm sound "Custom File"
        QTimeEdit& DT;
        // The date picker's Value (a date serial), or nothing when there is no picker.
        std::function<std::optional<qint32>()> scheduleDate;
        std::function<void()> performSelectedCommand;
        conv::Clock& clock;
        const conv::DateTimeConventions& conventions;
    };

    explicit ScheduleEvaluation(Links links, QObject* parent = nullptr);

    void Timer3_Timer();
    void Timer10_Timer();
    void Timer2_Timer();
    void Timer4_Timer();
    // The span from BeginTime to EndTime as text; writes Text9: "1" when the span is not
    // positive (and the text is empty), "0" otherwise.
    QString TimeElapsed(const QDateTime& BeginTime, const QDateTime& EndTime);

public Q_SLOTS:
    // An input of the schedule changed: the display and an armed test react at once rather
    // than at the next second.
    void evaluateNow();

private:
    bool timeAndDate() const;
    bool speed() const;
    std::optional<QDateTime> read(const QString& text) const;

    Links m_links;
};
