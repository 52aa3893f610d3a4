#pragma once

#include <QImage>
#include <QWidget>

namespace datora {

// A borderless picture part of a control (a drop-down button, a spin arrow). It shows one of
// its owner's stored images, known by its index so that the owner can tell which is shown and
// replace it only when it differs; it reports presses, moves and completed clicks.
class ImageBox : public QWidget {
    Q_OBJECT
public:
    explicit ImageBox(QWidget* parent = nullptr);

    // Shows the image unless the one with this index is already shown.
    void showPicture(int index, const QImage& image);
    int pictureIndex() const { return m_index; }
    const QImage& picture() const { return m_image; }

Q_SIGNALS:
    void pressed(qint16 button, qint16 shift, float x, float y);
    void moved(qint16 buttons, qint16 shift, float x, float y);
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int m_index = -1;
    QImage m_image;
    bool m_pressInside = false;
    bool m_secondOfDouble = false;
};

} // namespace datora
