#include "FlatTextControl.h"

#include "TextLayout.h"
#include "conventions/Twips.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPainter>

namespace datora {

namespace {

const QColor kEnabledOutline(127, 157, 185);
const QColor kDisabledOutline(192, 192, 192);

} // namespace

FlatTextControl::FlatTextControl(QWidget* parent)
    : HostedWidget(parent)
    , m_field(new QLineEdit(QStringLiteral("0"), this))
    , m_outline(kEnabledOutline) {
    setMouseTracking(true);
    m_field->setFrame(false);
    m_field->setMouseTracking(true);
    m_field->installEventFilter(this);
    // The field stays white inside the white control when it is disabled.
    QPalette field = m_field->palette();
    field.setColor(QPalette::Base, Qt::white);
    m_field->setPalette(field);

    connect(m_field, &QLineEdit::textChanged, this, [this] {
        // A text written into the field (not typed: a write clears the modified flag) shows
        // its beginning when it is longer than the field, as typing shows the caret's end.
        if (!m_field->isModified())
            m_field->setCursorPosition(0);
        Q_EMIT Change();
    });
}

QString FlatTextControl::text() const {
    return m_field->text();
}

void FlatTextControl::setText(const QString& text) {
    m_field->setText(text);
    Q_EMIT propertyChanged(QStringLiteral("Text"));
}

bool FlatTextControl::locked() const {
    return m_field->isReadOnly();
}

void FlatTextControl::setLocked(bool locked) {
    m_field->setReadOnly(locked);
    Q_EMIT propertyChanged(QStringLiteral("Locked"));
}

qint32 FlatTextControl::windowHandle() const {
    return static_cast<qint32>(effectiveWinId());
}

bool FlatTextControl::enabledFlag() const {
    return !testAttribute(Qt::WA_ForceDisabled);
}

QFont FlatTextControl::controlFont() const {
    return m_field->font();
}

void FlatTextControl::showEnabledLook(bool enabled) {
    if (enabled) {
        ResetPic();
        m_outline = kEnabledOutline;
    } else {
        showDisabledPictures();
        m_outline = kDisabledOutline;
    }
    update();
}

void FlatTextControl::writeEnabled(bool enabled, std::initializer_list<QWidget*> buttons) {
    setEnabled(enabled);
    m_field->setEnabled(enabled);
    for (QWidget* button : buttons)
        button->setEnabled(enabled);
    showEnabledLook(enabled);
    Q_EMIT propertyChanged(QStringLiteral("Enabled"));
}

bool FlatTextControl::dispatchField(std::initializer_list<DispatchMember> own,
                                    const FieldMemberIds& ids, qint32 id, conv::DispatchKind kind,
                                    QVariant& value, QString* error) {
    for (const DispatchMember& member : own) {
        if (member.id == id)
            return dispatchMember(*this, own, id, kind, value, error);
    }
    using K = DispatchMember::Kind;
    return dispatchMember(*this,
                          {{ids.text, "Text", K::ReadWrite},
                           {ids.locked, "Locked", K::ReadWrite},
                           {ids.hWnd, "hWnd", K::ReadOnly},
                           {ids.enabled, "Enabled", K::ReadWrite},
                           {ids.resetPic, "ResetPic", K::Method},
                           {kDispatchFont, "Font", K::ReadWrite}},
                          id, kind, value, error);
}

int FlatTextControl::clampedWidthTwips() const {
    const int widthTwips = conv::pixelsToTwips(width());
    return widthTwips < kMinimumWidthTwips ? kMinimumWidthTwips : widthTwips;
}

void FlatTextControl::readWindowAndField(const conv::PropertyBag& bag) {
    setEnabled(bag.readBool(QStringLiteral("Enabled"), true));
    m_field->setReadOnly(bag.readBool(QStringLiteral("Locked"), false));
    m_field->setText(bag.readString(QStringLiteral("Text"), QStringLiteral("Text1")));
}

void FlatTextControl::writeWindowAndField(conv::PropertyBag& bag) const {
    bag.write(QStringLiteral("Enabled"), FlatTextControl::enabledFlag(), true);
    bag.write(QStringLiteral("Locked"), locked(), false);
    bag.write(QStringLiteral("Text"), text(), QStringLiteral("Text1"));
}

void FlatTextControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(m_outline);
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

void FlatTextControl::mouseMoveEvent(QMouseEvent*) {
    ResetPic();
}

bool FlatTextControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_field) {
        if (event->type() == QEvent::MouseMove)
            ResetPic();
        else if (event->type() == QEvent::FocusOut &&
                 static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            m_field->setCursorPosition(0); // left, the field shows its beginning again
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace datora
