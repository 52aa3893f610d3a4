#include "conventions/Clock.h"
#include "conventions/DatePattern.h"
#include "conventions/DateSerial.h"
#include "conventions/TimeText.h"

#include <QTest>
#include <cmath>
#include <limits>
#include <optional>

using namespace Qt::Literals::StringLiterals;

using conv::DateTimeConventions;

class TestDateText : public QObject {
    Q_OBJECT

    const DateTimeConventions us = DateTimeConventions::usEnglish();

private Q_SLOTS:
    void serials_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("serial");
        QTest::newRow("day 0") << QDate(1899, 12, 30) << 0;
        QTest::newRow("day before") << QDate(1899, 12, 29) << -1;
        QTest::newRow("1 Jan 1900") << QDate(1900, 1, 1) << 2;
        QTest::newRow("11 Mar 2010 (design value)") << QDate(2010, 3, 11) << 40248;
        QTest::newRow("13 Jul 2003") << QDate(2003, 7, 13) << 37815;
        QTest::newRow("29 Feb 2004") << QDate(2004, 2, 29) << 38046;
        QTest::newRow("9 Dec 2026") << QDate(2026, 12, 9) << 46365;
    }
    void serials() {
        QFETCH(QDate, date);
        QFETCH(int, serial);
        QCOMPARE(conv::toDateSerial(date), serial);
        QCOMPARE(conv::fromDateSerial(serial), date);
    }

    void dateTimeSerials_data() {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<double>("serial");
        QTest::newRow("noon of day 1") << QDateTime(QDate(1899, 12, 31), QTime(12, 0)) << 1.5;
        QTest::newRow("6:00 of day -1") << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
        QTest::newRow("noon of day 0") << QDateTime(QDate(1899, 12, 30), QTime(12, 0)) << 0.5;
        QTest::newRow("18:00 design date")
            << QDateTime(QDate(2010, 3, 11), QTime(18, 0)) << 40248.75;
    }
    void dateTimeSerials() {
        QFETCH(QDateTime, moment);
        QFETCH(double, serial);
        QCOMPARE(conv::toDateTimeSerial(moment), serial);
        QCOMPARE(conv::fromDateTimeSerial(serial), moment);
    }

    void datesWithoutASerial() {
        QCOMPARE(conv::dateSerial(QDate()), std::nullopt);
        QCOMPARE(conv::dateSerial(QDate(-6000000, 1, 1)), std::nullopt); // beyond 2^31 days
        QCOMPARE(conv::dateSerial(QDate(2026, 12, 9)), std::optional<qint32>(46365));
        QCOMPARE(conv::toDateSerial(QDate()), 0);
        QVERIFY(std::isnan(conv::toDateTimeSerial(QDateTime())));
    }

    void serialsWithoutAMoment_data() {
        QTest::addColumn<double>("serial");
        QTest::newRow("1e20") << 1e20;
        QTest::newRow("-1e20") << -1e20;
        QTest::newRow("2^31") << 2147483648.0;
        QTest::newRow("2^31 - a rounding fraction") << 2147483647.9999999;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
    }
    void serialsWithoutAMoment() {
        QFETCH(double, serial);
        QVERIFY(!conv::fromDateTimeSerial(serial).isValid());
    }

    void fractionRoundingUpToMidnightMovesToTheNextDay() {
        const QDateTime moment = conv::fromDateTimeSerial(40248.9999999999);
        QCOMPARE(moment, QDateTime(QDate(2010, 3, 12), QTime(0, 0)));
    }

    // Every text formatDate writes reads back as its date, in any locale.
    void patternsReadBack_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("pattern");
        for (const QString& locale : {u"en_US"_s, u"en_GB"_s, u"de_DE"_s, u"fr_FR"_s, u"ja_JP"_s}) {
            for (const QString& pattern : {u"m/d/yyyy"_s, u"dd/mm/yy"_s, u"dddd, mmmm d, yyyy"_s,
                                           u"ddd d mmm yyyy"_s, u"yyyy-mm-dd"_s}) {
                QTest::addRow("%s %s", qPrintable(locale), qPrintable(pattern))
                    << locale << pattern;
            }
        }
    }
    void patternsReadBack() {
        QFETCH(QString, locale);
        QFETCH(QString, pattern);
        const DateTimeConventions conventions = DateTimeConventions::fromLocale(QLocale(locale));
        for (QDate date(2026, 12, 25); date < QDate(2027, 3, 5); date = date.addDays(1)) {
            const QString text = conv::formatDate(date, pattern, conventions);
            QCOMPARE(conv::readDate(text, pattern, conventions), std::optional<QDate>(date));
        }
    }

    void textsNotOfThePattern_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("day-first order") << u"13/12/2026"_s << u"m/d/yyyy"_s;
        QTest::newRow("no such day") << u"2/30/2026"_s << u"m/d/yyyy"_s;
        QTest::newRow("other separator") << u"12-10-2026"_s << u"m/d/yyyy"_s;
        QTest::newRow("trailing text") << u"12/10/2026 x"_s << u"m/d/yyyy"_s;
        QTest::newRow("short year") << u"12/10/26"_s << u"m/d/yyyy"_s;
        QTest::newRow("empty") << u""_s << u"m/d/yyyy"_s;
        QTest::newRow("wrong weekday") << u"Monday, December 10, 2026"_s << u"dddd, mmmm d, yyyy"_s;
        QTest::newRow("no year in the pattern") << u"12/10"_s << u"m/d"_s;
        QTest::newRow("three-digit day") << u"12/100/2026"_s << u"m/d/yyyy"_s;
    }
    void textsNotOfThePattern() {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QCOMPARE(conv::readDate(text, pattern, us), std::nullopt);
    }

    void patterns_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        const QDate march11(2010, 3, 11);
        QTest::newRow("yyyy/mm/dd") << QDate(2003, 7, 13) << u"yyyy/mm/dd"_s << u"2003/07/13"_s;
        QTest::newRow("m/dd/yy") << march11 << u"m/dd/yy"_s << u"3/11/10"_s;
        QTest::newRow("m/d/yyyy") << QDate(2026, 1, 5) << u"m/d/yyyy"_s << u"1/5/2026"_s;
        QTest::newRow("dd and mm pad") << QDate(2026, 1, 5) << u"dd.mm"_s << u"05.01"_s;
        QTest::newRow("names") << march11 << u"dddd, mmmm d"_s << u"Thursday, March 11"_s;
        QTest::newRow("short names") << march11 << u"ddd mmm"_s << u"Thu Mar"_s;
        QTest::newRow("Sunday") << QDate(2026, 12, 6) << u"dddd"_s << u"Sunday"_s;
        QTest::newRow("upper case letters") << march11 << u"M/DD/YYYY"_s << u"3/11/2010"_s;
        QTest::newRow("other characters copied") << march11 << u"[yyyy] x"_s << u"[2010] x"_s;
        QTest::newRow("five d are four and one") << march11 << u"ddddd"_s << u"Thursday11"_s;
        QTest::newRow("three y") << march11 << u"yyy"_s << u"10y"_s;
        QTest::newRow("year 2000 two digits") << QDate(2000, 2, 29) << u"yy"_s << u"00"_s;
        QTest::newRow("early year padded")
            << QDate(987, 6, 3) << u"m/d/yyyy yy"_s << u"6/3/0987 87"_s;
        QTest::newRow("year 10000") << QDate(10000, 1, 1) << u"yyyy"_s << u"10000"_s;
    }
    void patterns() {
        QFETCH(QDate, date);
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QCOMPARE(conv::formatDate(date, pattern, us), text);
    }

    void separatorComesFromTheConventions() {
        DateTimeConventions german = DateTimeConventions::fromLocale(QLocale(QLocale::German));
        QCOMPARE(german.dateSeparator, QStringLiteral("."));
        QCOMPARE(conv::formatDate(QDate(2010, 3, 11), QStringLiteral("m/d/yyyy"), german),
                 QStringLiteral("3.11.2010"));
        QCOMPARE(conv::formatDate(QDate(2010, 3, 11), QStringLiteral("mmmm"), german),
                 QStringLiteral("März"));
    }

    void longTime_data() {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("twelveHour");
        QTest::addColumn<QString>("twentyFourHour");
        QTest::newRow("afternoon") << QTime(15, 25, 10) << u"3:25:10 PM"_s << u"15:25:10"_s;
        QTest::newRow("midnight") << QTime(0, 0, 0) << u"12:00:00 AM"_s << u"00:00:00"_s;
        QTest::newRow("noon") << QTime(12, 0, 5) << u"12:00:05 PM"_s << u"12:00:05"_s;
        QTest::newRow("last second") << QTime(23, 59, 59) << u"11:59:59 PM"_s << u"23:59:59"_s;
        QTest::newRow("morning") << QTime(9, 5, 0) << u"9:05:00 AM"_s << u"09:05:00"_s;
        QTest::newRow("two-digit hour") << QTime(10, 0, 59) << u"10:00:59 AM"_s << u"10:00:59"_s;
    }
    void longTime() {
        QFETCH(QTime, time);
        QFETCH(QString, twelveHour);
        QFETCH(QString, twentyFourHour);
        QCOMPARE(conv::formatLongTime(time, us), twelveHour);
        DateTimeConventions clock24 = us;
        clock24.twelveHourClock = false;
        QCOMPARE(conv::formatLongTime(time, clock24), twentyFourHour);
        // Every displayed second reads back to itself.
        QCOMPARE(conv::readDateTimeText(twelveHour, us)->time(), time);
        QCOMPARE(conv::readDateTimeText(twentyFourHour, clock24)->time(), time);
    }

    void reading_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("moment"); // invalid: nothing read
        const auto at = [](int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
            return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
        };
        QTest::newRow("date then time") << u"3/11/2010 3:25:10 PM"_s << at(2010, 3, 11, 15, 25, 10);
        QTest::newRow("time then date") << u"3:25:10 PM 3/11/2010"_s << at(2010, 3, 11, 15, 25, 10);
        QTest::newRow("12 AM is midnight") << u"1/1/2027 12:00:00 AM"_s << at(2027, 1, 1);
        QTest::newRow("12 PM is noon") << u"1/1/2027 12:00:00 PM"_s << at(2027, 1, 1, 12);
        QTest::newRow("date alone") << u"12/9/2026"_s << at(2026, 12, 9);
        QTest::newRow("time alone is on day 0") << u"11:59:59 PM"_s << at(1899, 12, 30, 23, 59, 59);
        QTest::newRow("lower-case designator") << u"3/11/2010 3:25 pm"_s << at(2010, 3, 11, 15, 25);
        QTest::newRow("24-hour time") << u"3/11/2010 15:25:10"_s << at(2010, 3, 11, 15, 25, 10);
        QTest::newRow("year first") << u"2003/07/13"_s << at(2003, 7, 13);
        QTest::newRow("two-digit year 29") << u"3/11/29"_s << at(2029, 3, 11);
        QTest::newRow("two-digit year 30") << u"3/11/30"_s << at(1930, 3, 11);
        QTest::newRow("extra blanks")
            << u"  3/11/2010   3:25:10 PM "_s << at(2010, 3, 11, 15, 25, 10);
        QTest::newRow("design captions") << u"00/00/0000 00:00:00 AM"_s << QDateTime();
        QTest::newRow("no such day") << u"2/30/2010"_s << QDateTime();
        QTest::newRow("13 PM") << u"13:00:00 PM"_s << QDateTime();
        QTest::newRow("minute 60") << u"3:60:00 PM"_s << QDateTime();
        QTest::newRow("two dates") << u"3/11/2010 3/12/2010"_s << QDateTime();
        QTest::newRow("word") << u"Label43"_s << QDateTime();
        QTest::newRow("empty") << u""_s << QDateTime();
        QTest::newRow("four time fields") << u"3:25:10:05 PM"_s << QDateTime();
        QTest::newRow("hour alone") << u"3: PM"_s << QDateTime();
        QTest::newRow("empty minutes") << u"3::10"_s << QDateTime();
        QTest::newRow("trailing colon") << u"3:25:"_s << QDateTime();
        QTest::newRow("three-digit minutes") << u"3:025"_s << QDateTime();
        QTest::newRow("single-digit fields") << u"3:5:7 AM"_s << at(1899, 12, 30, 3, 5, 7);
        QTest::newRow("designator glued to the time") << u"3:25PM"_s << at(1899, 12, 30, 15, 25);
        QTest::newRow("two designators") << u"3:25 PM AM"_s << QDateTime();
        QTest::newRow("designator alone") << u"PM"_s << QDateTime();
    }
    void reading() {
        QFETCH(QString, text);
        QFETCH(QDateTime, moment);
        const auto read = conv::readDateTimeText(text, us);
        QCOMPARE(read.has_value(), moment.isValid());
        if (read)
            QCOMPARE(*read, moment);
    }

    void dayFirstConventionsReadDayFirst() {
        const DateTimeConventions british =
            DateTimeConventions::fromLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
        QCOMPARE(british.shortDateOrder, DateTimeConventions::DateOrder::DayMonthYear);
        QCOMPARE(conv::readDateTimeText(QStringLiteral("3/11/2010"), british)->date(),
                 QDate(2010, 11, 3));
    }

    // The system clock tells the milliseconds without the local time; they must be the local
    // time's, also in a zone whose offset is not whole hours.
    void systemClockMillisecondsAreTheLocalTimes() {
        const QByteArray zone = qgetenv("TZ");
        qputenv("TZ", "Asia/Kathmandu");
        const conv::SystemClock clock;
        for (int attempt = 0; attempt < 3; ++attempt) {
            const QDateTime before = clock.now();
            const int millisecond = clock.millisecondOfSecond();
            const QDateTime after = clock.now();
            if (before.time().second() != after.time().second())
                continue; // a second boundary between the readings
            QVERIFY(millisecond >= before.time().msec());
            QVERIFY(millisecond <= after.time().msec());
            break;
        }
        if (zone.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", zone);
    }
};

QTEST_APPLESS_MAIN(TestDateText)
#include "tst_datetext.moc"
