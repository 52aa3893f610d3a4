#pragma once

#include "AutomaticCommandsPage.h"
#include "CPower.h"
#include "LoadSequence.h"
#include "MainServices.h"
#include "ScheduleEvaluation.h"
#include "SecondTimers.h"
#include "SilentAlarm.h"
#include "Splash.h"
#include "StateField.h"
#include "WakeUpAlarm.h"
#include "conventions/StoredDesign.h"
#include "utimerCTL.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class ClickableLabel;

class FolderChooser;
class QCheckBox;
class QGroupBox;
class QFrame;
class QLabel;
class QTimeEdit;

namespace conv {
class Timer;
}

// The main window: the hub of the program. Its load brings every subsystem up in a fixed
// order; its unload ends the program. Controls keep the program's state, hidden fields are
// the mailboxes between handlers.
class Main final : public QWidget {
    Q_OBJECT

    // Made first and destroyed last: the display and schedule timers hang on it.
    std::unique_ptr<SecondTimers> m_secondTimers;
    std::unique_ptr<nocturnia::ErrorMessageSink> m_controlErrors;

public:
    explicit Main(MainServices services);
    ~Main() override;

    // The load sequence: runs once, while the window is hidden, before the event loop.
    void Form_Load();
    // The steps of the load that succeeded, in order.
    const QStringList& loadReport() const { return m_loadReport; }

    void LaunchApp(const QString& path);
    // Performs the command selected in the command list, once.
    void PerformSelectedCommand();
    SilentAlarm* silentAlarm() const { return m_silentAlarm; }

    // The steps of the shutdown cleanup that subsystems provide, run in this order before the
    // windows are unloaded.
    enum class CleanupStep { RemoveTrayIcon, StopPlayer, CloseListener, Count };
    void setCleanupStep(CleanupStep step, std::function<void()> action);
    // "&Exit": the cleanup, then every window unloads and the program ends.
    void mnuExit_Click();

    Splash* splash() const { return m_splash; }
    const MainServices& services() const { return m_services; }

    // Visible regions.
    QLabel* Banner = nullptr;
    ClickableLabel* Label49 = nullptr; // hot spot: help
    ClickableLabel* Label48 = nullptr; // hot spot: campaign document
    QGroupBox* Frame7 = nullptr;       // "Navigation Menu"
    QGroupBox* Frame11 = nullptr;      // "Schedule Details"
    QGroupBox* Frame8 = nullptr;       // page "Automatic Commands"
    QGroupBox* Frame5 = nullptr;       // page "Ostrel Wireless Technologies"
    QGroupBox* Frame13 = nullptr;      // "Schedule Countdown"

    // Navigation.
    ClickableLabel* Label28 = nullptr;
    ClickableLabel* Label9 = nullptr;
    ClickableLabel* Label47 = nullptr;
    ClickableLabel* Label8 = nullptr;

    // Schedule details and countdown.
    QLabel* Label7 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label35 = nullptr;

    // The page "Automatic Commands" and, in its date-and-time panel, the two pickers.
    AutomaticCommandsPage* page = nullptr;
    QWidget* KiroXPDTPicker1 = nullptr; // from the control library; absent when it cannot load
    QTimeEdit* DT = nullptr;

    // The trigger settings page.
    FolderChooser* BrowseFolder1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check6 = nullptr;

    // Hidden state fields.
    StateField Text5{QStringLiteral("1")};
    StateField Text6{QStringLiteral("0")};
    StateField Text7{QStringLiteral("0")};
    StateField Text8{QStringLiteral("0")};
    StateField Text9{QStringLiteral("0")};
    StateField Text10{QString()};
    StateField Label5{QStringLiteral("Inactive")};
    StateField lblActive{QStringLiteral("The Trigger Is Deactivated")};
    StateField Label10{QStringLiteral("Time Difference")};
    StateField Label37{QStringLiteral("Label37")};
    StateField Label42{QStringLiteral("Label42")};
    StateField Label43{QStringLiteral("Label43")};
    StateField Label44{QStringLiteral("Label44")};

    // Window timers, with their design intervals.
    // The display, countdown and schedule ticks come once at the start of every displayed
    // second, whatever their nominal intervals (their results change only then).
    std::unique_ptr<conv::Timer> Timer1;    // 1000 ms, enabled: speed sampling
    std::unique_ptr<conv::Timer> Timer2;    // 1 ms, disabled: schedule test while armed
    std::unique_ptr<conv::Timer> Timer3;    // 10 ms, enabled: status display
    std::unique_ptr<conv::Timer> Timer10;   // 500 ms, enabled: countdown line
    std::unique_ptr<conv::Timer> Timer5;    // 500 ms, enabled: folder list refresh
    std::unique_ptr<conv::Timer> Timer6;    // 100 ms, enabled: folder watch
    std::unique_ptr<conv::Timer> Timer8;    // 100 ms, enabled: network trigger mailbox
    nocturnia::utimerCTL* Timer4 = nullptr; // 5 minutes: how long the speed condition held
    nocturnia::utimerCTL* Snooze = nullptr; // 10 minutes after "Snooze": the alarm again

    AlarmPlayer& WindowsMediaPlayer1; // the program's one media player
    // The alarm panel, the alarm window and the snooze.
    std::unique_ptr<WakeUpAlarm> alarm;

    ScheduleEvaluation* schedule = nullptr;

Q_SIGNALS:
    // Every window has been unloaded: the program ends.
    void unloaded();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildRegions();
    void buildNavigation();
    void buildScheduleDetails();
    void buildCommandPage();
    void buildTriggerPage();
    void createTimers();
    void connectSchedule();

    bool loadDatePicker();
    bool fillCommandList();
    void showNotification();
    void setMethodHeight(bool speedMethod);
    bool readCheckSetting(QCheckBox* box, const QString& key);
    void cleanup();

    MainServices m_services;
    conv::StoredDesign m_design;
    QStringList m_loadReport;
    QPointer<Splash> m_splash;
    QPointer<SilentAlarm> m_silentAlarm;
    std::unique_ptr<CPower> m_power; // the window's one power controller, made by the load
    std::array<std::function<void()>, std::size_t(CleanupStep::Count)> m_cleanupSteps;
    bool m_unloading = false;
    bool m_centred = false;
};
