#include "conventions/NumericText.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

class TestNumericText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void leadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::newRow("decimal") << u"12.50"_s << 12.5;
        QTest::newRow("trailing letters") << u"75abc"_s << 75.0;
        QTest::newRow("leading blank") << u" 80"_s << 80.0;
        QTest::newRow("letters") << u"abc"_s << 0.0;
        QTest::newRow("empty") << u""_s << 0.0;
        QTest::newRow("blanks inside") << u"1 2 3"_s << 123.0;
        QTest::newRow("tab and newline") << u"\t\n42"_s << 42.0;
        QTest::newRow("negative") << u"-5.25"_s << -5.25;
        QTest::newRow("plus") << u"+7"_s << 7.0;
        QTest::newRow("second point ends") << u"1.2.3"_s << 1.2;
        QTest::newRow("leading point") << u".5"_s << 0.5;
        QTest::newRow("exponent") << u"1e3"_s << 1000.0;
        QTest::newRow("negative exponent") << u"25E-1"_s << 2.5;
        QTest::newRow("bare exponent letter") << u"4e"_s << 4.0;
        QTest::newRow("unit after figure") << u"12.50 KBs "_s << 12.5;
        QTest::newRow("design caption") << u"Label37"_s << 0.0;
        QTest::newRow("comma is not a point") << u"3,5"_s << 3.0;
        QTest::newRow("sign alone") << u"-"_s << 0.0;
    }
    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, number);
        QCOMPARE(conv::leadingNumber(text), number);
    }

    void twoDecimals_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << u"0.00"_s;
        QTest::newRow("fraction keeps its zero") << 0.5 << u"0.50"_s;
        QTest::newRow("one decimal") << 12.5 << u"12.50"_s;
        QTest::newRow("rounds down") << 3.104 << u"3.10"_s;
        QTest::newRow("half rounds away from zero") << 0.125 << u"0.13"_s;
        QTest::newRow("2.675 as written") << 2.675 << u"2.68"_s;
        QTest::newRow("carry into units") << 9.999 << u"10.00"_s;
        QTest::newRow("kilobytes") << 1536.0 / 1024.0 << u"1.50"_s;
        QTest::newRow("large") << 123456.789 << u"123456.79"_s;
        QTest::newRow("negative") << -1.5 << u"-1.50"_s;
        QTest::newRow("negative rounding to zero") << -0.001 << u"0.00"_s;
        // Values whose first digit lies beyond the first dropped place.
        QTest::newRow("1e-5") << 1e-5 << u"0.00"_s;
        QTest::newRow("-1e-20") << -1e-20 << u"0.00"_s;
        QTest::newRow("1e-300") << 1e-300 << u"0.00"_s;
        QTest::newRow("just over half a cent") << 0.0051 << u"0.01"_s;
        // A binary fraction of at most 15 digits is its own 15-digit text and rounds exactly;
        // beyond that the 15-digit text decides, as for any other value.
        QTest::newRow("exact half away from zero") << 2.625 << u"2.63"_s;
        QTest::newRow("negative exact half") << -2.625 << u"-2.63"_s;
        QTest::newRow("1023 octets") << 1023.0 / 1024.0 << u"1.00"_s;
        QTest::newRow("one octet") << 1.0 / 1024.0 << u"0.00"_s;
        QTest::newRow("five octets") << 5.0 / 1024.0 << u"0.00"_s;
        QTest::newRow("eleven octets") << 11.0 / 1024.0 << u"0.01"_s;
        QTest::newRow("a gigabyte a second") << 1073741823.0 / 1024.0 << u"1048576.00"_s;
        QTest::newRow("fifteen-digit integer") << 999999999999999.0 << u"999999999999999.00"_s;
        QTest::newRow("sixteen digits written as fifteen")
            << 1000000000000002.0 << u"1000000000000000.00"_s;
        QTest::newRow("octets beyond fifteen digits")
            << 9007199254740991.0 / 1024.0 << u"8796093022208.00"_s;
        QTest::newRow("fifteen digits with a half") << 1099511627775.5 << u"1099511627775.50"_s;
        QTest::newRow("a half beyond fifteen digits")
            << 281474976710655.5 << u"281474976710656.00"_s;
        QTest::newRow("small binary fraction") << 0.0048828125 << u"0.00"_s;
        QTest::newRow("smallest exact cent half") << 0.005859375 << u"0.01"_s;
        QTest::newRow("2^-30") << 9.313225746154785e-10 << u"0.00"_s;
        QTest::newRow("huge") << 1e300 << u"1"_s + QString(300, u'0') + u".00"_s;
    }
    void twoDecimals() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(conv::formatTwoDecimals(value), text);
    }

    void shortest_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer") << 3.0 << u"3"_s;
        QTest::newRow("one decimal") << 12.5 << u"12.5"_s;
        QTest::newRow("binary noise hidden") << 0.1 + 0.2 << u"0.3"_s;
        QTest::newRow("negative fraction") << -0.5 << u"-0.5"_s;
        QTest::newRow("zero") << 0.0 << u"0"_s;
        QTest::newRow("small") << 0.0001 << u"0.0001"_s;
        QTest::newRow("large integer") << 1e14 << u"100000000000000"_s;
    }
    void shortest() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(conv::shortestDecimal(value), text);
    }

    void halfEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("rounded");
        QTest::newRow("1.5") << 1.5 << qint64(2);
        QTest::newRow("2.5") << 2.5 << qint64(2);
        QTest::newRow("0.5") << 0.5 << qint64(0);
        QTest::newRow("-0.5") << -0.5 << qint64(0);
        QTest::newRow("-1.5") << -1.5 << qint64(-2);
        QTest::newRow("2099.5 year") << 2099.5 << qint64(2100);
        QTest::newRow("2100.5") << 2100.5 << qint64(2100);
        QTest::newRow("90 / 60") << 90.0 / 60.0 << qint64(2);
        QTest::newRow("2.4999") << 2.4999 << qint64(2);
    }
    void halfEven() {
        QFETCH(double, value);
        QFETCH(qint64, rounded);
        QCOMPARE(conv::roundHalfEven(value), rounded);
    }

    void halfEvenDecimals_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("rounded");
        QTest::newRow("2.25 down to even") << 2.25 << 1 << 2.2;
        QTest::newRow("2.35 up to even") << 2.35 << 1 << 2.4;
        QTest::newRow("above half") << 2.251 << 1 << 2.3;
        QTest::newRow("negative") << -2.35 << 1 << -2.4;
        QTest::newRow("no decimals") << 3.5 << 0 << 4.0;
        QTest::newRow("already short") << 7.0 << 1 << 7.0;
    }
    void halfEvenDecimals() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(double, rounded);
        QCOMPARE(conv::roundHalfEven(value, decimals), rounded);
    }

    // Values no integer type holds, e.g. "1e20" typed into a number box: the sanitizer
    // preset stops on any cast out of range.
    void valuesBeyondTheIntegerRange_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("rounded");
        QTest::addColumn<QString>("twoDecimals");
        const double inf = std::numeric_limits<double>::infinity();
        const qint64 max = std::numeric_limits<qint64>::max();
        const qint64 min = std::numeric_limits<qint64>::min();
        QTest::newRow("1e20") << 1e20 << max << u"100000000000000000000.00"_s;
        QTest::newRow("-1e20") << -1e20 << min << u"-100000000000000000000.00"_s;
        QTest::newRow("2^63") << 9223372036854775808.0 << max << u"9223372036854780000.00"_s;
        QTest::newRow("-2^63") << -9223372036854775808.0 << min << u"-9223372036854780000.00"_s;
        QTest::newRow("1e300") << 1e300 << max << u"1"_s + QString(300, u'0') + u".00"_s;
        QTest::newRow("infinity") << inf << max << u"inf"_s;
        QTest::newRow("minus infinity") << -inf << min << u"-inf"_s;
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << qint64(0) << u"nan"_s;
        QTest::newRow("1e19") << 1e19 << max << u"10000000000000000000.00"_s;
    }
    void valuesBeyondTheIntegerRange() {
        QFETCH(double, value);
        QFETCH(qint64, rounded);
        QFETCH(QString, twoDecimals);
        QCOMPARE(conv::roundHalfEven(value), rounded);
        QCOMPARE(conv::formatTwoDecimals(value), twoDecimals);
        const double kept = conv::roundHalfEven(value, 2);
        QVERIFY(kept == value || (std::isnan(kept) && std::isnan(value)));
        QCOMPARE(conv::roundHalfEven(2.5, 400), 2.5); // places beyond 15 are no places
        QCOMPARE(conv::roundHalfEven(2.5, -3), 2.0);  // nor are negative ones
    }
};

QTEST_APPLESS_MAIN(TestNumericText)
#include "tst_numerictext.moc"
