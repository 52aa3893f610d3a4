#include "conventions/DatePattern.h"
#include "conventions/DateSerial.h"
#include "conventions/TimeText.h"

#include <QTest>

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

    void fractionRoundingUpToMidnightMovesToTheNextDay() {
        const QDateTime moment = conv::fromDateTimeSerial(40248.9999999999);
        QCOMPARE(moment, QDateTime(QDate(2010, 3, 12), QTime(0, 0)));
    }

    void patterns_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        const QDate march11(2010, 3, 11);
        QTest::newRow("yyyy/mm/dd") << QDate(2003, 7, 13) << "yyyy/mm/dd"
                                    << "2003/07/13";
        QTest::newRow("m/dd/yy") << march11 << "m/dd/yy"
                                 << "3/11/10";
        QTest::newRow("m/d/yyyy") << QDate(2026, 1, 5) << "m/d/yyyy"
                                  << "1/5/2026";
        QTest::newRow("dd and mm pad") << QDate(2026, 1, 5) << "dd.mm"
                                       << "05.01";
        QTest::newRow("names") << march11 << "dddd, mmmm d"
                               << "Thursday, March 11";
        QTest::newRow("short names") << march11 << "ddd mmm"
                                     << "Thu Mar";
        QTest::newRow("Sunday") << QDate(2026, 12, 6) << "dddd"
                                << "Sunday";
        QTest::newRow("upper case letters") << march11 << "M/DD/YYYY"
                                            << "3/11/2010";
        QTest::newRow("other characters copied") << march11 << "[yyyy] x"
                                                 << "[2010] x";
        QTest::newRow("five d are four and one") << march11 << "ddddd"
                                                 << "Thursday11";
        QTest::newRow("three y") << march11 << "yyy"
                                 << "10y";
        QTest::newRow("year 2000 two digits") << QDate(2000, 2, 29) << "yy"
                                              << "00";
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
        QTest::newRow("afternoon") << QTime(15, 25, 10) << "3:25:10 PM"
                                   << "15:25:10";
        QTest::newRow("midnight") << QTime(0, 0, 0) << "12:00:00 AM"
                                  << "00:00:00";
        QTest::newRow("noon") << QTime(12, 0, 5) << "12:00:05 PM"
                              << "12:00:05";
        QTest::newRow("last second") << QTime(23, 59, 59) << "11:59:59 PM"
                                     << "23:59:59";
        QTest::newRow("morning") << QTime(9, 5, 0) << "9:05:00 AM"
                                 << "09:05:00";
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
        QTest::newRow("date then time") << "3/11/2010 3:25:10 PM" << at(2010, 3, 11, 15, 25, 10);
        QTest::newRow("time then date") << "3:25:10 PM 3/11/2010" << at(2010, 3, 11, 15, 25, 10);
        QTest::newRow("12 AM is midnight") << "1/1/2027 12:00:00 AM" << at(2027, 1, 1);
        QTest::newRow("12 PM is noon") << "1/1/2027 12:00:00 PM" << at(2027, 1, 1, 12);
        QTest::newRow("date alone") << "12/9/2026" << at(2026, 12, 9);
        QTest::newRow("time alone is on day 0") << "11:59:59 PM" << at(1899, 12, 30, 23, 59, 59);
        QTest::newRow("lower-case designator") << "3/11/2010 3:25 pm" << at(2010, 3, 11, 15, 25);
        QTest::newRow("24-hour time") << "3/11/2010 15:25:10" << at(2010, 3, 11, 15, 25, 10);
        QTest::newRow("year first") << "2003/07/13" << at(2003, 7, 13);
        QTest::newRow("two-digit year 29") << "3/11/29" << at(2029, 3, 11);
        QTest::newRow("two-digit year 30") << "3/11/30" << at(1930, 3, 11);
        QTest::newRow("extra blanks") << "  3/11/2010   3:25:10 PM " << at(2010, 3, 11, 15, 25, 10);
        QTest::newRow("design captions") << "00/00/0000 00:00:00 AM" << QDateTime();
        QTest::newRow("no such day") << "2/30/2010" << QDateTime();
        QTest::newRow("13 PM") << "13:00:00 PM" << QDateTime();
        QTest::newRow("minute 60") << "3:60:00 PM" << QDateTime();
        QTest::newRow("two dates") << "3/11/2010 3/12/2010" << QDateTime();
        QTest::newRow("word") << "Label43" << QDateTime();
        QTest::newRow("empty") << "" << QDateTime();
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
};

QTEST_APPLESS_MAIN(TestDateText)
#include "tst_datetext.moc"
