#pragma once

#include <QColor>
#include <QImage>
#include <QList>

// Everything one drawing of the line graph depends on.
struct LineGraphLook {
    QColor grid;
    bool gridVisible = false;
    QColor border;
    qint16 borderSize = 0; // border thickness minus one; also the plot's inset
    QColor foreground;
    QColor background;
    int borderStyle = 0; // the picture box's: 1 moves the border's right and bottom in by one
};

// Draws on the picture box's inner image (W × H pixels, B the border size): the background;
// when B ≥ 1, B + 1 nested outlines from (k, k) to (W − (k + b), H − (k + b)); when the grid
// is on, 20 outlines from (B, B) to (i × (W − 2B) / 20, H − 2B) and 10 from (B, B) to
// (W − 2B, i × (H − 2B) / 10); then the line through the first 100 values, value 0 on the
// plot's bottom and 100 on its top, entry i at (i − 1) hundredths of the width, coordinates
// below B raised to B. Outlines cover both corners; a line leaves out its end point.
void paintLineGraph(QImage& image, const LineGraphLook& look, const QList<double>& values);
