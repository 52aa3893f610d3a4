#pragma once

#include "base/StateField.h"
#include "commands/AlarmStop.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class AlarmPlayer;
class ClickableLabel;
class Dialogs;
class QButtonGroup;
class QFrame;
class QPushButton;
class QRadioButton;
class WindowRegistry;

namespace nocturnia {
class utimerCTL;
}

// The wake-up alarm: the alarm panel where the user picks, tries out and chooses a sound,
// the two operations every trigger uses to sound the alarm, the alarm window and the snooze.
// All sound goes through the one player it is given.
class WakeUpAlarm final : public QObject {
    Q_OBJECT
public:
    struct Links {
        QFrame& Frame2; // the panel the controls are placed in
        AlarmPlayer& WindowsMediaPlayer1;
        Dialogs& dialogs;
        QString programFolder;   // the sounds sit there
        WindowRegistry& windows; // the alarm window is registered there
        // The main window's schedule-time display, for the alarm window's caption.
        std::function<QString()> scheduleTime;
        nocturnia::utimerCTL& Snooze;
    };

    explicit WakeUpAlarm(Links links);
    ~WakeUpAlarm() override;

    // Applies the player settings and plays the selected sound.
    void PlayAlarmSound();
    // Plays the selected sound and shows the alarm window.
    void SoundWakeUpAlarm();

    // Handlers.
    void Label6_Click();
    void dcButton2_Click();
    void Label14_Click();
    void Snooze_Timer();

    void stopPlayer();
    bool isCustomSelected() const;
    // The open alarm window, or null.
    AlarmStop* alarmStop() const { return m_alarmStop; }

    QWidget* Picture1;
    QButtonGroup* sounds;  // the eight options, one exclusive group
    QRadioButton* Option1; // "Fire Alarm"
    QRadioButton* Option2; // "Nuclear Siren"
    QRadioButton* Option3; // "Police Siren"
    QRadioButton* Drums;
    QRadioButton* Modern;
    QRadioButton* Cuckoo;
    QRadioButton* Classic;
    QRadioButton* Custom;
    ClickableLabel* Label6;       // test toggle
    QPushButton* dcButton2;       // "Browse For A Custom Music File"
    ClickableLabel* Label14;      // the custom file's name
    StateField Text10{QString()}; // the custom sound's full path

private:
    void applyPlayerSettings();
    void playSelectedSound();
    void showAlarmWindow();
    QString soundSource(const QRadioButton* option) const;

    Links m_links;
    QHash<const QRadioButton*, QString> m_soundFiles; // the shipped sounds, by option
    QPointer<AlarmStop> m_alarmStop;
};
