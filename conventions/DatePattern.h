#pragma once

#include "DateTimeConventions.h"

#include <QDate>
#include <QString>
#include <optional>

namespace conv {

// Formats a date with the platform's date pattern language: d, dd, ddd, dddd (day, two-digit
// day, short and full weekday name), m, mm, mmm, mmmm (month likewise), yy and yyyy (two- and
// four-digit year); "/" stands for the date separator; every other character is copied.
// Letters are matched without regard to case. An invalid date gives an empty text.
QString formatDate(const QDate& date, const QString& pattern,
                   const DateTimeConventions& conventions);

// The inverse of formatDate: the date a text written with the same pattern and conventions
// stands for. Nothing when the text does not follow the pattern, when it lacks the day, the
// month or the year, or when the date does not exist (or falls on another weekday than it
// names). Two-digit years 30..99 are in the 1900s, 00..29 in the 2000s.
std::optional<QDate> readDate(const QString& text, const QString& pattern,
                              const DateTimeConventions& conventions);

} // namespace conv
