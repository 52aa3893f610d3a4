#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

namespace conv {

// Colours are stored as 32-bit references in the platform's layout 0x00BBGGRR (low byte
// red); a reference with the top bit set names a system colour by its index (0x8000000D is
// the highlight colour).
inline constexpr quint32 kSystemColourFlag = 0x80000000u;

enum class SystemColour : int {
    ScrollBar = 0,
    Desktop = 1,
    ActiveCaption = 2,
    InactiveCaption = 3,
    Menu = 4,
    Window = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    CaptionText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    AppWorkspace = 12,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    GrayText = 17,
    ButtonText = 18,
    InactiveCaptionText = 19,
    ButtonHighlight = 20,
    DarkShadow3D = 21,
    Light3D = 22,
    InfoText = 23,
    InfoBackground = 24,
    HotLight = 26,
    GradientActiveCaption = 27,
    GradientInactiveCaption = 28,
    MenuHighlight = 29,
    MenuBar = 30,
};

constexpr quint32 colourRef(int red, int green, int blue) {
    return quint32(red & 0xFF) | quint32(green & 0xFF) << 8 | quint32(blue & 0xFF) << 16;
}

constexpr quint32 systemColourRef(SystemColour colour) {
    return kSystemColourFlag | quint32(colour);
}

constexpr bool isSystemColourRef(quint32 ref) {
    return (ref & kSystemColourFlag) != 0;
}

quint32 colourRef(const QColor& colour);

// Resolves a reference, system colours through the given palette; an unknown system index
// gives black.
QColor colourFromRef(quint32 ref, const QPalette& palette);

QColor systemColour(int index, const QPalette& palette);

} // namespace conv
