#include "DatePattern.h"

#include <optional>

namespace conv {

namespace {

int runLength(const QString& pattern, int from, QChar letter) {
    int length = 0;
    while (from + length < pattern.size() && pattern.at(from + length).toLower() == letter)
        ++length;
    return length;
}

// Zero-padded to `width` digits; written digit by digit for what dates and times hold.
QString padded(int n, int width) {
    if (n < 0 || n > 9999)
        return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
    QChar digits[4];
    int count = 0;
    for (int rest = n; rest != 0 || count < width; rest /= 10)
        digits[3 - count++] = QLatin1Char(char('0' + rest % 10));
    return QString(digits + 4 - count, count);
}

QString twoDigits(int n) {
    return padded(n, 2);
}

// A day or month field by its run length: 1 the bare number, 2 two digits, 3 the short name,
// more the full name.
QString numberOrName(int number, int length, const QStringList& shortNames,
                     const QStringList& names, int index) {
    switch (length) {
    case 1:
        return padded(number, 1);
    case 2:
        return twoDigits(number);
    case 3:
        return shortNames.value(index);
    default:
        return names.value(index);
    }
}

QString dayPart(const QDate& date, int length, const DateTimeConventions& conventions) {
    const int weekday = date.dayOfWeek() % 7; // Sunday 0
    return numberOrName(date.day(), length, conventions.shortDayNames, conventions.dayNames,
                        weekday);
}

QString monthPart(const QDate& date, int length, const DateTimeConventions& conventions) {
    const int month = date.month() - 1; // January 0
    return numberOrName(date.month(), length, conventions.shortMonthNames, conventions.monthNames,
                        month);
}

QString yearPart(const QDate& date, int length) {
    if (length >= 3)
        return padded(date.year(), 4);
    return twoDigits(date.year() % 100);
}

} // namespace

QString formatDate(const QDate& date, const QString& pattern,
                   const DateTimeConventions& conventions) {
    if (!date.isValid())
        return {};
    QString text;
    // Room for month names, so the text is not grown piece by piece.
    text.reserve(pattern.size() + 16);
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

namespace {

// Reads the text as formatDate writes it, one pattern element after the other.
class DateReader {
public:
    explicit DateReader(const QString& text)
        : m_text(text) {}

    bool atEnd() const { return m_at == m_text.size(); }

    // Between `least` and `most` digits.
    std::optional<int> number(int least, int most) {
        int value = 0;
        int count = 0;
        while (count < most && m_at < m_text.size() && m_text.at(m_at) >= QLatin1Char('0') &&
               m_text.at(m_at) <= QLatin1Char('9')) {
            value = value * 10 + (m_text.at(m_at).unicode() - '0');
            ++m_at;
            ++count;
        }
        if (count < least)
            return std::nullopt;
        return value;
    }

    // The index of the longest name the text continues with.
    std::optional<int> name(const QStringList& names) {
        int best = -1;
        qsizetype bestLength = 0;
        for (int i = 0; i < names.size(); ++i) {
            const QString& candidate = names.at(i);
            if (candidate.size() > bestLength &&
                QStringView(m_text).mid(m_at).startsWith(candidate, Qt::CaseInsensitive)) {
                best = i;
                bestLength = candidate.size();
            }
        }
        if (best < 0)
            return std::nullopt;
        m_at += int(bestLength);
        return best;
    }

    bool literal(const QString& expected) {
        if (!QStringView(m_text).mid(m_at).startsWith(expected))
            return false;
        m_at += int(expected.size());
        return true;
    }

private:
    const QString& m_text;
    int m_at = 0;
};

} // namespace

std::optional<QDate> readDate(const QString& text, const QString& pattern,
                              const DateTimeConventions& conventions) {
    DateReader reader(text);
    std::optional<int> day;
    std::optional<int> month;
    std::optional<int> year;
    std::optional<int> weekday; // Sunday 0
    bool twoDigitYear = false;
    int i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i).toLower();
        std::optional<int> read;
        if (c == QLatin1Char('d') || c == QLatin1Char('m')) {
            const int length = qMin(runLength(pattern, i, c), 4);
            const bool isDay = c == QLatin1Char('d');
            if (length <= 2) {
                read = reader.number(length, 2);
            } else {
                const QStringList& names =
                    isDay ? (length == 3 ? conventions.shortDayNames : conventions.dayNames)
                          : (length == 3 ? conventions.shortMonthNames : conventions.monthNames);
                read = reader.name(names);
                if (read && !isDay)
                    *read += 1;
            }
            if (!read)
                return std::nullopt;
            (isDay ? (length <= 2 ? day : weekday) : month) = read;
            i += length;
        } else if (c == QLatin1Char('y') && runLength(pattern, i, c) > 1) {
            const int length = runLength(pattern, i, c) >= 4 ? 4 : 2;
            twoDigitYear = length == 2;
            year = twoDigitYear ? reader.number(2, 2) : reader.number(4, 9);
            if (!year)
                return std::nullopt;
            i += length;
        } else {
            const QString expected =
                c == QLatin1Char('/') ? conventions.dateSeparator : QString(pattern.at(i));
            if (!reader.literal(expected))
                return std::nullopt;
            ++i;
        }
    }
    if (!reader.atEnd() || !day || !month || !year)
        return std::nullopt;
    if (twoDigitYear)
        *year += *year < 30 ? 2000 : 1900;
    const QDate date(*year, *month, *day);
    if (!date.isValid() || (weekday && date.dayOfWeek() % 7 != *weekday))
        return std::nullopt;
    return date;
}

} // namespace conv
