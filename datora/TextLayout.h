#pragma once

#include "conventions/NumericText.h"

namespace datora {

// The inner text field of the flat controls sits 60 twips from the top and rises by one pixel
// (15 twips) per point above 8, so that larger faces still fit the fixed control height.
inline int textTopTwips(double pointSize) {
    if (pointSize > 8.0)
        return 60 - 15 * static_cast<int>(conv::roundHalfEven(pointSize - 8.0));
    return 60;
}

// The narrowest a flat control may become.
inline constexpr int kMinimumWidthTwips = 400;

} // namespace datora
