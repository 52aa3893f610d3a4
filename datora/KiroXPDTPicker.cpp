#include "KiroXPDTPicker.h"

#include "CalendarPlacement.h"
#include "ImageBox.h"
#include "LibraryContext.h"
#include "MyForm.h"
#include "TextLayout.h"
#include "conventions/DatePattern.h"
#include "conventions/DateSerial.h"
#include "conventions/Twips.h"

#include <QLineEdit>
#include <QPointer>

namespace datora {

KiroXPDTPicker::KiroXPDTPicker(LibraryContext& context, QWidget* parent)
    : DropDownControl(parent)
    , m_context(context) {
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);

    textField()->setGeometry(conv::twipsRect(75, 60, 720, 240));
    connect(dropButton(), &ImageBox::pressed, this, [this] {
        showButton(Pressed);
        m_openedByPress = true;
        openCalendar();
    });
    connect(dropButton(), &ImageBox::clicked, this, [this] {
        // The press of this click has opened the calendar already.
        if (m_openedByPress) {
            m_openedByPress = false;
            return;
        }
        openCalendar();
    });

    resize(conv::twipsToPixels(1125), conv::twipsToPixels(315));
    relayout();
}

void KiroXPDTPicker::setFormatDate(const QString& pattern) {
    m_pattern = pattern;
    setValue(m_value); // renders the text with the new pattern
    Q_EMIT propertyChanged(QStringLiteral("FormatDate"));
}

void KiroXPDTPicker::setValue(qint32 serial) {
    m_value = serial;
    textField()->setText(
        conv::formatDate(conv::fromDateSerial(serial), m_pattern, m_context.conventions()));
    Q_EMIT propertyChanged(QStringLiteral("Value"));
}

void KiroXPDTPicker::setEnabledFlag(bool enabled) {
    writeEnabled(enabled, {dropButton()});
}

void KiroXPDTPicker::setControlFont(const QFont& font) {
    QFont face = font;
    if (face.pointSizeF() > 10.0)
        face.setPointSizeF(10.0);
    textField()->setFont(face);
    Q_EMIT propertyChanged(QStringLiteral("Font"));
    relayout();
}

void KiroXPDTPicker::openCalendar() {
    if (m_opening || !enabledFlag())
        return;
    m_opening = true;
    const QPointer<KiroXPDTPicker> alive(this);

    PlacementInput placement;
    const ImageBox* button = dropButton();
    placement.buttonScreenPixels = button->mapToGlobal(QPoint(0, 0));
    placement.screenPixels = m_context.screenGeometry(this).size();
    placement.buttonLeftTwips = conv::pixelsToTwips(button->x());
    placement.buttonWidthTwips = conv::pixelsToTwips(button->width());
    placement.buttonHeightTwips = conv::pixelsToTwips(button->height());
    placement.controlHeightTwips = conv::pixelsToTwips(height());
    const QPoint position = calendarPosition(placement);

    if (m_value == 0)
        setValue(m_context.todaySerial());
    m_context.setPickedValue(m_value);
    m_context.processEvents();
    if (!alive)
        return;

    MyForm* calendar = m_context.calendar();
    calendar->InitValue = m_value;
    m_context.processEvents();
    if (!alive)
        return;
    calendar->move(conv::twipsToPixels(position.x()), conv::twipsToPixels(position.y()));
    m_context.runModal(*calendar);
    // The window is gone once closed; the next opening makes it anew.
    m_context.destroyCalendar();
    if (!alive)
        return;

    ResetPic();
    setValue(m_context.pickedValue());
    m_opening = false;
}

void KiroXPDTPicker::relayout() {
    if (m_inRelayout)
        return;
    m_inRelayout = true;
    const int widthTwips = clampedWidthTwips();
    placeButton(widthTwips);
    resize(conv::twipsToPixels(widthTwips), conv::twipsToPixels(315));
    textField()->setGeometry(conv::twipsToPixels(75),
                             conv::twipsToPixels(textTopTwips(controlFont().pointSizeF())),
                             conv::twipsToPixels(widthTwips - 375), conv::twipsToPixels(240));
    update();
    m_inRelayout = false;
}

void KiroXPDTPicker::resizeEvent(QResizeEvent*) {
    relayout();
}

void KiroXPDTPicker::initNewControl(const conv::AmbientProperties&) {
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
    m_value = 0;
    m_pattern = QStringLiteral("yyyy/mm/dd");
    setValue(m_context.todaySerial());
}

void KiroXPDTPicker::readProperties(const conv::PropertyBag& bag,
                                    const conv::AmbientProperties& ambient) {
    // On load the flag reaches the control window only: the button image and the outline keep
    // their enabled look.
    readWindowAndField(bag);
    textField()->setFont(
        bag.readFont(QStringLiteral("Font"), conv::FontValue::fromFont(ambient.font)).toFont());
    m_value = bag.readInt32(QStringLiteral("Value"), 0); // the stored text is what shows
    m_pattern = bag.readString(QStringLiteral("FormatDate"), QStringLiteral("yyyy/mm/dd"));
    relayout();
}

void KiroXPDTPicker::writeProperties(conv::PropertyBag& bag,
                                     const conv::AmbientProperties& ambient) const {
    writeWindowAndField(bag);
    bag.write(QStringLiteral("Font"), conv::FontValue::fromFont(controlFont()),
              conv::FontValue::fromFont(ambient.font));
    bag.write(QStringLiteral("Value"), m_value, qint16(0));
    bag.write(QStringLiteral("FormatDate"), m_pattern, QStringLiteral("yyyy/mm/dd"));
}

bool KiroXPDTPicker::dispatch(qint32 id, conv::DispatchKind kind, QVariant& value, QString* error) {
    using K = DispatchMember::Kind;
    return dispatchField(
        {{kDispFormatDate, "FormatDate", K::ReadWrite}, {kDispValue, "Value", K::ReadWrite}},
        {kDispText, kDispLocked, kDisphWnd, kDispEnabled, kDispResetPic}, id, kind, value, error);
}

} // namespace datora
