#pragma once

#include <QPoint>
#include <QSize>

namespace datora {

// The calendar drop-down's size in twips.
inline constexpr int kCalendarWidthTwips = 2745;
inline constexpr int kCalendarHeightTwips = 2835;

// Where the picker opens its calendar, in screen twips: 3 pixels below the drop-down button,
// or above the control when less than 3000 twips of screen remain below; at the control's
// left edge, or right-aligned 30 twips past the button when less than 2900 twips remain to the
// right. The button's screen position and the screen size are in pixels, the rest in twips.
struct PlacementInput {
    QPoint buttonScreenPixels; // top left of the drop-down button
    QSize screenPixels;
    int buttonLeftTwips = 840; // the button's left inside the control
    int buttonWidthTwips = 255;
    int buttonHeightTwips = 255;
    int controlHeightTwips = 315;
};

QPoint calendarPosition(const PlacementInput& input);

} // namespace datora
