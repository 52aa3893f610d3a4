// Cost of painting the program's own controls: every progress bar look at 200 x 20 with and
// without its text, the histogram's chart at 70 points, and what the sound console redraws for
// each new block (its level bar and its histogram, at their sizes there). Microseconds, the
// median of 1000 paints each. Prints figures; judges nothing.
#include "controls/HistogramPainter.h"
#include "controls/ProgressBarPainter.h"
#include "controls/XP_ProgressBar.h"
#include "controls/ucHistogram.h"
#include "conventions/Canvas.h"
#include "conventions/DesignFonts.h"
#include "conventions/PropertyBag.h"
#include "support/MedianTime.h"

#include <QApplication>
#include <cstdio>

namespace {

double paintLook(int look, bool showText) {
    const QSize client(200, 20);
    nocturnia::ProgressBarLook state;
    state.colour = QColor(49, 106, 197);
    state.showText = showText;
    state.scrolling = look;
    state.font = conv::designFont(QStringLiteral("MS Sans Serif"), 8.25);
    state.image = QImage(4, 4, QImage::Format_RGB32);
    state.image.fill(QColor(255, 220, 120));
    QImage image(client, QImage::Format_RGB32);
    conv::Canvas canvas(image);
    int paints = 0;
    return medianMicroseconds([&] {
        // The value moves as it does while the console samples.
        state.percentage = 20 + paints++ % 60;
        nocturnia::paintProgressBar(canvas, client, state);
    });
}

double paintHistogram() {
    const QSize client(288, 176);
    const QSize canvasSize = client + QSize(nocturnia::HistogramCanvasMargin, 0);
    nocturnia::HistogramChart chart;
    chart.numberOfPoints = 70;
    chart.points = QVector<qint32>(71);
    for (int i = 0; i < chart.points.size(); ++i)
        chart.points[i] = (i * 37) % 130;
    chart.max = 130;
    chart.controlHeight = client.height() * 15;
    chart.geometry = nocturnia::histogramGeometry(canvasSize * 15, 70, 5, 5, 130);
    chart.back = Qt::black;
    chart.grid = QColor(0, 64, 0);
    chart.fore = QColor(0, 255, 0);
    QImage image(canvasSize, QImage::Format_RGB32);
    conv::Canvas canvas(image);
    return medianMicroseconds([&] { nocturnia::paintHistogramCanvas(canvas, chart); });
}

// The console's level bar and histogram as it makes them, fed one level per block.
double consoleBlock() {
    nocturnia::XP_ProgressBar bar;
    bar.setGeometry(10, 22, 288, 22);
    conv::PropertyBag design;
    design.write(QStringLiteral("Max"), qint32(128));
    design.write(QStringLiteral("Scrolling"), qint32(1));
    design.write(QStringLiteral("ShowText"), true);
    bar.readProperties(design);
    nocturnia::ucHistogram histogram;
    histogram.setGeometry(10, 20, 288, 176);
    conv::PropertyBag chart;
    chart.write(QStringLiteral("Max"), qint32(130));
    chart.write(QStringLiteral("NumberOfPoints"), qint32(70));
    chart.write(QStringLiteral("GridTickHorizontal"), qint16(5));
    chart.write(QStringLiteral("GridTickVertical"), qint16(5));
    histogram.readProperties(chart);
    int block = 0;
    const auto sample = [&] {
        const int level = (block++ * 37) % 128;
        bar.setValue(level);
        histogram.NextPoint(level);
    };
    for (int i = 0; i < 100; ++i)
        sample(); // a full, scrolling history
    return medianMicroseconds(sample);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    conv::registerDesignFonts();
    std::printf("progress bar at 200 x 20 (median of 1000):\n");
    for (int look = 0; look <= 9; ++look)
        std::printf("  look %d: %7.1f us, with text %7.1f us\n", look, paintLook(look, false),
                    paintLook(look, true));
    std::printf("histogram chart, 70 points at 288 x 176: %7.1f us\n", paintHistogram());
    std::printf("console, one block (level bar and histogram): %7.1f us\n", consoleBlock());
    return 0;
}
