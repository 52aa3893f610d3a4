#include "commands/WakeUpAlarm.h"

#include "base/AlarmPlayer.h"
#include "base/ClickableLabel.h"
#include "base/Dialogs.h"
#include "base/WindowRegistry.h"
#include "controls/utimerCTL.h"

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
    // The options in their table order, two rows of four, with the file each plays from the
    // program folder; "Custom File" plays the chosen path instead.
    const struct {
        QRadioButton** button;
        const char* name;
        const char* caption;
        const char* file;
    } table[] = {
        {&Option1, "Option1", "Fire Alarm", "/Fire.mp3"},
        {&Option2, "Option2", "Nuclear Siren", "/Nuclear.mp3"},
        {&Option3, "Option3", "Police Siren", "/Siren.mp3"},
        {&Drums, "Drums", "Funky Drums", "/Drums.mp3"},
        {&Modern, "Modern", "Modern Alarm", "/Modern.wav"},
        {&Cuckoo, "Cuckoo", "Cuckoo Clock", "/Cuckoo.wav"},
        {&Classic, "Classic", "Classic Alarm", "/Classic.wav"},
        {&Custom, "Custom", "Custom File", nullptr},
    };
    sounds = new QButtonGroup(this);
    int index = 0;
    for (const auto& entry : table) {
        QRadioButton* button =
            option(entry.name, entry.caption, Picture1, 4 + index % 4 * 120, 2 + index / 4 * 20);
        *entry.button = button;
        sounds->addButton(button);
        if (entry.file)
            m_soundFiles.insert(button, QString::fromLatin1(entry.file));
        ++index;
    }
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
    if (m_soundFiles.contains(button))
        return m_links.programFolder + m_soundFiles.value(button);
    return Text10.text(); // "Custom File": unchanged, empty when none was chosen
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
    m_links.windows.add(m_alarmStop);
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
    Text10.setText(picked);
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
