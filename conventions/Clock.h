#pragma once

#include <QDateTime>

namespace conv {

// The wall clock, passed to whoever needs the date or time so that tests can set it.
class Clock {
public:
    virtual ~Clock() = default;
    // The current local date and time.
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace conv
