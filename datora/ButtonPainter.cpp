#include "ButtonPainter.h"

#include "conventions/NumericText.h"

namespace datora {

namespace buttonpaint {

namespace {

// Steps a gradient colour by the given amounts.
QColor stepped(const QColor& colour, int red, int green, int blue) {
    return QColor(colour.red() - red, colour.green() - green, colour.blue() - blue);
}

} // namespace

void drawFace(conv::Canvas& canvas, const QColor& background) {
    canvas.clear(background);
    const int w = canvas.size().width();
    const int h = canvas.size().height();
    QColor colour(255, 255, 253);
    for (int y = 3; y <= h - 3; ++y) {
        canvas.line(0, y, w - 1, y, colour);
        if (colour.blue() >= 230)
            colour = stepped(colour, 1, 1, 1);
    }
    canvas.line(0, h - 2, w - 1, h - 2, QColor(214, 208, 197));
    canvas.line(0, h - 3, w - 1, h - 3, QColor(226, 223, 214));
    canvas.line(0, h - 4, w - 1, h - 4, QColor(236, 235, 230));
}

void drawPressedFace(conv::Canvas& canvas, const QColor& background) {
    canvas.clear(background);
    const int w = canvas.size().width();
    const int h = canvas.size().height();
    QColor colour(226, 225, 218);
    for (int y = 3; y <= h - 2; y += 4) {
        canvas.line(0, y, w - 1, y, colour, 4);
        if (colour.blue() >= 218)
            colour = stepped(colour, 1, 1, 1);
    }
    canvas.line(0, 1, w - 1, 1, QColor(209, 204, 192));
    canvas.line(0, 2, w - 1, 2, QColor(220, 216, 207));
    canvas.line(0, h - 3, w - 1, h - 3, QColor(234, 233, 227));
    canvas.line(0, h - 2, w - 1, h - 2, QColor(242, 241, 238));
}

void drawBorder(conv::Canvas& canvas) {
    const int w = canvas.size().width();
    const int h = canvas.size().height();
    canvas.rectangleOutline(0, 0, w, h, QColor(0, 60, 116));
    const QColor a(122, 149, 168);
    const QColor b(37, 87, 131);
    canvas.setPixel(0, 1, a);
    canvas.setPixel(1, 1, b);
    canvas.setPixel(1, 0, a);
    canvas.setPixel(w - 2, 0, a);
    canvas.setPixel(w - 2, 1, b);
    canvas.setPixel(w - 1, 1, a);
    canvas.setPixel(0, h - 2, a);
    canvas.setPixel(1, h - 2, b);
    canvas.setPixel(1, h - 1, a);
    canvas.setPixel(w - 1, h - 2, a);
    canvas.setPixel(w - 2, h - 2, b);
    canvas.setPixel(w - 2, h - 1, a);
}

void drawDisabled(conv::Canvas& canvas, const QColor& background) {
    canvas.clear(background);
    const int w = canvas.size().width();
    const int h = canvas.size().height();
    canvas.fillRect(0, 0, w, h, QColor(245, 244, 234));
    canvas.rectangleOutline(0, 0, w, h, QColor(201, 199, 186));
    const QColor c(216, 213, 199);
    const QColor d(234, 233, 222);
    canvas.setPixel(0, 1, c);
    canvas.setPixel(1, 1, c);
    canvas.setPixel(1, 0, c);
    canvas.setPixel(1, 2, d);
    canvas.setPixel(2, 1, d);
    canvas.setPixel(w - 2, 0, c);
    canvas.setPixel(w - 2, 1, c);
    canvas.setPixel(w - 1, 1, c);
    canvas.setPixel(w - 3, 1, d);
    canvas.setPixel(w - 2, 2, d);
    canvas.setPixel(0, h - 2, c);
    canvas.setPixel(1, h - 2, c);
    canvas.setPixel(1, h - 1, c);
    canvas.setPixel(1, h - 3, d);
    canvas.setPixel(2, h - 2, d);
    canvas.setPixel(w - 1, h - 2, c);
    canvas.setPixel(w - 2, h - 2, c);
    canvas.setPixel(w - 2, h - 1, c);
    canvas.setPixel(w - 2, h - 3, d);
    canvas.setPixel(w - 3, h - 2, d);
}

void drawHotFrame(conv::Canvas& canvas) {
    const int w = canvas.size().width();
    const int h = canvas.size().height();
    canvas.line(2, 1, w - 2, 1, QColor(255, 240, 207));
    canvas.line(1, 2, w - 1, 2, QColor(253, 216, 137));
    QColor outer(254, 223, 154);
    for (int y = 2; y <= h - 3; ++y) {
        canvas.setPixel(1, y, outer);
        canvas.setPixel(w - 2, y, outer);
        if (outer.blue() >= 49)
            outer = stepped(outer, 1, 3, 7);
    }
    QColor inner(252, 210, 121);
    for (int y = 3; y <= h - 3; ++y) {
        canvas.setPixel(2, y, inner);
        canvas.setPixel(w - 3, y, inner);
        if (inner.blue() >= 57)
            inner = stepped(inner, 1, 4, 8);
    }
    canvas.line(3, h - 3, w - 1, h - 3, inner);
    canvas.line(2, h - 2, w - 2, h - 2, QColor(229, 151, 0));
}

void drawFocusFrame(conv::Canvas& canvas) {
    const int w = canvas.size().width();
    const int h = canvas.size().height();
    canvas.line(2, 1, w - 2, 1, QColor(206, 231, 251));
    canvas.line(1, 2, w - 1, 2, QColor(188, 212, 246));
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
