#include "LbDate.h"

#include "Artwork.h"
#include "DesignFonts.h"
#include "VbInput.h"
#include "conventions/ColourRef.h"
#include "conventions/Twips.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace datora {

LbDate::LbDate(LibraryContext&, QWidget* parent)
    : HostedWidget(parent)
    , m_lbData(new QLabel(QStringLiteral("31"), this))
    , m_marker(todayMarkerImage()) {
    m_lbData->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_lbData->setFont(msSansSerif());
    m_lbData->setAttribute(Qt::WA_TranslucentBackground);
    m_lbData->installEventFilter(this);
    applyForeColor();
    resize(conv::twipsToPixels(345), conv::twipsToPixels(255));
    RePos();
}

QString LbDate::value() const {
    return m_lbData->text();
}

void LbDate::setValue(const QString& value) {
    m_lbData->setText(value);
    Q_EMIT propertyChanged(QStringLiteral("Value"));
}

void LbDate::setTanggal(const QString& serial) {
    m_tanggal = serial;
    Q_EMIT propertyChanged(QStringLiteral("Tanggal"));
}

void LbDate::applyForeColor() {
    QPalette colours = m_lbData->palette();
    colours.setColor(QPalette::WindowText, m_foreColor);
    m_lbData->setPalette(colours);
}

void LbDate::setForeColor(const QColor& colour) {
    m_foreColor = colour;
    applyForeColor();
    Q_EMIT propertyChanged(QStringLiteral("ForeColor"));
}

void LbDate::setBackColor(const QColor& colour) {
    m_backColor = colour;
    update();
    // Reported under its own name, although the design stores it as "BackHot".
    Q_EMIT propertyChanged(QStringLiteral("BackColor"));
}

QFont LbDate::controlFont() const {
    return m_lbData->font();
}

void LbDate::setControlFont(const QFont& font) {
    m_lbData->setFont(font);
    Q_EMIT propertyChanged(QStringLiteral("Font"));
}

bool LbDate::fontBold() const {
    return m_lbData->font().bold();
}

void LbDate::setFontBold(bool bold) {
    QFont font = m_lbData->font();
    font.setBold(bold);
    m_lbData->setFont(font);
    Q_EMIT propertyChanged(QStringLiteral("FontBold"));
}

void LbDate::setEnabledFlag(bool enabled) {
    setEnabled(enabled);
    Q_EMIT propertyChanged(QStringLiteral("Enabled"));
}

void LbDate::SetPicture(bool isNow) {
    m_picture = isNow ? m_marker : QImage();
    update();
}

void LbDate::RePos() {
    const int width = conv::twipsToPixels(345);
    const int height = conv::twipsToPixels(255);
    if (size() != QSize(width, height))
        resize(width, height);
    m_lbData->setGeometry(0, conv::twipsToPixels(30), width, conv::twipsToPixels(195));
}

void LbDate::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_backColor);
    if (!m_picture.isNull())
        painter.drawImage(0, 0, m_picture);
}

void LbDate::resizeEvent(QResizeEvent*) {
    RePos();
}

bool LbDate::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_lbData)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const MouseArgs args = pressArgs(*static_cast<QMouseEvent*>(event));
        m_pressInside = true;
        Q_EMIT MouseDown(args.button, args.shift, args.x, args.y);
        return true;
    }
    case QEvent::MouseMove: {
        const MouseArgs args = moveArgs(*static_cast<QMouseEvent*>(event));
        Q_EMIT MouseMove(args.button, args.shift, args.x, args.y);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool click = m_pressInside && m_lbData->rect().contains(mouse->position().toPoint());
        m_pressInside = false;
        if (click)
            Q_EMIT Click();
        return true;
    }
    case QEvent::MouseButtonDblClick:
        m_pressInside = false;
        Q_EMIT DblClick();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void LbDate::initNewControl(const conv::AmbientProperties& ambient) {
    m_lbData->setFont(ambient.font);
}

void LbDate::readProperties(const conv::PropertyBag& bag, const conv::AmbientProperties& ambient) {
    const QPalette none;
    m_backColor = conv::colourFromRef(
        bag.readColour(QStringLiteral("BackHot"), conv::colourRef(236, 233, 216)), none);
    m_foreColor = conv::colourFromRef(
        bag.readColour(QStringLiteral("ForeColor"), conv::colourRef(255, 255, 255)), none);
    applyForeColor();
    m_lbData->setText(bag.readString(QStringLiteral("Value"), QStringLiteral("31")));
    QFont font =
        bag.readFont(QStringLiteral("Font"), conv::FontValue::fromFont(ambient.font)).toFont();
    font.setBold(bag.readBool(QStringLiteral("FontBold"), false));
    m_lbData->setFont(font);
    m_tanggal = bag.readString(QStringLiteral("Tanggal"), QStringLiteral("0"));
    setEnabled(bag.readBool(QStringLiteral("Enabled"), true));
    update();
}

void LbDate::writeProperties(conv::PropertyBag& bag, const conv::AmbientProperties& ambient) const {
    bag.write(QStringLiteral("BackHot"), conv::ColourValue{conv::colourRef(m_backColor)},
              conv::ColourValue{conv::colourRef(236, 233, 216)});
    bag.write(QStringLiteral("ForeColor"), conv::ColourValue{conv::colourRef(m_foreColor)},
              conv::ColourValue{conv::colourRef(255, 255, 255)});
    bag.write(QStringLiteral("Value"), value(), QStringLiteral("31"));
    bag.write(QStringLiteral("Font"), conv::FontValue::fromFont(controlFont()),
              conv::FontValue::fromFont(ambient.font));
    // The default is a 16-bit 0, which equals False: a regular face stores nothing.
    bag.write(QStringLiteral("FontBold"), fontBold(), false);
    bag.write(QStringLiteral("Tanggal"), m_tanggal, QStringLiteral("0"));
    bag.write(QStringLiteral("Enabled"), enabledFlag(), true);
}

} // namespace datora
