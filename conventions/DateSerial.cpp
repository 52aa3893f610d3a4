#include "DateSerial.h"

#include <cmath>

namespace conv {

namespace {
constexpr double kMsPerDay = 86400000.0;
}

qint32 toDateSerial(const QDate& date) {
    return static_cast<qint32>(date.toJulianDay() - kSerialEpochJulianDay);
}

QDate fromDateSerial(qint32 serial) {
    return QDate::fromJulianDay(serial + kSerialEpochJulianDay);
}

double toDateTimeSerial(const QDateTime& moment) {
    const double day = toDateSerial(moment.date());
    const double fraction = moment.time().msecsSinceStartOfDay() / kMsPerDay;
    return day >= 0 ? day + fraction : day - fraction;
}

QDateTime fromDateTimeSerial(double serial) {
    double wholeDays = std::trunc(serial);
    qint64 ms = std::llround(std::fabs(serial - wholeDays) * kMsPerDay);
    if (ms >= static_cast<qint64>(kMsPerDay)) { // a fraction that rounds up to the next midnight
        ms = 0;
        wholeDays += serial < 0 ? -1 : 1;
    }
    return QDateTime(fromDateSerial(static_cast<qint32>(wholeDays)),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

} // namespace conv
