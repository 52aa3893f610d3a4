#pragma once

#include "conventions/ColourRef.h"
#include "conventions/PropertyBag.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

class QPainter;
class QPaintDevice;

namespace nocturnia {

// A progress bar in one of ten looks (Scrolling 0 to 9), the first two in the XP style, with an
// optional centred percentage. The value is kept as a whole percentage of the range, so what
// reads back is quantised to whole percent: with Max 128, 80 reads back 79. Drawing goes to an
// off-screen image that the paint copies onto the control.
class XP_ProgressBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(quint32 Color READ color WRITE setColor)
    Q_PROPERTY(QFont Font READ barFont WRITE setBarFont)
    Q_PROPERTY(QImage Image READ image WRITE setImage)
    Q_PROPERTY(qint32 Min READ min WRITE setMin)
    Q_PROPERTY(qint32 Max READ max WRITE setMax)
    Q_PROPERTY(qint32 Orientation READ orientation WRITE setOrientation)
    Q_PROPERTY(qint32 Scrolling READ scrolling WRITE setScrolling)
    Q_PROPERTY(bool ShowText READ showText WRITE setShowText)
    Q_PROPERTY(qint32 Value READ value WRITE setValue)

public:
    static constexpr quint32 DefaultColor = conv::systemColourRef(conv::SystemColour::Highlight);
    static constexpr qint32 DefaultBrushStyle = 4;

    explicit XP_ProgressBar(QWidget* parent = nullptr);
    ~XP_ProgressBar() override;

    // Redraws the whole control.
    void DrawProgressBar();
    // A one-pixel line from (x, y) towards (Width, Height) on the surface; Color may name a
    // system colour.
    void DrawLine(int x, int y, int Width, int Height, QImage& cHdc, quint32 Color) const;
    // A gradient of one-pixel lines from lEndColor to lStartcolor: with bH vertical lines, X2
    // their count less one and Y2 their end row; without it horizontal lines, Y2 their count
    // less one and X2 their end column.
    void DrawGradient(quint32 lEndColor, quint32 lStartcolor, int x, int y, int X2, int Y2,
                      QImage& hdc, bool bH) const;
    // Copies the off-screen image, or its part from (xSrc, ySrc), to (xDst, yDst); a width or
    // height below 1 means the whole image.
    void pDraw(QPainter& hdc, int xSrc, int ySrc, int WidthSrc, int HeightSrc, int xDst,
               int yDst) const;

    // Hatch style of look 7: 0 horizontal, 1 vertical, 2 and 3 diagonal, 4 cross, 5 diagonal
    // cross. Shows at the next redraw.
    void setBrushStyle(qint32 Style);

    quint32 color() const { return m_colour; }
    // A system colour is turned into its colour now, so later palette changes do not follow.
    void setColor(quint32 lColor);

    QFont barFont() const { return m_font; }
    void setBarFont(const QFont& fnt);

    // The window whose client area is measured; the control itself unless another is given.
    QWidget* hwnd() const;
    void setHwnd(QWidget* chWnd);

    // The off-screen image drawn into, for DrawLine and DrawGradient too; null when none could
    // be made.
    QImage* hdc();
    // Makes the off-screen image anew when the surface is wider or taller than it.
    void setHdc(const QPaintDevice* cHdc);

    QImage image() const { return m_image; }
    void setImage(const QImage& handle);

    // Min, Max and BrushStyle take effect at the next redraw.
    qint32 min() const { return m_min; }
    void setMin(qint32 cMin);
    qint32 max() const { return m_max; }
    void setMax(qint32 cMax);
    qint32 orientation() const { return m_orientation; }
    void setOrientation(qint32 cOrientation);
    qint32 scrolling() const { return m_scrolling; }
    void setScrolling(qint32 lScrolling);
    bool showText() const { return m_showText; }
    void setShowText(bool bShowText);

    qint32 value() const;
    void setValue(qint32 cValue);
    qint32 percentage() const { return m_percentage; }

    // The conversions between a value and the whole percentage kept, rounded half to even.
    static qint32 percentageOf(qint32 value, qint32 min, qint32 max);
    static qint32 valueOf(qint32 percentage, qint32 min, qint32 max);

    // The stored design, each property through its setter, in the order they are written.
    void readProperties(const conv::PropertyBag& bag);
    void writeProperties(conv::PropertyBag& bag) const;

    // The picture's stored form: PNG bytes in base64.
    static QString pictureText(const QImage& picture);
    static QImage pictureFromText(const QString& text);

Q_SIGNALS:
    // A persisted property changed, so the host saves its design again.
    void propertyChanged(const QString& key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void render();
    void markChanged(const QString& key);

    QImage m_bitmap;
    QPointer<QWidget> m_hwnd;
    quint32 m_colour = 0;
    qint32 m_max = 100;
    qint32 m_min = 0;
    qint32 m_percentage = 0;
    bool m_showText = false;
    qint32 m_scrolling = 0;
    qint32 m_orientation = 0;
    qint32 m_brushStyle = DefaultBrushStyle;
    QImage m_image;
    QFont m_font;
    bool m_reading = false;
};

} // namespace nocturnia
