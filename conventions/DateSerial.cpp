#include "DateSerial.h"

#include <cmath>
#include <limits>

namespace conv {

namespace {
constexpr double kMsPerDay = 86400000.0;
}

std::optional<qint32> dateSerial(const QDate& date) {
    if (!date.isValid())
        return std::nullopt;
    // Valid Julian days span far more than 32 bits; compare before subtracting or narrowing.
    const qint64 day = date.toJulianDay();
    constexpr qint64 first = kSerialEpochJulianDay + std::numeric_limits<qint32>::min();
    constexpr qint64 last = kSerialEpochJulianDay + std::numeric_limits<qint32>::max();
    if (day < first || day > last)
        return std::nullopt;
    return static_cast<qint32>(day - kSerialEpochJulianDay);
}

qint32 toDateSerial(const QDate& date) {
    return dateSerial(date).value_or(0);
}

QDate fromDateSerial(qint32 serial) {
    return QDate::fromJulianDay(serial + kSerialEpochJulianDay);
}

double toDateTimeSerial(const QDateTime& moment) {
    const std::optional<qint32> serial = dateSerial(moment.date());
    if (!serial)
        return std::numeric_limits<double>::quiet_NaN();
    const double day = *serial;
    const double fraction = moment.time().msecsSinceStartOfDay() / kMsPerDay;
    return day >= 0 ? day + fraction : day - fraction;
}

QDateTime fromDateTimeSerial(double serial) {
    // NaN fails both comparisons.
    if (!(serial > std::numeric_limits<qint32>::min() - 1.0 &&
          serial < std::numeric_limits<qint32>::max() + 1.0))
        return {};
    double wholeDays = std::trunc(serial);
    qint64 ms = std::llround(std::fabs(serial - wholeDays) * kMsPerDay);
    if (ms >= static_cast<qint64>(kMsPerDay)) { // a fraction that rounds up to the next midnight
        ms = 0;
        wholeDays += serial < 0 ? -1 : 1;
        if (wholeDays < std::numeric_limits<qint32>::min() ||
            wholeDays > std::numeric_limits<qint32>::max())
            return {};
    }
    return QDateTime(fromDateSerial(static_cast<qint32>(wholeDays)),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

} // namespace conv
