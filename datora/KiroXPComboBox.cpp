#include "KiroXPComboBox.h"

#include "DropList.h"
#include "ImageBox.h"
#include "LibraryContext.h"
#include "TextLayout.h"
#include "VbInput.h"
#include "conventions/ColourRef.h"
#include "conventions/Twips.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace datora {

namespace {

// The white face that covers the list's own combo box and draws the outline.
class FacePanel final : public QWidget {
public:
    explicit FacePanel(FlatTextControl* control)
        : QWidget(control)
        , m_control(control) {
        setAutoFillBackground(true);
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(m_control->outlineColour());
        // The frame is 315 twips high although the panel reaches further down.
        painter.drawRect(0, 0, width() - 1, conv::twipsToPixels(315) - 1);
    }

private:
    const FlatTextControl* m_control;
};

} // namespace

KiroXPComboBox::KiroXPComboBox(LibraryContext& context, QWidget* parent)
    : DropDownControl(parent)
    , m_context(context)
    , m_combo1(new QComboBox(this))
    , m_dropList(new DropList(m_combo1->model(), dropButton(), this))
    , m_backMain(new FacePanel(this))
    , m_foreColor(conv::systemColourRef(conv::SystemColour::WindowText)) {
    m_combo1->setEditable(false);
    m_combo1->setFocusPolicy(Qt::NoFocus);
    // With a placeholder the combo box does not select its first entry by itself when entries
    // are added to an empty list: nothing is chosen until someone chooses.
    m_combo1->setPlaceholderText(QStringLiteral("Combo1"));
    m_backMain->raise();
    m_backMain->installEventFilter(this);

    // The field and the button lie on the face, over the list's own combo box.
    textField()->setParent(m_backMain);
    textField()->move(conv::twipsToPixels(75), conv::twipsToPixels(60));
    dropButton()->setParent(m_backMain);
    applyColours(true);

    connect(m_dropList, &DropList::picked, this, &KiroXPComboBox::pick);
    connect(dropButton(), &ImageBox::pressed, this, [this] {
        showButton(Pressed);
        OpenCombo();
    });

    resize(conv::twipsToPixels(1125), conv::twipsToPixels(315));
    relayout();
}

void KiroXPComboBox::applyColours(bool background) {
    QPalette field = textField()->palette();
    field.setColor(QPalette::Base, conv::colourFromRef(m_backColor, palette()));
    field.setColor(QPalette::Text, conv::colourFromRef(m_foreColor, palette()));
    textField()->setPalette(field);
    if (background) {
        QPalette face = m_backMain->palette();
        face.setColor(QPalette::Window, conv::colourFromRef(m_backColor, palette()));
        m_backMain->setPalette(face);
    }
}

void KiroXPComboBox::AddItem(const QString& item, const QVariant& index) {
    if (index.isValid())
        m_combo1->insertItem(index.toInt(), item);
    else
        m_combo1->addItem(item);
}

void KiroXPComboBox::Clear() {
    m_combo1->clear();
}

bool KiroXPComboBox::isListDropped() const {
    return m_dropList->isVisible();
}

void KiroXPComboBox::OpenCombo() {
    if (isListDropped()) {
        m_dropList->close();
        return;
    }
    const QRect control(mapToGlobal(QPoint(0, 0)), size());
    m_dropList->open(
        dropListGeometry(control, m_dropList->preferredHeight(), m_context.screenGeometry(this)),
        m_combo1->currentIndex());
}

void KiroXPComboBox::pick(int index) {
    m_combo1->setCurrentIndex(index);
    textField()->setText(m_combo1->itemText(index));
}

qint16 KiroXPComboBox::listIndex() const {
    return static_cast<qint16>(m_combo1->currentIndex());
}

bool KiroXPComboBox::trySetListIndex(qint16 index, QString* error) {
    if (index < -1 || index >= m_combo1->count()) {
        if (error)
            *error = QStringLiteral("Invalid ListIndex %1: the list has %2 entries")
                         .arg(index)
                         .arg(m_combo1->count());
        return false;
    }
    m_combo1->setCurrentIndex(index);
    if (m_combo1->currentIndex() >= 0)
        textField()->setText(m_combo1->currentText());
    Q_EMIT propertyChanged(QStringLiteral("ListIndex"));
    return true;
}

void KiroXPComboBox::setListIndex(qint16 index) {
    trySetListIndex(index, nullptr);
}

qint16 KiroXPComboBox::listCount() const {
    return static_cast<qint16>(m_combo1->count());
}

QString KiroXPComboBox::itemText(int index) const {
    return m_combo1->itemText(index);
}

void KiroXPComboBox::setBackColor(uint ref) {
    m_backColor = ref;
    applyColours(true);
    Q_EMIT propertyChanged(QStringLiteral("BackColor"));
}

void KiroXPComboBox::setForeColor(uint ref) {
    m_foreColor = ref;
    applyColours(false);
    Q_EMIT propertyChanged(QStringLiteral("ForeColor"));
}

void KiroXPComboBox::setControlFont(const QFont& font) {
    textField()->setFont(font);
    m_combo1->setFont(font);
    m_dropList->setFont(font);
    relayout();
    Q_EMIT propertyChanged(QStringLiteral("Font"));
}

void KiroXPComboBox::setMaxLength(qint32 length) {
    m_maxLength = length;
    textField()->setMaxLength(length > 0 ? length : 32767);
    Q_EMIT propertyChanged(QStringLiteral("MaxLength"));
}

QString KiroXPComboBox::toolTipText() const {
    return textField()->toolTip();
}

void KiroXPComboBox::setToolTipText(const QString& text) {
    textField()->setToolTip(text);
    Q_EMIT propertyChanged(QStringLiteral("ToolTipText"));
}

void KiroXPComboBox::setFieldName(const QString& name) {
    m_fieldName = name;
    Q_EMIT propertyChanged(QStringLiteral("FieldName"));
}

void KiroXPComboBox::setEnabledFlag(bool enabled) {
    m_enabled = enabled;
    Q_EMIT propertyChanged(QStringLiteral("Enabled"));
    // Only typing is switched: the control and its button stay live, so the list still opens.
    textField()->setEnabled(enabled);
    showEnabledLook(enabled);
    m_backMain->update();
}

void KiroXPComboBox::relayout() {
    if (m_inRelayout)
        return;
    m_inRelayout = true;
    const int widthTwips = clampedWidthTwips();
    const int widthPixels = conv::twipsToPixels(widthTwips);
    placeButton(widthTwips);
    m_backMain->setGeometry(0, 0, widthPixels, conv::twipsToPixels(465));
    m_combo1->setGeometry(0, conv::twipsToPixels(30), widthPixels, m_combo1->sizeHint().height());
    resize(widthPixels, conv::twipsToPixels(315));
    textField()->setGeometry(conv::twipsToPixels(75),
                             conv::twipsToPixels(textTopTwips(controlFont().pointSizeF())),
                             conv::twipsToPixels(widthTwips - 375), conv::twipsToPixels(195));
    m_backMain->update();
    m_inRelayout = false;
}

void KiroXPComboBox::resizeEvent(QResizeEvent*) {
    relayout();
}

bool KiroXPComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_backMain && event->type() == QEvent::MouseMove) {
        ResetPic();
    } else if (watched == textField()) {
        switch (event->type()) {
        case QEvent::MouseMove: {
            // Raised before the base puts the button back to normal.
            const MouseArgs args = moveArgs(*static_cast<QMouseEvent*>(event));
            Q_EMIT MouseMove(args.button, args.shift, args.x, args.y);
            break;
        }
        case QEvent::MouseButtonPress: {
            const MouseArgs args = pressArgs(*static_cast<QMouseEvent*>(event));
            Q_EMIT MouseDown(args.button, args.shift, args.x, args.y);
            break;
        }
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (textField()->rect().contains(mouse->position().toPoint()))
                Q_EMIT Click();
            break;
        }
        default:
            break;
        }
    }
    return DropDownControl::eventFilter(watched, event);
}

void KiroXPComboBox::initNewControl(const conv::AmbientProperties&) {
    m_enabled = false;
}

void KiroXPComboBox::readProperties(const conv::PropertyBag& bag,
                                    const conv::AmbientProperties& ambient) {
    textField()->setText(bag.readString(QStringLiteral("Text"), QStringLiteral("0")));
    m_backColor = bag.readColour(QStringLiteral("BackColor"), conv::colourRef(255, 255, 255));
    textField()->setFont(
        bag.readFont(QStringLiteral("Font"), conv::FontValue::fromFont(ambient.font)).toFont());
    m_combo1->setFont(controlFont());
    m_dropList->setFont(controlFont());
    m_foreColor = bag.readColour(QStringLiteral("ForeColor"),
                                 conv::systemColourRef(conv::SystemColour::WindowText));
    applyColours(false); // the loaded background reaches the field only
    // The list is empty while loading, so only "no selection" can be restored.
    const qint16 index = bag.readInt16(QStringLiteral("ListIndex"), -1);
    if (index >= -1 && index < m_combo1->count())
        m_combo1->setCurrentIndex(index);
    textField()->setReadOnly(bag.readBool(QStringLiteral("Locked"), false));
    m_maxLength = bag.readInt32(QStringLiteral("MaxLength"), 0);
    textField()->setMaxLength(m_maxLength > 0 ? m_maxLength : 32767);
    textField()->setToolTip(bag.readString(QStringLiteral("ToolTipText"), QString()));
    m_fieldName = bag.readString(QStringLiteral("FieldName"), QString());
    relayout();
    m_enabled = bag.readBool(QStringLiteral("Enabled"), false);
}

void KiroXPComboBox::writeProperties(conv::PropertyBag& bag,
                                     const conv::AmbientProperties& ambient) const {
    bag.write(QStringLiteral("Text"), text(), QStringLiteral("0"));
    bag.write(QStringLiteral("BackColor"), conv::ColourValue{m_backColor},
              conv::ColourValue{conv::colourRef(255, 255, 255)});
    bag.write(QStringLiteral("Font"), conv::FontValue::fromFont(controlFont()),
              conv::FontValue::fromFont(ambient.font));
    bag.write(QStringLiteral("ForeColor"), conv::ColourValue{m_foreColor},
              conv::ColourValue{conv::systemColourRef(conv::SystemColour::WindowText)});
    bag.write(QStringLiteral("ListIndex"), listIndex(), qint16(-1));
    bag.write(QStringLiteral("Locked"), locked(), false);
    bag.write(QStringLiteral("MaxLength"), m_maxLength, qint16(0));
    bag.write(QStringLiteral("ToolTipText"), toolTipText(), QString());
    bag.write(QStringLiteral("FieldName"), m_fieldName, QString());
    // The default is a 16-bit 0, which equals False: a False flag is not stored.
    bag.write(QStringLiteral("Enabled"), m_enabled, false);
}

} // namespace datora
