#include "schedule/ElapsedText.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestElapsedText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writesTheNonZeroParts_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("one of each") << qint64(90061) << u"1 Day, 1 Hour, 1 Minute, 1 Second"_s;
        QTest::newRow("plurals") << qint64(7322) << u"2 Hours, 2 Minutes, 2 Seconds"_s;
        QTest::newRow("a year of 365 days") << qint64(31536000) << u"1 Year"_s;
        QTest::newRow("a day") << qint64(86400) << u"1 Day"_s;
        QTest::newRow("a minute") << qint64(60) << u"1 Minute"_s;
        QTest::newRow("a minute and a second") << qint64(61) << u"1 Minute, 1 Second"_s;
        QTest::newRow("a second") << qint64(1) << u"1 Second"_s;
        QTest::newRow("zero parts inside") << qint64(31536000 + 59) << u"1 Year, 59 Seconds"_s;
        QTest::newRow("years") << qint64(2 * 31536000LL + 3 * 86400LL + 4 * 3600LL + 5 * 60LL + 6)
                               << u"2 Years, 3 Days, 4 Hours, 5 Minutes, 6 Seconds"_s;
        QTest::newRow("a leap year's extra day") << qint64(366 * 86400LL) << u"1 Year, 1 Day"_s;
        QTest::newRow("nothing left") << qint64(0) << u""_s;
        QTest::newRow("past") << qint64(-61) << u""_s;
    }
    void writesTheNonZeroParts() {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(nocturnia::elapsedText(seconds), text);
    }
};

QTEST_APPLESS_MAIN(TestElapsedText)
#include "tst_elapsedtext.moc"
