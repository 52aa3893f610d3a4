#pragma once

#include <QSize>
#include <QString>

class QWidget;

// Makes `window` one of the commands' fixed-size windows drawn on a picture (the alarm, the
// notification): named for the design, deleted when closed, centred on its first showing.
// The picture is its first child, so that the parts made after it are drawn over it.
void makePictureWindow(QWidget& window, const QString& name, QSize size, const QString& picture);
