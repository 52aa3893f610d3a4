#include "netmon/PicBox.h"

#include "conventions/Canvas.h"
#include "conventions/ColourRef.h"

#include <QPainter>

PicBox::PicBox(QWidget* parent)
    : QWidget(parent)
    , m_backColor(conv::systemColourRef(conv::SystemColour::ButtonFace)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resizeImage();
}

void PicBox::setBorderStyle(int vData) {
    m_borderStyle = vData == 1 ? 1 : 0;
    resizeImage();
    update();
}

void PicBox::setBackColor(quint32 vData) {
    m_backColor = vData;
    Cls();
}

void PicBox::Cls() {
    image().fill(conv::colourFromRef(m_backColor, palette()));
    update();
}

void PicBox::resizeImage() const {
    const QSize inner =
        size()
            .shrunkBy(QMargins(borderWidth(), borderWidth(), borderWidth(), borderWidth()))
            .expandedTo(QSize(0, 0));
    if (inner == m_image.size())
        return;
    m_image = QImage(inner, QImage::Format_RGB32);
    m_image.fill(conv::colourFromRef(m_backColor, palette()));
}

void PicBox::resizeEvent(QResizeEvent* event) {
    resizeImage();
    QWidget::resizeEvent(event);
}

void PicBox::paintEvent(QPaintEvent*) {
    QImage surface(size(), QImage::Format_RGB32);
    paintPicBoxSurface(surface, image(), m_borderStyle, palette());
    QPainter(this).drawImage(0, 0, surface);
}

void paintPicBoxSurface(QImage& surface, const QImage& drawing, int borderStyle,
                        const QPalette& palette) {
    conv::Canvas canvas(surface);
    const int w = surface.width();
    const int h = surface.height();
    if (borderStyle == 1) {
        // Sunken: shadow and dark shadow on the top and left, light and highlight below.
        canvas.line(0, 0, w - 1, 0, palette.color(QPalette::Mid));
        canvas.line(0, 0, 0, h - 1, palette.color(QPalette::Mid));
        canvas.line(1, 1, w - 2, 1, palette.color(QPalette::Shadow));
        canvas.line(1, 1, 1, h - 2, palette.color(QPalette::Shadow));
        canvas.line(0, h - 1, w, h - 1, palette.color(QPalette::Light));
        canvas.line(w - 1, 0, w - 1, h, palette.color(QPalette::Light));
        canvas.line(1, h - 2, w - 1, h - 2, palette.color(QPalette::Midlight));
        canvas.line(w - 2, 1, w - 2, h - 1, palette.color(QPalette::Midlight));
    }
    const int inset = borderStyle == 1 ? 2 : 0;
    QPainter(&surface).drawImage(inset, inset, drawing);
}
