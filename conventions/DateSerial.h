#pragma once

#include <QDate>
#include <QDateTime>
#include <QtGlobal>
#include <optional>

namespace conv {

// Day 0 of the date serials the stored designs and the controls exchange.
inline constexpr qint64 kSerialEpochJulianDay = 2415019; // 30 December 1899

// Whole days since 30 December 1899; nothing for an invalid date or one more than 2^31 days
// away.
std::optional<qint32> dateSerial(const QDate& date);
// The same for a date known to have a serial; a date without one gives day 0.
qint32 toDateSerial(const QDate& date);
QDate fromDateSerial(qint32 serial);

// Days with a fraction of a day. Before day 0 the whole part counts days back while the
// fraction still counts time forward from midnight: -1.25 is 29 December 1899, 06:00.
// A moment without a date serial gives NaN; NaN, infinities and serials outside the 32-bit
// day range give an invalid moment.
double toDateTimeSerial(const QDateTime& moment);
QDateTime fromDateTimeSerial(double serial);

} // namespace conv
