#include "conventions/NumericText.h"

#include <QTest>

class TestNumericText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void leadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::newRow("decimal") << "12.50" << 12.5;
        QTest::newRow("trailing letters") << "75abc" << 75.0;
        QTest::newRow("leading blank") << " 80" << 80.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks inside") << "1 2 3" << 123.0;
        QTest::newRow("tab and newline") << "\t\n42" << 42.0;
        QTest::newRow("negative") << "-5.25" << -5.25;
        QTest::newRow("plus") << "+7" << 7.0;
        QTest::newRow("second point ends") << "1.2.3" << 1.2;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("negative exponent") << "25E-1" << 2.5;
        QTest::newRow("bare exponent letter") << "4e" << 4.0;
        QTest::newRow("unit after figure") << "12.50 KBs " << 12.5;
        QTest::newRow("design caption") << "Label37" << 0.0;
        QTest::newRow("comma is not a point") << "3,5" << 3.0;
        QTest::newRow("sign alone") << "-" << 0.0;
    }
    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, number);
        QCOMPARE(conv::leadingNumber(text), number);
    }

    void twoDecimals_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0.00";
        QTest::newRow("fraction keeps its zero") << 0.5 << "0.50";
        QTest::newRow("one decimal") << 12.5 << "12.50";
        QTest::newRow("rounds down") << 3.104 << "3.10";
        QTest::newRow("half rounds away from zero") << 0.125 << "0.13";
        QTest::newRow("2.675 as written") << 2.675 << "2.68";
        QTest::newRow("carry into units") << 9.999 << "10.00";
        QTest::newRow("kilobytes") << 1536.0 / 1024.0 << "1.50";
        QTest::newRow("large") << 123456.789 << "123456.79";
        QTest::newRow("negative") << -1.5 << "-1.50";
        QTest::newRow("negative rounding to zero") << -0.001 << "0.00";
    }
    void twoDecimals() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(conv::formatTwoDecimals(value), text);
    }

    void shortest_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer") << 3.0 << "3";
        QTest::newRow("one decimal") << 12.5 << "12.5";
        QTest::newRow("binary noise hidden") << 0.1 + 0.2 << "0.3";
        QTest::newRow("negative fraction") << -0.5 << "-0.5";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("small") << 0.0001 << "0.0001";
        QTest::newRow("large integer") << 1e14 << "100000000000000";
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
};

QTEST_APPLESS_MAIN(TestNumericText)
#include "tst_numerictext.moc"
