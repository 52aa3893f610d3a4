#include "controls/Run_At_StartUp.h"

#include "base/RunList.h"
#include "conventions/ColourRef.h"

#include <QCheckBox>

namespace nocturnia {

Run_At_StartUp::Run_At_StartUp(RunList& runList, QString programFolder, QString executableName,
                               QWidget* parent)
    : QWidget(parent)
    , RunAtStart(new QCheckBox(QStringLiteral("Run at Startup"), this))
    , m_runList(runList)
    , m_programFolder(std::move(programFolder))
    , m_executableName(std::move(executableName))
    , m_backColour(conv::systemColourRef(conv::SystemColour::ButtonFace))
    , m_foreColour(conv::systemColourRef(conv::SystemColour::ButtonText))
    , m_font(font()) {
    RunAtStart->setObjectName(QStringLiteral("RunAtStart"));
    RunAtStart->setAutoFillBackground(true);
    // Every change of the box, by the user or by the program, registers or unregisters.
    connect(RunAtStart, &QCheckBox::stateChanged, this, &Run_At_StartUp::clickAction);
    applyLook();
    // Before any stored design is read: the entry is rewritten with the current folder and
    // no arguments.
    qurey();
}

QString Run_At_StartUp::caption() const {
    return RunAtStart->text();
}

void Run_At_StartUp::setCaption(const QString& caption) {
    RunAtStart->setText(caption);
    Q_EMIT propertyChanged(QStringLiteral("Caption"));
}

void Run_At_StartUp::setCmdLineArg(const QString& arguments) {
    m_cmdLineArg = arguments;
    Q_EMIT propertyChanged(QStringLiteral("Cmd_Line_arg"));
}

void Run_At_StartUp::setAlignment(qint32 alignment) {
    m_alignment = alignment == 2 ? 0 : alignment;
    applyLook();
    Q_EMIT propertyChanged(QStringLiteral("Alignment"));
}

bool Run_At_StartUp::runAtStartUp() const {
    return RunAtStart->checkState() != Qt::Unchecked;
}

void Run_At_StartUp::setRunAtStartUp(bool run) {
    // The same state again is no change: nothing is written.
    RunAtStart->setCheckState(run ? Qt::Checked : Qt::Unchecked);
    Q_EMIT propertyChanged(QStringLiteral("Run_At_StartUp"));
}

void Run_At_StartUp::setBackColor(quint32 colour) {
    m_backColour = colour;
    applyLook();
    Q_EMIT propertyChanged(QStringLiteral("BackColor"));
}

void Run_At_StartUp::setForeColor(quint32 colour) {
    m_foreColour = colour;
    applyLook();
    Q_EMIT propertyChanged(QStringLiteral("ForeColor"));
}

void Run_At_StartUp::setControlFont(const QFont& font) {
    m_font = font;
    setFont(font);
    RunAtStart->setFont(font);
    Q_EMIT propertyChanged(QStringLiteral("Font"));
}

bool Run_At_StartUp::qurey() {
    const bool present = !m_runList.entry(m_executableName).isEmpty();
    RunAtStart->setCheckState(present ? Qt::Checked : Qt::Unchecked);
    return runAtStartUp();
}

QString Run_At_StartUp::programPath() const {
    // A root folder already ends with its separator.
    if (m_programFolder.endsWith(u'/'))
        return m_programFolder + m_executableName;
    return m_programFolder + u'/' + m_executableName;
}

void Run_At_StartUp::clickAction() {
    if (runAtStartUp())
        m_runList.setEntry(m_executableName, programPath(), m_cmdLineArg);
    else
        m_runList.removeEntry(m_executableName);
    Q_EMIT Change();
}

void Run_At_StartUp::applyLook() {
    // A button fills its background with the button colour and writes in the button text
    // colour; the window roles are set too for styles that use them.
    QPalette colours = RunAtStart->palette();
    const QColor back = conv::colourFromRef(m_backColour, palette());
    const QColor fore = conv::colourFromRef(m_foreColour, palette());
    for (const auto role : {QPalette::Window, QPalette::Button})
        colours.setColor(role, back);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText})
        colours.setColor(role, fore);
    RunAtStart->setPalette(colours);
    RunAtStart->setLayoutDirection(m_alignment == 1 ? Qt::RightToLeft : Qt::LeftToRight);
}

void Run_At_StartUp::resizeEvent(QResizeEvent* event) {
    RunAtStart->setGeometry(rect());
    QWidget::resizeEvent(event);
}

void Run_At_StartUp::readProperties(const conv::PropertyBag& bag, const QFont& ambientFont) {
    const QSignalBlocker quiet(this);
    RunAtStart->setText(bag.readString(QStringLiteral("prbCaption"), QString()));
    m_cmdLineArg = bag.readString(QStringLiteral("prbCmd_Line_arg"), QString());
    m_backColour = bag.readColour(QStringLiteral("prbBackColor"), m_backColour);
    m_foreColour = bag.readColour(QStringLiteral("prbForeColor"), m_foreColour);
    m_alignment = bag.readInt16(QStringLiteral("prbAlignment"), qint16(m_alignment));
    applyLook();
    setControlFont(
        bag.readFont(QStringLiteral("Font"), conv::FontValue::fromFont(ambientFont)).toFont());
}

void Run_At_StartUp::writeProperties(conv::PropertyBag& bag, const QFont& ambientFont) const {
    // The numbers' default is an empty text, which no number equals: they are always stored.
    bag.write(QStringLiteral("prbCaption"), caption(), QString());
    bag.write(QStringLiteral("prbCmd_Line_arg"), m_cmdLineArg, QString());
    bag.write(QStringLiteral("prbBackColor"), conv::ColourValue{m_backColour}, QString());
    bag.write(QStringLiteral("prbForeColor"), conv::ColourValue{m_foreColour}, QString());
    bag.write(QStringLiteral("Font"), conv::FontValue::fromFont(m_font),
              conv::FontValue::fromFont(ambientFont));
    bag.write(QStringLiteral("prbAlignment"), qint16(m_alignment), QString());
}

} // namespace nocturnia
