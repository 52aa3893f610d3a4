#include "controls/ProgressBarPainter.h"

#include "controls/Edges.h"
#include "conventions/NumericText.h"

#include <algorithm>
#include <cstdint>

namespace nocturnia {

namespace {

int clampChannel(qint64 value) {
    return int(std::clamp<qint64>(value, 0, 255));
}

int rounded(double value) {
    return int(std::clamp<qint64>(conv::roundHalfEven(value), INT32_MIN, INT32_MAX));
}

QColor ref(quint32 bgr) {
    return QColor(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF));
}

constexpr int TextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;

} // namespace

namespace progressbarpaint {

QColor lighten(const QColor& colour, int amount) {
    const auto channel = [amount](int c) {
        return clampChannel(amount + qint64(c) * (255 - amount) / 255);
    };
    return QColor(channel(colour.red()), channel(colour.green()), channel(colour.blue()));
}

QColor mix(const QColor& c1, const QColor& c2, int weight) {
    const auto channel = [weight](int a, int b) {
        return clampChannel(
            conv::roundHalfEven(b * (255.0 - weight) / 255.0 + a * double(weight) / 255.0));
    };
    return QColor(channel(c1.red(), c2.red()), channel(c1.green(), c2.green()),
                  channel(c1.blue(), c2.blue()));
}

void drawLine(conv::Canvas& canvas, int x, int y, int toX, int toY, const QColor& colour) {
    canvas.line(x, y, toX, toY, colour);
}

void drawGradient(conv::Canvas& canvas, const QColor& endColour, const QColor& startColour, int x,
                  int y, int x2, int y2, bool vertical) {
    const int n = vertical ? x2 : y2;
    if (n < 0)
        return;
    // The step of a zero count cannot be worked out: it stays 0 and the one line is endColour.
    const auto step = [n](int from, int to) {
        return n == 0 ? 0.0f : float(double(to - from) / n);
    };
    const float stepRed = step(endColour.red(), startColour.red());
    const float stepGreen = step(endColour.green(), startColour.green());
    const float stepBlue = step(endColour.blue(), startColour.blue());

    // Only the lines that can touch the canvas are drawn; the others would be clipped anyway.
    const qint64 origin = vertical ? x : y;
    const qint64 extent = vertical ? canvas.size().width() : canvas.size().height();
    const qint64 first = std::max<qint64>(0, -origin);
    const qint64 last = std::min<qint64>(n, extent - 1 - origin);
    for (qint64 i = first; i <= last; ++i) {
        const auto channel = [i](int from, float change) {
            return clampChannel(conv::roundHalfEven(from + double(change) * double(i)));
        };
        const QColor colour(channel(endColour.red(), stepRed),
                            channel(endColour.green(), stepGreen),
                            channel(endColour.blue(), stepBlue));
        const int at = int(origin + i);
        if (vertical)
            canvas.line(at, y, at, y2, colour);
        else
            canvas.line(x, at, x2, at, colour);
    }
}

void drawXpFrame(conv::Canvas& canvas, int width, int height) {
    const int w = width;
    const int h = height;
    canvas.rectangleOutline(0, 0, w, h, ref(0x686868));
    canvas.rectangleOutline(1, 1, w - 1, h - 1, ref(0xBEBEBE));
    canvas.rectangleOutline(2, 2, w - 2, h - 2, ref(0xEFEFEF));
    // The corners are rounded by single pixels, in this order (some overwrite others).
    struct Corner {
        int x, y;
        quint32 colour;
    };
    const Corner corners[] = {
        {0, 0, 0xFFFFFF},         {0, 1, 0xA6ABAC},         {0, 2, 0x7D7E7F},
        {1, 0, 0xA7ABAC},         {1, 1, 0x777777},         {2, 0, 0x7D7E7F},
        {2, 2, 0xBEBEBE},         {0, h - 1, 0xFFFFFF},     {1, h - 1, 0xA6ABAC},
        {2, h - 1, 0x7D7E7F},     {0, h - 3, 0x7D7E7F},     {0, h - 2, 0xA7ABAC},
        {1, h - 2, 0x777777},     {w - 1, 0, 0xFFFFFF},     {w - 1, 1, 0xBEBEBE},
        {w - 1, 2, 0x7D7E7F},     {w - 2, 2, 0xBEBEBE},     {w - 2, 1, 0x686868},
        {w - 1, h - 1, 0xFFFFFF}, {w - 1, h - 2, 0xBEBEBE}, {w - 1, h - 3, 0x7D7E7F},
        {w - 2, h - 2, 0x777777}, {w - 2, h - 1, 0xBEBEBE}, {w - 3, h - 1, 0x7D7E7F},
    };
    for (const Corner& corner : corners)
        canvas.setPixel(corner.x, corner.y, ref(corner.colour));
}

QString barText(const ProgressBarLook& look) {
    if (look.scrolling == 2)
        return QStringLiteral("Searching..");
    return QString::number(std::clamp(look.percentage, 0, 100)) + QStringLiteral(" %");
}

QRect textBox(const QString& text, const QFont& font, QSize client) {
    const QSize size = conv::Canvas::measureText(text, font, 0, TextFlags);
    const int x = rounded(client.width() / 2.0 - size.width() / 2.0);
    const int y = rounded(client.height() / 2.0 - size.height() / 2.0);
    return QRect(QPoint(x, y), size);
}

} // namespace progressbarpaint

namespace {

using namespace progressbarpaint;

// The columns a fill covers, for the text drawn over it; right excluded.
struct FillSpan {
    int left = 0;
    int right = 0;
};

// The platform's hatch patterns, 8 by 8 pixels from the canvas's origin, the high bit leftmost.
constexpr std::uint8_t HatchPatterns[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}, // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // backward diagonal
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08}, // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // diagonal cross
};

QRect clipped(const conv::Canvas& canvas, int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top)
        return {};
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & QRect(QPoint(), canvas.size());
}

void fillHatch(conv::Canvas& canvas, int left, int top, int right, int bottom, int style,
               const QColor& colour, const QColor& background) {
    if (style < 0 || style > 5)
        return; // no such brush: nothing is filled
    const QRect area = clipped(canvas, left, top, right, bottom);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const bool ink = (HatchPatterns[style][y & 7] >> (7 - (x & 7))) & 1;
            canvas.setPixel(x, y, ink ? colour : background);
        }
    }
}

void fillPattern(conv::Canvas& canvas, int left, int top, int width, int height,
                 const QImage& pattern) {
    if (pattern.isNull())
        return;
    const QRect area = clipped(canvas, left, top, left + width, top + height);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            QColor colour = pattern.pixelColor(x % pattern.width(), y % pattern.height());
            colour.setAlpha(255);
            canvas.setPixel(x, y, colour);
        }
    }
}

// Looks 0, 1 and 2.
void paintXpLook(conv::Canvas& canvas, int w, int h, const ProgressBarLook& look) {
    const QColor colour = look.colour;
    const QColor light = lighten(colour, 150);
    const int block = look.scrolling == 0 ? 6 : 0;
    const int gap = 2;
    const int grid = block + gap;
    const int left = 3; // the fill starts inside the frame
    const int right = w;
    const int top = 0;
    const int bottom = h;
    // Divided by 98, not 100: the fill reaches the frame a little before the end.
    double fraction = std::clamp(look.percentage, 0, 100) / 98.0;

    if (look.orientation == 0) {
        const int fillLeft = left;
        int fillRight = rounded(left + fraction * (right - left));
        fillRight -= (fillRight - fillLeft) % grid;
        fillRight = std::max(fillRight, fillLeft);
        if (look.scrolling == 2) {
            const int back = rounded((100 - std::clamp(look.percentage, 0, 100)) / 100.0 * 45);
            for (int i = 0; i < 3; ++i)
                drawGradient(canvas, lighten(colour, 220 - 40 * i), lighten(colour, 200 - 40 * i),
                             12 * i + fillRight - back, 3, 10, bottom - 2, true);
        } else {
            if (fillRight <= 14)
                fillRight = 12; // an empty bar still shows a stub
            const int end = right < fillRight + 4 ? fillRight - 4 : fillRight;
            drawGradient(canvas, light, colour, 4, 3, end, 6, false);
            canvas.fillRect(4, 8, end, bottom - 8, colour);
            drawGradient(canvas, colour, light, 4, bottom - 10, end, 6, false);
            if (look.scrolling == 0) {
                for (int x = fillLeft + block; x < end; x += grid)
                    canvas.fillRect(x, top, x + gap, bottom, Qt::white);
            }
        }
    } else {
        fraction = 1 - fraction;
        const int fillBottom = bottom;
        int fillTop = rounded(top + fraction * (bottom - top));
        fillTop += (fillBottom - fillTop) % grid;
        fillTop = std::min(fillTop, fillBottom);
        if (look.scrolling == 2) {
            for (int i = 0; i < 3; ++i)
                drawGradient(canvas, lighten(colour, 220 - 40 * i), lighten(colour, 200 - 40 * i),
                             right - 2, 12 * i + fillTop, 2, 10, false);
        } else {
            drawGradient(canvas, light, colour, 4, fillTop, 4, bottom, true);
            canvas.fillRect(9, fillTop, right - 8, bottom, colour);
            drawGradient(canvas, colour, light, right - 8, fillTop, 4, bottom, true);
            if (look.scrolling == 0) {
                for (int y = fillBottom - block; y > fillTop; y -= grid)
                    canvas.fillRect(0, y - gap, right, y, Qt::white);
            }
        }
    }
    drawXpFrame(canvas, w, h);
}

// Looks 3 to 9; returns the columns their fill covers.
FillSpan paintFlatLook(conv::Canvas& canvas, int w, int h, const ProgressBarLook& look) {
    const QColor colour = look.colour;
    const double p = std::clamp(look.percentage, 0, 100);
    const auto fillRight = [&](double divisor, int width) {
        return rounded(p / divisor * width);
    };
    const QColor black(0, 0, 0);
    switch (look.scrolling) {
    case 3: {
        canvas.rectangleOutline(0, 0, w, h, lighten(colour, 100));
        const int right = fillRight(100, w);
        canvas.fillRect(1, 1, right, h - 1, lighten(colour, 180));
        return {1, right};
    }
    case 4: {
        edges::drawEdge(canvas, 0, 0, w, h, edges::Etched, look.palette);
        const int right = fillRight(100, w - 4);
        drawGradient(canvas, lighten(colour, 140), lighten(colour, 200), 2, 2, right, h - 3, true);
        return {2, 3 + right};
    }
    case 5: {
        canvas.rectangleOutline(0, 0, w, h, lighten(colour, 10));
        const int right = fillRight(101, w);
        drawGradient(canvas, colour, lighten(colour, 100), 2, 2, w - 2, h - 5, false);
        drawGradient(canvas, lighten(colour, 250), colour, 3, 3, right, h - 6, false);
        drawLine(canvas, right, 3, right, h - 2, lighten(colour, 25));
        return {3, right};
    }
    case 6: {
        canvas.rectangleOutline(0, 0, w, h, mix(colour, black, 200));
        const int right = fillRight(100, w - 5);
        drawGradient(canvas, black, lighten(mix(colour, black, 100), 10), 2, 2, right, h - 2, true);
        return {2, 3 + right};
    }
    case 7: {
        edges::drawEdge(canvas, 0, 0, w, h, edges::Bump, look.palette);
        const int right = fillRight(101, w);
        fillHatch(canvas, 2, 2, right, h - 2, look.brushStyle, colour, lighten(colour, 140));
        return {2, right};
    }
    case 8: {
        edges::drawEdge(canvas, 0, 0, w, h, edges::SunkenOuter, look.palette);
        const int right = fillRight(101, w);
        fillPattern(canvas, 2, 2, right, h - 4, look.image);
        return {2, 2 + right};
    }
    case 9: {
        // Background and fill are glossy: a gradient over the upper half, the lower half
        // solid (background) or a second gradient (fill). The frame goes over both.
        const int half = h / 2;
        const QColor silver(0xC0, 0xC0, 0xC0);
        drawGradient(canvas, Qt::white, silver, 0, 0, w, half - 1, false);
        canvas.fillRect(0, half, w, h, silver);
        const int right = 2 + fillRight(100, w - 4);
        drawGradient(canvas, lighten(colour, 150), mix(colour, black, 180), 2, 0, right, half - 1,
                     false);
        drawGradient(canvas, mix(colour, black, 190), colour, 2, half, right, h - 1 - half, false);
        drawXpFrame(canvas, w, h);
        return {2, right};
    }
    default:
        return {};
    }
}

// Draws the text's pixels within the columns [clipLeft, clipRight) in one solid colour.
void drawTextPart(conv::Canvas& canvas, const QRect& box, const QString& text, const QFont& font,
                  const QColor& colour, int clipLeft, int clipRight) {
    if (box.isEmpty())
        return;
    QImage scratch(box.size(), QImage::Format_ARGB32);
    if (scratch.isNull())
        return;
    conv::Canvas ink(scratch);
    ink.clear(Qt::transparent);
    ink.drawText(QRect(QPoint(), box.size()), text, font, Qt::black, TextFlags);
    for (int y = 0; y < scratch.height(); ++y) {
        for (int x = 0; x < scratch.width(); ++x) {
            const int at = box.x() + x;
            if (at >= clipLeft && at < clipRight && qAlpha(scratch.pixel(x, y)) >= 128)
                canvas.setPixel(at, box.y() + y, colour);
        }
    }
}

} // namespace

void paintProgressBar(conv::Canvas& canvas, QSize client, const ProgressBarLook& look) {
    const int w = client.width();
    const int h = client.height();
    const bool dark = look.scrolling == 6;
    canvas.fillRect(0, 0, w, h, dark ? Qt::black : Qt::white);

    FillSpan fill;
    if (look.scrolling >= 0 && look.scrolling <= 2)
        paintXpLook(canvas, w, h, look);
    else
        fill = paintFlatLook(canvas, w, h, look);

    if (!look.showText)
        return;
    const QString text = barText(look);
    const QRect box = textBox(text, look.font, client);
    const QColor ink = dark ? QColor(0xC0, 0xC0, 0xC0) : QColor(Qt::black);
    if (look.scrolling != 6 && look.scrolling != 9) {
        drawTextPart(canvas, box, text, look.font, ink, INT32_MIN, INT32_MAX);
        return;
    }
    // Over the fill the text is drawn light again; when the fill hides all of it, only light.
    const bool covered = fill.left <= box.left() && fill.right >= box.left() + box.width();
    if (!covered)
        drawTextPart(canvas, box, text, look.font, ink, INT32_MIN, INT32_MAX);
    const QColor lightInk = dark ? lighten(look.colour, 80) : QColor(Qt::white);
    drawTextPart(canvas, box, text, look.font, lightInk, fill.left, fill.right);
}

} // namespace nocturnia
