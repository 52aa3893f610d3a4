// The progress bar: its value conversion, every look read back pixel by pixel from the painted
// image, which assignments redraw, and its stored design.
#include "controls/ProgressBarPainter.h"
#include "controls/XP_ProgressBar.h"
#include "conventions/Canvas.h"
#include "conventions/ColourRef.h"
#include "support/Rgb.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

using nocturnia::ProgressBarLook;
using nocturnia::XP_ProgressBar;
namespace paint = nocturnia::progressbarpaint;

namespace {

// A colour reference in the platform's layout 0xBBGGRR.
Rgb bgr(quint32 ref) {
    return {int(ref & 0xFF), int(ref >> 8 & 0xFF), int(ref >> 16 & 0xFF)};
}

const QColor Blue(49, 106, 197);
const Rgb White{255, 255, 255};
const Rgb Black{0, 0, 0};
const Rgb BlueRgb{49, 106, 197};

// Distinct 3-D colours, so that each edge ring can be told apart.
QPalette edgePalette() {
    QPalette palette;
    palette.setColor(QPalette::Mid, QColor(128, 128, 128));      // button shadow
    palette.setColor(QPalette::Light, QColor(250, 250, 250));    // button highlight
    palette.setColor(QPalette::Shadow, QColor(40, 40, 40));      // dark shadow
    palette.setColor(QPalette::Midlight, QColor(210, 210, 210)); // light
    return palette;
}

QImage paintBar(const ProgressBarLook& look, QSize size = QSize(100, 20)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta); // shows anything the bar leaves unpainted
    conv::Canvas canvas(image);
    nocturnia::paintProgressBar(canvas, size, look);
    return image;
}

ProgressBarLook look(int scrolling, int percentage) {
    ProgressBarLook state;
    state.colour = Blue;
    state.scrolling = scrolling;
    state.percentage = percentage;
    state.palette = edgePalette();
    return state;
}

QImage pattern2x2() {
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixelColor(0, 0, Qt::red);
    image.setPixelColor(1, 0, Qt::green);
    image.setPixelColor(0, 1, Qt::blue);
    image.setPixelColor(1, 1, Qt::yellow);
    return image;
}

// The pixels where two images differ: the text's ink.
QList<QPoint> inkOf(const QImage& with, const QImage& without) {
    QList<QPoint> ink;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y))
                ink << QPoint(x, y);
    return ink;
}

std::unique_ptr<XP_ProgressBar> makeBar() {
    auto bar = std::make_unique<XP_ProgressBar>();
    bar->resize(100, 20);
    bar->setColor(conv::colourRef(Blue));
    return bar;
}

} // namespace

class TestXpProgressBar : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void valueIsKeptAsWholePercent_data() {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("percentage");
        QTest::addColumn<int>("readBack");
        // Halves go to the even neighbour, both ways.
        QTest::newRow("128: 81") << 0 << 128 << 81 << 63 << 81;
        QTest::newRow("128: 80 -> 79") << 0 << 128 << 80 << 62 << 79;
        QTest::newRow("128: 2 -> 3") << 0 << 128 << 2 << 2 << 3;
        QTest::newRow("200: 1 -> 0") << 0 << 200 << 1 << 0 << 0;
        QTest::newRow("200: 3 -> 4") << 0 << 200 << 3 << 2 << 4;
        QTest::newRow("above Max") << 0 << 100 << 300 << 100 << 100;
        QTest::newRow("no overflow") << 0 << 1 << 2147483647 << 100 << 1;
        QTest::newRow("below Min") << 0 << 100 << -5 << 0 << 0;
        QTest::newRow("with Min") << 50 << 150 << 100 << 50 << 100;
        // An empty range cannot be divided: the bar is empty below it and full from it on.
        QTest::newRow("Max = Min, at it") << 0 << 0 << 0 << 100 << 0;
        QTest::newRow("Max = Min, below") << 0 << 0 << -3 << 0 << 0;
    }
    void valueIsKeptAsWholePercent() {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, value);
        QFETCH(int, percentage);
        QFETCH(int, readBack);
        auto bar = makeBar();
        bar->setMax(max);
        bar->setMin(min);
        bar->setValue(value);
        QCOMPARE(bar->percentage(), percentage);
        QCOMPARE(bar->value(), readBack);
    }

    void newControl() {
        auto bar = std::make_unique<XP_ProgressBar>();
        QCOMPARE(bar->max(), 100);
        QCOMPARE(bar->min(), 0);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(bar->scrolling(), 0);
        QCOMPARE(bar->orientation(), 0);
        QVERIFY(!bar->showText());
        QVERIFY(bar->image().isNull());
        // The highlight colour, turned into its colour.
        QCOMPARE(bar->color(), conv::colourRef(bar->palette().color(QPalette::Highlight)));
    }

    void colourCodesAreResolvedWhenAssigned() {
        auto bar = makeBar();
        QPalette palette = bar->palette();
        palette.setColor(QPalette::Highlight, QColor(10, 20, 30));
        bar->setPalette(palette);
        bar->setColor(XP_ProgressBar::DefaultColor);
        bar->setValue(50);
        QCOMPARE(bar->color(), conv::colourRef(10, 20, 30));
        palette.setColor(QPalette::Highlight, QColor(200, 0, 0));
        bar->setPalette(palette);
        bar->DrawProgressBar();
        QCOMPARE(rgb(*bar->hdc(), 30, 9), Rgb(10, 20, 30)); // the colour as assigned
    }

    // Each row: one pixel of one look on a 100 x 20 bar in the colour (49, 106, 197).
    void looks_data() {
        QTest::addColumn<int>("scrolling");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("percentage");
        QTest::addColumn<int>("brushStyle");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<Rgb>("expected");
        const Rgb light{170, 193, 231}; // lighten by 150
        const auto add = [](const char* name, int scrolling, int percentage, QPoint at, Rgb rgb,
                            int orientation = 0, int brush = 4) {
            QTest::newRow(name) << scrolling << orientation << percentage << brush << at << rgb;
        };
        // Look 1: light bands at the top and bottom, solid in the middle, from column 4.
        add("1: top band first row", 1, 50, {4, 3}, light);
        add("1: top band, single-precision steps", 1, 50, {30, 6}, {110, 150, 214});
        add("1: middle", 1, 50, {30, 9}, BlueRgb);
        add("1: bottom band", 1, 50, {30, 12}, {89, 135, 208});
        add("1: bottom band last row", 1, 50, {30, 16}, light);
        add("1: left of the fill", 1, 50, {3, 12}, White);
        // 50 / 98 of 97 columns from column 3, rounded, on the grid of 2: column 51.
        add("1: last fill column", 1, 50, {50, 12}, {89, 135, 208});
        add("1: right of the fill", 1, 50, {51, 12}, White);
        add("1: empty bar's stub", 1, 0, {11, 12}, {89, 135, 208});
        add("1: stub ends at column 12", 1, 0, {12, 12}, White);
        // Near the right end the fill stops 4 columns short: 94 % ends at 95, 96 % at 93.
        add("1: 94 % reaches 94", 1, 94, {94, 12}, {89, 135, 208});
        add("1: 94 % stops at 95", 1, 94, {95, 12}, White);
        add("1: 96 % reaches 92", 1, 96, {92, 12}, {89, 135, 208});
        add("1: 96 % stops at 93", 1, 96, {93, 12}, White);
        // Look 0: 6-pixel blocks from column 3, 2-pixel gaps; fills end after a gap.
        add("0: block", 0, 50, {8, 12}, {89, 135, 208});
        add("0: gap", 0, 50, {9, 12}, White);
        add("0: gap's second column", 0, 50, {10, 12}, White);
        add("0: next block", 0, 50, {11, 12}, {89, 135, 208});
        add("0: last block", 0, 50, {48, 12}, {89, 135, 208});
        add("0: trailing gap", 0, 50, {49, 12}, White);
        add("0: no partial block", 0, 54, {51, 12}, White);
        // Look 2: three 11-column segments 12 apart, from 51 - round(50 % of 45) = 29.
        add("2: first segment's start", 2, 50, {29, 10}, {226, 234, 247});
        add("2: first segment's end", 2, 50, {39, 10}, {210, 222, 242});
        add("2: between segments", 2, 50, {40, 10}, White);
        add("2: before the first", 2, 50, {28, 10}, White);
        add("2: third segment's start", 2, 50, {53, 16}, {162, 187, 228});
        add("2: after the third", 2, 50, {64, 10}, White);
        // Look 3: frame lighten 100, fill lighten 180 from (1, 1), 45 columns.
        add("3: frame", 3, 45, {0, 0}, {129, 164, 219});
        add("3: frame's far corner", 3, 45, {99, 19}, {129, 164, 219});
        add("3: fill", 3, 45, {44, 18}, {194, 211, 237});
        add("3: after the fill", 3, 45, {45, 10}, White);
        // Look 4: etched edge; vertical lines from column 2, 48 wide, lighten 140 to 200.
        add("4: outer ring's lit side", 4, 50, {0, 0}, {128, 128, 128});
        add("4: outer ring's shaded side", 4, 50, {99, 19}, {250, 250, 250});
        add("4: inner ring's lit side", 4, 50, {1, 5}, {250, 250, 250});
        add("4: inner ring's shaded side", 4, 50, {98, 5}, {128, 128, 128});
        add("4: gradient's first line", 4, 50, {2, 10}, {162, 187, 228});
        add("4: gradient's last line", 4, 50, {50, 16}, {210, 222, 242});
        add("4: below the gradient", 4, 50, {20, 17}, White);
        add("4: after the gradient", 4, 50, {51, 10}, White);
        // Look 5: gradient background, lighter fill to 50 / 101 of the width, an edge line.
        add("5: frame", 5, 50, {0, 10}, {57, 111, 199});
        add("5: background's first row", 5, 50, {80, 2}, BlueRgb);
        add("5: background row 10", 5, 50, {80, 10}, {92, 137, 209});
        add("5: background's last row", 5, 50, {80, 17}, {129, 164, 219});
        add("5: fill's first row", 5, 50, {3, 3}, {250, 252, 253});
        add("5: fill's last row", 5, 50, {49, 17}, BlueRgb);
        add("5: edge line", 5, 50, {50, 10}, {69, 120, 202});
        add("5: after the edge", 5, 50, {51, 10}, {92, 137, 209});
        // Look 6: black, frame mixed with black, gradient from black, 48 wide.
        add("6: background", 6, 50, {70, 10}, Black);
        add("6: frame", 6, 50, {0, 0}, {38, 83, 155});
        add("6: gradient's first line", 6, 50, {2, 10}, Black);
        add("6: gradient's last line", 6, 50, {50, 10}, {28, 50, 83});
        add("6: after the gradient", 6, 50, {51, 10}, Black);
        // Look 7: bump edge, hatch from the canvas's origin on lighten 140.
        add("7: outer ring's lit side", 7, 50, {0, 0}, {210, 210, 210});
        add("7: outer ring's shaded side", 7, 50, {99, 19}, {40, 40, 40});
        add("7: inner ring's lit side", 7, 50, {1, 5}, {40, 40, 40});
        add("7: inner ring's shaded side", 7, 50, {98, 5}, {210, 210, 210});
        add("7: cross, vertical stroke", 7, 50, {4, 5}, BlueRgb);
        add("7: cross, horizontal stroke", 7, 50, {5, 11}, BlueRgb);
        add("7: cross, between", 7, 50, {5, 5}, {162, 187, 228});
        add("7: vertical hatch", 7, 50, {5, 11}, {162, 187, 228}, 0, 1);
        add("7: forward diagonal", 7, 50, {10, 10}, BlueRgb, 0, 2);
        add("7: backward diagonal", 7, 50, {10, 5}, BlueRgb, 0, 3);
        add("7: after the hatch", 7, 50, {50, 5}, White);
        add("7: unknown style fills nothing", 7, 50, {4, 5}, White, 0, 9);
        // Look 8: sunken outer ring, the picture tiled from the canvas's origin.
        add("8: ring's lit side", 8, 50, {0, 5}, {128, 128, 128});
        add("8: ring's shaded side", 8, 50, {99, 5}, {250, 250, 250});
        add("8: pattern", 8, 50, {2, 2}, {255, 0, 0});
        add("8: pattern, next column", 8, 50, {3, 2}, {0, 255, 0});
        add("8: pattern's last pixel", 8, 50, {51, 17}, {255, 255, 0});
        add("8: after the pattern", 8, 50, {52, 10}, White);
        // Look 9: glossy grey background, glossy fill to 48 columns from column 2, XP frame.
        add("9: background's upper half", 9, 50, {60, 5}, {220, 220, 220});
        add("9: background's lower half", 9, 50, {60, 12}, {192, 192, 192});
        add("9: fill's upper half", 9, 50, {10, 3}, {125, 154, 200});
        add("9: fill's lower half starts", 9, 50, {10, 10}, {37, 79, 147});
        add("9: fill's lower half", 9, 50, {10, 16}, {45, 97, 180});
        add("9: fill's last column", 9, 50, {49, 10}, {37, 79, 147});
        add("9: after the fill", 9, 50, {50, 12}, {192, 192, 192});
        add("9: frame", 9, 50, {50, 0}, bgr(0x686868));
        // Vertical: the fill rises from the bottom; 50 % fills from row 50 (look 0: 52).
        add("1 up: middle", 1, 50, {10, 50}, BlueRgb, 1);
        add("1 up: above the fill", 1, 50, {10, 49}, White, 1);
        add("1 up: left band", 1, 50, {4, 60}, light, 1);
        add("1 up: right band", 1, 50, {16, 60}, light, 1);
        add("0 up: top gap", 0, 50, {10, 53}, White, 1);
        add("0 up: block", 0, 50, {10, 54}, BlueRgb, 1);
        add("0 up: next gap", 0, 50, {10, 60}, White, 1);
        add("2 up: first segment", 2, 50, {10, 50}, {226, 234, 247}, 1);
        add("2 up: between segments", 2, 50, {10, 61}, White, 1);
        // A look that does not exist shows only the background.
        add("10: background only", 10, 50, {1, 1}, White);
    }
    void looks() {
        QFETCH(int, scrolling);
        QFETCH(int, orientation);
        QFETCH(int, percentage);
        QFETCH(int, brushStyle);
        QFETCH(QPoint, at);
        QFETCH(Rgb, expected);
        ProgressBarLook state = look(scrolling, percentage);
        state.orientation = orientation;
        state.brushStyle = brushStyle;
        state.image = pattern2x2();
        const QSize size = orientation == 0 ? QSize(100, 20) : QSize(20, 100);
        QCOMPARE(rgb(paintBar(state, size), at.x(), at.y()), expected);
    }

    void withoutPictureLook8FillsNothing() {
        const QImage image = paintBar(look(8, 100));
        QCOMPARE(rgb(image, 30, 10), White);
    }

    // The XP frame's rounded corners, pixel by pixel, in looks 0, 1, 2 and 9.
    void xpFrame_data() {
        QTest::addColumn<int>("scrolling");
        for (int scrolling : {0, 1, 2, 9})
            QTest::addRow("look %d", scrolling) << scrolling;
    }
    void xpFrame() {
        QFETCH(int, scrolling);
        const QImage image = paintBar(look(scrolling, 0));
        const int w = 100;
        const int h = 20;
        const struct {
            int x, y;
            quint32 colour;
        } pixels[] = {
            {0, 0, 0xFFFFFF},
            {0, 1, 0xA6ABAC},
            {0, 2, 0x7D7E7F},
            {1, 0, 0xA7ABAC},
            {1, 1, 0x777777},
            {2, 0, 0x7D7E7F},
            {2, 2, 0xBEBEBE},
            {0, h - 1, 0xFFFFFF},
            {1, h - 1, 0xA6ABAC},
            {2, h - 1, 0x7D7E7F},
            {0, h - 3, 0x7D7E7F},
            {0, h - 2, 0xA7ABAC},
            {1, h - 2, 0x777777},
            {w - 1, 0, 0xFFFFFF},
            {w - 1, 1, 0xBEBEBE},
            {w - 1, 2, 0x7D7E7F},
            {w - 2, 2, 0xBEBEBE},
            {w - 2, 1, 0x686868},
            {w - 1, h - 1, 0xFFFFFF},
            {w - 1, h - 2, 0xBEBEBE},
            {w - 1, h - 3, 0x7D7E7F},
            {w - 2, h - 2, 0x777777},
            {w - 2, h - 1, 0xBEBEBE},
            {w - 3, h - 1, 0x7D7E7F},
            // The three rings along the edges.
            {50, 0, 0x686868},
            {50, 1, 0xBEBEBE},
            {50, 2, 0xEFEFEF},
            {50, h - 1, 0x686868},
            {50, h - 2, 0xBEBEBE},
            {50, h - 3, 0xEFEFEF},
            {0, 10, 0x686868},
            {1, 10, 0xBEBEBE},
            {2, 10, 0xEFEFEF},
            {w - 1, 10, 0x686868},
            {w - 2, 10, 0xBEBEBE},
            {w - 3, 10, 0xEFEFEF},
        };
        for (const auto& pixel : pixels) {
            if (rgb(image, pixel.x, pixel.y) != bgr(pixel.colour))
                QFAIL(qPrintable(QStringLiteral("(%1, %2)").arg(pixel.x).arg(pixel.y)));
        }
    }

    void cornerPixelsOverwriteInOrder() {
        // On a bar 4 pixels high the corners meet: the later pixel of the order wins.
        const QImage image = paintBar(look(1, 0), QSize(30, 4));
        QCOMPARE(rgb(image, 0, 1), bgr(0x7D7E7F));  // (0, H-3) after (0, 1)
        QCOMPARE(rgb(image, 0, 2), bgr(0xA7ABAC));  // (0, H-2) after (0, 2)
        QCOMPARE(rgb(image, 29, 1), bgr(0x7D7E7F)); // (W-1, H-3) after (W-1, 1)
    }

    void colourHelpers() {
        using paint::lighten;
        using paint::mix;
        QCOMPARE(lighten(Blue, 0), Blue);
        QCOMPARE(lighten(Blue, 255), QColor(Qt::white));
        QCOMPARE(lighten(Blue, 150), QColor(170, 193, 231)); // integer division throughout
        QCOMPARE(mix(Blue, Qt::black, 255), Blue);
        QCOMPARE(mix(Blue, Qt::black, 0), QColor(Qt::black));
        QCOMPARE(mix(Blue, Qt::black, 200), QColor(38, 83, 155)); // 154.51 rounds up
    }

    void gradientSteps_data() {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("expected"); // grey level of the line; -1: not drawn
        // 7 / 6 in single precision times 3 is just under 3.5: 3, where doubles give 4.
        QTest::newRow("single precision") << false << 6 << 3 << 3;
        QTest::newRow("first line: end colour") << false << 6 << 0 << 0;
        QTest::newRow("last line: start colour") << false << 6 << 6 << 7;
        QTest::newRow("vertical lines too") << true << 6 << 3 << 3;
        QTest::newRow("none after the last") << false << 6 << 7 << -1;
        QTest::newRow("count 0: one line of the end colour") << false << 0 << 0 << 0;
        QTest::newRow("negative count: nothing") << false << -1 << 0 << -1;
    }
    void gradientSteps() {
        QFETCH(bool, vertical);
        QFETCH(int, count);
        QFETCH(int, line);
        QFETCH(int, expected);
        auto bar = makeBar();
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        // From black to (7, 7, 7): lines at rows (or columns) 2 + i, from 1 to 10.
        if (vertical)
            bar->DrawGradient(0x000000, 0x070707, 2, 1, count, 10, image, true);
        else
            bar->DrawGradient(0x000000, 0x070707, 1, 2, 10, count, image, false);
        const QColor pixel =
            vertical ? image.pixelColor(2 + line, 5) : image.pixelColor(5, 2 + line);
        QCOMPARE(pixel.red(), expected < 0 ? 255 : expected);
        // The end column or row itself is not drawn.
        const QColor end =
            vertical ? image.pixelColor(2 + line, 10) : image.pixelColor(10, 2 + line);
        QCOMPARE(end, QColor(Qt::white));
    }

    void drawLineResolvesSystemColours() {
        auto bar = makeBar();
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(Qt::white);
        bar->DrawLine(1, 5, 8, 5, image, XP_ProgressBar::DefaultColor);
        const Rgb highlight = rgb(bar->palette().color(QPalette::Highlight));
        QCOMPARE(rgb(image, 1, 5), highlight);
        QCOMPARE(rgb(image, 7, 5), highlight);
        QCOMPARE(rgb(image, 8, 5), White); // to the point, not through it
    }

    void text_data() {
        QTest::addColumn<int>("scrolling");
        QTest::addColumn<int>("percentage");
        QTest::addColumn<QString>("text");
        QTest::newRow("percentage") << 1 << 45 << QStringLiteral("45 %");
        QTest::newRow("capped") << 1 << 300 << QStringLiteral("100 %");
        QTest::newRow("searching") << 2 << 45 << QStringLiteral("Searching..");
        QTest::newRow("solid look") << 3 << 45 << QStringLiteral("45 %");
    }
    void text() {
        QFETCH(int, scrolling);
        QFETCH(int, percentage);
        QFETCH(QString, text);
        ProgressBarLook state = look(scrolling, percentage);
        QCOMPARE(paint::barText(state), text);
        const QImage plain = paintBar(state);
        state.showText = true;
        const QImage withText = paintBar(state);
        const QList<QPoint> ink = inkOf(withText, plain);
        QVERIFY(ink.size() > 10);
        // Black, inside the measured box, which is centred in the client area.
        const QRect box = paint::textBox(text, state.font, QSize(100, 20));
        QVERIFY(qAbs(box.center().x() - 50) <= 1);
        QVERIFY(qAbs(box.center().y() - 10) <= 1);
        QRect inkBounds;
        for (const QPoint& p : ink) {
            QCOMPARE(rgb(withText, p.x(), p.y()), Black);
            inkBounds |= QRect(p, QSize(1, 1));
        }
        QVERIFY2(box.contains(inkBounds), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                         .arg(inkBounds.x())
                                                         .arg(inkBounds.y())
                                                         .arg(inkBounds.width())
                                                         .arg(inkBounds.height())));
        QVERIFY(qAbs(inkBounds.center().x() - 50) <= 3);
    }

    // Looks 6 and 9 draw the text over the fill again in a light colour.
    void textOverTheFill_data() {
        QTest::addColumn<int>("scrolling");
        QTest::addColumn<int>("percentage");
        QTest::addColumn<int>("fillEnd"); // first column right of the fill
        QTest::addColumn<Rgb>("dark");
        QTest::addColumn<Rgb>("light");
        QTest::newRow("9 half") << 9 << 50 << 50 << Black << White;
        QTest::newRow("9 empty") << 9 << 0 << 2 << Black << White;
        QTest::newRow("9 full") << 9 << 100 << 98 << Black << White;
        QTest::newRow("6 half") << 6 << 50 << 51 << Rgb(192, 192, 192) << Rgb(113, 152, 215);
        QTest::newRow("6 full") << 6 << 100 << 98 << Rgb(192, 192, 192) << Rgb(113, 152, 215);
    }
    void textOverTheFill() {
        QFETCH(int, scrolling);
        QFETCH(int, percentage);
        QFETCH(int, fillEnd);
        QFETCH(Rgb, dark);
        QFETCH(Rgb, light);
        ProgressBarLook state = look(scrolling, percentage);
        const QImage plain = paintBar(state);
        state.showText = true;
        const QImage withText = paintBar(state);
        int lightInk = 0;
        int darkInk = 0;
        for (const QPoint& p : inkOf(withText, plain)) {
            const Rgb expected = p.x() < fillEnd ? light : dark;
            QCOMPARE(rgb(withText, p.x(), p.y()), expected);
            ++(p.x() < fillEnd ? lightInk : darkInk);
        }
        QCOMPARE(lightInk > 0, percentage > 0);
        QCOMPARE(darkInk > 0, percentage < 100);
    }

    // A redraw paints the whole client area, so a mark survives only assignments that wait.
    void assignmentsThatRedraw_data() {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("redraws");
        QTest::newRow("Value") << QStringLiteral("Value") << QVariant(30) << true;
        QTest::newRow("Color") << QStringLiteral("Color") << QVariant(quint32(0x00FF00)) << true;
        QTest::newRow("Image") << QStringLiteral("Image") << QVariant(pattern2x2()) << true;
        QTest::newRow("Orientation") << QStringLiteral("Orientation") << QVariant(1) << true;
        QTest::newRow("Scrolling") << QStringLiteral("Scrolling") << QVariant(3) << true;
        QTest::newRow("ShowText") << QStringLiteral("ShowText") << QVariant(true) << true;
        QTest::newRow("Min") << QStringLiteral("Min") << QVariant(10) << false;
        QTest::newRow("Max") << QStringLiteral("Max") << QVariant(50) << false;
        QTest::newRow("Font") << QStringLiteral("Font") << QVariant(QFont()) << false;
    }
    void assignmentsThatRedraw() {
        QFETCH(QString, property);
        QFETCH(QVariant, value);
        QFETCH(bool, redraws);
        auto bar = makeBar();
        bar->setValue(50);
        QSignalSpy changed(bar.get(), &XP_ProgressBar::propertyChanged);
        bar->DrawLine(70, 10, 71, 10, *bar->hdc(), 0xFF00FF);
        QVERIFY(bar->setProperty(property.toLatin1().constData(), value));
        QCOMPARE(rgb(*bar->hdc(), 70, 10) != Rgb(255, 0, 255), redraws);
        // Every persisted property tells the host, so that a change is saved.
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), property);
    }

    void brushStyleShowsAtTheNextRedraw() {
        auto bar = makeBar();
        bar->setValue(50);
        bar->setScrolling(7);
        QCOMPARE(rgb(*bar->hdc(), 5, 11), BlueRgb); // the cross's horizontal stroke
        QSignalSpy changed(bar.get(), &XP_ProgressBar::propertyChanged);
        bar->setBrushStyle(1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(rgb(*bar->hdc(), 5, 11), BlueRgb);
        bar->DrawProgressBar();
        QVERIFY(rgb(*bar->hdc(), 5, 11) != BlueRgb); // vertical strokes only
    }

    void paintRedrawsAndCopiesTheImage() {
        auto bar = makeBar();
        bar->setValue(50);
        bar->setBrushStyle(1);
        bar->setScrolling(1);
        bar->setMax(200); // waits: the percentage stays
        bar->show();
        const QImage shown = bar->grab().toImage();
        QCOMPARE(shown.size(), QSize(100, 20));
        QCOMPARE(rgb(shown, 30, 9), BlueRgb);
        QCOMPARE(rgb(shown, 51, 12), White);
        QCOMPARE(bar->value(), 100);
        // A wider control gets a new image of its size; a smaller one keeps the image.
        bar->resize(700, 30);
        const QImage larger = bar->grab().toImage();
        QCOMPARE(bar->hdc()->size(), QSize(700, 30));
        QCOMPARE(rgb(larger, 699, 29), White); // the frame's corner
        QCOMPARE(rgb(larger, 698, 28), bgr(0x777777));
        bar->resize(100, 20);
        const QImage smaller = bar->grab().toImage();
        QCOMPARE(bar->hdc()->size(), QSize(700, 30));
        QCOMPARE(smaller.size(), QSize(100, 20));
        QCOMPARE(rgb(smaller, 98, 18), bgr(0x777777));
    }

    void designDefaultsAreNotWritten() {
        auto bar = makeBar();
        conv::PropertyBag bag;
        bar->writeProperties(bag);
        QStringList keys;
        for (const auto& entry : bag.entries())
            keys << entry.key;
        // The font has no default, and the colour is kept as a colour, never as the code.
        QCOMPARE(keys, QStringList({QStringLiteral("Font"), QStringLiteral("Color")}));
    }

    void designRoundTrip() {
        auto bar = makeBar();
        QFont font = bar->barFont();
        font.setBold(true);
        bar->setBarFont(font);
        bar->setBrushStyle(2);
        bar->setColor(0x123456);
        bar->setImage(pattern2x2());
        bar->setMax(128);
        bar->setMin(0);
        bar->setOrientation(1);
        bar->setScrolling(7);
        bar->setShowText(true);
        bar->setValue(80);
        conv::PropertyBag bag;
        bar->writeProperties(bag);
        QStringList keys;
        for (const auto& entry : bag.entries())
            keys << entry.key;
        QCOMPARE(keys, QStringLiteral("Font BrushStyle Color Image Max Orientation Scrolling "
                                      "ShowText Value")
                           .split(QLatin1Char(' ')));
        QCOMPARE(bag.readInt32(QStringLiteral("Value"), 0), 79); // as Value reads back

        const auto parsed = conv::PropertyBag::fromText(bag.toText());
        QVERIFY(parsed);
        auto copy = makeBar();
        QSignalSpy changed(copy.get(), &XP_ProgressBar::propertyChanged);
        copy->readProperties(*parsed);
        QCOMPARE(changed.count(), 0); // reading a design changes nothing to save
        QVERIFY(copy->barFont().bold());
        QCOMPARE(copy->color(), quint32(0x123456));
        QCOMPARE(copy->image().convertToFormat(QImage::Format_RGB32),
                 pattern2x2().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(copy->max(), 128);
        QCOMPARE(copy->orientation(), 1);
        QCOMPARE(copy->scrolling(), 7);
        QVERIFY(copy->showText());
        QCOMPARE(copy->value(), 79);
        conv::PropertyBag again;
        copy->writeProperties(again);
        QCOMPARE(again, bag);
        // Drawn as read: vertical is ignored by look 7, the hatch is the forward diagonal.
        QCOMPARE(rgb(*copy->hdc(), 10, 10), Rgb(0x56, 0x34, 0x12));
    }

    void designIsReadInItsOrder() {
        // Written Value first: still converted with the Max read before it.
        conv::PropertyBag bag;
        bag.write(QStringLiteral("Value"), qint32(80));
        bag.write(QStringLiteral("Max"), qint32(128));
        bag.write(QStringLiteral("Color"), conv::ColourValue{XP_ProgressBar::DefaultColor});
        auto bar = makeBar();
        const QFont before = bar->barFont();
        bar->readProperties(bag);
        QCOMPARE(bar->percentage(), 62);
        QCOMPARE(bar->value(), 79);
        QCOMPARE(bar->color(), conv::colourRef(bar->palette().color(QPalette::Highlight)));
        QCOMPARE(bar->barFont(), before); // no font stored: the control keeps its own
        QCOMPARE(bar->scrolling(), 0);
    }
};

QTEST_MAIN(TestXpProgressBar)
#include "tst_xpprogressbar.moc"
