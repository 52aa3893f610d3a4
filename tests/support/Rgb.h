#pragma once

#include <QColor>
#include <QImage>
#include <tuple>

// A colour as its red, green and blue, alpha left out: what painted pixels are compared as.
using Rgb = std::tuple<int, int, int>;

inline Rgb rgb(const QColor& c) {
    return {c.red(), c.green(), c.blue()};
}

inline Rgb rgb(const QImage& image, int x, int y) {
    return rgb(image.pixelColor(x, y));
}
