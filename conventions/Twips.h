#pragma once

#include <QRect>

namespace conv {

// Window geometry is stored in twips, 1/1440 inch: 15 twips make one pixel at 96 dpi, and
// the controls convert with that fixed factor whatever the real screen resolution.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) {
    // Round to the nearest pixel; fifteenths never fall on a half.
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

constexpr int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

} // namespace conv
