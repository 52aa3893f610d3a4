#pragma once

#include "DateTimeConventions.h"

#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>

namespace conv {

// The long time format: "3:25:10 PM" on a twelve-hour clock, "15:25:10" on a 24-hour one.
QString formatLongTime(const QTime& time, const DateTimeConventions& conventions);

// Reads a displayed date and/or time text such as "3/11/2010 3:25:10 PM" (either part may
// come first or be missing) into a moment of whole seconds, as the platform's date reader
// does: the short-date order of the conventions, a four-digit first number meaning
// year/month/day, two-digit years 30..99 in the 1900s and 00..29 in the 2000s, a missing
// date meaning day 0 (30 December 1899), a missing time meaning midnight. Anything else,
// or a date or time that does not exist, gives nothing. The result carries the wall-clock
// fields as read, in UTC, so that no daylight-saving rule shifts them.
std::optional<QDateTime> readDateTimeText(const QString& text,
                                          const DateTimeConventions& conventions);

} // namespace conv
