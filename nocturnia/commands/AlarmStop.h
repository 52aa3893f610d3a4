#pragma once

#include <QWidget>

class AlarmPlayer;
class ClickableLabel;

namespace nocturnia {
class utimerCTL;
}

// The window that shows while an alarm rings: "Dismiss Alarm" silences it, "Snooze" silences
// it and sounds it again when the snooze timer runs out. However it closes, the player stops.
class AlarmStop final : public QWidget {
    Q_OBJECT
public:
    // `scheduleTime` is the main window's schedule-time display at the moment of loading.
    AlarmStop(AlarmPlayer& player, nocturnia::utimerCTL& snooze, const QString& scheduleTime);

    void Label1_Click();
    void Label2_Click();

    ClickableLabel* Label1; // "Dismiss Alarm"
    ClickableLabel* Label2; // "Snooze"

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    AlarmPlayer& m_player;
    nocturnia::utimerCTL& m_snooze;
};
