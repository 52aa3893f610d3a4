#include "ImageBox.h"

#include "VbInput.h"

#include <QMouseEvent>
#include <QPainter>

namespace datora {

ImageBox::ImageBox(QWidget* parent)
    : QWidget(parent) {
    setMouseTracking(true);
}

void ImageBox::showPicture(int index, const QImage& image) {
    if (index == m_index)
        return;
    m_index = index;
    m_image = image;
    update();
}

void ImageBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void ImageBox::mousePressEvent(QMouseEvent* event) {
    m_pressInside = true;
    m_secondOfDouble = false;
    const MouseArgs args = pressArgs(*event);
    Q_EMIT pressed(args.button, args.shift, args.x, args.y);
}

void ImageBox::mouseDoubleClickEvent(QMouseEvent*) {
    // The second press of a double click is no new press, and its release is no new click:
    // a double click acts once.
    m_secondOfDouble = true;
}

void ImageBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        m_pressInside && !m_secondOfDouble && rect().contains(event->position().toPoint());
    m_pressInside = false;
    m_secondOfDouble = false;
    if (click)
        Q_EMIT clicked();
}

void ImageBox::mouseMoveEvent(QMouseEvent* event) {
    const MouseArgs args = moveArgs(*event);
    Q_EMIT moved(args.button, args.shift, args.x, args.y);
}

} // namespace datora
