#include "triggers/WirelessPage.h"

#include "base/FolderChooser.h"
#include "base/SettingConversion.h"
#include "base/SettingsStore.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>

namespace {

const QString kApplication = QStringLiteral("Nocturnia");
const QString kSettingsSection = QStringLiteral("Settings");

void label(const QString& text, QWidget* parent, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
}

QFrame* panel(QGroupBox& page, const char* name, int y, int height) {
    auto* frame = new QFrame(&page);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(8, y, page.width() - 16, height);
    return frame;
}

} // namespace

WirelessPage::WirelessPage(QGroupBox& Frame5, Dialogs& dialogs, SettingsStore& settings)
    : QObject(&Frame5)
    , m_settings(settings) {
    Frame1 = panel(Frame5, "Frame1", 22, 96);
    label(QStringLiteral("Browse For Transfers Incoming Folder:"), Frame1, 8, 8);
    BrowseFolder1 =
        new FolderChooser(dialogs, QStringLiteral("Browse For Transfers Incoming Folder"), Frame1);
    BrowseFolder1->setGeometry(8, 28, Frame1->width() - 16, 26);
    Check1 = new QCheckBox(QStringLiteral("Enable Tidelink Technology"), Frame1);
    Check1->move(8, 64);
    Check1->adjustSize();

    Frame6 = panel(Frame5, "Frame6", 126, 64);
    label(QStringLiteral("Farcall Mobile Reaction:"), Frame6, 8, 8);
    Check6 = new QCheckBox(QStringLiteral("Enable Farcall Mobile Technology"), Frame6);
    Check6->move(8, 32);
    Check6->adjustSize();
}

bool WirelessPage::readFolder() {
    BrowseFolder1->setPath(m_settings.read(kApplication, kSettingsSection, QStringLiteral("Folder"),
                                           BrowseFolder1->path()));
    return true;
}

bool WirelessPage::readTidelink() {
    return readCheck(Check1, QStringLiteral("Tidelink"));
}

bool WirelessPage::readFarcall() {
    return readCheck(Check6, QStringLiteral("FarcallMobile"));
}

bool WirelessPage::readCheck(QCheckBox* box, const QString& key) {
    const int current = box->checkState() == Qt::Checked            ? 1
                        : box->checkState() == Qt::PartiallyChecked ? 2
                                                                    : 0;
    const auto value = checkValueFromSetting(
        m_settings.read(kApplication, kSettingsSection, key, QString::number(current)));
    if (!value)
        return false;
    box->setCheckState(*value == 1   ? Qt::Checked
                       : *value == 2 ? Qt::PartiallyChecked
                                     : Qt::Unchecked);
    return true;
}
