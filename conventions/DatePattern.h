#pragma once

#include "DateTimeConventions.h"

#include <QDate>
#include <QString>

namespace conv {

// Formats a date with the platform's date pattern language: d, dd, ddd, dddd (day, two-digit
// day, short and full weekday name), m, mm, mmm, mmmm (month likewise), yy and yyyy (two- and
// four-digit year); "/" stands for the date separator; every other character is copied.
// Letters are matched without regard to case. An invalid date gives an empty text.
QString formatDate(const QDate& date, const QString& pattern,
                   const DateTimeConventions& conventions);

} // namespace conv
