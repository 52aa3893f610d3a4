#include "NumericText.h"

#include <QByteArray>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace conv {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The decimal digits of |value| rounded to 15 significant digits, as an exact decimal:
// digits with the position of the decimal point. Rounding on this text, rather than on the
// binary value, makes 2.675 round like the 2.675 the user sees.
struct Decimal {
    QByteArray digits;     // no leading zeros, may be empty for 0
    int pointPosition = 0; // number of digits before the decimal point
};

Decimal toDecimal(double value) {
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, 14);
    // buffer: d.dddddddddddddde±XX
    const char* exponent = std::find(buffer, written.ptr, 'e');
    int power = 0;
    std::from_chars(exponent + (exponent[1] == '+' ? 2 : 1), written.ptr, power);
    const char* last = exponent;
    while (last > buffer + 2 && last[-1] == '0')
        --last;
    Decimal decimal;
    if (buffer[0] == '0') {
        decimal.pointPosition = 1;
        return decimal;
    }
    decimal.digits.reserve(last - buffer - 1);
    decimal.digits.append(buffer[0]);
    decimal.digits.append(buffer + 2, last - (buffer + 2));
    decimal.pointPosition = power + 1;
    return decimal;
}

// Digit k of the decimal counted from the point (k = 0 is the units, -1 the tenths).
int digitAt(const Decimal& decimal, int k) {
    const int index = decimal.pointPosition - 1 - k;
    if (index < 0 || index >= decimal.digits.size())
        return 0;
    return decimal.digits.at(index) - '0';
}

// Keeps `decimals` places of |value|; the first dropped digits decide the rounding.
// Returns the integer of value * 10^decimals, not yet rounded, and whether the rest is
// exactly one half (`half`) or more (`aboveHalf`).
struct Scaled {
    long double kept = 0;
    bool half = false;
    bool aboveHalf = false;
};

Scaled scale(const Decimal& decimal, int decimals) {
    Scaled scaled;
    for (int k = decimal.pointPosition - 1; k >= -decimals; --k)
        scaled.kept = scaled.kept * 10 + digitAt(decimal, k);
    const int first = digitAt(decimal, -decimals - 1);
    bool restNonZero = false;
    // The digits after the first dropped one; with the first digit further right than that
    // (a value below the last kept place) every digit is among them.
    for (int index = qMax(decimal.pointPosition + decimals + 1, 0); index < decimal.digits.size();
         ++index)
        restNonZero = restNonZero || decimal.digits.at(index) != '0';
    scaled.half = first == 5 && !restNonZero;
    scaled.aboveHalf = first > 5 || (first == 5 && restNonZero);
    return scaled;
}

} // namespace

double leadingNumber(QStringView text) {
    QByteArray number;
    int i = 0;
    const int n = int(text.size());
    auto skipBlanks = [&] {
        while (i < n && isBlank(text[i]))
            ++i;
    };
    skipBlanks();
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        number += char(text[i].unicode());
        ++i;
    }
    bool anyDigit = false;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (isBlank(c))
            continue;
        if (isDigit(c)) {
            number += char(c.unicode());
            anyDigit = true;
        } else if (c == QLatin1Char('.') && !point) {
            number += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return 0;
    if (i < n && QStringLiteral("eEdD").contains(text[i])) {
        int j = i + 1;
        QByteArray exponent = "e";
        while (j < n && isBlank(text[j]))
            ++j;
        if (j < n && (text[j] == QLatin1Char('-') || text[j] == QLatin1Char('+'))) {
            exponent += char(text[j].unicode());
            ++j;
        }
        bool exponentDigits = false;
        for (; j < n; ++j) {
            if (isBlank(text[j]))
                continue;
            if (!isDigit(text[j]))
                break;
            exponent += char(text[j].unicode());
            exponentDigits = true;
        }
        if (exponentDigits)
            number += exponent;
    }
    return std::strtod(number.constData(), nullptr);
}

QString formatTwoDecimals(double value) {
    if (!std::isfinite(value))
        return QString::number(value);
    // The digits are rounded as text, so no magnitude needs to fit an integer type.
    const Decimal decimal = toDecimal(value);
    const Scaled scaled = scale(decimal, 2);
    QByteArray digits;
    for (int k = qMax(decimal.pointPosition - 1, 0); k >= -2; --k)
        digits += char('0' + digitAt(decimal, k));
    if (scaled.half || scaled.aboveHalf) {
        int i = int(digits.size()) - 1;
        for (; i >= 0 && digits.at(i) == '9'; --i)
            digits[i] = '0';
        if (i >= 0)
            digits[i] = char(digits.at(i) + 1);
        else
            digits.prepend('1');
    }
    const bool zero = digits.count('0') == digits.size();
    const QString sign = value < 0 && !zero ? QStringLiteral("-") : QString();
    return sign + QString::fromLatin1(digits.left(digits.size() - 2)) + QLatin1Char('.') +
           QString::fromLatin1(digits.right(2));
}

QString shortestDecimal(double value) {
    if (value == 0)
        return QStringLiteral("0");
    QString text = QString::number(value, 'g', 15);
    if (text.contains(QLatin1Char('e'))) {
        const Decimal decimal = toDecimal(value);
        if (decimal.pointPosition > 15 || decimal.pointPosition < -14)
            return text.toUpper();
        text = QString::number(value, 'f',
                               qMax(0, int(decimal.digits.size()) - decimal.pointPosition));
    }
    return text;
}

qint64 roundHalfEven(double value) {
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value); // the default rounding mode ties to even
    // 2^63 itself is out of range; -2^63 is the smallest value the type holds.
    constexpr double limit = 9223372036854775808.0;
    if (rounded >= limit)
        return std::numeric_limits<qint64>::max();
    if (rounded < -limit)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(rounded);
}

double roundHalfEven(double value, int decimals) {
    // Beyond 15 significant digits there is nothing left to round.
    if (!std::isfinite(value) || std::fabs(value) >= 1e15)
        return value;
    decimals = std::clamp(decimals, 0, 15);
    const Scaled scaled = scale(toDecimal(value), decimals);
    long double kept = scaled.kept;
    const bool odd = std::fmod(static_cast<double>(kept), 2.0) != 0;
    if (scaled.aboveHalf || (scaled.half && odd))
        kept += 1;
    const double magnitude = static_cast<double>(kept) / std::pow(10.0, decimals);
    return value < 0 ? -magnitude : magnitude;
}

} // namespace conv
