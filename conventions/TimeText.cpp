#include "TimeText.h"

#include "DateSerial.h"

#include <QStringList>

namespace conv {

QString formatLongTime(const QTime& time, const DateTimeConventions& conventions) {
    if (!time.isValid())
        return {};
    // Written digit by digit: the status display writes the time every second.
    const auto digit = [](int n) {
        return QLatin1Char(char('0' + n));
    };
    int hour = time.hour();
    if (conventions.twelveHourClock)
        hour = hour % 12 == 0 ? 12 : hour % 12;
    QChar digits[8];
    int count = 0;
    if (hour >= 10 || !conventions.twelveHourClock)
        digits[count++] = digit(hour / 10);
    digits[count++] = digit(hour % 10);
    for (const int part : {time.minute(), time.second()}) {
        digits[count++] = QLatin1Char(':');
        digits[count++] = digit(part / 10);
        digits[count++] = digit(part % 10);
    }
    if (!conventions.twelveHourClock)
        return QString(digits, count);
    const QString& designator =
        time.hour() < 12 ? conventions.amDesignator : conventions.pmDesignator;
    QString text;
    text.reserve(count + 1 + designator.size());
    text.append(digits, count).append(QLatin1Char(' ')).append(designator);
    return text;
}

namespace {

bool allDigits(const QString& s) {
    if (s.isEmpty())
        return false;
    for (const QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

std::optional<QDate> readDate(const QString& token, const DateTimeConventions& conventions) {
    QString normalised = token;
    for (const QChar separator : {QLatin1Char('/'), QLatin1Char('-'), QLatin1Char('.')})
        normalised.replace(separator, QLatin1Char('\n'));
    if (!conventions.dateSeparator.isEmpty())
        normalised.replace(conventions.dateSeparator, QStringLiteral("\n"));
    const QStringList parts = normalised.split(QLatin1Char('\n'));
    if (parts.size() != 3 || !allDigits(parts[0]) || !allDigits(parts[1]) || !allDigits(parts[2]))
        return std::nullopt;

    int year = 0;
    int month = 0;
    int day = 0;
    int yearDigits = 0;
    if (parts[0].size() >= 3 ||
        conventions.shortDateOrder == DateTimeConventions::DateOrder::YearMonthDay) {
        year = parts[0].toInt();
        yearDigits = int(parts[0].size());
        month = parts[1].toInt();
        day = parts[2].toInt();
    } else if (conventions.shortDateOrder == DateTimeConventions::DateOrder::DayMonthYear) {
        day = parts[0].toInt();
        month = parts[1].toInt();
        year = parts[2].toInt();
        yearDigits = int(parts[2].size());
    } else {
        month = parts[0].toInt();
        day = parts[1].toInt();
        year = parts[2].toInt();
        yearDigits = int(parts[2].size());
    }
    if (yearDigits <= 2)
        year += year < 30 ? 2000 : 1900;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// Hours, minutes and optional seconds of one or two digits each, separated by colons.
std::optional<QTime> readTime(QStringView token, int designator) {
    int fields[3] = {0, 0, 0};
    int count = 0;
    int digits = 0;
    for (qsizetype i = 0; i <= token.size(); ++i) {
        if (i == token.size() || token.at(i) == QLatin1Char(':')) {
            if (digits == 0)
                return std::nullopt;
            ++count;
            digits = 0;
            if (count == 3 && i < token.size())
                return std::nullopt; // a fourth field
            continue;
        }
        const QChar c = token.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9') || ++digits > 2)
            return std::nullopt;
        fields[count] = fields[count] * 10 + (c.unicode() - '0');
    }
    if (count < 2)
        return std::nullopt;
    int hour = fields[0];
    const int minute = fields[1];
    const int second = fields[2];
    if (designator != 0) {
        if (hour > 12)
            return std::nullopt;
        hour %= 12;
        if (designator > 0)
            hour += 12;
    }
    const QTime time(hour, minute, second);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

} // namespace

std::optional<QDateTime> readDateTimeText(const QString& text,
                                          const DateTimeConventions& conventions) {
    // Read in place: the countdown reads the displayed moments every second.
    QStringView dateToken;
    QStringView timeToken;
    int designator = 0; // -1 before noon, +1 after, 0 none
    const QStringView whole(text);
    qsizetype at = 0;
    while (at < whole.size()) {
        qsizetype end = whole.indexOf(QLatin1Char(' '), at);
        if (end < 0)
            end = whole.size();
        QStringView token = whole.mid(at, end - at);
        at = end + 1;
        if (token.isEmpty())
            continue;
        for (const auto& [word, meaning] : {std::pair{QStringView(conventions.amDesignator), -1},
                                            std::pair{QStringView(conventions.pmDesignator), 1}}) {
            if (!word.isEmpty() && token.endsWith(word, Qt::CaseInsensitive) &&
                (token.size() == word.size() || token.contains(QLatin1Char(':')))) {
                if (designator != 0)
                    return std::nullopt;
                designator = meaning;
                token.chop(word.size());
                break;
            }
        }
        if (token.isEmpty())
            continue;
        QStringView& slot = token.contains(QLatin1Char(':')) ? timeToken : dateToken;
        if (!slot.isEmpty())
            return std::nullopt;
        slot = token;
    }
    if (dateToken.isEmpty() && timeToken.isEmpty())
        return std::nullopt;

    QDate date = fromDateSerial(0);
    if (!dateToken.isEmpty()) {
        const auto read = readDate(dateToken.toString(), conventions);
        if (!read)
            return std::nullopt;
        date = *read;
    }
    QTime time(0, 0);
    if (!timeToken.isEmpty()) {
        const auto read = readTime(timeToken, designator);
        if (!read)
            return std::nullopt;
        time = *read;
    } else if (designator != 0) {
        return std::nullopt;
    }
    return QDateTime(date, time, Qt::UTC);
}

} // namespace conv
