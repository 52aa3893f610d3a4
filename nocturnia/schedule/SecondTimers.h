#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <memory>

namespace conv {
class Clock;
class Timer;
class TimerSource;
} // namespace conv

// Timers for work whose result can only change when the displayed second changes: the
// status display, the countdown and the schedule test. However short their nominal
// interval, they tick once, just after each second boundary of the clock, in the order of their
// turns (one turn's timers in the order they were made), so a later one sees what an earlier one
// displayed in the same second. One platform timer drives them all, and only while one of them is
// active: one wake-up a second instead of hundreds. It must outlive the timers it made.
class SecondTimers final : public QObject {
    Q_OBJECT
public:
    SecondTimers(conv::Clock& clock, conv::TimerSource& timers);
    ~SecondTimers() override;

    // The schedule's turns within a second: the display first, then the countdown that reads
    // it, then the test that compares it.
    enum Turn : int { DisplayTurn = 0, CountdownTurn = 1, TestTurn = 2 };
    std::unique_ptr<conv::Timer> createTimer(int turn = DisplayTurn);

    // How long after a boundary the ticks come: inside the new second, never before it.
    static constexpr int kMarginMs = 1;

private:
    class SecondTimer;
    void update();
    void tick();

    conv::Clock& m_clock;
    std::unique_ptr<conv::Timer> m_driver;
    QList<QPointer<SecondTimer>> m_timers;
};
