#include "conventions/ColourRef.h"
#include "conventions/Twips.h"

#include <QGuiApplication>
#include <QTest>

class TestColourRef : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void references_data() {
        QTest::addColumn<quint32>("ref");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("low byte is red") << quint32(0x0000FF) << QColor(255, 0, 0);
        QTest::newRow("high byte is blue") << quint32(0xFF0000) << QColor(0, 0, 255);
        QTest::newRow("0xA6ABAC") << quint32(0xA6ABAC) << QColor(0xAC, 0xAB, 0xA6);
        QTest::newRow("dark green 0x8000") << quint32(0x8000) << QColor(0, 0x80, 0);
    }
    void references() {
        QFETCH(quint32, ref);
        QFETCH(QColor, colour);
        QCOMPARE(conv::colourFromRef(ref, QPalette()), colour);
        QCOMPARE(conv::colourRef(colour), ref);
        QCOMPARE(conv::colourRef(colour.red(), colour.green(), colour.blue()), ref);
    }

    void systemColoursComeFromThePalette() {
        QPalette palette;
        palette.setColor(QPalette::Active, QPalette::Highlight, QColor(1, 2, 3));
        palette.setColor(QPalette::Active, QPalette::Base, QColor(4, 5, 6));
        palette.setColor(QPalette::Active, QPalette::Text, QColor(7, 8, 9));
        QVERIFY(conv::isSystemColourRef(0x8000000D));
        QCOMPARE(conv::colourFromRef(0x8000000D, palette), QColor(1, 2, 3));
        QCOMPARE(conv::colourFromRef(conv::systemColourRef(conv::SystemColour::Window), palette),
                 QColor(4, 5, 6));
        QCOMPARE(conv::colourFromRef(0x80000006, palette), QColor(7, 8, 9)); // window frame
        QCOMPARE(conv::colourFromRef(0x800000FF, palette), QColor(Qt::black));
    }

    void twips_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("client width") << 10320 << 688;
        QTest::newRow("client height") << 6945 << 463;
        QTest::newRow("one pixel") << 15 << 1;
        QTest::newRow("7 twips round down") << 7 << 0;
        QTest::newRow("8 twips round up") << 8 << 1;
        QTest::newRow("interval control") << 355 << 24;
        QTest::newRow("negative") << -30 << -2;
    }
    void twips() {
        QFETCH(int, twips);
        QFETCH(int, pixels);
        QCOMPARE(conv::twipsToPixels(twips), pixels);
    }

    void twipsRectangle() {
        QCOMPARE(conv::twipsRect(2760, 1320, 7455, 4815), QRect(184, 88, 497, 321));
        QCOMPARE(conv::pixelsToTwips(688), 10320);
    }
};

QTEST_MAIN(TestColourRef)
#include "tst_colourref.moc"
