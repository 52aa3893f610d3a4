#pragma once

#include "ButtonPainter.h"
#include "HostedWidget.h"
#include "conventions/Timer.h"

#include <QImage>
#include <QWidget>
#include <memory>

namespace datora {

class LibraryContext;

// The blue-theme push button. It paints its whole look into a persistent image on every
// change (the widget only shows that image) and follows the pointer with a polling timer,
// because leaving a button's shaped window is not reliably reported.
class CommandButton : public HostedWidget {
    Q_OBJECT
    Q_PROPERTY(uint ForeHover READ foreHover WRITE setForeHover)
    Q_PROPERTY(uint ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)

public:
    static constexpr qint32 kDispForeHover = 0x68030000;
    static constexpr qint32 kDispForeColor = 0x68030001;
    static constexpr qint32 kDispCaption = 0x68030002;
    static constexpr qint32 kDispFont = 0x68030003;
    static constexpr qint32 kDispEnabled = 0x68030004;

    explicit CommandButton(LibraryContext& context, QWidget* parent = nullptr);
    ~CommandButton() override;

    uint foreHover() const { return m_foreHover; }
    void setForeHover(uint ref);
    uint foreColor() const { return m_foreColor; }
    void setForeColor(uint ref);
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QFont controlFont() const override { return m_font; }
    void setControlFont(const QFont& font) override;
    bool enabledFlag() const override { return m_enabled; }
    void setEnabledFlag(bool enabled) override;

    // The letter (lower case) that clicks the button with Alt, empty when there is none.
    QString accessKey() const { return m_accessKey; }
    // The access key pressed: clicks the button.
    void pressAccessKey();

    const QImage& image() const { return m_image; }
    bool isHot() const { return m_isHot; }
    bool hasFocusFlag() const { return m_hasFocus; }
    qint16 lastButton() const { return m_lastButton; }

    // The text of the access key a caption gives.
    static QString accessKeyOf(const QString& caption);

    void initNewControl(const conv::AmbientProperties& ambient) override;
    void readProperties(const conv::PropertyBag& bag,
                        const conv::AmbientProperties& ambient) override;
    void writeProperties(conv::PropertyBag& bag,
                         const conv::AmbientProperties& ambient) const override;
    bool dispatch(qint32 id, conv::DispatchKind kind, QVariant& value, QString* error) override;

Q_SIGNALS:
    void Click();
    void MouseDown(qint16 Button, qint16 Shift, float X, float Y);
    void MouseMove(qint16 Button, qint16 Shift, float X, float Y);
    void MouseUp(qint16 Button, qint16 Shift, float X, float Y);
    void KeyPress(qint16 KeyAscii);
    void KeyDown(qint16 KeyCode, qint16 Shift);
    void KeyUp(qint16 KeyCode, qint16 Shift);
    void MouseOver();
    void MouseOut();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void redraw(int state);
    void setAccessKey();
    void press(qint16 button, qint16 shift, float x, float y);
    bool pointerOver(const QPoint& globalPosition) const;
    void hoverTick();

    LibraryContext& m_context;
    std::unique_ptr<conv::Timer> m_hoverTimer;
    QImage m_image;
    bool m_isHot = false;
    qint16 m_insideSeen = 0;
    bool m_hasFocus = false;
    qint16 m_lastButton = 0;
    qint16 m_lastKeyCode = 0;
    bool m_enabled = true;
    QString m_caption;
    uint m_foreColor;
    uint m_foreHover = 0;
    QFont m_font;
    QString m_accessKey;
    int m_shortcutId = 0;
    bool m_releaseOfDouble = false;
};

} // namespace datora
