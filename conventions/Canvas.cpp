#include "Canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <cstdlib>

namespace conv {

namespace {

QFont aliased(QFont font) {
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace

Canvas::Canvas(QImage& image)
    : m_image(image) {}

void Canvas::clear(const QColor& colour) {
    m_image.fill(colour);
}

void Canvas::setPixel(int x, int y, const QColor& colour) {
    if (x >= 0 && y >= 0 && x < m_image.width() && y < m_image.height())
        m_image.setPixelColor(x, y, colour);
}

QColor Canvas::pixel(int x, int y) const {
    return m_image.pixelColor(x, y);
}

void Canvas::line(int x1, int y1, int x2, int y2, const QColor& colour, int width) {
    const int dx = std::abs(x2 - x1);
    const int dy = std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    const bool mostlyHorizontal = dx >= dy;
    const int thickness = width < 1 ? 1 : width;
    const int firstOffset = -(thickness / 2);

    auto plot = [&](int x, int y) {
        for (int k = 0; k < thickness; ++k) {
            if (mostlyHorizontal)
                setPixel(x, y + firstOffset + k, colour);
            else
                setPixel(x + firstOffset + k, y, colour);
        }
    };

    // Bresenham, stopping one step before the end point.
    int error = dx - dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        plot(x, y);
        const int doubled = 2 * error;
        if (doubled > -dy) {
            error -= dy;
            x += sx;
        }
        if (doubled < dx) {
            error += dx;
            y += sy;
        }
    }
}

void Canvas::rectangleOutline(int left, int top, int right, int bottom, const QColor& colour) {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (right - left < 1 || bottom - top < 1)
        return;
    for (int x = left; x < right; ++x) {
        setPixel(x, top, colour);
        setPixel(x, bottom - 1, colour);
    }
    for (int y = top; y < bottom; ++y) {
        setPixel(left, y, colour);
        setPixel(right - 1, y, colour);
    }
}

void Canvas::fillRect(int left, int top, int right, int bottom, const QColor& colour) {
    const QRect area = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & m_image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            m_image.setPixelColor(x, y, colour);
    }
}

QSize Canvas::measureText(const QString& text, const QFont& font, int width, int flags) {
    const QFontMetrics metrics(aliased(font));
    return metrics.boundingRect(QRect(0, 0, width, 0), flags, text).size();
}

void Canvas::drawText(const QRect& box, const QString& text, const QFont& font,
                      const QColor& colour, int flags) {
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(aliased(font));
    painter.setPen(colour);
    painter.drawText(box, flags, text);
}

} // namespace conv
