#include "controls/HistogramPainter.h"

#include "controls/Edges.h"
#include "conventions/ColourRef.h"
#include "conventions/NumericText.h"
#include "conventions/Twips.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace nocturnia {

namespace {

qint64 rounded(double value) {
    if (!std::isfinite(value))
        return 0;
    return conv::roundHalfEven(std::clamp(value, -2147483648.0, 2147483647.0));
}

qint64 pixels(qint64 twips) {
    constexpr qint64 Per = conv::kTwipsPerPixel;
    return twips >= 0 ? (twips + Per / 2) / Per : -((-twips + Per / 2) / Per);
}

// Lines are drawn pixel by pixel: an end far outside the canvas is first moved onto the edge
// of a slightly larger area, so that a wild value costs no more than a visible one.
void clippedLine(conv::Canvas& canvas, qint64 x1, qint64 y1, qint64 x2, qint64 y2,
                 const QColor& colour, int width) {
    constexpr qint64 Near = 1 << 15;
    const auto near = [](qint64 v) {
        return v > -Near && v < Near;
    };
    if (near(x1) && near(y1) && near(x2) && near(y2)) {
        canvas.line(int(x1), int(y1), int(x2), int(y2), colour, width);
        return;
    }
    // Liang-Barsky against the canvas grown by the pen's width on every side.
    const double margin = width + 2;
    const double left = -margin;
    const double top = -margin;
    const double right = canvas.size().width() + margin;
    const double bottom = canvas.size().height() + margin;
    const double dx = double(x2 - x1);
    const double dy = double(y2 - y1);
    double t0 = 0;
    double t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return;
    }
    canvas.line(int(rounded(x1 + t0 * dx)), int(rounded(y1 + t0 * dy)), int(rounded(x1 + t1 * dx)),
                int(rounded(y1 + t1 * dy)), colour, width);
}

} // namespace

HistogramGeometry histogramGeometry(QSize canvasTwips, qint32 numberOfPoints,
                                    qint16 gridTickHorizontal, qint16 gridTickVertical,
                                    qint32 max) {
    HistogramGeometry geometry;
    if (numberOfPoints > 0) {
        const qint64 perPoint = rounded(canvasTwips.width() / double(numberOfPoints));
        geometry.step = qint16(std::clamp<qint64>(perPoint + 1, INT16_MIN, INT16_MAX));
        geometry.verticalGridSpacing =
            qint32(std::clamp<qint64>(perPoint * gridTickHorizontal, INT32_MIN, INT32_MAX));
    }
    // No lines for a scale that has no steps, rather than dividing by zero.
    if (gridTickVertical != 0 && max != 0)
        geometry.horizontalGridSpacing =
            qint32(rounded(canvasTwips.height() / (double(max) / gridTickVertical)));
    return geometry;
}

void paintHistogramCanvas(conv::Canvas& canvas, const HistogramChart& chart) {
    canvas.clear(chart.back);
    const int width = canvas.size().width();
    const int height = canvas.size().height();
    const qint64 widthTwips = qint64(width) * conv::kTwipsPerPixel;
    const qint64 heightTwips = qint64(height) * conv::kTwipsPerPixel;
    // A spacing of 0 or less would never leave the canvas: such a grid is not drawn.
    const qint32 across = chart.geometry.horizontalGridSpacing;
    if (across > 0) {
        for (qint64 y = heightTwips; y >= 0; y -= across)
            canvas.line(0, int(pixels(y)), width, int(pixels(y)), chart.grid);
    }
    const qint32 down = chart.geometry.verticalGridSpacing;
    if (down > 0) {
        for (qint64 x = 0; x <= widthTwips; x += down)
            canvas.line(int(pixels(x)), 0, int(pixels(x)), height, chart.grid);
    }

    const qint64 scale = chart.max == 0 ? 0 : rounded(double(chart.controlHeight) / chart.max);
    const qint64 step = chart.geometry.step;
    const qint64 last = std::min<qint64>(chart.numberOfPoints, chart.points.size() - 1);
    for (qint64 i = 1; i <= last; ++i) {
        const qint32 point = chart.points.at(i);
        if (point < 0)
            break; // the first empty place ends the line
        const qint64 x = pixels(i * step);
        if (x > width + chart.drawWidth)
            break; // everything further lies right of the canvas
        clippedLine(canvas, x, pixels(scale * (chart.max - qint64(chart.points.at(i - 1)))),
                    pixels(i * step + step), pixels(scale * (chart.max - qint64(point))),
                    chart.fore, chart.drawWidth);
    }
}

int histogramBorderWidth(qint16 borderStyle, qint16 appearance) {
    if (borderStyle == 0)
        return 0;
    return appearance == 0 ? 1 : 2;
}

void paintHistogramSurface(QImage& surface, const QImage& canvas, qint16 borderStyle,
                           qint16 appearance, const QColor& back, const QPalette& palette) {
    conv::Canvas frame(surface);
    frame.clear(back);
    const int border = histogramBorderWidth(borderStyle, appearance);
    const int w = surface.width();
    const int h = surface.height();
    if (border == 1)
        frame.rectangleOutline(0, 0, w, h,
                               conv::systemColour(int(conv::SystemColour::WindowFrame), palette));
    else if (border == 2)
        edges::drawEdge(frame, 0, 0, w, h, edges::Sunken, palette);
    QPainter painter(&surface);
    painter.setClipRect(QRect(border, border, w - 2 * border, h - 2 * border));
    painter.drawImage(QPoint(border - HistogramCanvasMargin, border), canvas);
}

} // namespace nocturnia
