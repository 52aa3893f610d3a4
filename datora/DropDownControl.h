#pragma once

#include "FlatTextControl.h"

#include <QImage>
#include <array>

namespace datora {

class ImageBox;

// A flat text field with the drop-down button at its right end (the date picker, the combo
// box): the button's four stored pictures, hot under the pointer, and its place on a resize.
class DropDownControl : public FlatTextControl {
    Q_OBJECT
public:
    enum Picture { Normal = 0, Hot = 1, Pressed = 2, Disabled = 3 };

    void ResetPic() override;
    ImageBox* dropButton() const { return m_imgUp; }

protected:
    explicit DropDownControl(QWidget* parent);

    void showButton(Picture picture);
    void showDisabledPictures() override;
    // The button's left edge 285 twips from the control's right edge.
    void placeButton(int widthTwips);

private:
    std::array<QImage, 4> m_pictures;
    ImageBox* m_imgUp;
};

} // namespace datora
