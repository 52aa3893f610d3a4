#include "Canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace conv {

namespace {

QFont aliased(QFont font) {
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Writes one colour into an image's pixels. The controls repaint whole bars pixel by pixel, so
// in the 32-bit formats an opaque colour is stored as its word straight into the row; any other
// case goes through QImage's own conversion. put() and span() take pixels inside the image.
class PixelWriter {
public:
    PixelWriter(QImage& image, const QColor& colour)
        : m_image(image)
        , m_colour(colour)
        , m_width(image.width())
        , m_height(image.height()) {
        const QImage::Format format = image.format();
        const bool wordPerPixel = format == QImage::Format_RGB32 ||
                                  format == QImage::Format_ARGB32 ||
                                  format == QImage::Format_ARGB32_Premultiplied;
        if (wordPerPixel && colour.isValid() && colour.alpha() == 255 && !image.isNull()) {
            m_bits = image.bits(); // detaches once, here
            m_stride = image.bytesPerLine();
            m_word = 0xFF000000u | colour.rgb();
        }
    }

    // A pixel outside the image is left out.
    void plot(int x, int y) {
        if (x >= 0 && y >= 0 && x < m_width && y < m_height)
            put(x, y);
    }

    void put(int x, int y) {
        if (m_bits)
            row(y)[x] = m_word;
        else
            m_image.setPixelColor(x, y, m_colour);
    }

    // Pixels left to right - 1 of row y.
    void span(int y, int left, int right) {
        if (!m_bits) {
            for (int x = left; x < right; ++x)
                m_image.setPixelColor(x, y, m_colour);
            return;
        }
        QRgb* pixels = row(y);
        std::fill(pixels + left, pixels + right, m_word);
    }

private:
    QRgb* row(int y) const { return reinterpret_cast<QRgb*>(m_bits + qsizetype(y) * m_stride); }

    QImage& m_image;
    const QColor m_colour;
    const int m_width;
    const int m_height;
    uchar* m_bits = nullptr;
    qsizetype m_stride = 0;
    QRgb m_word = 0;
};

} // namespace

Canvas::Canvas(QImage& image)
    : m_image(image) {}

void Canvas::clear(const QColor& colour) {
    m_image.fill(colour);
}

void Canvas::setPixel(int x, int y, const QColor& colour) {
    if (QRect(QPoint(0, 0), m_image.size()).contains(x, y))
        PixelWriter(m_image, colour).put(x, y);
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

    PixelWriter writer(m_image, colour);
    auto plot = [&](int x, int y) {
        for (int k = 0; k < thickness; ++k) {
            if (mostlyHorizontal)
                writer.plot(x, y + firstOffset + k);
            else
                writer.plot(x + firstOffset + k, y);
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
    PixelWriter writer(m_image, colour);
    for (int x = left; x < right; ++x) {
        writer.plot(x, top);
        writer.plot(x, bottom - 1);
    }
    for (int y = top; y < bottom; ++y) {
        writer.plot(left, y);
        writer.plot(right - 1, y);
    }
}

void Canvas::fillRect(int left, int top, int right, int bottom, const QColor& colour) {
    const QRect area = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & m_image.rect();
    if (area.isEmpty())
        return;
    PixelWriter writer(m_image, colour);
    for (int y = area.top(); y <= area.bottom(); ++y)
        writer.span(y, area.left(), area.right() + 1);
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
