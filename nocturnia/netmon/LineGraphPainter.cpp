#include "netmon/LineGraphPainter.h"

#include "conventions/Canvas.h"

#include <cmath>

namespace {

int pixel(double coordinate) {
    return int(std::lround(coordinate));
}

void outline(conv::Canvas& canvas, double x1, double y1, double x2, double y2,
             const QColor& colour) {
    canvas.rectangleOutline(pixel(x1), pixel(y1), pixel(x2) + 1, pixel(y2) + 1, colour);
}

} // namespace

void paintLineGraph(QImage& image, const LineGraphLook& look, const QList<double>& values) {
    conv::Canvas canvas(image);
    canvas.clear(look.background);
    const double W = image.width();
    const double H = image.height();
    const int B = look.borderSize;
    const int b = look.borderStyle;

    if (B >= 1) {
        for (int k = 0; k <= B; ++k)
            outline(canvas, k, k, W - (k + b), H - (k + b), look.border);
    }
    const double plotWidth = W - 2 * B;
    const double plotHeight = H - 2 * B;
    if (look.gridVisible) {
        for (int i = 1; i <= 20; ++i)
            outline(canvas, B, B, i * plotWidth / 20, plotHeight, look.grid);
        for (int i = 1; i <= 10; ++i)
            outline(canvas, B, B, plotWidth, i * plotHeight / 10, look.grid);
    }
    if (values.isEmpty())
        return;

    const double sx = plotWidth / 100;
    const double sy = plotHeight / 100;
    const auto raised = [B](double coordinate) {
        return coordinate < B ? double(B) : coordinate;
    };
    double x = B + 2;
    double y = plotHeight - values.at(0) * sy;
    for (int i = 1; i <= 100 && i <= values.size(); ++i) {
        const double nextX = raised(plotWidth - (100 - (i - 1)) * sx + 2);
        const double nextY = raised(plotHeight - values.at(i - 1) * sy);
        canvas.line(pixel(x), pixel(y), pixel(nextX), pixel(nextY), look.foreground);
        x = nextX;
        y = nextY;
    }
}
