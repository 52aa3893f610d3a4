#include "DatePattern.h"

namespace conv {

namespace {

int runLength(const QString& pattern, int from, QChar letter) {
    int length = 0;
    while (from + length < pattern.size() && pattern.at(from + length).toLower() == letter)
        ++length;
    return length;
}

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// A day or month field by its run length: 1 the bare number, 2 two digits, 3 the short name,
// more the full name.
QString numberOrName(int number, int length, const QString& shortName, const QString& name) {
    switch (length) {
    case 1:
        return QString::number(number);
    case 2:
        return twoDigits(number);
    case 3:
        return shortName;
    default:
        return name;
    }
}

QString dayPart(const QDate& date, int length, const DateTimeConventions& conventions) {
    const int weekday = date.dayOfWeek() % 7; // Sunday 0
    return numberOrName(date.day(), length, conventions.shortDayNames.value(weekday),
                        conventions.dayNames.value(weekday));
}

QString monthPart(const QDate& date, int length, const DateTimeConventions& conventions) {
    const int month = date.month() - 1; // January 0
    return numberOrName(date.month(), length, conventions.shortMonthNames.value(month),
                        conventions.monthNames.value(month));
}

QString yearPart(const QDate& date, int length) {
    if (length >= 3)
        return QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
    return twoDigits(date.year() % 100);
}

} // namespace

QString formatDate(const QDate& date, const QString& pattern,
                   const DateTimeConventions& conventions) {
    if (!date.isValid())
        return {};
    QString text;
    int i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i).toLower();
        if (c == QLatin1Char('d') || c == QLatin1Char('m')) {
            const int length = qMin(runLength(pattern, i, c), 4);
            text += c == QLatin1Char('d') ? dayPart(date, length, conventions)
                                          : monthPart(date, length, conventions);
            i += length;
        } else if (c == QLatin1Char('y')) {
            const int run = runLength(pattern, i, c);
            if (run == 1) { // a lone y is not a year in any pattern this system uses
                text += pattern.at(i);
                ++i;
                continue;
            }
            const int length = run >= 4 ? 4 : 2;
            text += yearPart(date, length);
            i += length;
        } else if (c == QLatin1Char('/')) {
            text += conventions.dateSeparator;
            ++i;
        } else {
            text += pattern.at(i);
            ++i;
        }
    }
    return text;
}

} // namespace conv
