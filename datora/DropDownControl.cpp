#include "DropDownControl.h"

#include "Artwork.h"
#include "ImageBox.h"
#include "conventions/Twips.h"

namespace datora {

DropDownControl::DropDownControl(QWidget* parent)
    : FlatTextControl(parent)
    , m_imgUp(new ImageBox(this)) {
    m_pictures[Normal] = dropButtonImage(ButtonLook::Normal);
    m_pictures[Hot] = dropButtonImage(ButtonLook::Hot);
    m_pictures[Pressed] = dropButtonImage(ButtonLook::Pressed);
    m_pictures[Disabled] = dropButtonImage(ButtonLook::Disabled);
    m_imgUp->setGeometry(conv::twipsRect(840, 30, 255, 255));
    showButton(Normal);
    connect(m_imgUp, &ImageBox::moved, this, [this] { showButton(Hot); });
}

void DropDownControl::showButton(Picture picture) {
    m_imgUp->showPicture(picture, m_pictures[std::size_t(picture)]);
}

void DropDownControl::ResetPic() {
    showButton(Normal);
}

void DropDownControl::showDisabledPictures() {
    showButton(Disabled);
}

void DropDownControl::placeButton(int widthTwips) {
    m_imgUp->move(conv::twipsToPixels(widthTwips - 285), m_imgUp->y());
}

} // namespace datora
