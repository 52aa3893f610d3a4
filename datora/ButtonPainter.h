#pragma once

#include "conventions/Canvas.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRegion>
#include <QString>

namespace datora {

// The push button's look, painted into its persistent image. Coordinates are pixels of the
// client area; W and H are its width and height.
namespace buttonpaint {

void drawFace(conv::Canvas& canvas, const QColor& background);
void drawPressedFace(conv::Canvas& canvas, const QColor& background);
void drawBorder(conv::Canvas& canvas);
void drawDisabled(conv::Canvas& canvas, const QColor& background);
void drawHotFrame(conv::Canvas& canvas);
void drawFocusFrame(conv::Canvas& canvas);
// The caption wrapped and centred, an ampersand underlining the next character.
void drawCaption(conv::Canvas& canvas, const QString& caption, const QFont& font,
                 const QColor& colour);

// The client rectangle without its four corner pixels.
QRegion windowShape(int width, int height);

} // namespace buttonpaint

// Everything the button's look depends on.
struct ButtonFace {
    bool enabled = true;
    bool isHot = false;
    bool hasFocus = false;
    qint16 lastButton = 0;
    QColor background = Qt::white;
    QColor foreColor = Qt::black;
    QColor foreHover = Qt::black;
    QString caption;
    QFont font;
};

// The whole image of one redraw: state 1 shows the pressed face after a left press.
QImage paintButton(QSize size, const ButtonFace& face, int state);

// The caption's colour for its state.
QColor captionColour(const ButtonFace& face);

} // namespace datora
