#pragma once

#include "conventions/Canvas.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QSize>
#include <QString>

namespace nocturnia {

// Everything one redraw of the progress bar depends on.
struct ProgressBarLook {
    QColor colour;         // the main colour, system colours already resolved
    qint32 percentage = 0; // taken as 0 to 100 whatever it holds
    bool showText = false;
    qint32 scrolling = 0;   // the look, 0 to 9; another value draws only the background
    qint32 orientation = 0; // 0 horizontal, else vertical (looks 0 to 2)
    qint32 brushStyle = 4;  // hatch style of look 7, 0 to 5
    QImage image;           // pattern of look 8
    QFont font;
    QPalette palette; // the system's 3-D colours for the edges of looks 4, 7 and 8
};

namespace progressbarpaint {

// Each channel becomes a + channel * (255 - a) / 255 (integer division), at most 255.
QColor lighten(const QColor& colour, int amount);
// Each channel becomes c2 * (255 - w) / 255 + c1 * w / 255, rounded: w 255 gives c1.
QColor mix(const QColor& c1, const QColor& c2, int weight);

// A one-pixel line from (x, y) towards (toX, toY), the end point left out.
void drawLine(conv::Canvas& canvas, int x, int y, int toX, int toY, const QColor& colour);

// Lines from endColour (the first) to startColour (the last), one pixel apart, stepped in single
// precision. Vertical: n = x2 lines from (x + i, y) to (x + i, y2). Horizontal: n = y2 lines
// from (x, y + i) to (x2, y + i). There are n + 1 lines; n 0 gives one line of endColour.
void drawGradient(conv::Canvas& canvas, const QColor& endColour, const QColor& startColour, int x,
                  int y, int x2, int y2, bool vertical);

// The rounded grey frame of the XP looks, corner pixels included.
void drawXpFrame(conv::Canvas& canvas, int width, int height);

// The text drawn on the bar: the percentage and " %", or "Searching.." in look 2.
QString barText(const ProgressBarLook& look);
// Where the text goes: its measured size, centred in the client area.
QRect textBox(const QString& text, const QFont& font, QSize client);

} // namespace progressbarpaint

// One whole redraw onto the canvas, for a client area of the given size at the canvas's origin:
// background, the look, then the text.
void paintProgressBar(conv::Canvas& canvas, QSize client, const ProgressBarLook& look);

} // namespace nocturnia
