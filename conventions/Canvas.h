#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace conv {

// Paints into an image with the rules the custom controls are drawn by: solid pens without
// antialiasing, lines whose end point is not drawn, rectangles that cover their left and top
// edges but stop short of their right and bottom ones. Everything outside the image is
// clipped. Coordinates are pixels.
class Canvas {
public:
    explicit Canvas(QImage& image);

    QSize size() const { return m_image.size(); }

    void clear(const QColor& colour);
    void setPixel(int x, int y, const QColor& colour);
    QColor pixel(int x, int y) const;

    // A line from (x1, y1) towards (x2, y2), the end point left out. A pen wider than one
    // pixel is centred on the line, extending width / 2 pixels to one side and the rest to
    // the other, across the line's major direction.
    void line(int x1, int y1, int x2, int y2, const QColor& colour, int width = 1);

    // The outline of the rectangle from (left, top) to (right, bottom), right and bottom
    // excluded: the outline's pixels run from left to right - 1 and top to bottom - 1.
    void rectangleOutline(int left, int top, int right, int bottom, const QColor& colour);

    // Fills from (left, top) to (right, bottom), right and bottom excluded.
    void fillRect(int left, int top, int right, int bottom, const QColor& colour);

    // Single-line or word-wrapped text. `flags` are Qt::AlignmentFlag and Qt::TextFlag values;
    // Qt::TextShowMnemonic draws "&x" as an underlined x and "&&" as one ampersand.
    static QSize measureText(const QString& text, const QFont& font, int width, int flags);
    void drawText(const QRect& box, const QString& text, const QFont& font, const QColor& colour,
                  int flags);

private:
    QImage& m_image;
};

} // namespace conv
