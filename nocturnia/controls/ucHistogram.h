#pragma once

#include "conventions/PropertyBag.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QVariant>
#include <QVector>
#include <QWidget>

namespace nocturnia {

// A scrolling line chart of the most recent values of a series on a grid. Each new point
// redraws the whole chart; the property setters never redraw, their changes show with the next
// point or Refresh.
class ucHistogram : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qint16 Appearance READ appearance WRITE setAppearance)
    Q_PROPERTY(qint16 DrawWidth READ drawWidth WRITE setDrawWidth)
    Q_PROPERTY(QVariant GridTickHorizontal READ gridTickHorizontal WRITE setGridTickHorizontal)
    Q_PROPERTY(QVariant GridTickVertical READ gridTickVertical WRITE setGridTickVertical)
    Q_PROPERTY(qint32 NumberOfPoints READ numberOfPoints WRITE setNumberOfPoints)
    Q_PROPERTY(quint32 BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(quint32 GridColour READ gridColour WRITE setGridColour)
    Q_PROPERTY(qint32 Max READ max WRITE setMax)
    Q_PROPERTY(quint32 ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(qint16 BorderStyle READ borderStyle WRITE setBorderStyle)

public:
    static constexpr quint32 DefaultBackColor = 0x80000012u;
    static constexpr quint32 DefaultGridColour = 0x8000u;
    static constexpr quint32 DefaultForeColor = 0xFF00u;
    // A design asking for more points than this gets a history of this many.
    static constexpr qint32 HistoryLimit = 1000000;

    explicit ucHistogram(QWidget* parent = nullptr);
    ~ucHistogram() override;

    // Adds a point and redraws; a value above Max is dropped without a redraw. Once the
    // history is full every point scrolls the chart one place.
    void NextPoint(qint32 Value);

    // "Returns/sets whether or not an object is painted at run time with 3-D effects."
    qint16 appearance() const { return m_appearance; }
    void setAppearance(qint16 New_Appearance);
    // "Returns/sets the line width for output from graphics methods."
    qint16 drawWidth() const { return m_drawWidth; }
    void setDrawWidth(qint16 New_DrawWidth);
    // A vertical grid line every this many points; a 16-bit integer in a variant.
    QVariant gridTickHorizontal() const { return QVariant::fromValue(m_gridTickHorizontal); }
    void setGridTickHorizontal(const QVariant& New_GridTickHorizontal);
    // The value steps between horizontal grid lines; a 16-bit integer in a variant.
    QVariant gridTickVertical() const { return QVariant::fromValue(m_gridTickVertical); }
    void setGridTickVertical(const QVariant& New_GridTickVertical);
    // The history keeps its length until the stored design is read again.
    qint32 numberOfPoints() const { return m_numberOfPoints; }
    void setNumberOfPoints(qint32 New_NumberOfPoints);
    // "Returns/sets the background color used to display text and graphics in an object."
    quint32 backColor() const { return m_backColor; }
    void setBackColor(quint32 New_BackColor);
    quint32 gridColour() const { return m_gridColour; }
    void setGridColour(quint32 New_GridColour);
    qint32 max() const { return m_max; }
    void setMax(qint32 New_Max);
    // "Returns/sets the foreground color used to display text and graphics in an object."
    quint32 foreColor() const { return m_foreColor; }
    void setForeColor(quint32 New_ForeColor);
    // "Returns/sets the border style for an object."
    qint16 borderStyle() const { return m_borderStyle; }
    void setBorderStyle(qint16 New_BorderStyle);

    // "Forces a complete repaint of a object."
    void Refresh();

    // The history, position 0 before the first shown point, -1 for empty places.
    const QVector<qint32>& points() const { return m_points; }
    // The position that receives the next point.
    qint32 nextPosition() const { return m_next; }
    // The inner canvas the chart is drawn on, 8 pixels wider than the client area.
    const QImage& canvas() const { return m_canvas; }
    QRect clientArea() const;

    // Reads the ten properties, then starts an empty history of NumberOfPoints places.
    void readProperties(const conv::PropertyBag& bag);
    void writeProperties(conv::PropertyBag& bag) const;

Q_SIGNALS:
    // A persisted property changed, so the host saves its design again.
    void propertyChanged(const QString& key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOut();
    void redraw();
    void resetHistory();
    qint32 capacity() const;

    QVector<qint32> m_points;
    qint32 m_next = 1;
    qint16 m_step = 0;
    qint32 m_verticalGridSpacing = 0;
    qint32 m_horizontalGridSpacing = 0;
    QImage m_canvas;

    qint16 m_appearance = 1;
    qint16 m_borderStyle = 1;
    qint16 m_drawWidth = 1;
    qint16 m_gridTickHorizontal = 10;
    qint16 m_gridTickVertical = 25;
    qint32 m_numberOfPoints = 100;
    quint32 m_backColor = DefaultBackColor;
    quint32 m_gridColour = DefaultGridColour;
    qint32 m_max = 100;
    quint32 m_foreColor = DefaultForeColor;
};

} // namespace nocturnia
