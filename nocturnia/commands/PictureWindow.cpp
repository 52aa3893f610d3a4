#include "commands/PictureWindow.h"

#include "base/ScreenCentre.h"

#include <QLabel>
#include <QPixmap>
#include <QWidget>

void makePictureWindow(QWidget& window, const QString& name, QSize size, const QString& picture) {
    window.setObjectName(name);
    window.setAttribute(Qt::WA_DeleteOnClose);
    window.setFixedSize(size);
    auto* background = new QLabel(&window);
    background->setGeometry(window.rect());
    background->setPixmap(QPixmap(picture));
    centreOnFirstShow(window);
}
