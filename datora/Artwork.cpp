#include "Artwork.h"

#include "conventions/Canvas.h"

#include <cmath>

namespace datora {

namespace {

struct Palette {
    QColor outline;
    QColor faceTop;
    QColor faceBottom;
    QColor mark;
};

Palette paletteOf(ButtonLook look) {
    switch (look) {
    case ButtonLook::Hot:
        return {QColor(152, 180, 238), QColor(239, 245, 255), QColor(210, 226, 255),
                QColor(77, 97, 133)};
    case ButtonLook::Pressed:
        return {QColor(97, 127, 205), QColor(150, 180, 240), QColor(110, 145, 225),
                QColor(40, 55, 90)};
    case ButtonLook::Disabled:
        return {QColor(216, 213, 199), QColor(244, 243, 238), QColor(234, 233, 225),
                QColor(201, 199, 186)};
    case ButtonLook::Normal:
        break;
    }
    return {QColor(180, 200, 246), QColor(225, 234, 254), QColor(190, 208, 250),
            QColor(77, 97, 133)};
}

QColor mix(const QColor& a, const QColor& b, int step, int steps) {
    if (steps <= 0)
        return a;
    auto channel = [&](int x, int y) {
        return x + (y - x) * step / steps;
    };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                  channel(a.blue(), b.blue()));
}

// A face with a one-pixel outline on a white background that shows at the corner pixels.
QImage roundedFaceImage(int width, int height, const Palette& colours) {
    QImage image(width, height, QImage::Format_RGB32);
    conv::Canvas canvas(image);
    canvas.clear(Qt::white);
    for (int y = 1; y < height - 1; ++y)
        canvas.line(1, y, width - 1, y,
                    mix(colours.faceTop, colours.faceBottom, y - 1, height - 3));
    canvas.line(1, 0, width - 1, 0, colours.outline);
    canvas.line(1, height - 1, width - 1, height - 1, colours.outline);
    canvas.line(0, 1, 0, height - 1, colours.outline);
    canvas.line(width - 1, 1, width - 1, height - 1, colours.outline);
    return image;
}

} // namespace

QImage dropButtonImage(ButtonLook look) {
    const Palette colours = paletteOf(look);
    QImage image = roundedFaceImage(17, 17, colours);
    conv::Canvas canvas(image);
    // A chevron two pixels thick, its point on the centre column.
    for (int i = 0; i < 4; ++i) {
        const int y = 6 + i;
        canvas.line(4 + i, y, 6 + i, y, colours.mark);
        canvas.line(11 - i, y, 13 - i, y, colours.mark);
    }
    canvas.setPixel(8, 10, colours.mark);
    return image;
}

QImage spinArrowImage(bool up, ButtonLook look) {
    const Palette colours = paletteOf(look);
    QImage image = roundedFaceImage(15, 9, colours);
    conv::Canvas canvas(image);
    // A triangle of rows 1, 3 and 5 pixels wide around the centre column.
    for (int row = 0; row < 3; ++row) {
        const int y = up ? 3 + row : 5 - row;
        canvas.line(7 - row, y, 8 + row, y, colours.mark);
    }
    return image;
}

QImage todayMarkerImage() {
    QImage image(23, 16, QImage::Format_RGB32);
    conv::Canvas canvas(image);
    canvas.clear(Qt::white);
    const QColor red(255, 0, 0);
    // An ellipse drawn as by a hand that ends past its start: the stroke overshoots at the top.
    constexpr double kPi = 3.14159265358979323846;
    for (int step = 0; step <= 400; ++step) {
        const double angle = -kPi / 2 + 2.2 * kPi * step / 400.0;
        const double radiusX = 10.5 - 0.6 * step / 400.0;
        const double radiusY = 7.0 - 0.4 * step / 400.0;
        const int x = static_cast<int>(std::lround(11.0 + radiusX * std::cos(angle)));
        const int y = static_cast<int>(std::lround(7.5 + radiusY * std::sin(angle)));
        canvas.setPixel(x, y, red);
    }
    return image;
}

} // namespace datora
