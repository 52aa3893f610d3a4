#pragma once

#include "conventions/Clock.h"
#include "conventions/DateTimeConventions.h"

#include <QString>

namespace datora {

// A date as the calendar compares dates: four-digit year, two-digit month and day with plain
// slashes ("2003/07/13"), whatever the system's separator. The text is a date of the system's
// format or a date serial in digits; anything else gives an empty text.
QString dateKey(const QString& text, const conv::DateTimeConventions& conventions);
QString dateKey(qint32 serial);
// The key of the clock's current date.
QString todayKey(const conv::Clock& clock);

} // namespace datora
