#pragma once

#include <QImage>

namespace datora {

// The looks of the small buttons of the flat controls.
enum class ButtonLook { Normal, Hot, Pressed, Disabled };

// The drop-down button of the date picker and the combo box: a light-blue rounded face with a
// dark downward chevron, 17 x 17 pixels on white.
QImage dropButtonImage(ButtonLook look);

// One arrow of the spin control: a light-blue rounded face with a dark triangle, 15 x 9 pixels.
QImage spinArrowImage(bool up, ButtonLook look);

// The today marker behind a day number: a red hand-drawn ellipse on white, 23 x 16 pixels.
QImage todayMarkerImage();

} // namespace datora
