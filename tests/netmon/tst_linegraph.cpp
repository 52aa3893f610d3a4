#include "conventions/ColourRef.h"
#include "netmon/PicBox.h"
#include "netmon/clsLineGraph.h"

#include <QTest>

namespace {

constexpr quint32 kBack = conv::colourRef(255, 255, 255);
constexpr quint32 kBorder = conv::colourRef(0, 0, 255);
constexpr quint32 kGrid = conv::colourRef(0, 128, 0);
constexpr quint32 kLine = conv::colourRef(255, 0, 0);

// A picture box with a sunken border whose inner area is 206 × 106 pixels, border size 3:
// the plot is 200 × 100, two pixels per entry and one per percent.
struct Graph {
    PicBox box;
    clsLineGraph graph;
    std::shared_ptr<QList<double>> values = std::make_shared<QList<double>>();

    explicit Graph(bool grid = true) {
        box.resize(210, 110);
        graph.setPictureBox(&box);
        graph.setPicBackground(kBack);
        graph.setBorderColor(kBorder);
        graph.setBorderSize(3);
        graph.setGridColor(kGrid);
        graph.setGridVisible(grid);
        graph.setPicForeground(kLine);
        graph.setDataCollection(values);
    }
    QRgb at(int x, int y) const { return box.image().pixel(x, y); }
    bool lineAt(int x, int y) const { return at(x, y) == rgb(kLine); }
    static QRgb rgb(quint32 ref) { return conv::colourFromRef(ref, QPalette()).rgb(); }
};

} // namespace

class TestLineGraph : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void borderIsNestedOutlinesInsideTheBox() {
        Graph g(false);
        g.graph.Draw();
        QCOMPARE(g.box.ScaleWidth(), 206);
        QCOMPARE(g.box.ScaleHeight(), 106);
        QCOMPARE(g.box.ScaleMode(), PicBox::kPixels);
        QVERIFY(g.box.AutoRedraw());
        for (int k = 0; k <= 3; ++k) {
            // From (k, k) to (W - (k + 1), H - (k + 1)), both corners drawn.
            QCOMPARE(g.at(k, 50), Graph::rgb(kBorder));
            QCOMPARE(g.at(205 - k, 50), Graph::rgb(kBorder));
            QCOMPARE(g.at(100, k), Graph::rgb(kBorder));
            QCOMPARE(g.at(100, 105 - k), Graph::rgb(kBorder));
            QCOMPARE(g.at(205 - k, 105 - k), Graph::rgb(kBorder));
        }
        QCOMPARE(g.at(4, 50), Graph::rgb(kBack));
        QCOMPARE(g.at(201, 50), Graph::rgb(kBack));
        // No grid, no values: nothing else.
        QCOMPARE(g.at(10, 50), Graph::rgb(kBack));
    }

    void gridLinesAtTheirColumnsAndRows() {
        Graph g;
        g.graph.Draw();
        for (int i = 1; i <= 20; ++i) {
            QCOMPARE(g.at(10 * i, 55), Graph::rgb(kGrid));
            QCOMPARE(g.at(10 * i - 5, 55), Graph::rgb(kBack));
        }
        for (int i = 1; i <= 10; ++i) {
            QCOMPARE(g.at(55, 10 * i), Graph::rgb(kGrid));
            QCOMPARE(g.at(55, 10 * i - 5), Graph::rgb(kBack));
        }
        // The grid ends at the plot's width and height, inside the border.
        QCOMPARE(g.at(201, 55), Graph::rgb(kBack));
        QCOMPARE(g.at(55, 101), Graph::rgb(kBack));
    }

    void aSingleValueDrawsOneSegmentFromTheStartPoint() {
        Graph g(false);
        *g.values = {50};
        g.graph.Draw();
        // From (B + 2, 50) to the first entry at x = 2, raised to B = 3; the end point left out.
        QVERIFY(g.lineAt(5, 50));
        QVERIFY(g.lineAt(4, 50));
        QCOMPARE(g.at(3, 50), Graph::rgb(kBorder));
        QCOMPARE(g.at(6, 50), Graph::rgb(kBack));
    }

    void theCollectionIsCutToItsLast100() {
        Graph g;
        for (int i = 0; i < 150; ++i)
            g.values->append(i < 50 ? 90 : 10);
        g.graph.Draw();
        QCOMPARE(g.values->size(), 100); // the caller's collection
        QCOMPARE(g.values->first(), 10.0);
        // All 100 entries at 10 %: a line along y = 90 up to the last entry at x = 200.
        for (int x = 4; x < 200; ++x)
            QVERIFY2(g.lineAt(x, 90), qPrintable(QString::number(x)));
        for (int x = 4; x < 200; ++x)
            QVERIFY(!g.lineAt(x, 10));
    }

    void valuesOutsideThePercentRange() {
        Graph g(false);
        for (int i = 1; i <= 100; ++i)
            g.values->append(i == 50 ? 150 : i == 70 ? -20 : 50);
        g.graph.Draw();
        // Entry 50 is above the top: raised to the border's inner line at B.
        QVERIFY(g.lineAt(100, 3));
        for (int y = 0; y < 3; ++y)
            QVERIFY(!g.lineAt(100, y));
        // Entry 70 lies below the plot (y = 120): the line leaves it at the bottom.
        bool belowThePlot = false;
        for (int x = 130; x <= 142; ++x)
            belowThePlot = belowThePlot || g.lineAt(x, 104);
        QVERIFY(belowThePlot);
        QVERIFY(g.lineAt(60, 50));
    }

    void theBoxShowsTheDrawingInsideItsBorder() {
        Graph g;
        *g.values = {50, 50, 50};
        g.graph.Draw();
        const QImage shown = g.box.grab().toImage();
        QCOMPARE(shown.size(), QSize(210, 110));
        QCOMPARE(shown.pixel(2 + 10, 2 + 55), Graph::rgb(kGrid));
        QCOMPARE(shown.pixel(2 + 4, 2 + 50), Graph::rgb(kLine));
        QCOMPARE(shown.pixel(2 + 0, 2 + 50), Graph::rgb(kBorder));
        QVERIFY(shown.pixel(0, 50) != Graph::rgb(kBorder)); // the box's own sunken edge
    }

    void drawingWithoutABoxOrValuesIsHarmless() {
        clsLineGraph graph;
        graph.Draw();
        Graph g;
        g.graph.setDataCollection(nullptr);
        g.graph.Draw();
        QCOMPARE(g.at(10, 55), Graph::rgb(kGrid));
    }
};

QTEST_MAIN(TestLineGraph)
#include "tst_linegraph.moc"
