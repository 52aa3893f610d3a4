#include "CommandButton.h"

#include "DesignFonts.h"
#include "Dispatch.h"
#include "LibraryContext.h"
#include "VbInput.h"
#include "conventions/ColourRef.h"
#include "conventions/Twips.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>

namespace datora {

CommandButton::CommandButton(LibraryContext& context, QWidget* parent)
    : HostedWidget(parent)
    , m_context(context)
    , m_hoverTimer(context.timers().createTimer())
    , m_foreColor(conv::systemColourRef(conv::SystemColour::WindowFrame))
    , m_font(tahoma()) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_hoverTimer->setInterval(1);
    connect(m_hoverTimer.get(), &conv::Timer::timeout, this, &CommandButton::hoverTick);
    resize(conv::twipsToPixels(1215), conv::twipsToPixels(375));
    redraw(0);
}

CommandButton::~CommandButton() = default;

void CommandButton::setForeHover(uint ref) {
    m_foreHover = ref;
    Q_EMIT propertyChanged(QStringLiteral("ForeHover"));
}

void CommandButton::setForeColor(uint ref) {
    m_foreColor = ref;
    redraw(0);
    Q_EMIT propertyChanged(QStringLiteral("ForeColor"));
}

void CommandButton::setCaption(const QString& caption) {
    m_caption = caption;
    redraw(0);
    setAccessKey();
    Q_EMIT propertyChanged(QStringLiteral("Caption"));
}

void CommandButton::setControlFont(const QFont& font) {
    m_font = font;
    redraw(0);
    Q_EMIT propertyChanged(QStringLiteral("Font"));
}

void CommandButton::setEnabledFlag(bool enabled) {
    m_enabled = enabled;
    Q_EMIT propertyChanged(QStringLiteral("Enabled"));
    setEnabled(enabled);
    redraw(0);
}

QString CommandButton::accessKeyOf(const QString& caption) {
    if (caption.size() <= 1)
        return {};
    const qsizetype a = caption.indexOf(QLatin1Char('&'));
    if (a < 0 || a == caption.size() - 1)
        return {};
    if (caption.at(a + 1) != QLatin1Char('&'))
        return caption.at(a + 1).toLower();
    // A doubled ampersand is a plain one; the key is marked by the next single one.
    const qsizetype c = caption.indexOf(QLatin1Char('&'), a + 2);
    if (c < 0 || c == caption.size() - 1)
        return {};
    if (caption.at(c + 1) == QLatin1Char('&'))
        return {};
    return caption.at(c + 1).toLower();
}

void CommandButton::setAccessKey() {
    if (m_shortcutId != 0) {
        releaseShortcut(m_shortcutId);
        m_shortcutId = 0;
    }
    m_accessKey = accessKeyOf(m_caption);
    if (!m_accessKey.isEmpty())
        m_shortcutId = grabShortcut(QKeySequence(QStringLiteral("Alt+") + m_accessKey.toUpper()));
}

void CommandButton::pressAccessKey() {
    if (!m_enabled)
        return;
    m_lastButton = kLeftButton;
    redraw(0);
    repaint();
    Q_EMIT Click();
}

bool CommandButton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        pressAccessKey();
        return true;
    }
    return QWidget::event(event);
}

void CommandButton::redraw(int state) {
    ButtonFace face;
    face.enabled = m_enabled;
    face.isHot = m_isHot;
    face.hasFocus = m_hasFocus;
    face.lastButton = m_lastButton;
    face.background = conv::systemColour(int(conv::SystemColour::Window), palette());
    face.foreColor = conv::colourFromRef(m_foreColor, palette());
    face.foreHover = conv::colourFromRef(m_foreHover, palette());
    face.caption = m_caption;
    face.font = m_font;
    m_image = paintButton(size(), face, state);
    setMask(buttonpaint::windowShape(width(), height()));
    update();
}

void CommandButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void CommandButton::resizeEvent(QResizeEvent*) {
    redraw(0);
}

void CommandButton::showEvent(QShowEvent*) {
    redraw(0);
}

void CommandButton::press(qint16 button, qint16 shift, float x, float y) {
    m_lastButton = button;
    repaint();
    if (button != kRightButton)
        redraw(1);
    Q_EMIT MouseDown(button, shift, x, y);
}

void CommandButton::mousePressEvent(QMouseEvent* event) {
    if (!m_enabled)
        return;
    const MouseArgs args = pressArgs(*event);
    m_releaseOfDouble = false;
    press(args.button, args.shift, args.x, args.y);
}

void CommandButton::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!m_enabled || m_lastButton != kLeftButton)
        return;
    // The second press of a double click shows the pressed look again; the pair of clicks
    // still counts as one click.
    m_releaseOfDouble = true;
    press(kLeftButton, 0, 0.0f, 0.0f);
    event->accept();
}

void CommandButton::mouseReleaseEvent(QMouseEvent* event) {
    const MouseArgs args = pressArgs(*event);
    redraw(0);
    repaint();
    Q_EMIT MouseUp(args.button, args.shift, args.x, args.y);
    const bool click = !m_releaseOfDouble && rect().contains(event->position().toPoint()) &&
                       event->button() == Qt::LeftButton && m_lastButton == kLeftButton;
    m_releaseOfDouble = false;
    if (click) {
        redraw(0);
        repaint();
        Q_EMIT Click();
    }
}

bool CommandButton::pointerOver(const QPoint& globalPosition) const {
    return m_context.widgetAt(globalPosition) == this;
}

void CommandButton::mouseMoveEvent(QMouseEvent* event) {
    const MouseArgs args = moveArgs(*event);
    const qint16 buttons = args.button;
    if (buttons != 0 && buttons != kLeftButton) {
        Q_EMIT MouseMove(args.button, args.shift, args.x, args.y);
        return;
    }
    const bool over = pointerOver(event->globalPosition().toPoint());
    if (over && m_insideSeen == 1)
        return;
    if (!over && m_insideSeen == 0)
        return;
    if (over) {
        m_insideSeen = 1;
        if (buttons == 0 && !m_isHot) {
            m_hoverTimer->start();
            m_isHot = true;
            m_insideSeen = 0;
            redraw(0);
            Q_EMIT MouseOver();
        } else if (buttons == kLeftButton) {
            m_isHot = true;
            redraw(1);
            m_isHot = false;
        }
    } else {
        redraw(0);
    }
    Q_EMIT MouseMove(args.button, args.shift, args.x, args.y);
}

void CommandButton::hoverTick() {
    if (pointerOver(m_context.cursorPosition()))
        return;
    m_hoverTimer->stop();
    m_isHot = false;
    m_insideSeen = 0;
    redraw(0);
    Q_EMIT MouseOut();
}

void CommandButton::focusInEvent(QFocusEvent*) {
    m_hasFocus = true;
    redraw(1);
}

void CommandButton::focusOutEvent(QFocusEvent*) {
    m_hasFocus = false;
    redraw(0);
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    const qint16 code = keyCode(*event);
    const qint16 shift = shiftState(event->modifiers());
    m_lastKeyCode = code;
    if (code == kKeySpace || code == kKeyEnter)
        redraw(1);
    else if (code == kKeyLeft || code == kKeyRight)
        focusNextPrevChild(true);
    else if (code == kKeyUp || code == kKeyDown)
        focusNextPrevChild(false);
    Q_EMIT KeyDown(code, shift);
    const QString text = event->text();
    if (text.size() == 1 && text.at(0).unicode() < 256)
        Q_EMIT KeyPress(static_cast<qint16>(text.at(0).unicode()));
}

void CommandButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    const qint16 code = keyCode(*event);
    if ((code == kKeyEnter && m_lastKeyCode == kKeyEnter) ||
        (code == kKeySpace && m_lastKeyCode == kKeySpace)) {
        redraw(0);
        m_lastButton = kLeftButton;
        repaint();
        Q_EMIT Click();
    }
    Q_EMIT KeyUp(code, shiftState(event->modifiers()));
}

void CommandButton::initNewControl(const conv::AmbientProperties& ambient) {
    m_font = ambient.font;
    m_caption = QStringLiteral("Command") + ambient.displayName.mid(13);
    m_enabled = true;
    setEnabled(true);
    setAccessKey();
    redraw(0);
}

void CommandButton::readProperties(const conv::PropertyBag& bag,
                                   const conv::AmbientProperties& ambient) {
    m_enabled = bag.readBool(QStringLiteral("Enabled"), true);
    m_font = bag.readFont(QStringLiteral("Font"), conv::FontValue::fromFont(ambient.font)).toFont();
    m_caption = bag.readString(QStringLiteral("Caption"), ambient.displayName);
    m_foreColor = bag.readColour(QStringLiteral("ForeColor"), conv::colourRef(ambient.foreColor));
    m_foreHover = bag.readColour(QStringLiteral("ForeHover"), m_foreColor);
    setEnabled(m_enabled);
    setAccessKey();
    redraw(0);
}

void CommandButton::writeProperties(conv::PropertyBag& bag,
                                    const conv::AmbientProperties& ambient) const {
    bag.write(QStringLiteral("Enabled"), m_enabled, true);
    bag.write(QStringLiteral("Font"), conv::FontValue::fromFont(m_font),
              conv::FontValue::fromFont(ambient.font));
    bag.write(QStringLiteral("Caption"), m_caption, ambient.displayName);
    bag.write(QStringLiteral("ForeColor"), conv::ColourValue{m_foreColor});
    bag.write(QStringLiteral("ForeHover"), conv::ColourValue{m_foreHover},
              conv::ColourValue{m_foreColor});
}

bool CommandButton::dispatch(qint32 id, conv::DispatchKind kind, QVariant& value, QString* error) {
    using K = DispatchMember::Kind;
    return dispatchMember(*this,
                          {{kDispForeHover, "ForeHover", K::ReadWrite},
                           {kDispForeColor, "ForeColor", K::ReadWrite},
                           {kDispCaption, "Caption", K::ReadWrite},
                           {kDispFont, "Font", K::ReadWrite},
                           {kDispEnabled, "Enabled", K::ReadWrite}},
                          id, kind, value, error);
}

} // namespace datora
