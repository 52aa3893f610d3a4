#include "controls/ucHistogram.h"

#include "controls/HistogramPainter.h"
#include "conventions/Canvas.h"
#include "conventions/ColourRef.h"
#include "conventions/Twips.h"

#include <QPainter>
#include <algorithm>
#include <limits>

namespace nocturnia {

namespace {

// A grid tick arrives as a variant; one that holds no 16-bit integer is refused.
bool toInt16(const QVariant& value, qint16& out) {
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<qint16>::min() ||
        number > std::numeric_limits<qint16>::max())
        return false;
    out = qint16(number);
    return true;
}

} // namespace

ucHistogram::ucHistogram(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A new control has its empty history at once, not only after a design was read.
    resetHistory();
    layOut();
}

ucHistogram::~ucHistogram() = default;

QRect ucHistogram::clientArea() const {
    const int border = histogramBorderWidth(m_borderStyle, m_appearance);
    return rect().adjusted(border, border, -border, -border);
}

void ucHistogram::resetHistory() {
    const qint32 places = std::clamp(m_numberOfPoints, 0, HistoryLimit);
    m_points = QVector<qint32>(places + 1, -1);
    m_points[0] = 0;
    m_next = 1;
}

qint32 ucHistogram::capacity() const {
    // The history keeps its length when NumberOfPoints changes at run time.
    return std::clamp(m_numberOfPoints, 0, qint32(m_points.size() - 1));
}

void ucHistogram::layOut() {
    const QRect client = clientArea();
    const QSize size(std::max(client.width(), 0) + HistogramCanvasMargin,
                     std::max(client.height(), 1));
    if (m_canvas.size() != size) {
        // What was drawn stays where it was until the next redraw.
        QImage canvas(size, QImage::Format_RGB32);
        canvas.fill(conv::colourFromRef(m_backColor, palette()));
        if (!m_canvas.isNull()) {
            QPainter painter(&canvas);
            painter.drawImage(0, 0, m_canvas);
        }
        m_canvas = canvas;
    }
    const HistogramGeometry geometry =
        histogramGeometry(size * conv::kTwipsPerPixel, m_numberOfPoints, m_gridTickHorizontal,
                          m_gridTickVertical, m_max);
    m_step = geometry.step;
    m_verticalGridSpacing = geometry.verticalGridSpacing;
    m_horizontalGridSpacing = geometry.horizontalGridSpacing;
}

void ucHistogram::redraw() {
    HistogramChart chart;
    chart.points = m_points;
    chart.numberOfPoints = capacity();
    chart.geometry = {m_step, m_verticalGridSpacing, m_horizontalGridSpacing};
    chart.drawWidth = m_drawWidth;
    chart.max = m_max;
    chart.controlHeight = qint64(clientArea().height()) * conv::kTwipsPerPixel;
    chart.back = conv::colourFromRef(m_backColor, palette());
    chart.grid = conv::colourFromRef(m_gridColour, palette());
    chart.fore = conv::colourFromRef(m_foreColor, palette());
    conv::Canvas canvas(m_canvas);
    paintHistogramCanvas(canvas, chart);
    update();
}

void ucHistogram::NextPoint(qint32 Value) {
    if (Value > m_max)
        return;
    const qint32 places = capacity();
    if (m_next <= places) {
        m_points[m_next] = Value;
        ++m_next;
    } else {
        for (qint32 i = 1; i <= places; ++i)
            m_points[i - 1] = m_points[i];
        m_points[places] = Value;
    }
    redraw();
}

void ucHistogram::Refresh() {
    redraw();
}

void ucHistogram::setAppearance(qint16 New_Appearance) {
    m_appearance = New_Appearance;
    Q_EMIT propertyChanged(QStringLiteral("Appearance"));
    layOut(); // the border's width changes the client area
    update();
}

void ucHistogram::setDrawWidth(qint16 New_DrawWidth) {
    m_drawWidth = New_DrawWidth;
    Q_EMIT propertyChanged(QStringLiteral("DrawWidth"));
}

void ucHistogram::setGridTickHorizontal(const QVariant& New_GridTickHorizontal) {
    if (!toInt16(New_GridTickHorizontal, m_gridTickHorizontal))
        return;
    Q_EMIT propertyChanged(QStringLiteral("GridTickHorizontal"));
}

void ucHistogram::setGridTickVertical(const QVariant& New_GridTickVertical) {
    if (!toInt16(New_GridTickVertical, m_gridTickVertical))
        return;
    Q_EMIT propertyChanged(QStringLiteral("GridTickVertical"));
}

void ucHistogram::setNumberOfPoints(qint32 New_NumberOfPoints) {
    m_numberOfPoints = New_NumberOfPoints;
    Q_EMIT propertyChanged(QStringLiteral("NumberOfPoints"));
}

void ucHistogram::setBackColor(quint32 New_BackColor) {
    m_backColor = New_BackColor;
    Q_EMIT propertyChanged(QStringLiteral("BackColor"));
    update();
}

void ucHistogram::setGridColour(quint32 New_GridColour) {
    m_gridColour = New_GridColour;
    Q_EMIT propertyChanged(QStringLiteral("GridColour"));
}

void ucHistogram::setMax(qint32 New_Max) {
    m_max = New_Max;
    Q_EMIT propertyChanged(QStringLiteral("Max"));
}

void ucHistogram::setForeColor(quint32 New_ForeColor) {
    m_foreColor = New_ForeColor;
    Q_EMIT propertyChanged(QStringLiteral("ForeColor"));
    update();
}

void ucHistogram::setBorderStyle(qint16 New_BorderStyle) {
    m_borderStyle = New_BorderStyle;
    Q_EMIT propertyChanged(QStringLiteral("BorderStyle"));
    layOut();
    update();
}

void ucHistogram::readProperties(const conv::PropertyBag& bag) {
    m_appearance = bag.readInt16(QStringLiteral("Appearance"), 1);
    m_borderStyle = bag.readInt16(QStringLiteral("BorderStyle"), 1);
    m_drawWidth = bag.readInt16(QStringLiteral("DrawWidth"), 1);
    m_gridTickHorizontal = bag.readInt16(QStringLiteral("GridTickHorizontal"), 10);
    m_gridTickVertical = bag.readInt16(QStringLiteral("GridTickVertical"), 25);
    m_numberOfPoints = bag.readInt32(QStringLiteral("NumberOfPoints"), 100);
    m_backColor = bag.readColour(QStringLiteral("BackColor"), DefaultBackColor);
    m_gridColour = bag.readColour(QStringLiteral("GridColour"), DefaultGridColour);
    m_max = bag.readInt32(QStringLiteral("Max"), 100);
    m_foreColor = bag.readColour(QStringLiteral("ForeColor"), DefaultForeColor);
    resetHistory();
    layOut();
    // The canvas takes the background colour, which clears it.
    m_canvas.fill(conv::colourFromRef(m_backColor, palette()));
    update();
}

void ucHistogram::writeProperties(conv::PropertyBag& bag) const {
    bag.write(QStringLiteral("Appearance"), m_appearance, qint16(1));
    bag.write(QStringLiteral("BorderStyle"), m_borderStyle, qint16(1));
    bag.write(QStringLiteral("DrawWidth"), m_drawWidth, qint16(1));
    bag.write(QStringLiteral("GridTickHorizontal"), m_gridTickHorizontal, qint16(10));
    bag.write(QStringLiteral("GridTickVertical"), m_gridTickVertical, qint16(25));
    bag.write(QStringLiteral("NumberOfPoints"), m_numberOfPoints, qint32(100));
    bag.write(QStringLiteral("BackColor"), conv::ColourValue{m_backColor},
              conv::ColourValue{DefaultBackColor});
    bag.write(QStringLiteral("GridColour"), conv::ColourValue{m_gridColour},
              conv::ColourValue{DefaultGridColour});
    bag.write(QStringLiteral("Max"), m_max, qint32(100));
    bag.write(QStringLiteral("ForeColor"), conv::ColourValue{m_foreColor},
              conv::ColourValue{DefaultForeColor});
}

void ucHistogram::paintEvent(QPaintEvent*) {
    // Shows the last redraw; the chart itself is only drawn by a point or Refresh.
    QImage surface(size(), QImage::Format_RGB32);
    if (surface.isNull())
        return;
    paintHistogramSurface(surface, m_canvas, m_borderStyle, m_appearance,
                          conv::colourFromRef(m_backColor, palette()), palette());
    QPainter painter(this);
    painter.drawImage(0, 0, surface);
}

void ucHistogram::resizeEvent(QResizeEvent*) {
    layOut();
}

} // namespace nocturnia
