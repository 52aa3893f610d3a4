#pragma once

#include "DropDownControl.h"

namespace datora {

class LibraryContext;

// The date picker: a flat field showing a date serial (Value) rendered with a date pattern
// (FormatDate), and a drop-down button that opens the calendar under or above it. The field
// may be typed into, but typed text never becomes the Value.
class KiroXPDTPicker : public DropDownControl {
    Q_OBJECT
    Q_PROPERTY(QString FormatDate READ formatDate WRITE setFormatDate)
    Q_PROPERTY(qint32 Value READ value WRITE setValue)

public:
    static constexpr qint32 kDispFormatDate = 0x68030000;
    static constexpr qint32 kDispValue = 0x68030001;
    static constexpr qint32 kDispText = 0x68030002;
    static constexpr qint32 kDispLocked = 0x68030003;
    static constexpr qint32 kDisphWnd = 0x68030004;
    static constexpr qint32 kDispEnabled = 0x68030005;
    static constexpr qint32 kDispResetPic = 0x60030007;

    explicit KiroXPDTPicker(LibraryContext& context, QWidget* parent = nullptr);

    QString formatDate() const { return m_pattern; }
    void setFormatDate(const QString& pattern);
    qint32 value() const { return m_value; }
    void setValue(qint32 serial);
    void setEnabledFlag(bool enabled) override;
    // Faces above 10 points are set to 10: the fixed height has room for 8 to 10 points.
    void setControlFont(const QFont& font) override;

    // Opens the calendar and takes the day picked there (what the drop-down button does).
    void openCalendar();

    void initNewControl(const conv::AmbientProperties& ambient) override;
    void readProperties(const conv::PropertyBag& bag,
                        const conv::AmbientProperties& ambient) override;
    void writeProperties(conv::PropertyBag& bag,
                         const conv::AmbientProperties& ambient) const override;
    bool dispatch(qint32 id, conv::DispatchKind kind, QVariant& value, QString* error) override;

Q_SIGNALS:
    void KeyPress(qint16 KeyAscii); // part of the event set; never raised

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();

    LibraryContext& m_context;
    qint32 m_value = 0;
    QString m_pattern = QStringLiteral("yyyy/mm/dd");
    bool m_opening = false;
    bool m_openedByPress = false;
};

} // namespace datora
