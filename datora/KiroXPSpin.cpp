#include "KiroXPSpin.h"

#include "Artwork.h"
#include "ImageBox.h"
#include "LibraryContext.h"
#include "TextLayout.h"
#include "conventions/NumericText.h"
#include "conventions/Twips.h"

#include <QLineEdit>
#include <QLocale>

namespace datora {

namespace {

// The number as the system writes it: the shortest form, with the system's decimal mark.
QString numberText(double value) {
    QString text = conv::shortestDecimal(value);
    const QString mark = QLocale::system().decimalPoint();
    if (mark != QLatin1String("."))
        text.replace(QLatin1Char('.'), mark);
    return text;
}

} // namespace

KiroXPSpin::KiroXPSpin(LibraryContext&, QWidget* parent)
    : FlatTextControl(parent)
    , m_text1(new QLineEdit(QStringLiteral("Text1"), this))
    , m_imgUp(new ImageBox(this))
    , m_imgDown(new ImageBox(this)) {
    m_pictures[DownHot] = spinArrowImage(false, ButtonLook::Hot);
    m_pictures[DownNormal] = spinArrowImage(false, ButtonLook::Normal);
    m_pictures[UpNormal] = spinArrowImage(true, ButtonLook::Normal);
    m_pictures[DownPressed] = spinArrowImage(false, ButtonLook::Pressed);
    m_pictures[UpPressed] = spinArrowImage(true, ButtonLook::Pressed);
    m_pictures[UpHot] = spinArrowImage(true, ButtonLook::Hot);
    m_pictures[UpDisabled] = spinArrowImage(true, ButtonLook::Disabled);
    m_pictures[DownDisabled] = spinArrowImage(false, ButtonLook::Disabled);

    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);

    textField()->setGeometry(conv::twipsRect(75, 60, 720, 210));
    // Hidden outside the visible area, it takes the focus after each arrow click.
    m_text1->setGeometry(conv::twipsRect(1440, 1770, 915, 285));
    setTabOrder(textField(), m_text1);

    m_imgUp->setGeometry(conv::twipsRect(870, 30, 225, 135));
    m_imgDown->setGeometry(conv::twipsRect(870, 165, 225, 135));
    showArrow(m_imgUp, UpNormal);
    showArrow(m_imgDown, DownNormal);

    connect(m_imgUp, &ImageBox::pressed, this, [this] { showArrow(m_imgUp, UpPressed); });
    connect(m_imgDown, &ImageBox::pressed, this, [this] { showArrow(m_imgDown, DownPressed); });
    connect(m_imgUp, &ImageBox::clicked, this, &KiroXPSpin::stepUp);
    connect(m_imgDown, &ImageBox::clicked, this, &KiroXPSpin::stepDown);
    connect(m_imgUp, &ImageBox::moved, this, [this] {
        showArrow(m_imgUp, UpHot);
        showArrow(m_imgDown, DownNormal);
    });
    connect(m_imgDown, &ImageBox::moved, this, [this] {
        showArrow(m_imgDown, DownHot);
        showArrow(m_imgUp, UpNormal);
    });

    resize(conv::twipsToPixels(1125), conv::twipsToPixels(330));
    relayout();
}

void KiroXPSpin::showArrow(ImageBox* box, Picture picture) {
    box->showPicture(picture, m_pictures[picture]);
}

double KiroXPSpin::value() const {
    return conv::leadingNumber(text());
}

void KiroXPSpin::setValue(double value) {
    textField()->setText(numberText(value));
    Q_EMIT propertyChanged(QStringLiteral("Value"));
}

void KiroXPSpin::setLargeChange(double step) {
    m_largeChange = step;
    Q_EMIT propertyChanged(QStringLiteral("LargeChange"));
}

void KiroXPSpin::setMinimum(qint32 minimum) {
    m_min = minimum;
    Q_EMIT propertyChanged(QStringLiteral("Min"));
}

void KiroXPSpin::setMaximum(qint32 maximum) {
    m_max = maximum;
    Q_EMIT propertyChanged(QStringLiteral("Max"));
}

void KiroXPSpin::setEnabledFlag(bool enabled) {
    writeEnabled(enabled, {m_imgUp, m_imgDown});
}

void KiroXPSpin::showDisabledPictures() {
    showArrow(m_imgUp, UpDisabled);
    showArrow(m_imgDown, DownDisabled);
}

void KiroXPSpin::setControlFont(const QFont& font) {
    textField()->setFont(font);
    Q_EMIT propertyChanged(QStringLiteral("Font"));
    relayout();
}

void KiroXPSpin::ResetPic() {
    if (m_imgUp->pictureIndex() != UpNormal || m_imgDown->pictureIndex() != DownNormal) {
        showArrow(m_imgUp, UpNormal);
        showArrow(m_imgDown, DownNormal);
    }
}

void KiroXPSpin::stepUp() {
    m_text1->setFocus(Qt::OtherFocusReason);
    const double current = value();
    if (current < m_max)
        setValue(current + m_largeChange);
}

void KiroXPSpin::stepDown() {
    m_text1->setFocus(Qt::OtherFocusReason);
    const double current = value();
    if (current > m_min)
        setValue(current - m_largeChange);
}

void KiroXPSpin::relayout() {
    if (m_inRelayout)
        return;
    m_inRelayout = true;
    const int widthTwips = clampedWidthTwips();
    const int left = conv::twipsToPixels(widthTwips - 255);
    m_imgUp->move(left, m_imgUp->y());
    m_imgDown->move(left, m_imgDown->y());
    textField()->setGeometry(conv::twipsToPixels(75),
                             conv::twipsToPixels(textTopTwips(controlFont().pointSizeF())),
                             conv::twipsToPixels(widthTwips - 345), conv::twipsToPixels(210));
    resize(conv::twipsToPixels(widthTwips), conv::twipsToPixels(330));
    update();
    m_inRelayout = false;
}

void KiroXPSpin::resizeEvent(QResizeEvent*) {
    relayout();
}

void KiroXPSpin::initNewControl(const conv::AmbientProperties&) {
    m_max = 32000;
    m_min = -32000;
    m_decimal = 0;
    m_largeChange = 1.0;
    m_storedValue = 0.0;
}

void KiroXPSpin::readProperties(const conv::PropertyBag& bag,
                                const conv::AmbientProperties& ambient) {
    // On load the flag reaches the control window only; images and outline keep their look.
    readWindowAndField(bag);
    m_max = bag.readInt32(QStringLiteral("Max"), 32000);
    m_min = bag.readInt32(QStringLiteral("Min"), -32000);
    m_decimal = bag.readInt16(QStringLiteral("Decimal"), 0);
    m_largeChange = bag.readDouble(QStringLiteral("LargeChange"), 1.0);
    m_storedValue = bag.readDouble(QStringLiteral("Value"), 0.0);
    textField()->setFont(
        bag.readFont(QStringLiteral("Font"), conv::FontValue::fromFont(ambient.font)).toFont());
    relayout();
}

void KiroXPSpin::writeProperties(conv::PropertyBag& bag,
                                 const conv::AmbientProperties& ambient) const {
    writeWindowAndField(bag);
    bag.write(QStringLiteral("Max"), m_max, qint16(32000));
    bag.write(QStringLiteral("Min"), m_min, qint16(-32000));
    bag.write(QStringLiteral("Decimal"), m_decimal, qint16(0));
    bag.write(QStringLiteral("LargeChange"), m_largeChange, qint16(1));
    bag.write(QStringLiteral("Value"), m_storedValue, qint16(0));
    bag.write(QStringLiteral("Font"), conv::FontValue::fromFont(controlFont()),
              conv::FontValue::fromFont(ambient.font));
}

bool KiroXPSpin::dispatch(qint32 id, conv::DispatchKind kind, QVariant& value, QString* error) {
    using K = DispatchMember::Kind;
    return dispatchField({{kDispValue, "Value", K::ReadWrite},
                          {kDispLargeChange, "LargeChange", K::ReadWrite},
                          {kDispMin, "Min", K::ReadWrite},
                          {kDispMax, "Max", K::ReadWrite}},
                         {kDispText, kDispLocked, kDisphWnd, kDispEnabled, kDispResetPic}, id, kind,
                         value, error);
}

} // namespace datora
