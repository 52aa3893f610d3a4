#pragma once

#include "DropDownControl.h"

class QComboBox;

namespace datora {

class DropList;
class LibraryContext;

// A flat drop-down list: the visible field lies over an ordinary combo box whose list the
// button drops down and closes; a pick from the list is copied into the field. Private to the
// library: it publishes no dispatch members, its members are used by name only.
class KiroXPComboBox : public DropDownControl {
    Q_OBJECT
    Q_PROPERTY(qint16 ListIndex READ listIndex WRITE setListIndex)
    Q_PROPERTY(qint16 ListCount READ listCount)
    Q_PROPERTY(uint BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(uint ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(qint32 MaxLength READ maxLength WRITE setMaxLength)
    Q_PROPERTY(QString ToolTipText READ toolTipText WRITE setToolTipText)
    Q_PROPERTY(QString FieldName READ fieldName WRITE setFieldName)

public:
    explicit KiroXPComboBox(LibraryContext& context, QWidget* parent = nullptr);

    Q_INVOKABLE void AddItem(const QString& item, const QVariant& index = QVariant());
    Q_INVOKABLE void Clear();
    // Drops the list down under the control, or closes it when it is down.
    Q_INVOKABLE void OpenCombo();
    bool isListDropped() const;

    qint16 listIndex() const;
    void setListIndex(qint16 index);
    // As setListIndex, failing for a position outside the list.
    bool trySetListIndex(qint16 index, QString* error);
    qint16 listCount() const;
    QString itemText(int index) const;
    uint backColor() const { return m_backColor; }
    void setBackColor(uint ref);
    uint foreColor() const { return m_foreColor; }
    void setForeColor(uint ref);
    void setControlFont(const QFont& font) override;
    qint32 maxLength() const { return m_maxLength; }
    void setMaxLength(qint32 length);
    QString toolTipText() const;
    void setToolTipText(const QString& text);
    QString fieldName() const { return m_fieldName; }
    void setFieldName(const QString& name);
    // A flag of its own: the control reacts to input whatever it says.
    bool enabledFlag() const override { return m_enabled; }
    void setEnabledFlag(bool enabled) override;

    QComboBox* list() const { return m_combo1; }
    DropList* dropList() const { return m_dropList; }

    void initNewControl(const conv::AmbientProperties& ambient) override;
    void readProperties(const conv::PropertyBag& bag,
                        const conv::AmbientProperties& ambient) override;
    void writeProperties(conv::PropertyBag& bag,
                         const conv::AmbientProperties& ambient) const override;

Q_SIGNALS:
    void Click();
    void MouseMove(qint16 Button, qint16 Shift, float X, float Y);
    void MouseDown(qint16 Button, qint16 Shift, float X, float Y);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void relayout();
    void applyColours(bool background);
    void pick(int index);

    LibraryContext& m_context;
    QComboBox* m_combo1;
    DropList* m_dropList;
    QWidget* m_backMain;
    uint m_backColor = 0xFFFFFF;
    uint m_foreColor;
    qint32 m_maxLength = 0;
    QString m_fieldName;
    bool m_enabled = false;
};

} // namespace datora
