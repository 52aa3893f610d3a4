#include "ButtonPainter.h"

#include "conventions/NumericText.h"

#include <initializer_list>

namespace datora {

namespace buttonpaint {

namespace {

// Steps a gradient colour by the given amounts.
QColor stepped(const QColor& colour, int red, int green, int blue) {
    return QColor(colour.red() - red, colour.green() - green, colour.blue() - blue);
}

// A pixel of a corner's rounding, counted from the top left corner.
struct CornerPixel {
    int x;
    int y;
    QColor colour;
};

// Sets the rounding at all four corners, mirrored from the top left one, corner by corner
// (top left, top right, bottom left, bottom right).
void setCornerPixels(conv::Canvas& canvas, std::initializer_list<CornerPixel> topLeft) {
    const int right = canvas.size().width() - 1;
    const int bottom = canvas.size().height() - 1;
    for (const bool fromBottom : {false, true}) {
        for (const bool fromRight : {false, true}) {
            for (const CornerPixel& pixel : topLeft)
                canvas.setPixel(fromRight ? right - pixel.x : pixel.x,
                                fromBottom ? bottom - pixel.y : pixel.y, pixel.colour);
        }
    }
}

// Full-width bands `height` rows high from row 3 down to row `last`, each one step darker than
// the one above while its blue stays at `floorBlue` or above.
void drawBands(conv::Canvas& canvas, QColor colour, int last, int height, int floorBlue) {
    const int w = canvas.size().width();
    for (int y = 3; y <= last; y += height) {
        canvas.line(0, y, w - 1, y, colour, height);
        if (colour.blue() >= floorBlue)
            colour = stepped(colour, 1, 1, 1);
    }
}

// Full-width rows from row `top` down, one a colour.
void drawRows(conv::Canvas& canvas, int top, std::initializer_list<QColor> colours) {
    const int w = canvas.size().width();
    int y = top;
    for (const QColor& colour : colours) {
        canvas.line(0, y, w - 1, y, colour);
        ++y;
    }
}

// How a gradient steps darker: by these amounts a row while the blue stays at `floorBlue` or
// above.
struct Shading {
    int red;
    int green;
    int blue;
    int floorBlue;
};

// A one-pixel column `inset` pixels in from each side, from row `top` down to row h - 3, graded
// by `shading`. Returns the colour that would follow the last row.
QColor drawGradedColumns(conv::Canvas& canvas, int inset, int top, QColor colour,
                         const Shading& shading) {
    const int w = canvas.size().width();
    const int h = canvas.size().height();
    for (int y = top; y <= h - 3; ++y) {
        canvas.setPixel(inset, y, colour);
        canvas.setPixel(w - 1 - inset, y, colour);
        if (colour.blue() >= shading.floorBlue)
            colour = stepped(colour, shading.red, shading.green, shading.blue);
    }
    return colour;
}

// The top of the hot and the focus frame: two lines inside the border, the lower one longer.
void drawFrameTop(conv::Canvas& canvas, const QColor& upper, const QColor& lower) {
    const int w = canvas.size().width();
    canvas.line(2, 1, w - 2, 1, upper);
    canvas.line(1, 2, w - 1, 2, lower);
}

} // namespace

void drawFace(conv::Canvas& canvas, const QColor& background) {
    canvas.clear(background);
    const int h = canvas.size().height();
    drawBands(canvas, QColor(255, 255, 253), h - 3, 1, 230);
    drawRows(canvas, h - 4, {QColor(236, 235, 230), QColor(226, 223, 214), QColor(214, 208, 197)});
}

void drawPressedFace(conv::Canvas& canvas, const QColor& background) {
    canvas.clear(background);
    const int h = canvas.size().height();
    drawBands(canvas, QColor(226, 225, 218), h - 2, 4, 218);
    // A shadow under the top edge, a light strip over the bottom one.
    drawRows(canvas, 1, {QColor(209, 204, 192), QColor(220, 216, 207)});
    drawRows(canvas, h - 3, {QColor(234, 233, 227), QColor(242, 241, 238)});
}

void drawBorder(conv::Canvas& canvas) {
    const int w = canvas.size().width();
    const int h = canvas.size().height();
    canvas.rectangleOutline(0, 0, w, h, QColor(0, 60, 116));
    const QColor a(122, 149, 168);
    const QColor b(37, 87, 131);
    setCornerPixels(canvas, {{0, 1, a}, {1, 1, b}, {1, 0, a}});
}

void drawDisabled(conv::Canvas& canvas, const QColor& background) {
    canvas.clear(background);
    const int w = canvas.size().width();
    const int h = canvas.size().height();
    canvas.fillRect(0, 0, w, h, QColor(245, 244, 234));
    canvas.rectangleOutline(0, 0, w, h, QColor(201, 199, 186));
    const QColor c(216, 213, 199);
    const QColor d(234, 233, 222);
    setCornerPixels(canvas, {{0, 1, c}, {1, 1, c}, {1, 0, c}, {1, 2, d}, {2, 1, d}});
}

void drawHotFrame(conv::Canvas& canvas) {
    const int w = canvas.size().width();
    const int h = canvas.size().height();
    drawFrameTop(canvas, QColor(255, 240, 207), QColor(253, 216, 137));
    // Two graded columns at each side; the colour after the inner one's last row goes on.
    drawGradedColumns(canvas, 1, 2, QColor(254, 223, 154), {1, 3, 7, 49});
    const QColor inner = drawGradedColumns(canvas, 2, 3, QColor(252, 210, 121), {1, 4, 8, 57});
    canvas.line(3, h - 3, w - 1, h - 3, inner);
    canvas.line(2, h - 2, w - 2, h - 2, QColor(229, 151, 0));
}

void drawFocusFrame(conv::Canvas& canvas) {
    const int w = canvas.size().width();
    const int h = canvas.size().height();
    drawFrameTop(canvas, QColor(206, 231, 251), QColor(188, 212, 246));
    QColor colour(186, 211, 246);
    for (int y = 3; y <= h - 4; ++y) {
        canvas.line(2, y, 2, y + 1, colour, 2);
        canvas.line(w - 2, y, w - 2, y + 1, colour, 2);
        if (colour.blue() >= 228)
            colour = stepped(colour, 4, 3, 1);
    }
    canvas.line(1, h - 3, w - 2, h - 3, colour);
    canvas.setPixel(2, h - 2, QColor(77, 125, 193));
    canvas.line(3, h - 2, w - 3, h - 2, QColor(97, 125, 229));
    canvas.setPixel(w - 3, h - 2, QColor(77, 125, 193));
}

void drawCaption(conv::Canvas& canvas, const QString& caption, const QFont& font,
                 const QColor& colour) {
    const int w = canvas.size().width();
    const int h = canvas.size().height();
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
    const int needed = conv::Canvas::measureText(caption, font, w, flags).height();
    const int top = static_cast<int>(conv::roundHalfEven(h / 2.0 - needed / 2.0));
    const int bottom = static_cast<int>(conv::roundHalfEven(h / 2.0 + needed / 2.0));
    canvas.drawText(QRect(0, top, w, bottom - top), caption, font, colour, flags);
}

QRegion windowShape(int width, int height) {
    QRegion shape(0, 0, width, height);
    shape -= QRegion(0, 0, 1, 1);
    shape -= QRegion(0, height - 1, 1, 1);
    shape -= QRegion(width - 1, 0, 1, 1);
    shape -= QRegion(width - 1, height - 1, 1, 1);
    return shape;
}

} // namespace buttonpaint

QColor captionColour(const ButtonFace& face) {
    if (!face.enabled)
        return QColor(161, 161, 146);
    return face.isHot ? face.foreHover : face.foreColor;
}

QImage paintButton(QSize size, const ButtonFace& face, int state) {
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    conv::Canvas canvas(image);
    if (!face.enabled) {
        buttonpaint::drawDisabled(canvas, face.background);
    } else if (state == 1 && face.lastButton == 1) {
        buttonpaint::drawPressedFace(canvas, face.background);
        buttonpaint::drawBorder(canvas);
    } else {
        buttonpaint::drawFace(canvas, face.background);
        if (face.isHot) {
            buttonpaint::drawHotFrame(canvas);
        } else if (face.hasFocus) {
            buttonpaint::drawFocusFrame(canvas);
        }
        buttonpaint::drawBorder(canvas);
    }
    buttonpaint::drawCaption(canvas, face.caption, face.font, captionColour(face));
    return image;
}

} // namespace datora
