#pragma once

#include <QImage>
#include <QWidget>

// A picture box that keeps its drawing in an image of its inner area (persistent drawing),
// measured in pixels, with no border (style 0) or a sunken two-pixel border (style 1).
class PicBox final : public QWidget {
    Q_OBJECT
public:
    explicit PicBox(QWidget* parent = nullptr);

    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int vData);
    bool AutoRedraw() const { return m_autoRedraw; }
    void setAutoRedraw(bool vData) { m_autoRedraw = vData; }
    int ScaleMode() const { return m_scaleMode; }
    void setScaleMode(int vData) { m_scaleMode = vData; } // 3: pixels, the only measure kept
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 vData);
    int ScaleWidth() const { return image().width(); }
    int ScaleHeight() const { return image().height(); }

    // Clears the drawing to the background colour.
    void Cls();
    // The drawing; whoever draws on it calls update() after.
    QImage& image() {
        resizeImage();
        return m_image;
    }
    const QImage& image() const {
        resizeImage();
        return m_image;
    }

    static constexpr int kPixels = 3;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int borderWidth() const { return m_borderStyle == 1 ? 2 : 0; }
    // Follows the box's size; a hidden box gets no resize events.
    void resizeImage() const;

    mutable QImage m_image;
    int m_borderStyle = 1;
    bool m_autoRedraw = false;
    int m_scaleMode = 1;
    quint32 m_backColor;
};

// The box's whole surface: the sunken border of style 1 around the drawing.
void paintPicBoxSurface(QImage& surface, const QImage& drawing, int borderStyle,
                        const QPalette& palette);
