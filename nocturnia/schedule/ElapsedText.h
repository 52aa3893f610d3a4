#pragma once

#include <QString>
#include <QtGlobal>

namespace nocturnia {

// A span of whole seconds as the countdown writes it: years of 365 days, days, hours,
// minutes and seconds, only the parts that are not zero, each with its unit word ("s" when
// the number is not 1), joined by ", ". 90061 -> "1 Day, 1 Hour, 1 Minute, 1 Second".
// Zero and negative spans give the empty text.
QString elapsedText(qint64 seconds);

} // namespace nocturnia
