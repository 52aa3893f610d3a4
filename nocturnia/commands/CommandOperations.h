#pragma once

#include "commands/CommandExecutor.h"
#include "commands/PowerKind.h"

#include <QPointer>
#include <QString>
#include <memory>

class CPower;
class CommandInputs;
class PowerRequests;
class SilentAlarm;
class WakeUpAlarm;
class WindowRegistry;

// The operations behind the command catalogue, made once by the main window and shared by
// every trigger: the schedule, the folder and network triggers and the sound console perform
// commands through it, by the selected entry or by name.
class CommandOperations final : private CommandTargets {
public:
    struct Links {
        CommandInputs& inputs;
        PowerRequests& power;
        WakeUpAlarm& alarm;
        WindowRegistry& windows; // the notification window is registered there
    };

    explicit CommandOperations(Links links);
    ~CommandOperations() override;

    // The main window's one power controller, made by its load; until then a power request
    // is logged and asks nothing.
    void createPowerController();

    // Performs the command selected in the command list at this moment, once.
    void performSelected();
    // Performs the catalogue command named `command` as if it were selected, with the force
    // box as it is; any other text performs nothing.
    void perform(const QString& command);

    void shutDown(PowerKind kind, bool force) override;
    // The run-file panel's two clicks: open the file, then arm or disarm the schedule.
    void runFile();
    void showNotification() override;
    void soundWakeUpAlarm() override;

    // The open notification window, or null.
    SilentAlarm* silentAlarm() const;

private:
    QString selectedCommand() const override;
    bool forceFlag() const override;
    void testRunFile() override;
    void toggleSchedule() override;

    Links m_links;
    std::unique_ptr<CPower> m_power;
    QPointer<SilentAlarm> m_silentAlarm;
    const QString* m_named = nullptr; // the command perform() stands in for the selection
};
