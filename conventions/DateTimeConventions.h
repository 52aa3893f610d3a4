#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace conv {

// What the system's regional settings say about writing dates and times: the names, the
// date separator, the order of a short date and the clock. Both directions of every date
// and time text are built from one of these, so equal moments give equal texts.
struct DateTimeConventions {
    enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

    QString dateSeparator = QStringLiteral("/");
    DateOrder shortDateOrder = DateOrder::MonthDayYear;
    QStringList monthNames;      // 12, January first
    QStringList shortMonthNames; // 12
    QStringList dayNames;        // 7, Sunday first
    QStringList shortDayNames;   // 7, Sunday first
    bool twelveHourClock = true;
    QString amDesignator = QStringLiteral("AM");
    QString pmDesignator = QStringLiteral("PM");

    static DateTimeConventions fromLocale(const QLocale& locale);
    // The conventions the windows were designed with (United States English).
    static DateTimeConventions usEnglish();
    // The user's locale; the bare C/POSIX locale, which is no choice of the user's, gives
    // the design conventions.
    static DateTimeConventions system();
};

} // namespace conv
