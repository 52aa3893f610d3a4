#include "CalendarPlacement.h"

#include "conventions/Twips.h"

namespace datora {

QPoint calendarPosition(const PlacementInput& input) {
    const int buttonLeft = conv::pixelsToTwips(input.buttonScreenPixels.x());
    const int buttonTop = conv::pixelsToTwips(input.buttonScreenPixels.y());
    const int screenWidth = conv::pixelsToTwips(input.screenPixels.width());
    const int screenHeight = conv::pixelsToTwips(input.screenPixels.height());

    int top = buttonTop + input.buttonHeightTwips + 45;
    if (screenHeight - top < 3000)
        top = top - kCalendarHeightTwips - 30 - input.controlHeightTwips;
    int left = buttonLeft - input.buttonLeftTwips;
    if (screenWidth - left < 2900)
        left = input.buttonWidthTwips + buttonLeft + 45 - 2760;
    return QPoint(left, top);
}

} // namespace datora
