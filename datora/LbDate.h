#pragma once

#include "HostedWidget.h"

#include <QColor>
#include <QImage>
#include <QWidget>

class QLabel;

namespace datora {

class LibraryContext;

// One day cell of the calendar grid: the day number centred on a coloured background, with an
// optional picture (the today marker) behind it. Only the number's strip takes the mouse.
class LbDate : public HostedWidget {
    Q_OBJECT
    Q_PROPERTY(QString Value READ value WRITE setValue)
    Q_PROPERTY(QString Tanggal READ tanggal WRITE setTanggal)
    Q_PROPERTY(QColor ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(bool FontBold READ fontBold WRITE setFontBold)

public:
    explicit LbDate(LibraryContext& context, QWidget* parent = nullptr);

    QString value() const;
    void setValue(const QString& value);
    QString tanggal() const { return m_tanggal; }
    void setTanggal(const QString& serial);
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor& colour);
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& colour);
    QFont controlFont() const override;
    void setControlFont(const QFont& font) override;
    bool fontBold() const;
    void setFontBold(bool bold);
    bool enabledFlag() const override { return !testAttribute(Qt::WA_ForceDisabled); }
    void setEnabledFlag(bool enabled) override;

    // True: the today marker behind the number; false: no picture.
    Q_INVOKABLE void SetPicture(bool isNow = true);
    bool hasPicture() const { return !m_picture.isNull(); }
    Q_INVOKABLE void RePos();

    QLabel* dayLabel() const { return m_lbData; }

    void initNewControl(const conv::AmbientProperties& ambient) override;
    void readProperties(const conv::PropertyBag& bag,
                        const conv::AmbientProperties& ambient) override;
    void writeProperties(conv::PropertyBag& bag,
                         const conv::AmbientProperties& ambient) const override;

Q_SIGNALS:
    void MouseDown(qint16 Button, qint16 Shift, float X, float Y);
    void MouseMove(qint16 Button, qint16 Shift, float X, float Y);
    void Click();
    void DblClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyForeColor();

    QLabel* m_lbData;
    QImage m_marker;
    QImage m_picture;
    QString m_tanggal = QStringLiteral("0");
    QColor m_foreColor = Qt::white;
    QColor m_backColor{236, 233, 216};
    bool m_pressInside = false;
};

} // namespace datora
