#pragma once

#include <QString>
#include <QStringView>

namespace conv {

// The platform's numeric reading of a text: the number the text starts with, blanks skipped
// (also between its digits), a point as the decimal mark, an optional sign and exponent.
// Text that does not start with a number reads as 0: "12.50" -> 12.5, "75abc" -> 75,
// " 80" -> 80, "abc" -> 0, "" -> 0.
double leadingNumber(QStringView text);

// The number pattern "0.#0": at least one digit before the point and exactly two after it,
// halves rounded away from zero on the number as it is written with 15 significant digits.
// Any magnitude is written out in full; infinities and NaN are written as Qt writes them.
QString formatTwoDecimals(double value);

// The number in its shortest decimal form, up to 15 significant digits: 12.5 -> "12.5",
// 3 -> "3", 0.1 + 0.2 -> "0.3", -0.5 -> "-0.5".
QString shortestDecimal(double value);

// Rounds to the nearest integer, halves to the even neighbour: 1.5 -> 2, 2.5 -> 2, -0.5 -> 0.
// Values beyond the integer's range give its nearest end, NaN gives 0.
qint64 roundHalfEven(double value);

// Rounds to a number of decimal places, halves (as written with 15 significant digits) to
// the even neighbour: (2.25, 1) -> 2.2, (2.35, 1) -> 2.4. Places count from 0 to 15; values
// of 15 digits and more before the point, infinities and NaN come back unchanged.
double roundHalfEven(double value, int decimals);

} // namespace conv
