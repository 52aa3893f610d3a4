#pragma once

#include "conventions/Clock.h"
#include "conventions/Timer.h"

#include <QDateTime>
#include <QList>

// A clock that moves only when told, and timers that tick on it: advance() runs every tick
// that falls due, in time order, with the clock standing at each tick's moment.
class ManualTime final : public conv::Clock, public conv::TimerSource {
public:
    explicit ManualTime(const QDateTime& start = QDateTime(QDate(2026, 12, 9), QTime(12, 0)));
    ~ManualTime() override;

    QDateTime now() const override { return m_now; }
    std::unique_ptr<conv::Timer> createTimer() override;

    void advance(qint64 milliseconds);
    void setNow(const QDateTime& moment); // jumps without running ticks, as a sleeping machine
    int activeTimerCount() const;

private:
    class ManualTimer;
    friend class ManualTimer;

    QDateTime m_now;
    QList<ManualTimer*> m_timers;
};
