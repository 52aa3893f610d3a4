#include "triggers/WirelessPage.h"

#include "base/ClickableLabel.h"
#include "base/FolderChooser.h"
#include "base/SettingConversion.h"
#include "base/SettingsSave.h"
#include "base/SettingsStore.h"
#include "controls/Run_At_StartUp.h"
#include "triggers/Farcall.h"
#include "triggers/Tidelink.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

namespace {

const QString kApplication = QStringLiteral("Nocturnia");
const QString kSettingsSection = QStringLiteral("Settings");
const QString kSaved = QStringLiteral("Your settings have been successfully saved!");

template <class W> W* placed(W* widget, int x, int y) {
    widget->move(x, y);
    widget->adjustSize();
    return widget;
}

QLabel* label(const QString& text, QWidget* parent, int x, int y) {
    return placed(new QLabel(text, parent), x, y);
}

ClickableLabel* link(const QString& text, QWidget* parent, int x, int y) {
    auto* l = placed(new ClickableLabel(text, parent), x, y);
    QPalette blue = l->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 192));
    l->setPalette(blue);
    QFont underlined = l->font();
    underlined.setUnderline(true);
    l->setFont(underlined);
    l->adjustSize();
    return l;
}

QCheckBox* check(const QString& text, QWidget* parent, int x, int y, bool checked = false) {
    auto* box = placed(new QCheckBox(text, parent), x, y);
    box->setChecked(checked);
    return box;
}

QFrame* panel(QGroupBox& page, const char* name, int y, int height) {
    auto* frame = new QFrame(&page);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(8, y, page.width() - 16, height);
    return frame;
}

int checkValue(const QCheckBox* box) {
    return box->checkState() == Qt::Checked ? 1 : box->checkState() == Qt::PartiallyChecked ? 2 : 0;
}

} // namespace

WirelessPage::WirelessPage(QGroupBox& Frame5, Links links)
    : QObject(&Frame5)
    , m_page(Frame5)
    , m_links(std::move(links)) {
    Frame1 = panel(Frame5, "Frame1", 20, 124);
    Label22 = label(QStringLiteral("Browse For Transfers Incoming Folder:"), Frame1, 8, 6);
    BrowseFolder1 = new FolderChooser(
        m_links.dialogs, QStringLiteral("Browse For Transfers Incoming Folder"), Frame1);
    BrowseFolder1->setGeometry(8, 24, Frame1->width() - 16, 26);
    Check1 = check(QStringLiteral("Enable Tidelink Technology"), Frame1, 8, 58);
    Label21 = label(QStringLiteral("Tidelink Reaction Extensions:"), Frame1, 8, 84);
    // The types are not saved: every start has all four checked.
    Check2 = check(QStringLiteral("TXT"), Frame1, 180, 82, true);
    Check3 = check(QStringLiteral("JPG"), Frame1, 240, 82, true);
    Check4 = check(QStringLiteral("GIF"), Frame1, 300, 82, true);
    Check5 = check(QStringLiteral("BMP"), Frame1, 360, 82, true);
    Label23 = link(QStringLiteral("Save Tidelink Settings"), Frame1, 0, 104);
    Label23->move(Frame1->width() - Label23->width() - 8, 104);
    connect(Label23, &ClickableLabel::clicked, this, &WirelessPage::Label23_Click);

    Frame6 = panel(Frame5, "Frame6", 150, 126);
    Label27 = label(QStringLiteral("Farcall Mobile Reaction:"), Frame6, 8, 6);
    Check6 = check(QStringLiteral("Enable Farcall Mobile Technology"), Frame6, 8, 26);
    label(QStringLiteral("Port:"), Frame6, 290, 28);
    FarcallPort = new QSpinBox(Frame6);
    FarcallPort->setObjectName(QStringLiteral("FarcallPort"));
    FarcallPort->setRange(1, 65535);
    FarcallPort->setValue(80);
    // A port typed digit by digit is taken when it is complete, not at every digit.
    FarcallPort->setKeyboardTracking(false);
    FarcallPort->setGeometry(322, 24, 72, 22);
    FarcallPort->setAccessibleName(QStringLiteral("Port"));
    // Anyone who reaches the port can shut the machine down: by default only the local
    // network can.
    FarcallLocalOnly = check(QStringLiteral("Only accept connections from the local network"),
                             Frame6, 8, 50, true);
    FarcallStatus = label(QString(), Frame6, 8, 76);
    FarcallStatus->setFixedWidth(Frame6->width() - 16);
    Label29 = link(QStringLiteral("Save Farcall Mobile Technology Settings"), Frame6, 0, 100);
    Label29->move(Frame6->width() - Label29->width() - 8, 100);
    connect(Label29, &ClickableLabel::clicked, this, &WirelessPage::Label29_Click);

    Run_At_StartUp1 = new nocturnia::Run_At_StartUp(m_links.runList, m_links.programFolder,
                                                    m_links.executableName, &Frame5);
    Run_At_StartUp1->setObjectName(QStringLiteral("Run_At_StartUp1"));
    Run_At_StartUp1->setGeometry(8, 284, Frame5.width() - 16, 24);

    tidelink =
        new Tidelink(Tidelink::Links{*BrowseFolder1, *Check1, *Check2, *Check3, *Check4, *Check5,
                                     m_links.folder, m_links.commands, m_links.timers},
                     this);
    farcall = new Farcall(Farcall::Links{*Check6, *FarcallPort, *FarcallLocalOnly, *FarcallStatus,
                                         m_links.listener, m_links.commands, m_links.timers,
                                         m_links.clock},
                          this);
}

WirelessPage::~WirelessPage() = default;

bool WirelessPage::readFolder() {
    BrowseFolder1->setPath(m_links.settings.read(kApplication, kSettingsSection,
                                                 QStringLiteral("Folder"), BrowseFolder1->path()));
    return true;
}

bool WirelessPage::readTidelink() {
    return readCheck(Check1, QStringLiteral("Tidelink"));
}

bool WirelessPage::readFarcall() {
    // Each value on its own: one that cannot be read leaves its control as designed.
    const bool port = readPort();
    const bool localOnly = readCheck(FarcallLocalOnly, QStringLiteral("FarcallLocalOnly"));
    return readCheck(Check6, QStringLiteral("FarcallMobile")) && port && localOnly;
}

bool WirelessPage::readPort() {
    bool ok = false;
    const int port = m_links.settings
                         .read(kApplication, kSettingsSection, QStringLiteral("FarcallPort"),
                               QString::number(FarcallPort->value()))
                         .trimmed()
                         .toInt(&ok);
    if (!ok || port < FarcallPort->minimum() || port > FarcallPort->maximum())
        return false;
    FarcallPort->setValue(port);
    return true;
}

bool WirelessPage::readCheck(QCheckBox* box, const QString& key) {
    const auto value = checkValueFromSetting(m_links.settings.read(
        kApplication, kSettingsSection, key, QString::number(checkValue(box))));
    if (!value)
        return false;
    box->setCheckState(*value == 1   ? Qt::Checked
                       : *value == 2 ? Qt::PartiallyChecked
                                     : Qt::Unchecked);
    return true;
}

QString WirelessPage::startupText() const {
    return Run_At_StartUp1->runAtStartUp() ? QStringLiteral("True") : QStringLiteral("False");
}

bool WirelessPage::Label23_Click() {
    return saveSettings(
        m_links.settings,
        {{kApplication, kSettingsSection, QStringLiteral("Folder"), BrowseFolder1->path()},
         {kApplication, kSettingsSection, QStringLiteral("Tidelink"),
          QString::number(checkValue(Check1))},
         {kApplication, kSettingsSection, QStringLiteral("Startup"), startupText()}},
        m_links.dialogs, m_page.window(), kSaved);
}

bool WirelessPage::Label29_Click() {
    return saveSettings(
        m_links.settings,
        {{kApplication, kSettingsSection, QStringLiteral("FarcallMobile"),
          QString::number(checkValue(Check6))},
         {kApplication, kSettingsSection, QStringLiteral("FarcallPort"),
          QString::number(FarcallPort->value())},
         {kApplication, kSettingsSection, QStringLiteral("FarcallLocalOnly"),
          QString::number(checkValue(FarcallLocalOnly))},
         {kApplication, kSettingsSection, QStringLiteral("Startup"), startupText()}},
        m_links.dialogs, m_page.window(), kSaved);
}
