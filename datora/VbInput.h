#pragma once

#include <QtGlobal>
#include <qnamespace.h>

class QMouseEvent;
class QKeyEvent;

namespace datora {

// Mouse and keyboard arguments as the controls' events carry them: buttons 1 left, 2 right,
// 4 middle; shift state 1 Shift, 2 Ctrl, 4 Alt; key codes of the platform's virtual keys.
qint16 pressedButton(const QMouseEvent& event); // the button that changed
qint16 heldButtons(const QMouseEvent& event);   // every button held, as a mask
qint16 shiftState(Qt::KeyboardModifiers modifiers);
qint16 keyCode(const QKeyEvent& event);

// The arguments of a control's mouse events: the button or buttons, the shift state and the
// pointer's position in twips.
struct MouseArgs {
    qint16 button;
    qint16 shift;
    float x;
    float y;
};
MouseArgs pressArgs(const QMouseEvent& event); // with the button that changed
MouseArgs moveArgs(const QMouseEvent& event);  // with every button held

inline constexpr qint16 kLeftButton = 1;
inline constexpr qint16 kRightButton = 2;
inline constexpr qint16 kMiddleButton = 4;

inline constexpr qint16 kKeyEnter = 13;
inline constexpr qint16 kKeySpace = 32;
inline constexpr qint16 kKeyLeft = 37;
inline constexpr qint16 kKeyUp = 38;
inline constexpr qint16 kKeyRight = 39;
inline constexpr qint16 kKeyDown = 40;

} // namespace datora
