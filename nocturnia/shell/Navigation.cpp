#include "shell/Navigation.h"

#include "base/ClickableLabel.h"
#include "conventions/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>

namespace {

ClickableLabel* hotSpot(QWidget& window, const QRect& place, const QString& name) {
    auto* label = new ClickableLabel(QString(), &window);
    label->setGeometry(place);
    // The link is painted on the banner; a screen reader needs to be told what it is.
    label->setAccessibleName(name);
    return label;
}

} // namespace

Navigation::Navigation(Links links)
    : QObject(&links.window)
    , m_links(std::move(links)) {
    Label49 = hotSpot(m_links.window, conv::twipsRect(7320, 120, 1455, 375),
                      QStringLiteral("Help Topics"));
    Label48 = hotSpot(m_links.window, conv::twipsRect(8880, 120, 1335, 375),
                      QStringLiteral("Our Campaign"));
    connect(Label49, &ClickableLabel::clicked, this, &Navigation::openHelp);
    connect(Label48, &ClickableLabel::clicked, this, &Navigation::openCampaign);

    const struct {
        QLabel** image;
        ClickableLabel** label;
        const char* caption;
        const char* picture;
    } rows[] = {
        {&Image1, &Label28, "Automatic Commands", ":/pictures/nav-commands.png"},
        {&Image2, &Label9, "Wireless Technologies", ":/pictures/nav-wireless.png"},
        {&Image3, &Label47, "Sound Activation Console", ":/pictures/nav-sound.png"},
        {&Image4, &Label8, "Exit Application", ":/pictures/nav-exit.png"},
    };
    QGroupBox& frame = m_links.Frame7;
    int y = 24;
    for (const auto& row : rows) {
        const QString caption = QString::fromLatin1(row.caption);
        auto* image = new QLabel(&frame);
        image->setPixmap(QPixmap(QString::fromLatin1(row.picture)));
        image->setGeometry(10, y, 16, 16);
        image->setAccessibleName(caption);
        *row.image = image;
        auto* label = new ClickableLabel(caption, &frame);
        label->move(32, y);
        label->adjustSize();
        *row.label = label;
        y += 25;
    }
    connect(Label28, &ClickableLabel::clicked, this,
            [this] { showPage(m_links.commandsPage, m_links.wirelessPage); });
    connect(Label9, &ClickableLabel::clicked, this,
            [this] { showPage(m_links.wirelessPage, m_links.commandsPage); });
    connect(Label47, &ClickableLabel::clicked, this, [this] { m_links.openSoundConsole(); });
    connect(Label8, &ClickableLabel::clicked, this, [this] { m_links.exitApplication(); });
}

void Navigation::openHelp() {
    m_links.launchApp(m_links.programFolder + QStringLiteral("/Help.chm"));
}

void Navigation::openCampaign() {
    m_links.launchApp(m_links.programFolder + QStringLiteral("/Leafwise Campaign.pdf"));
}

void Navigation::showPage(QWidget& shown, QWidget& hidden) {
    shown.show();
    hidden.hide();
}
