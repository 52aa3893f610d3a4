#include "WakeUpAlarm.h"

#include "AlarmPlayer.h"
#include "ClickableLabel.h"
#include "Dialogs.h"
#include "StateField.h"
#include "utimerCTL.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString kTestCaption = QStringLiteral("Test Selected Alarm Sound");
const QString kStopCaption = QStringLiteral("Stop Playing Alarm Sound");

QRadioButton* option(const char* name, const char* caption, QWidget* parent, int x, int y) {
    auto* button = new QRadioButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, y, 112, 20);
    return button;
}

} // namespace

WakeUpAlarm::WakeUpAlarm(Links links)
    : m_links(std::move(links)) {
    QFrame& frame = m_links.Frame2;
    Picture1 = new QWidget(&frame);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(0, 0, frame.width(), 44);
    Option1 = option("Option1", "Fire Alarm", Picture1, 4, 2);
    Option2 = option("Option2", "Nuclear Siren", Picture1, 124, 2);
    Option3 = option("Option3", "Police Siren", Picture1, 244, 2);
    Drums = option("Drums", "Funky Drums", Picture1, 364, 2);
    Modern = option("Modern", "Modern Alarm", Picture1, 4, 22);
    Cuckoo = option("Cuckoo", "Cuckoo Clock", Picture1, 124, 22);
    Classic = option("Classic", "Classic Alarm", Picture1, 244, 22);
    Custom = option("Custom", "Custom File", Picture1, 364, 22);
    sounds = new QButtonGroup(this);
    for (QRadioButton* button : {Option1, Option2, Option3, Drums, Modern, Cuckoo, Classic, Custom})
        sounds->addButton(button);
    Option1->setChecked(true);

    Label6 = new ClickableLabel(kTestCaption, &frame);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setCursor(Qt::PointingHandCursor);
    Label6->setGeometry(4, 46, 170, 24);
    QFont underlined = Label6->font();
    underlined.setUnderline(true);
    Label6->setFont(underlined);
    QPalette link = Label6->palette();
    link.setColor(QPalette::WindowText, QColor(0, 0, 192));
    Label6->setPalette(link);

    dcButton2 = new QPushButton(QStringLiteral("Browse For A Custom Music File"), &frame);
    dcButton2->setObjectName(QStringLiteral("dcButton2"));
    dcButton2->setGeometry(180, 46, 220, 24);

    Label14 = new ClickableLabel(QStringLiteral("No Custom Alarm Has Been Selected"), &frame);
    Label14->setObjectName(QStringLiteral("Label14"));
    Label14->setGeometry(4, 72, frame.width() - 8, 16);
    Label14->setWordWrap(false);

    connect(Label6, &ClickableLabel::clicked, this, &WakeUpAlarm::Label6_Click);
    connect(dcButton2, &QPushButton::clicked, this, &WakeUpAlarm::dcButton2_Click);
    connect(Label14, &ClickableLabel::clicked, this, &WakeUpAlarm::Label14_Click);
    connect(&m_links.Snooze, &nocturnia::utimerCTL::Timer, this, &WakeUpAlarm::Snooze_Timer);
}

WakeUpAlarm::~WakeUpAlarm() {
    // The window works on the player and the snooze timer; it cannot outlive them.
    delete m_alarmStop;
}

QString WakeUpAlarm::soundSource(const QRadioButton* button) const {
    // The file name, with its separator, is appended to the folder unchanged.
    const QString folder = m_links.programFolder;
    if (button == Option1)
        return folder + QStringLiteral("/Fire.mp3");
    if (button == Option2)
        return folder + QStringLiteral("/Nuclear.mp3");
    if (button == Option3)
        return folder + QStringLiteral("/Siren.mp3");
    if (button == Drums)
        return folder + QStringLiteral("/Drums.mp3");
    if (button == Modern)
        return folder + QStringLiteral("/Modern.wav");
    if (button == Cuckoo)
        return folder + QStringLiteral("/Cuckoo.wav");
    if (button == Classic)
        return folder + QStringLiteral("/Classic.wav");
    return m_links.Text10.text(); // "Custom File": unchanged, empty when none was chosen
}

void WakeUpAlarm::applyPlayerSettings() {
    m_links.WindowsMediaPlayer1.setVolume(100);
    m_links.WindowsMediaPlayer1.setPlayCount(999);
}

void WakeUpAlarm::playSelectedSound() {
    AlarmPlayer& player = m_links.WindowsMediaPlayer1;
    // Every selected option plays in this order; in one exclusive group that is one of them.
    for (const QRadioButton* button :
         {Option3, Option2, Drums, Modern, Cuckoo, Classic, Custom, Option1}) {
        if (!button->isChecked())
            continue;
        player.stop();
        AlarmPlaylist playlist = player.newPlaylist(QStringLiteral("MyPlayList"), QString());
        playlist.appendItem(player.newMedia(soundSource(button)));
        player.setCurrentPlaylist(playlist);
        player.play();
    }
}

void WakeUpAlarm::PlayAlarmSound() {
    applyPlayerSettings();
    playSelectedSound();
}

void WakeUpAlarm::SoundWakeUpAlarm() {
    PlayAlarmSound();
    showAlarmWindow();
}

void WakeUpAlarm::showAlarmWindow() {
    // One window: while it is open it is shown again, not loaded anew, and keeps its caption.
    if (!m_alarmStop)
        m_alarmStop =
            new AlarmStop(m_links.WindowsMediaPlayer1, m_links.Snooze, m_links.scheduleTime());
    m_alarmStop->show();
    m_alarmStop->raise();
}

void WakeUpAlarm::Label6_Click() {
    applyPlayerSettings();
    if (Label6->text() == kTestCaption) {
        playSelectedSound();
        Label6->setText(kStopCaption);
    } else if (Label6->text() == kStopCaption) {
        m_links.WindowsMediaPlayer1.stop();
        Label6->setText(kTestCaption);
    }
}

void WakeUpAlarm::dcButton2_Click() {
    const QString picked =
        m_links.dialogs.openFileName(dcButton2->window(), QStringLiteral("Open Custom Alarm Sound"),
                                     QStringLiteral("Sound Files (*.mp3, *.wav) (*.mp3 *.wav)"));
    if (picked.isEmpty())
        return; // cancelled: nothing changes
    m_links.Text10.setText(picked);
    Label14->setText(QFileInfo(picked).fileName());
}

void WakeUpAlarm::Label14_Click() {
    m_links.WindowsMediaPlayer1.stop();
}

void WakeUpAlarm::Snooze_Timer() {
    PlayAlarmSound();
    showAlarmWindow(); // a closed window is loaded anew, so its caption is built again
    // One click on "Snooze" gives exactly one repeat.
    m_links.Snooze.setEnabled(false);
}

void WakeUpAlarm::stopPlayer() {
    m_links.WindowsMediaPlayer1.stop();
}

bool WakeUpAlarm::isCustomSelected() const {
    return Custom->isChecked();
}
