#pragma once

#include "conventions/Canvas.h"

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QSize>
#include <QVector>

namespace nocturnia {

// The chart is drawn on a canvas this many pixels wider than the control's client area and
// shown shifted left by as much, so that the first point's segment starts outside the view.
inline constexpr int HistogramCanvasMargin = 8;

// The chart's coordinates are twips, as the control measures itself: fine enough that the
// whole-number scale factor still lets the line span the control's height.

// Distances in twips worked out when the control is resized. A spacing of 0 draws no grid.
struct HistogramGeometry {
    qint16 step = 0;
    qint32 verticalGridSpacing = 0;
    qint32 horizontalGridSpacing = 0;
};

// step = canvas width / points, rounded, + 1; horizontal spacing = canvas height / (Max / the
// vertical grid tick), rounded; vertical spacing = (canvas width / points, rounded) × the
// horizontal grid tick.
HistogramGeometry histogramGeometry(QSize canvasTwips, qint32 numberOfPoints,
                                    qint16 gridTickHorizontal, qint16 gridTickVertical, qint32 max);

// Everything one redraw of the canvas depends on.
struct HistogramChart {
    QVector<qint32> points;    // position 0 is the point before the first shown; -1 is empty
    qint32 numberOfPoints = 0; // how many positions after 0 are drawn, at most the history's
    HistogramGeometry geometry;
    qint16 drawWidth = 1;
    qint32 max = 100;
    int controlHeight = 0; // the scale: round(height / Max) pixels per unit
    QColor back;
    QColor grid;
    QColor fore;
};

// Clears the canvas (in pixels), draws the grid and the line through the points up to the
// first negative one.
void paintHistogramCanvas(conv::Canvas& canvas, const HistogramChart& chart);

// The border the control's surface gets: none (style 0), flat one pixel or 3-D two pixels.
int histogramBorderWidth(qint16 borderStyle, qint16 appearance);

// The control's surface: background, border, and inside it the canvas shifted left by the margin.
void paintHistogramSurface(QImage& surface, const QImage& canvas, qint16 borderStyle,
                           qint16 appearance, const QColor& back, const QPalette& palette);

} // namespace nocturnia
