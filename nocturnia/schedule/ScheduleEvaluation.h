#pragma once

#include "base/StateField.h"
#include "conventions/DateTimeConventions.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class AutomaticCommandsPage;
class CommandOperations;
class ScheduleDetails;
class SecondTimers;
class WakeUpAlarm;
struct ScheduleFields;
struct SpeedFigures;

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
        AutomaticCommandsPage& page;  // the command, the method and its inputs, arming
        ScheduleDetails& details;     // what "Schedule Details" and the countdown show
        ScheduleFields& fields;       // shared with the page
        const SpeedFigures& speed;    // the last speed figures
        nocturnia::utimerCTL& Timer4; // five minutes of the speed condition
        const WakeUpAlarm& alarm;     // its browse button follows "Custom File"
        CommandOperations& commands;  // performs the selected command when the schedule fires
        // The date picker's Value (a date serial), or nothing when there is no picker.
        std::function<std::optional<qint32>()> scheduleDate;
        SecondTimers& secondTimers; // the display and countdown ticks
        conv::Clock& clock;
        const conv::DateTimeConventions& conventions;
    };

    explicit ScheduleEvaluation(Links links, QObject* parent = nullptr);
    ~ScheduleEvaluation() override;

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

public:
    // The status display (10 ms at design) and the countdown line (500 ms); both run from the
    // load on.
    std::unique_ptr<conv::Timer> Timer3;
    std::unique_ptr<conv::Timer> Timer10;

    // Hidden fields of the schedule's own.
    StateField Label43{QStringLiteral("Label43")};         // current time and date
    StateField Label44{QStringLiteral("Label44")};         // scheduled time and date
    StateField Label10{QStringLiteral("Time Difference")}; // the countdown text alone
    StateField Text9{QStringLiteral("0")}; // "1" once the scheduled moment is not in the future

private:
    void connectInputs();
    bool timeAndDate() const;
    bool speed() const;
    // A moment shown as a date label and a time label, read back as they were written.
    std::optional<QDateTime> read(const QString& dateText, const QString& timeText) const;

    Links m_links;
};
