#pragma once

#include "Artwork.h"
#include "conventions/ControlHosting.h"

#include <QImage>
#include <QWidget>
#include <array>

class QLineEdit;

namespace datora {

class ImageBox;
class LibraryContext;

// The numeric spin field. The number lives in the text itself: reading Value reads the text's
// leading number, and the arrows write the stepped number back as text.
class KiroXPSpin : public QWidget, public conv::HostedControl {
    Q_OBJECT
    Q_INTERFACES(conv::HostedControl)
    Q_PROPERTY(double Value READ value WRITE setValue)
    Q_PROPERTY(double LargeChange READ largeChange WRITE setLargeChange)
    Q_PROPERTY(qint32 Min READ minimum WRITE setMinimum)
    Q_PROPERTY(qint32 Max READ maximum WRITE setMaximum)
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(bool Locked READ locked WRITE setLocked)
    Q_PROPERTY(qint32 hWnd READ windowHandle)
    Q_PROPERTY(bool Enabled READ enabledFlag WRITE setEnabledFlag)
    Q_PROPERTY(QFont Font READ controlFont WRITE setControlFont)

public:
    static constexpr qint32 kDispValue = 0x68030000;
    static constexpr qint32 kDispLargeChange = 0x68030001;
    static constexpr qint32 kDispMin = 0x68030002;
    static constexpr qint32 kDispMax = 0x68030003;
    static constexpr qint32 kDispText = 0x68030004;
    static constexpr qint32 kDispLocked = 0x68030005;
    static constexpr qint32 kDisphWnd = 0x68030006;
    static constexpr qint32 kDispEnabled = 0x68030007;
    static constexpr qint32 kDispResetPic = 0x60030009;

    // The stored arrow images, by their index in the image store.
    enum Picture {
        DownHot = 0,
        DownNormal = 1,
        UpNormal = 2,
        DownPressed = 3,
        UpPressed = 4,
        UpHot = 5,
        UpDisabled = 6,
        DownDisabled = 7,
    };

    explicit KiroXPSpin(LibraryContext& context, QWidget* parent = nullptr);

    double value() const;
    void setValue(double value);
    double largeChange() const { return m_largeChange; }
    void setLargeChange(double step);
    qint32 minimum() const { return m_min; }
    void setMinimum(qint32 minimum);
    qint32 maximum() const { return m_max; }
    void setMaximum(qint32 maximum);
    QString text() const;
    void setText(const QString& text);
    bool locked() const;
    void setLocked(bool locked);
    qint32 windowHandle() const;
    bool enabledFlag() const;
    void setEnabledFlag(bool enabled);
    QFont controlFont() const;
    void setControlFont(const QFont& font);
    Q_INVOKABLE void ResetPic();

    // The arrow clicks, as the arrow buttons run them.
    void stepUp();
    void stepDown();

    // Inner parts, for hosts that arrange focus and for inspection.
    QLineEdit* textField() const { return m_txtSpin; }
    QLineEdit* focusSink() const { return m_text1; }
    ImageBox* upArrow() const { return m_imgUp; }
    ImageBox* downArrow() const { return m_imgDown; }
    QColor outlineColour() const { return m_outline; }

    void initNewControl(const conv::AmbientProperties& ambient) override;
    void readProperties(const conv::PropertyBag& bag,
                        const conv::AmbientProperties& ambient) override;
    void writeProperties(conv::PropertyBag& bag,
                         const conv::AmbientProperties& ambient) const override;
    bool dispatch(qint32 id, conv::DispatchKind kind, QVariant& value, QString* error) override;

Q_SIGNALS:
    void Change();
    void propertyChanged(const QString& key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void relayout();
    void showArrow(ImageBox* box, Picture picture);

    std::array<QImage, 8> m_pictures;
    QLineEdit* m_txtSpin;
    QLineEdit* m_text1;
    ImageBox* m_imgUp;
    ImageBox* m_imgDown;
    QColor m_outline{127, 157, 185};
    qint32 m_max = 32000;
    qint32 m_min = -32000;
    qint16 m_decimal = 0;
    double m_largeChange = 1.0;
    double m_storedValue = 0.0;
    bool m_inRelayout = false;
};

} // namespace datora
