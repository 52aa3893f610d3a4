#pragma once

#include "base/SpeedFigures.h"
#include "base/StateField.h"
#include "base/WindowRegistry.h"
#include "conventions/StoredDesign.h"
#include "schedule/ScheduleFields.h"
#include "shell/MainServices.h"
#include "shell/Splash.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class AutomaticCommandsPage;
class ClickableLabel;
class Form1;
class CommandOperations;
class Navigation;
class QGroupBox;
class QLabel;
class ScheduleDetails;
class ScheduleEvaluation;
class SecondTimers;
class SpeedSampling;
class Splash;
class TrayMenu;
class WakeUpAlarm;
class WirelessPage;

namespace nocturnia {
class ErrorMessageSink;
class utimerCTL;
} // namespace nocturnia

// The main window: the hub of the program. It places the frames each subsystem builds its
// controls into, keeps the order of the load and of the cleanup, and holds the hidden fields
// the subsystems share. Its load brings every subsystem up; its unload ends the program.
class Main final : public QWidget {
    Q_OBJECT

    // Made first and destroyed last: the display and schedule timers hang on it.
    std::unique_ptr<SecondTimers> m_secondTimers;
    std::unique_ptr<nocturnia::ErrorMessageSink> m_controlErrors;
    conv::StoredDesign m_design;

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
    // The operations behind the command catalogue, shared by every trigger.
    CommandOperations& commands() const { return *m_commands; }

    // The steps of the shutdown cleanup that subsystems provide, run in this order before the
    // windows are unloaded.
    enum class CleanupStep { RemoveTrayIcon, StopPlayer, CloseListener, Count };
    void setCleanupStep(CleanupStep step, std::function<void()> action);
    // "&Exit": the cleanup, then every window unloads and the program ends.
    void mnuExit_Click();

    Splash* splash() const { return m_splash; }
    const MainServices& services() const { return m_services; }
    // The program's own windows besides this one; the cleanup closes them.
    WindowRegistry& windows() { return m_windows; }

    // Shows the sound activation console, loading it first when it is not loaded.
    void openSoundConsole();
    // The loaded console, or null.
    Form1* soundConsole() const;

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
    Navigation* navigation = nullptr; // the links in Frame7 and the banner's hot spots
    TrayMenu* tray = nullptr;         // the notification-area icon and its menu `mnu`

    // Shows the sound activation console, modeless and only ever one; the navigation link and
    // the tray menu call it. It opens the sound console; tests put a recorder in its place.
    std::function<void()> showSoundConsole;

    // Hidden fields the subsystems share.
    ScheduleFields fields;
    SpeedFigures speed;
    // "1" asks for the selected command (the sound console writes it); back to "0" once done.
    StateField Text7{QStringLiteral("0")};

    // The window's interval timers, with their stored designs.
    nocturnia::utimerCTL* Timer4 = nullptr; // 5 minutes: how long the speed condition held
    nocturnia::utimerCTL* Snooze = nullptr; // 10 minutes after "Snooze": the alarm again

    // The subsystems, each built into its frame.
    AutomaticCommandsPage* page = nullptr; // in Frame8
    QWidget* KiroXPDTPicker1 = nullptr;    // from the control library; absent when it cannot load
    std::unique_ptr<WakeUpAlarm> alarm;    // in the page's alarm panel
    std::unique_ptr<ScheduleDetails> details; // in Frame11 and Frame13
    ScheduleEvaluation* schedule = nullptr;
    WirelessPage* wireless = nullptr; // in Frame5
    SpeedSampling* network = nullptr; // the speed panel's figures and the interface list

Q_SIGNALS:
    // Every window has been unloaded: the program ends.
    void unloaded();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildRegions();
    void buildNavigation();
    void buildSubsystems();
    nocturnia::utimerCTL* intervalTimer(const QString& name);

    bool loadDatePicker();
    bool fillCommandList();
    void setMethodHeight(bool speedMethod);
    void cleanup();
    void Text7_Change();

    MainServices m_services;
    WindowRegistry m_windows;
    std::unique_ptr<CommandOperations> m_commands;
    QStringList m_loadReport;
    QPointer<Splash> m_splash;
    QPointer<QWidget> m_soundConsole; // a Form1
    std::array<std::function<void()>, std::size_t(CleanupStep::Count)> m_cleanupSteps;
    bool m_unloading = false;
};
