#include "DateTimeConventions.h"

namespace conv {

namespace {

// Qt numbers weekdays Monday = 1 .. Sunday = 7; the platform's lists start on Sunday.
QStringList weekdayNames(const QLocale& locale, QLocale::FormatType format) {
    QStringList names{locale.dayName(7, format)};
    for (int day = 1; day <= 6; ++day)
        names << locale.dayName(day, format);
    return names;
}

QStringList monthNamesOf(const QLocale& locale, QLocale::FormatType format) {
    QStringList names;
    for (int month = 1; month <= 12; ++month)
        names << locale.standaloneMonthName(month, format);
    return names;
}

DateTimeConventions::DateOrder orderOf(const QString& format) {
    const auto day = format.indexOf(QLatin1Char('d'));
    const auto month = format.indexOf(QLatin1Char('M'));
    const auto year = format.indexOf(QLatin1Char('y'));
    if (year >= 0 && (day < 0 || year < day) && (month < 0 || year < month))
        return DateTimeConventions::DateOrder::YearMonthDay;
    if (day >= 0 && month >= 0 && day < month)
        return DateTimeConventions::DateOrder::DayMonthYear;
    return DateTimeConventions::DateOrder::MonthDayYear;
}

QString separatorOf(const QString& format) {
    for (const QChar c : format) {
        if (!c.isLetter() && !c.isSpace() && c != QLatin1Char('\''))
            return QString(c);
    }
    return QStringLiteral("/");
}

} // namespace

DateTimeConventions DateTimeConventions::fromLocale(const QLocale& locale) {
    DateTimeConventions conventions;
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    conventions.dateSeparator = separatorOf(shortDate);
    conventions.shortDateOrder = orderOf(shortDate);
    conventions.monthNames = monthNamesOf(locale, QLocale::LongFormat);
    conventions.shortMonthNames = monthNamesOf(locale, QLocale::ShortFormat);
    conventions.dayNames = weekdayNames(locale, QLocale::LongFormat);
    conventions.shortDayNames = weekdayNames(locale, QLocale::ShortFormat);
    const QString time = locale.timeFormat(QLocale::ShortFormat);
    conventions.twelveHourClock =
        time.contains(QLatin1String("AP"), Qt::CaseInsensitive) || time.contains(QLatin1Char('a'));
    if (conventions.twelveHourClock) {
        conventions.amDesignator = locale.amText();
        conventions.pmDesignator = locale.pmText();
    }
    return conventions;
}

DateTimeConventions DateTimeConventions::usEnglish() {
    return fromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
}

DateTimeConventions DateTimeConventions::system() {
    const QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C)
        return usEnglish();
    return fromLocale(locale);
}

} // namespace conv
