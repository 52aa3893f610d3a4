#include "VbInput.h"

#include "conventions/Twips.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace datora {

namespace {

qint16 buttonsMask(Qt::MouseButtons buttons) {
    qint16 mask = 0;
    if (buttons & Qt::LeftButton)
        mask |= kLeftButton;
    if (buttons & Qt::RightButton)
        mask |= kRightButton;
    if (buttons & Qt::MiddleButton)
        mask |= kMiddleButton;
    return mask;
}

} // namespace

qint16 pressedButton(const QMouseEvent& event) {
    return buttonsMask(event.button());
}

qint16 heldButtons(const QMouseEvent& event) {
    return buttonsMask(event.buttons());
}

MouseArgs pressArgs(const QMouseEvent& event) {
    const QPointF at = event.position() * conv::kTwipsPerPixel;
    return {pressedButton(event), shiftState(event.modifiers()), float(at.x()), float(at.y())};
}

MouseArgs moveArgs(const QMouseEvent& event) {
    const QPointF at = event.position() * conv::kTwipsPerPixel;
    return {heldButtons(event), shiftState(event.modifiers()), float(at.x()), float(at.y())};
}

qint16 shiftState(Qt::KeyboardModifiers modifiers) {
    qint16 state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= 1;
    if (modifiers & Qt::ControlModifier)
        state |= 2;
    if (modifiers & Qt::AltModifier)
        state |= 4;
    return state;
}

qint16 keyCode(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kKeyEnter;
    case Qt::Key_Space:
        return kKeySpace;
    case Qt::Key_Left:
        return kKeyLeft;
    case Qt::Key_Up:
        return kKeyUp;
    case Qt::Key_Right:
        return kKeyRight;
    case Qt::Key_Down:
        return kKeyDown;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    default:
        break;
    }
    const int key = event.key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return static_cast<qint16>(key); // virtual keys of digits and letters are their ASCII
    return static_cast<qint16>(key & 0xFF);
}

} // namespace datora
