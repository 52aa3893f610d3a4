#include "commands/CommandOperations.h"

#include "base/PowerLog.h"
#include "base/WindowRegistry.h"
#include "commands/CPower.h"
#include "commands/CommandInputs.h"
#include "commands/SilentAlarm.h"
#include "commands/WakeUpAlarm.h"

CommandOperations::CommandOperations(Links links)
    : m_links(links) {}

CommandOperations::~CommandOperations() {
    delete m_silentAlarm;
}

void CommandOperations::createPowerController() {
    m_power = std::make_unique<CPower>(m_links.power);
}

void CommandOperations::performSelected() {
    PerformSelectedCommand(*this);
}

void CommandOperations::perform(const QString& command) {
    m_named = &command;
    PerformSelectedCommand(*this);
    m_named = nullptr;
}

QString CommandOperations::selectedCommand() const {
    return m_named ? *m_named : m_links.inputs.selectedCommand();
}

bool CommandOperations::forceFlag() const {
    return m_links.inputs.forceFlag();
}

void CommandOperations::shutDown(PowerKind kind, bool force) {
    if (!m_power) {
        qCWarning(lcPower) << "No power controller yet; kind" << static_cast<qint32>(kind)
                           << "asked nothing";
        return;
    }
    m_power->ShutDown(kind, force);
}

void CommandOperations::testRunFile() {
    m_links.inputs.testRunFile();
}

void CommandOperations::toggleSchedule() {
    m_links.inputs.toggleSchedule();
}

void CommandOperations::runFile() {
    testRunFile();
    toggleSchedule();
}

void CommandOperations::showNotification() {
    // One window: while it is open it keeps the texts it was loaded with.
    if (!m_silentAlarm) {
        m_silentAlarm =
            new SilentAlarm(m_links.inputs.notificationTitle(), m_links.inputs.notificationText());
        m_links.windows.add(m_silentAlarm);
    }
    m_silentAlarm->show();
    m_silentAlarm->raise();
}

void CommandOperations::soundWakeUpAlarm() {
    m_links.alarm.SoundWakeUpAlarm();
}

SilentAlarm* CommandOperations::silentAlarm() const {
    return m_silentAlarm;
}
