#pragma once

#include "Dispatch.h"
#include "HostedWidget.h"

#include <QColor>
#include <QWidget>

class QLineEdit;

namespace datora {

// What the flat text-field controls (date picker, spin, combo box) have in common: the inner
// single-line field and its forwarders, the thin outline and its enabled colours, and the
// pointer over the field or the bare control putting the button pictures back to normal.
class FlatTextControl : public HostedWidget {
    Q_OBJECT
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(bool Locked READ locked WRITE setLocked)
    Q_PROPERTY(qint32 hWnd READ windowHandle)

public:
    QString text() const;
    // The string as it is, nothing parsed; reports "Text".
    void setText(const QString& text);
    bool locked() const;
    void setLocked(bool locked);
    qint32 windowHandle() const;
    // The control window's enabled flag.
    bool enabledFlag() const override;
    QFont controlFont() const override;
    // Shows the normal button pictures.
    Q_INVOKABLE virtual void ResetPic() = 0;

    QLineEdit* textField() const { return m_field; }
    QColor outlineColour() const { return m_outline; }

Q_SIGNALS:
    // The field's content changed: typed, written, or rendered from a value.
    void Change();

protected:
    explicit FlatTextControl(QWidget* parent);

    // The normal pictures and the blue-grey outline, or the disabled ones and a grey outline.
    void showEnabledLook(bool enabled);
    virtual void showDisabledPictures() = 0;
    // An Enabled write of the picker and the spin: the window, the field and the given button
    // parts are switched, the looks follow, "Enabled" is reported.
    void writeEnabled(bool enabled, std::initializer_list<QWidget*> buttons);

    // The identifiers under which a type library publishes the members every flat field has.
    struct FieldMemberIds {
        qint32 text;
        qint32 locked;
        qint32 hWnd;
        qint32 enabled;
        qint32 resetPic;
    };
    // Answers the control's own members, then Text, Locked, hWnd, Enabled, ResetPic and Font.
    bool dispatchField(std::initializer_list<DispatchMember> own, const FieldMemberIds& ids,
                       qint32 id, conv::DispatchKind kind, QVariant& value, QString* error);

    // The control's width, no narrower than the narrowest a flat control may be.
    int clampedWidthTwips() const;

    // The common part of the design of the picker and the spin: the window's enabled flag (the
    // looks are left as they are), the field's read-only flag and its text.
    void readWindowAndField(const conv::PropertyBag& bag);
    void writeWindowAndField(conv::PropertyBag& bag) const;

    // Guards a layout against the resize it makes itself.
    bool m_inRelayout = false;

    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_field;
    QColor m_outline;
};

} // namespace datora
