#include "controls/XP_ProgressBar.h"

#include "controls/ProgressBarPainter.h"
#include "conventions/Canvas.h"
#include "conventions/DesignFonts.h"
#include "conventions/NumericText.h"

#include <QBuffer>
#include <QByteArray>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

namespace nocturnia {

namespace {

qint32 toInt32(double value) {
    return qint32(std::clamp<qint64>(conv::roundHalfEven(value), INT32_MIN, INT32_MAX));
}

} // namespace

XP_ProgressBar::XP_ProgressBar(QWidget* parent)
    : QWidget(parent)
    , m_font(conv::designFont(QStringLiteral("MS Sans Serif"), 8.25)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_colour = conv::colourRef(conv::colourFromRef(DefaultColor, palette()));
    setHdc(this);
    DrawProgressBar();
}

XP_ProgressBar::~XP_ProgressBar() = default;

qint32 XP_ProgressBar::percentageOf(qint32 value, qint32 min, qint32 max) {
    const double range = double(max) - double(min);
    // An empty range has no fractions: the bar is full from its one value on.
    if (range == 0)
        return value >= max ? 100 : 0;
    return toInt32((double(value) - min) * 100.0 / range);
}

qint32 XP_ProgressBar::valueOf(qint32 percentage, qint32 min, qint32 max) {
    return toInt32(min + double(percentage) * (double(max) - double(min)) / 100.0);
}

void XP_ProgressBar::render() {
    // Out-of-range values are kept until now; the bar shows and reads back its ends.
    m_percentage = std::clamp(m_percentage, 0, 100);
    if (m_bitmap.isNull())
        return;
    ProgressBarLook look;
    look.colour = conv::colourFromRef(m_colour, palette());
    look.percentage = m_percentage;
    look.showText = m_showText;
    look.scrolling = m_scrolling;
    look.orientation = m_orientation;
    look.brushStyle = m_brushStyle;
    look.image = m_image;
    look.font = m_font;
    look.palette = palette();
    conv::Canvas canvas(m_bitmap);
    paintProgressBar(canvas, hwnd()->size(), look);
}

void XP_ProgressBar::DrawProgressBar() {
    render();
    update();
}

void XP_ProgressBar::DrawLine(int x, int y, int Width, int Height, QImage& cHdc,
                              quint32 Color) const {
    conv::Canvas canvas(cHdc);
    progressbarpaint::drawLine(canvas, x, y, Width, Height, conv::colourFromRef(Color, palette()));
}

void XP_ProgressBar::DrawGradient(quint32 lEndColor, quint32 lStartcolor, int x, int y, int X2,
                                  int Y2, QImage& hdc, bool bH) const {
    conv::Canvas canvas(hdc);
    progressbarpaint::drawGradient(canvas, conv::colourFromRef(lEndColor, palette()),
                                   conv::colourFromRef(lStartcolor, palette()), x, y, X2, Y2, bH);
}

void XP_ProgressBar::pDraw(QPainter& hdc, int xSrc, int ySrc, int WidthSrc, int HeightSrc, int xDst,
                           int yDst) const {
    if (m_bitmap.isNull())
        return;
    const int width = WidthSrc < 1 ? m_bitmap.width() : WidthSrc;
    const int height = HeightSrc < 1 ? m_bitmap.height() : HeightSrc;
    hdc.drawImage(QPoint(xDst, yDst), m_bitmap, QRect(xSrc, ySrc, width, height));
}

void XP_ProgressBar::setBrushStyle(qint32 Style) {
    m_brushStyle = Style;
    markChanged(QStringLiteral("BrushStyle"));
}

void XP_ProgressBar::setColor(quint32 lColor) {
    m_colour = conv::colourRef(conv::colourFromRef(lColor, palette()));
    markChanged(QStringLiteral("Color"));
    DrawProgressBar();
}

void XP_ProgressBar::setBarFont(const QFont& fnt) {
    m_font = fnt;
    markChanged(QStringLiteral("Font"));
}

QWidget* XP_ProgressBar::hwnd() const {
    return m_hwnd ? m_hwnd.data() : const_cast<XP_ProgressBar*>(this);
}

void XP_ProgressBar::setHwnd(QWidget* chWnd) {
    m_hwnd = chWnd;
}

QImage* XP_ProgressBar::hdc() {
    return m_bitmap.isNull() ? nullptr : &m_bitmap;
}

void XP_ProgressBar::setHdc(const QPaintDevice* cHdc) {
    if (!cHdc)
        return;
    const QSize size(std::max(cHdc->width(), 1), std::max(cHdc->height(), 1));
    if (!m_bitmap.isNull() && size.width() <= m_bitmap.width() &&
        size.height() <= m_bitmap.height())
        return;
    // A failed allocation leaves a null image; then the control shows only its background.
    m_bitmap = QImage(size, QImage::Format_RGB32);
    if (!m_bitmap.isNull())
        m_bitmap.fill(Qt::white);
}

void XP_ProgressBar::setImage(const QImage& handle) {
    m_image = handle;
    markChanged(QStringLiteral("Image"));
    DrawProgressBar();
}

void XP_ProgressBar::setMin(qint32 cMin) {
    m_min = cMin;
    markChanged(QStringLiteral("Min"));
}

void XP_ProgressBar::setMax(qint32 cMax) {
    m_max = cMax;
    markChanged(QStringLiteral("Max"));
}

void XP_ProgressBar::setOrientation(qint32 cOrientation) {
    m_orientation = cOrientation;
    markChanged(QStringLiteral("Orientation"));
    DrawProgressBar();
}

void XP_ProgressBar::setScrolling(qint32 lScrolling) {
    m_scrolling = lScrolling;
    markChanged(QStringLiteral("Scrolling"));
    DrawProgressBar();
}

void XP_ProgressBar::setShowText(bool bShowText) {
    m_showText = bShowText;
    markChanged(QStringLiteral("ShowText"));
    DrawProgressBar();
}

qint32 XP_ProgressBar::value() const {
    return valueOf(m_percentage, m_min, m_max);
}

void XP_ProgressBar::setValue(qint32 cValue) {
    m_percentage = percentageOf(cValue, m_min, m_max);
    markChanged(QStringLiteral("Value"));
    DrawProgressBar();
}

void XP_ProgressBar::markChanged(const QString& key) {
    if (!m_reading)
        Q_EMIT propertyChanged(key);
}

QString XP_ProgressBar::pictureText(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return QString::fromLatin1(bytes.toBase64());
}

QImage XP_ProgressBar::pictureFromText(const QString& text) {
    QImage picture;
    picture.loadFromData(QByteArray::fromBase64(text.toLatin1()), "PNG");
    return picture;
}

void XP_ProgressBar::readProperties(const conv::PropertyBag& bag) {
    m_reading = true;
    // A design without a font keeps the control's own.
    setBarFont(bag.readFont(QStringLiteral("Font"), conv::FontValue::fromFont(m_font)).toFont());
    setBrushStyle(bag.readInt32(QStringLiteral("BrushStyle"), DefaultBrushStyle));
    setColor(bag.readColour(QStringLiteral("Color"), DefaultColor));
    setImage(pictureFromText(bag.readString(QStringLiteral("Image"), QString())));
    setMax(bag.readInt32(QStringLiteral("Max"), 100));
    setMin(bag.readInt32(QStringLiteral("Min"), 0));
    setOrientation(bag.readInt32(QStringLiteral("Orientation"), 0));
    setScrolling(bag.readInt32(QStringLiteral("Scrolling"), 0));
    setShowText(bag.readBool(QStringLiteral("ShowText"), false));
    setValue(bag.readInt32(QStringLiteral("Value"), 0));
    m_reading = false;
}

void XP_ProgressBar::writeProperties(conv::PropertyBag& bag) const {
    bag.write(QStringLiteral("Font"), conv::FontValue::fromFont(m_font));
    bag.write(QStringLiteral("BrushStyle"), m_brushStyle, DefaultBrushStyle);
    // The colour is kept resolved, so even the highlight colour is written as its colour.
    bag.write(QStringLiteral("Color"), conv::ColourValue{m_colour},
              conv::ColourValue{DefaultColor});
    if (!m_image.isNull())
        bag.write(QStringLiteral("Image"), pictureText(m_image));
    bag.write(QStringLiteral("Max"), m_max, qint32(100));
    bag.write(QStringLiteral("Min"), m_min, qint32(0));
    bag.write(QStringLiteral("Orientation"), m_orientation, qint32(0));
    bag.write(QStringLiteral("Scrolling"), m_scrolling, qint32(0));
    bag.write(QStringLiteral("ShowText"), m_showText, false);
    bag.write(QStringLiteral("Value"), value(), qint32(0));
}

void XP_ProgressBar::paintEvent(QPaintEvent*) {
    render();
    QPainter painter(this);
    if (m_bitmap.isNull())
        painter.fillRect(rect(), Qt::white);
    else
        pDraw(painter, 0, 0, 0, 0, 0, 0);
}

void XP_ProgressBar::resizeEvent(QResizeEvent*) {
    setHdc(this);
}

} // namespace nocturnia
