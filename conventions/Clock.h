#pragma once

#include <QDateTime>

namespace conv {

// The wall clock, passed to whoever needs the date or time so that tests can set it.
class Clock {
public:
    virtual ~Clock() = default;
    // The current local date and time.
    virtual QDateTime now() const = 0;
    // The milliseconds of now() within its second. UTC offsets are whole seconds, so a clock
    // may tell them without working out the local time.
    virtual int millisecondOfSecond() const { return now().time().msec(); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    // Once a second for the second-boundary timers: the local time costs a look at the
    // system's time zone each time.
    int millisecondOfSecond() const override {
        const qint64 milliseconds = QDateTime::currentMSecsSinceEpoch() % 1000;
        return int(milliseconds < 0 ? milliseconds + 1000 : milliseconds);
    }
};

} // namespace conv
