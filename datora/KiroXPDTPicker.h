#pragma once

#include "conventions/ControlHosting.h"

#include <QImage>
#include <QWidget>
#include <array>

class QLineEdit;

namespace datora {

class ImageBox;
class LibraryContext;

// The date picker: a flat field showing a date serial (Value) rendered with a date pattern
// (FormatDate), and a drop-down button that opens the calendar under or above it. The field
// may be typed into, but typed text never becomes the Value.
class KiroXPDTPicker : public QWidget, public conv::HostedControl {
    Q_OBJECT
    Q_INTERFACES(conv::HostedControl)
    Q_PROPERTY(QString FormatDate READ formatDate WRITE setFormatDate)
    Q_PROPERTY(qint32 Value READ value WRITE setValue)
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(bool Locked READ locked WRITE setLocked)
    Q_PROPERTY(qint32 hWnd READ windowHandle)
    Q_PROPERTY(bool Enabled READ enabledFlag WRITE setEnabledFlag)
    Q_PROPERTY(QFont Font READ controlFont WRITE setControlFont)

public:
    static constexpr qint32 kDispFormatDate = 0x68030000;
    static constexpr qint32 kDispValue = 0x68030001;
    static constexpr qint32 kDispText = 0x68030002;
    static constexpr qint32 kDispLocked = 0x68030003;
    static constexpr qint32 kDisphWnd = 0x68030004;
    static constexpr qint32 kDispEnabled = 0x68030005;
    static constexpr qint32 kDispResetPic = 0x60030007;

    enum Picture { Normal = 0, Hot = 1, Pressed = 2, Disabled = 3 };

    explicit KiroXPDTPicker(LibraryContext& context, QWidget* parent = nullptr);

    QString formatDate() const { return m_pattern; }
    void setFormatDate(const QString& pattern);
    qint32 value() const { return m_value; }
    void setValue(qint32 serial);
    QString text() const;
    void setText(const QString& text);
    bool locked() const;
    void setLocked(bool locked);
    qint32 windowHandle() const;
    bool enabledFlag() const { return !testAttribute(Qt::WA_ForceDisabled); }
    void setEnabledFlag(bool enabled);
    QFont controlFont() const;
    // Faces above 10 points are set to 10: the fixed height has room for 8 to 10 points.
    void setControlFont(const QFont& font);
    Q_INVOKABLE void ResetPic();

    // Opens the calendar and takes the day picked there (what the drop-down button does).
    void openCalendar();

    QLineEdit* textField() const { return m_txtSpin; }
    ImageBox* dropButton() const { return m_imgUp; }
    QColor outlineColour() const { return m_outline; }

    void initNewControl(const conv::AmbientProperties& ambient) override;
    void readProperties(const conv::PropertyBag& bag,
                        const conv::AmbientProperties& ambient) override;
    void writeProperties(conv::PropertyBag& bag,
                         const conv::AmbientProperties& ambient) const override;
    bool dispatch(qint32 id, conv::DispatchKind kind, QVariant& value, QString* error) override;

Q_SIGNALS:
    void KeyPress(qint16 KeyAscii); // part of the event set; never raised
    void Change();
    void propertyChanged(const QString& key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void relayout();
    void showButton(Picture picture);

    LibraryContext& m_context;
    std::array<QImage, 4> m_pictures;
    QLineEdit* m_txtSpin;
    ImageBox* m_imgUp;
    QColor m_outline{127, 157, 185};
    qint32 m_value = 0;
    QString m_pattern = QStringLiteral("yyyy/mm/dd");
    bool m_inRelayout = false;
    bool m_opening = false;
    bool m_openedByPress = false;
};

} // namespace datora
