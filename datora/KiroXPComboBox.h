#pragma once

#include "conventions/ControlHosting.h"

#include <QImage>
#include <QWidget>
#include <array>

class QComboBox;
class QLineEdit;

namespace datora {

class ImageBox;
class LibraryContext;

// A flat drop-down list: the visible field lies over an ordinary combo box whose list the
// button drops down and closes; a pick from the list is copied into the field.
class KiroXPComboBox : public QWidget, public conv::HostedControl {
    Q_OBJECT
    Q_INTERFACES(conv::HostedControl)
    Q_PROPERTY(qint16 ListIndex READ listIndex WRITE setListIndex)
    Q_PROPERTY(qint16 ListCount READ listCount)
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(uint BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(uint ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(QFont Font READ controlFont WRITE setControlFont)
    Q_PROPERTY(bool Locked READ locked WRITE setLocked)
    Q_PROPERTY(qint32 MaxLength READ maxLength WRITE setMaxLength)
    Q_PROPERTY(QString ToolTipText READ toolTipText WRITE setToolTipText)
    Q_PROPERTY(QString FieldName READ fieldName WRITE setFieldName)
    Q_PROPERTY(qint32 hWnd READ windowHandle)
    Q_PROPERTY(bool Enabled READ enabledFlag WRITE setEnabledFlag)

public:
    enum Picture { Normal = 0, Hot = 1, Pressed = 2, Disabled = 3 };

    explicit KiroXPComboBox(LibraryContext& context, QWidget* parent = nullptr);

    Q_INVOKABLE void AddItem(const QString& item, const QVariant& index = QVariant());
    Q_INVOKABLE void Clear();
    // Drops the list down, or closes it when it is down.
    Q_INVOKABLE void OpenCombo();
    Q_INVOKABLE void ResetPic();
    bool isListDropped() const;

    qint16 listIndex() const;
    void setListIndex(qint16 index);
    // As setListIndex, failing for a position outside the list.
    bool trySetListIndex(qint16 index, QString* error);
    qint16 listCount() const;
    QString itemText(int index) const;
    QString text() const;
    void setText(const QString& text);
    uint backColor() const { return m_backColor; }
    void setBackColor(uint ref);
    uint foreColor() const { return m_foreColor; }
    void setForeColor(uint ref);
    QFont controlFont() const;
    void setControlFont(const QFont& font);
    bool locked() const;
    void setLocked(bool locked);
    qint32 maxLength() const { return m_maxLength; }
    void setMaxLength(qint32 length);
    QString toolTipText() const;
    void setToolTipText(const QString& text);
    QString fieldName() const { return m_fieldName; }
    void setFieldName(const QString& name);
    qint32 windowHandle() const;
    bool enabledFlag() const { return m_enabled; }
    void setEnabledFlag(bool enabled);

    QLineEdit* textField() const { return m_txtData; }
    ImageBox* dropButton() const { return m_imgUp; }
    QComboBox* list() const { return m_combo1; }
    QColor outlineColour() const { return m_outline; }

    void initNewControl(const conv::AmbientProperties& ambient) override;
    void readProperties(const conv::PropertyBag& bag,
                        const conv::AmbientProperties& ambient) override;
    void writeProperties(conv::PropertyBag& bag,
                         const conv::AmbientProperties& ambient) const override;
    bool dispatch(qint32 id, conv::DispatchKind kind, QVariant& value, QString* error) override;

Q_SIGNALS:
    void Click();
    void Change();
    void MouseMove(qint16 Button, qint16 Shift, float X, float Y);
    void MouseDown(qint16 Button, qint16 Shift, float X, float Y);
    void propertyChanged(const QString& key);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void relayout();
    void showButton(Picture picture);
    void applyColours(bool background);

    std::array<QImage, 4> m_pictures;
    QComboBox* m_combo1;
    QWidget* m_backMain;
    QLineEdit* m_txtData;
    ImageBox* m_imgUp;
    QColor m_outline{127, 157, 185};
    uint m_backColor = 0xFFFFFF;
    uint m_foreColor;
    qint32 m_maxLength = 0;
    QString m_fieldName;
    bool m_enabled = false;
    bool m_inRelayout = false;
};

} // namespace datora
