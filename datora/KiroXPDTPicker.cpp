#include "KiroXPDTPicker.h"

#include "Artwork.h"
#include "CalendarPlacement.h"
#include "Dispatch.h"
#include "ImageBox.h"
#include "LibraryContext.h"
#include "MyForm.h"
#include "TextLayout.h"
#include "conventions/DatePattern.h"
#include "conventions/DateSerial.h"
#include "conventions/Twips.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>

namespace datora {

namespace {

const QColor kEnabledOutline(127, 157, 185);
const QColor kDisabledOutline(192, 192, 192);

} // namespace

KiroXPDTPicker::KiroXPDTPicker(LibraryContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_txtSpin(new QLineEdit(QStringLiteral("0"), this))
    , m_imgUp(new ImageBox(this)) {
    m_pictures[Normal] = dropButtonImage(ButtonLook::Normal);
    m_pictures[Hot] = dropButtonImage(ButtonLook::Hot);
    m_pictures[Pressed] = dropButtonImage(ButtonLook::Pressed);
    m_pictures[Disabled] = dropButtonImage(ButtonLook::Disabled);

    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
    setMouseTracking(true);

    m_txtSpin->setFrame(false);
    m_txtSpin->setMouseTracking(true);
    m_txtSpin->installEventFilter(this);
    m_txtSpin->setGeometry(conv::twipsRect(75, 60, 720, 240));
    m_imgUp->setGeometry(conv::twipsRect(840, 30, 255, 255));
    showButton(Normal);

    connect(m_txtSpin, &QLineEdit::textChanged, this, [this] { Q_EMIT Change(); });
    connect(m_imgUp, &ImageBox::moved, this, [this] { showButton(Hot); });
    connect(m_imgUp, &ImageBox::pressed, this, [this] {
        showButton(Pressed);
        m_openedByPress = true;
        openCalendar();
    });
    connect(m_imgUp, &ImageBox::clicked, this, [this] {
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

void KiroXPDTPicker::showButton(Picture picture) {
    m_imgUp->showPicture(picture, m_pictures[picture]);
}

void KiroXPDTPicker::ResetPic() {
    showButton(Normal);
}

void KiroXPDTPicker::setFormatDate(const QString& pattern) {
    m_pattern = pattern;
    setValue(m_value); // renders the text with the new pattern
    Q_EMIT propertyChanged(QStringLiteral("FormatDate"));
}

void KiroXPDTPicker::setValue(qint32 serial) {
    m_value = serial;
    m_txtSpin->setText(
        conv::formatDate(conv::fromDateSerial(serial), m_pattern, m_context.conventions()));
    Q_EMIT propertyChanged(QStringLiteral("Value"));
}

QString KiroXPDTPicker::text() const {
    return m_txtSpin->text();
}

void KiroXPDTPicker::setText(const QString& text) {
    m_txtSpin->setText(text);
    Q_EMIT propertyChanged(QStringLiteral("Text"));
}

bool KiroXPDTPicker::locked() const {
    return m_txtSpin->isReadOnly();
}

void KiroXPDTPicker::setLocked(bool locked) {
    m_txtSpin->setReadOnly(locked);
    Q_EMIT propertyChanged(QStringLiteral("Locked"));
}

qint32 KiroXPDTPicker::windowHandle() const {
    return static_cast<qint32>(effectiveWinId());
}

void KiroXPDTPicker::setEnabledFlag(bool enabled) {
    setEnabled(enabled);
    m_txtSpin->setEnabled(enabled);
    m_imgUp->setEnabled(enabled);
    if (enabled) {
        ResetPic();
        m_outline = kEnabledOutline;
    } else {
        showButton(Disabled);
        m_outline = kDisabledOutline;
    }
    update();
    Q_EMIT propertyChanged(QStringLiteral("Enabled"));
}

QFont KiroXPDTPicker::controlFont() const {
    return m_txtSpin->font();
}

void KiroXPDTPicker::setControlFont(const QFont& font) {
    QFont face = font;
    if (face.pointSizeF() > 10.0)
        face.setPointSizeF(10.0);
    m_txtSpin->setFont(face);
    Q_EMIT propertyChanged(QStringLiteral("Font"));
    relayout();
}

void KiroXPDTPicker::openCalendar() {
    if (m_opening || !enabledFlag())
        return;
    m_opening = true;
    const QPointer<KiroXPDTPicker> alive(this);

    PlacementInput placement;
    placement.buttonScreenPixels = m_imgUp->mapToGlobal(QPoint(0, 0));
    placement.screenPixels = m_context.screenGeometry(this).size();
    placement.buttonLeftTwips = conv::pixelsToTwips(m_imgUp->x());
    placement.buttonWidthTwips = conv::pixelsToTwips(m_imgUp->width());
    placement.buttonHeightTwips = conv::pixelsToTwips(m_imgUp->height());
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
    int widthTwips = conv::pixelsToTwips(width());
    if (widthTwips < kMinimumWidthTwips)
        widthTwips = kMinimumWidthTwips;
    m_imgUp->move(conv::twipsToPixels(widthTwips - 285), m_imgUp->y());
    resize(conv::twipsToPixels(widthTwips), conv::twipsToPixels(315));
    m_txtSpin->setGeometry(conv::twipsToPixels(75),
                           conv::twipsToPixels(textTopTwips(m_txtSpin->font().pointSizeF())),
                           conv::twipsToPixels(widthTwips - 375), conv::twipsToPixels(240));
    update();
    m_inRelayout = false;
}

void KiroXPDTPicker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(m_outline);
    painter.drawRect(0, 0, width() - 1, conv::twipsToPixels(315) - 1);
}

void KiroXPDTPicker::resizeEvent(QResizeEvent*) {
    relayout();
}

void KiroXPDTPicker::mouseMoveEvent(QMouseEvent*) {
    ResetPic();
}

bool KiroXPDTPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtSpin && event->type() == QEvent::MouseMove)
        ResetPic();
    return QWidget::eventFilter(watched, event);
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
    setEnabled(bag.readBool(QStringLiteral("Enabled"), true));
    m_txtSpin->setReadOnly(bag.readBool(QStringLiteral("Locked"), false));
    m_txtSpin->setText(bag.readString(QStringLiteral("Text"), QStringLiteral("Text1")));
    m_txtSpin->setFont(
        bag.readFont(QStringLiteral("Font"), conv::FontValue::fromFont(ambient.font)).toFont());
    m_value = bag.readInt32(QStringLiteral("Value"), 0); // the stored text is what shows
    m_pattern = bag.readString(QStringLiteral("FormatDate"), QStringLiteral("yyyy/mm/dd"));
    relayout();
}

void KiroXPDTPicker::writeProperties(conv::PropertyBag& bag,
                                     const conv::AmbientProperties& ambient) const {
    bag.write(QStringLiteral("Enabled"), enabledFlag(), true);
    bag.write(QStringLiteral("Locked"), locked(), false);
    bag.write(QStringLiteral("Text"), text(), QStringLiteral("Text1"));
    bag.write(QStringLiteral("Font"), conv::FontValue::fromFont(controlFont()),
              conv::FontValue::fromFont(ambient.font));
    bag.write(QStringLiteral("Value"), m_value, qint16(0));
    bag.write(QStringLiteral("FormatDate"), m_pattern, QStringLiteral("yyyy/mm/dd"));
}

bool KiroXPDTPicker::dispatch(qint32 id, conv::DispatchKind kind, QVariant& value, QString* error) {
    using K = DispatchMember::Kind;
    return dispatchMember(*this,
                          {{kDispFormatDate, "FormatDate", K::ReadWrite},
                           {kDispValue, "Value", K::ReadWrite},
                           {kDispText, "Text", K::ReadWrite},
                           {kDispLocked, "Locked", K::ReadWrite},
                           {kDisphWnd, "hWnd", K::ReadOnly},
                           {kDispEnabled, "Enabled", K::ReadWrite},
                           {kDispResetPic, "ResetPic", K::Method},
                           {kDispatchFont, "Font", K::ReadWrite}},
                          id, kind, value, error);
}

} // namespace datora
