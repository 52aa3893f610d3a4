#include "schedule/AutomaticCommandsPage.h"

#include "base/Dialogs.h"
#include "base/StateField.h"
#include "commands/CommandCatalogue.h"
#include "conventions/Timer.h"
#include "conventions/Twips.h"
#include "schedule/ScheduleFields.h"
#include "schedule/SecondTimers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <utility>

namespace {

const QString kDisarmedCaption = QStringLiteral("Schedule Command");
const QString kArmedCaption = QStringLiteral("Disable Schedule");

QLabel* label(const QString& text, QWidget* parent, int x, int y, const char* name = nullptr) {
    auto* l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    l->move(x, y);
    l->adjustSize();
    return l;
}

// A part of the page: made with the arguments before its parent, named and placed (pixels).
template <class Widget, class... Arguments>
Widget* placed(QWidget* parent, const char* name, const QRect& geometry, Arguments&&... arguments) {
    auto* widget = new Widget(std::forward<Arguments>(arguments)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QFrame* panel(QWidget* parent, const char* name, int left, int top, int width, int height) {
    return placed<QFrame>(parent, name, conv::twipsRect(left, top, width, height));
}

QComboBox* thresholdBox(QWidget* parent, const char* name, int x, int y) {
    auto* box = placed<QComboBox>(parent, name, {x, y, 64, 22});
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (const char* value : {"100", "90", "80", "70", "60", "50", "40", "30", "20", "10", "5"})
        box->addItem(QString::fromLatin1(value));
    box->setCurrentIndex(box->findText(QStringLiteral("50")));
    return box;
}

} // namespace

AutomaticCommandsPage::AutomaticCommandsPage(QGroupBox& frame, Links links)
    : QObject(&frame)
    , Timer2(links.secondTimers.createTimer(SecondTimers::TestTurn))
    , m_links(std::move(links)) {
    Timer2->setInterval(1);
    QWidget* page = &frame;
    Label3 = label(QStringLiteral("Select A Command To Perform:"), page, 10, 22, "Label3");
    CmbOption = placed<QComboBox>(page, "CmbOption", {10, 40, 220, 22});
    chkForce = placed<QCheckBox>(page, "chkForce", {242, 42, 150, 18},
                                 QStringLiteral("Force Hibernation"));
    chkForce->setChecked(true);
    chkForce->hide();

    // Command panels, one visible at a time.
    Frame4 = panel(page, "Frame4", 120, 1080, 7215, 1335);
    placed<QLabel>(Frame4, "Image6", Frame4->rect())
        ->setPixmap(QPixmap(QStringLiteral(":/pictures/commands.png")));

    Frame2 = panel(page, "Frame2", 120, 1080, 7215, 1335);

    Frame3 = panel(page, "Frame3", 120, 1080, 7215, 1335);
    QLabel* label32 = label(QStringLiteral("Select A File To Run When Schedule Point Is Reached:"),
                            Frame3, 4, 6, "Label32");
    Text2 = placed<QLineEdit>(Frame3, "Text2", {4, 26, 300, 24});
    // Captions tied to their fields, so that a screen reader names each field by its caption.
    label32->setBuddy(Text2);
    chameleonButton1 = placed<QPushButton>(Frame3, "chameleonButton1", {312, 25, 76, 26},
                                           QStringLiteral("Browse"));
    Command2 = placed<QPushButton>(Frame3, "Command2", {396, 25, 76, 26}, QStringLiteral("Test"));

    Frame10 = panel(page, "Frame10", 120, 1080, 7215, 1335);
    QLabel* label25 =
        label(QStringLiteral("Notification Display Window Title:"), Frame10, 4, 4, "Label25");
    Text11 = placed<QLineEdit>(Frame10, "Text11", {200, 1, 276, 22});
    label25->setBuddy(Text11);
    QLabel* label26 =
        label(QStringLiteral("Notification Display Window Text:"), Frame10, 4, 30, "Label26");
    Text12 = placed<QPlainTextEdit>(Frame10, "Text12", {200, 28, 276, 58});
    label26->setBuddy(Text12);
    Text12->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (QFrame* commandPanel : {Frame2, Frame3, Frame10})
        commandPanel->hide();

    // Schedule method.
    Label51 = label(QStringLiteral("Select A Schedule Method:"), page, 10, 168, "Label51");
    auto* picture2 = placed<QWidget>(page, "Picture2", {10, 186, 330, 24});
    Option6 =
        placed<QRadioButton>(picture2, "Option6", {0, 2, 110, 20}, QStringLiteral("Time && Date"));
    Option5 = placed<QRadioButton>(picture2, "Option5", {116, 2, 210, 20},
                                   QStringLiteral("Download && Upload Speed"));
    auto* methods = new QButtonGroup(this);
    methods->addButton(Option6);
    methods->addButton(Option5);
    Option6->setChecked(true);

    CmdActive = placed<QPushButton>(page, "CmdActive", {346, 176, 136, 34}, kDisarmedCaption);

    Frame12 = panel(page, "Frame12", 120, 3360, 7215, 1335);
    label(QStringLiteral("Select Schedule Date: *"), Frame12, 4, 4, "Label11");
    QLabel* label2 = label(QStringLiteral("Select Schedule Time:"), Frame12, 200, 4, "Label2");
    DT = placed<QTimeEdit>(Frame12, "DT", {200, 22, 120, 22});
    label2->setBuddy(DT);
    DT->setDisplayFormat(QStringLiteral("h:mm:ss AP"));
    label(QStringLiteral("* Remember that if time surpasses 11:59:59 PM, you should also adjust "
                         "the correct date."),
          Frame12, 4, 56, "Label50")
        ->setWordWrap(true);

    Frame9 = panel(page, "Frame9", 120, 3360, 7215, 1335);
    label(QStringLiteral("Download Speed Is Below:"), Frame9, 4, 6, "Label41");
    Combo1 = thresholdBox(Frame9, "Combo1", 150, 3);
    label(QStringLiteral("KBs"), Frame9, 220, 6, "Label36");
    label(QStringLiteral("*based on last 5 minutes"), Frame9, 250, 6, "Label45");
    label(QStringLiteral("Upload Speed Is Below:"), Frame9, 4, 32, "Label40");
    Combo2 = thresholdBox(Frame9, "Combo2", 150, 29);
    label(QStringLiteral("KBs"), Frame9, 220, 32, "Label20");
    label(QStringLiteral("*based on last 5 minutes"), Frame9, 250, 32, "Label46");
    label(QStringLiteral("Current Download Speed:"), Frame9, 4, 62, "Label39");
    lblDSpeed = label(QStringLiteral("Label6"), Frame9, 150, 62, "lblDSpeed");
    label(QStringLiteral("Current Upload Speed:"), Frame9, 240, 62, "Label38");
    lblUSpeed = label(QStringLiteral("Label7"), Frame9, 380, 62, "lblUSpeed");
    for (QLabel* figure : {lblDSpeed, lblUSpeed})
        figure->setFixedWidth(90);
    Frame9->hide();

    // A user's pick runs the selection handler; the load's selection of entry 0 does so too.
    connect(CmbOption, &QComboBox::currentIndexChanged, this,
            &AutomaticCommandsPage::CmbOption_Click);
    connect(Option5, &QRadioButton::clicked, this, &AutomaticCommandsPage::Option5_Click);
    connect(Option6, &QRadioButton::clicked, this, &AutomaticCommandsPage::Option6_Click);
    connect(CmdActive, &QPushButton::clicked, this, &AutomaticCommandsPage::CmdActive_Click);
    connect(chameleonButton1, &QPushButton::clicked, this,
            &AutomaticCommandsPage::chameleonButton1_Click);
    connect(Command2, &QPushButton::clicked, this, &AutomaticCommandsPage::Command2_Click);
}

AutomaticCommandsPage::~AutomaticCommandsPage() = default;

void AutomaticCommandsPage::CmbOption_Click() {
    const QString selected = CmbOption->currentText();
    bool power = false;
    for (const auto& command : CommandCatalogue::powerCommands()) {
        if (selected == command.name) {
            chkForce->setText(command.forcedCaption);
            power = true;
        }
    }
    chkForce->setVisible(power); // its checked state is the user's and stays as it is

    if (selected == CommandCatalogue::kAlarm)
        showCommandPanel(Frame2);
    else if (selected == CommandCatalogue::kRunFile)
        showCommandPanel(Frame3);
    else if (selected == CommandCatalogue::kNotification)
        showCommandPanel(Frame10);
    else
        showCommandPanel(Frame4);
}

void AutomaticCommandsPage::showCommandPanel(QFrame* shown) {
    for (QFrame* commandPanel : {Frame4, Frame2, Frame3, Frame10})
        commandPanel->setVisible(commandPanel == shown);
}

void AutomaticCommandsPage::Option5_Click() {
    Frame9->show();
    Frame12->hide();
    m_links.setMethodHeight(true);
}

void AutomaticCommandsPage::Option6_Click() {
    Frame12->show();
    Frame9->hide();
    m_links.setMethodHeight(false);
}

void AutomaticCommandsPage::CmdActive_Click() {
    // The caption is the authoritative armed state.
    if (CmdActive->text() == kDisarmedCaption) {
        Timer2->setEnabled(true);
        CmdActive->setText(kArmedCaption);
        m_links.fields.Label5.setText(QStringLiteral("Active"));
        m_links.fields.lblActive.setText(QStringLiteral("The Trigger Is Activated"));
        m_links.fields.Text8.setText(QStringLiteral("0"));
    } else if (CmdActive->text() == kArmedCaption) {
        Timer2->setEnabled(false);
        CmdActive->setText(kDisarmedCaption);
        m_links.fields.Label5.setText(QStringLiteral("Inactive"));
        m_links.fields.lblActive.setText(QStringLiteral("The Trigger Is Deactivated"));
    }
}

void AutomaticCommandsPage::chameleonButton1_Click() {
    const QString picked = m_links.dialogs.openFileName(
        CmdActive->window(), QStringLiteral("Browse For A File"), QStringLiteral("All Files (*)"));
    if (!picked.isEmpty())
        Text2->setText(picked);
}

void AutomaticCommandsPage::Command2_Click() {
    m_links.launchApp(Text2->text());
}

bool AutomaticCommandsPage::isArmed() const {
    return CmdActive->text() == kArmedCaption;
}

QString AutomaticCommandsPage::selectedCommand() const {
    return CmbOption->currentText();
}

bool AutomaticCommandsPage::forceFlag() const {
    return chkForce->checkState() != Qt::Unchecked;
}

void AutomaticCommandsPage::testRunFile() {
    Command2_Click();
}

void AutomaticCommandsPage::toggleSchedule() {
    CmdActive_Click();
}

QString AutomaticCommandsPage::notificationTitle() const {
    return Text11->text();
}

QString AutomaticCommandsPage::notificationText() const {
    return Text12->toPlainText();
}
