// The histogram: its history, which changes redraw, the chart read back from its canvas and the
// control's surface, and its stored design.
#include "controls/HistogramPainter.h"
#include "controls/ucHistogram.h"
#include "conventions/ColourRef.h"

#include <QSignalSpy>
#include <QTest>
#include <limits>

using nocturnia::ucHistogram;

namespace {

const QColor Back(0, 0, 0);
const QColor Grid(0, 0x40, 0);
const QColor Fore(0, 0xFF, 0);

// No border, 4 points on a 0..100 scale, a grid line every point and every 50. The widget is
// 52 x 30, its canvas 60 x 30 pixels, 900 x 450 twips: a point every 226 twips (about 15
// pixels), grid lines every 225 twips (15 pixels), 4 twips a unit of value.
conv::PropertyBag smallChart() {
    conv::PropertyBag bag;
    bag.write(QStringLiteral("BorderStyle"), qint16(0));
    bag.write(QStringLiteral("GridTickHorizontal"), qint16(1));
    bag.write(QStringLiteral("GridTickVertical"), qint16(50));
    bag.write(QStringLiteral("NumberOfPoints"), qint32(4));
    bag.write(QStringLiteral("BackColor"), conv::ColourValue{0x000000});
    bag.write(QStringLiteral("GridColour"), conv::ColourValue{0x004000});
    return bag;
}

std::unique_ptr<ucHistogram> makeChart(const conv::PropertyBag& design = smallChart()) {
    auto chart = std::make_unique<ucHistogram>();
    chart->readProperties(design);
    chart->resize(52, 30);
    chart->show(); // delivers the resize
    return chart;
}

QVector<qint32> history(std::initializer_list<qint32> points) {
    return QVector<qint32>(points);
}

// The columns of the canvas where the chart line has pixels.
QList<int> lineColumns(const QImage& canvas) {
    QList<int> columns;
    for (int x = 0; x < canvas.width(); ++x)
        for (int y = 0; y < canvas.height(); ++y)
            if (canvas.pixelColor(x, y) == Fore) {
                columns << x;
                break;
            }
    return columns;
}

} // namespace

class TestUcHistogram : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void historyFillsThenScrolls() {
        conv::PropertyBag design = smallChart();
        design.write(QStringLiteral("NumberOfPoints"), qint32(3));
        auto chart = makeChart(design);
        QCOMPARE(chart->points(), history({0, -1, -1, -1}));
        QCOMPARE(chart->nextPosition(), 1);
        chart->NextPoint(10);
        chart->NextPoint(20);
        QCOMPARE(chart->points(), history({0, 10, 20, -1}));
        QCOMPARE(chart->nextPosition(), 3);
        for (qint32 value : {30, 40, 50})
            chart->NextPoint(value);
        QCOMPARE(chart->points(), history({20, 30, 40, 50}));
        QCOMPARE(chart->nextPosition(), 4);
    }

    void valuesAboveMaxAreDroppedWithoutRedraw() {
        auto chart = makeChart();
        chart->NextPoint(50);
        const QImage before = chart->canvas().copy();
        // A changed grid colour shows only at the next redraw: proof of whether one happened.
        chart->setGridColour(0x0000FF);
        chart->NextPoint(101);
        QCOMPARE(chart->points(), history({0, 50, -1, -1, -1}));
        QCOMPARE(chart->canvas(), before);
        chart->NextPoint(100); // Max itself is kept
        QCOMPARE(chart->points(), history({0, 50, 100, -1, -1}));
        QCOMPARE(chart->canvas().pixelColor(15, 5), QColor(255, 0, 0));
    }

    void setterTellsTheHostAndWaits_data() {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("showsAtRefresh"); // the others change the layout or the surface
        const auto add = [](const char* name, const QVariant& value, bool shows) {
            QTest::newRow(name) << QString::fromLatin1(name) << value << shows;
        };
        add("Appearance", QVariant(qint16(0)), false);
        add("DrawWidth", QVariant(qint16(3)), true);
        add("GridTickHorizontal", QVariant(qint16(2)), false);
        add("GridTickVertical", QVariant(qint16(10)), false);
        add("NumberOfPoints", QVariant(8), false);
        add("BackColor", QVariant(quint32(0xFFFFFF)), true);
        add("GridColour", QVariant(quint32(0xFF)), true);
        add("Max", QVariant(50), true);
        add("ForeColor", QVariant(quint32(0xFF0000)), true);
        add("BorderStyle", QVariant(qint16(1)), false);
    }
    void setterTellsTheHostAndWaits() {
        QFETCH(QString, property);
        QFETCH(QVariant, value);
        QFETCH(bool, showsAtRefresh);
        auto chart = makeChart();
        chart->NextPoint(50);
        chart->NextPoint(80);
        const QImage before = chart->canvas().copy();
        QSignalSpy changed(chart.get(), &ucHistogram::propertyChanged);
        QVERIFY(chart->setProperty(property.toLatin1().constData(), value));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), property);
        QCOMPARE(chart->property(property.toLatin1().constData()), value);
        // Nothing is redrawn: the chart keeps what it showed, where the canvas still reaches.
        const QRect kept = chart->canvas().rect() & before.rect();
        QCOMPARE(chart->canvas().copy(kept), before.copy(kept));
        QCOMPARE(chart->points(), history({0, 50, 80, -1, -1}));
        if (showsAtRefresh) {
            chart->Refresh();
            QVERIFY(chart->canvas() != before);
        }
    }

    void gridTicksTakeOnlySixteenBitIntegers() {
        auto chart = makeChart();
        chart->setGridTickHorizontal(QVariant(QStringLiteral("x")));
        chart->setGridTickVertical(QVariant(70000));
        QCOMPARE(chart->gridTickHorizontal(), QVariant(qint16(1)));
        QCOMPARE(chart->gridTickVertical(), QVariant(qint16(50)));
    }

    void geometry_data() {
        QTest::addColumn<QSize>("canvasTwips");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("tickHorizontal");
        QTest::addColumn<int>("tickVertical");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("vertical");
        QTest::addColumn<int>("horizontal");
        QTest::newRow("small chart") << QSize(900, 450) << 4 << 1 << 50 << 100 << 226 << 225 << 225;
        // The console: 130 in steps of 5, 70 points, a line every 5.
        QTest::newRow("console") << QSize(3120, 1200) << 70 << 5 << 5 << 130 << 46 << 225 << 46;
        // No points or no steps: nothing to divide by, so no grid in that direction.
        QTest::newRow("no points") << QSize(900, 450) << 0 << 1 << 50 << 100 << 0 << 0 << 225;
        QTest::newRow("no vertical tick")
            << QSize(900, 450) << 4 << 1 << 0 << 100 << 226 << 225 << 0;
        QTest::newRow("Max 0") << QSize(900, 450) << 4 << 1 << 50 << 0 << 226 << 225 << 0;
    }
    void geometry() {
        QFETCH(QSize, canvasTwips);
        QFETCH(int, points);
        QFETCH(int, tickHorizontal);
        QFETCH(int, tickVertical);
        QFETCH(int, max);
        QFETCH(int, step);
        QFETCH(int, vertical);
        QFETCH(int, horizontal);
        const auto geometry = nocturnia::histogramGeometry(
            canvasTwips, points, qint16(tickHorizontal), qint16(tickVertical), max);
        QCOMPARE(int(geometry.step), step);
        QCOMPARE(geometry.verticalGridSpacing, vertical);
        QCOMPARE(geometry.horizontalGridSpacing, horizontal);
    }

    void chartOnTheCanvas() {
        auto chart = makeChart();
        QCOMPARE(chart->canvas().size(), QSize(60, 30)); // 8 pixels wider than the control
        chart->NextPoint(100);
        chart->NextPoint(100);
        const QImage& canvas = chart->canvas();
        // Grid: from the bottom up every 225 twips (rows 15 and 0), from the left every 225.
        QCOMPARE(canvas.pixelColor(5, 15), Grid);
        QCOMPARE(canvas.pixelColor(5, 0), Grid);
        QCOMPARE(canvas.pixelColor(0, 20), Grid);
        QCOMPARE(canvas.pixelColor(45, 20), Grid);
        QCOMPARE(canvas.pixelColor(5, 14), Back);
        QCOMPARE(canvas.pixelColor(44, 20), Back);
        // The first segment rises from position 0 (value 0: 400 twips, row 27) at column 15 to
        // 100 at the top (column 30); the second runs along the top to column 45.
        QCOMPARE(canvas.pixelColor(15, 27), Fore);
        QCOMPARE(canvas.pixelColor(31, 0), Fore);
        QCOMPARE(canvas.pixelColor(44, 0), Fore);
        QCOMPARE(lineColumns(canvas).first(), 15);
        QCOMPARE(lineColumns(canvas).last(), 44);
    }

    void lineStopsAtTheFirstNegativePoint() {
        auto chart = makeChart();
        chart->NextPoint(50);
        chart->NextPoint(-5); // kept, but not drawn
        chart->NextPoint(60);
        QCOMPARE(chart->points(), history({0, 50, -5, 60, -1}));
        QCOMPARE(lineColumns(chart->canvas()).last(), 29);
        // Once it has scrolled to position 0 it only starts the first segment, off the canvas.
        chart->NextPoint(70);
        chart->NextPoint(80);
        chart->NextPoint(90);
        QCOMPARE(chart->points(), history({-5, 60, 70, 80, 90}));
        QCOMPARE(lineColumns(chart->canvas()).last(), 59);
    }

    void wildValuesCostNoMoreThanVisibleOnes() {
        conv::PropertyBag design = smallChart();
        design.write(QStringLiteral("NumberOfPoints"), qint32(3)); // 301 twips (20 pixels) apart
        auto chart = makeChart(design);
        for (qint32 value : {std::numeric_limits<qint32>::min(), 10, 20, 30})
            chart->NextPoint(value); // the extreme value moves to position 0, starting the line
        QCOMPARE(chart->points(), history({std::numeric_limits<qint32>::min(), 10, 20, 30}));
        // Nearly vertical, the first segment enters the canvas only at its end, column 40.
        const QList<int> columns = lineColumns(chart->canvas());
        QVERIFY(!columns.isEmpty());
        QCOMPARE(columns.first(), 40);
        QCOMPARE(chart->canvas().pixelColor(40, 29), Fore);
    }

    void drawWidth() {
        conv::PropertyBag design = smallChart();
        design.write(QStringLiteral("DrawWidth"), qint16(3));
        auto chart = makeChart(design);
        for (int i = 0; i < 4; ++i)
            chart->NextPoint(50); // 200 twips: row 13
        const QImage& canvas = chart->canvas();
        for (int y : {12, 13, 14})
            QCOMPARE(canvas.pixelColor(40, y), Fore);
        QVERIFY(canvas.pixelColor(40, 11) != Fore);
        QVERIFY(canvas.pixelColor(40, 15) != Fore);
    }

    void noGridWithoutSpacing() {
        // Ticks of 0 give spacings of 0: no grid, and the redraw ends.
        conv::PropertyBag design = smallChart();
        design.write(QStringLiteral("GridTickHorizontal"), qint16(0));
        design.write(QStringLiteral("Max"), qint32(0));
        auto chart = makeChart(design);
        chart->NextPoint(0);
        const QImage& canvas = chart->canvas();
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                QVERIFY(canvas.pixelColor(x, y) != Grid);
    }

    void surfaceShowsTheCanvasShifted_data() {
        QTest::addColumn<int>("borderStyle");
        QTest::addColumn<int>("appearance");
        QTest::addColumn<int>("border");
        QTest::newRow("no border") << 0 << 1 << 0;
        QTest::newRow("flat") << 1 << 0 << 1;
        QTest::newRow("3-D") << 1 << 1 << 2;
    }
    void surfaceShowsTheCanvasShifted() {
        QFETCH(int, borderStyle);
        QFETCH(int, appearance);
        QFETCH(int, border);
        conv::PropertyBag design = smallChart();
        design.write(QStringLiteral("BorderStyle"), qint16(borderStyle));
        design.write(QStringLiteral("Appearance"), qint16(appearance));
        auto chart = makeChart(design);
        QCOMPARE(chart->canvas().size(), QSize(52 - 2 * border + 8, 30 - 2 * border));
        chart->NextPoint(100);
        chart->NextPoint(30);
        const QImage shown = chart->grab().toImage();
        const QImage& canvas = chart->canvas();
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x + 8 < canvas.width(); ++x)
                QCOMPARE(shown.pixelColor(border + x, border + y), canvas.pixelColor(x + 8, y));
    }

    void defaultsAreNotWritten() {
        ucHistogram chart;
        QCOMPARE(chart.points().size(), 101); // a new control takes points at once
        conv::PropertyBag bag;
        chart.writeProperties(bag);
        QVERIFY(bag.entries().isEmpty());
    }

    void designRoundTripAndHistoryReset() {
        auto chart = makeChart();
        chart->setAppearance(0);
        chart->setBorderStyle(0);
        chart->setDrawWidth(2);
        chart->setGridTickHorizontal(5);
        chart->setGridTickVertical(5);
        chart->setNumberOfPoints(70);
        chart->setBackColor(0x101010);
        chart->setGridColour(0x4000);
        chart->setMax(130);
        chart->setForeColor(0x00FFFF);
        chart->NextPoint(5);
        QCOMPARE(chart->points().size(), 5); // NumberOfPoints alone does not resize
        conv::PropertyBag bag;
        chart->writeProperties(bag);
        QStringList keys;
        for (const auto& entry : bag.entries())
            keys << entry.key;
        QCOMPARE(keys,
                 QStringList({QStringLiteral("Appearance"), QStringLiteral("BorderStyle"),
                              QStringLiteral("DrawWidth"), QStringLiteral("GridTickHorizontal"),
                              QStringLiteral("GridTickVertical"), QStringLiteral("NumberOfPoints"),
                              QStringLiteral("BackColor"), QStringLiteral("GridColour"),
                              QStringLiteral("Max"), QStringLiteral("ForeColor")}));
        const auto parsed = conv::PropertyBag::fromText(bag.toText());
        QVERIFY(parsed);
        // Reading again empties the history at its new length.
        chart->readProperties(*parsed);
        QCOMPARE(chart->points().size(), 71);
        QCOMPARE(chart->points().at(0), 0);
        QCOMPARE(chart->points().count(-1), 70);
        QCOMPARE(chart->nextPosition(), 1);
        QCOMPARE(chart->max(), 130);
        QCOMPARE(chart->gridTickVertical(), QVariant(qint16(5)));
        QCOMPARE(chart->foreColor(), quint32(0x00FFFF));
        conv::PropertyBag again;
        chart->writeProperties(again);
        QCOMPARE(again, bag);
    }

    void morePointsThanTheHistoryHolds() {
        auto chart = makeChart();
        chart->setNumberOfPoints(10); // the history keeps its 4 places
        for (qint32 value : {1, 2, 3, 4, 5, 6})
            chart->NextPoint(value);
        QCOMPARE(chart->points(), history({2, 3, 4, 5, 6}));
    }
};

QTEST_MAIN(TestUcHistogram)
#include "tst_uchistogram.moc"
