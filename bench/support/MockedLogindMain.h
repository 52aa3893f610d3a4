#pragma once

#include "conventions/Clock.h"
#include "conventions/Timer.h"
#include "platform/DesktopFileOpener.h"
#include "platform/GstAlarmPlayer.h"
#include "platform/IniSettingsStore.h"
#include "platform/InotifyFolderAccess.h"
#include "platform/LogindPowerRequests.h"
#include "platform/NetlinkInterfaceCounters.h"
#include "platform/PluginControlLoader.h"
#include "platform/PulseAudioInput.h"
#include "platform/QtDialogs.h"
#include "platform/QtTrayIcon.h"
#include "platform/TcpConnectionListener.h"
#include "platform/XdgAutostartRunList.h"
#include "schedule/AutomaticCommandsPage.h"
#include "shell/Main.h"
#include "support/DBusMock.h"
#include "support/PrivateBus.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <memory>

// Passes every request on, telling `noted` first: the benchmarks time the moment a request
// leaves.
class NotingPowerRequests final : public PowerRequests {
public:
    explicit NotingPowerRequests(PowerRequests& inner)
        : m_inner(inner) {}
    std::function<void()> noted;

    bool isPowerServiceReachable() override { return m_inner.isPowerServiceReachable(); }
    void askWhetherAllowed(PowerAction action) override { m_inner.askWhetherAllowed(action); }
    void answerWhetherAllowed(PowerAction action,
                              std::function<void(const QString&)> answered) override {
        m_inner.answerWhetherAllowed(action, std::move(answered));
    }
    void request(PowerAction action, bool forced) override {
        if (noted)
            noted();
        m_inner.request(action, forced);
    }

private:
    PowerRequests& m_inner;
};

// The program's main window with its real services, loaded, except that the power requests
// go to a mocked login manager on private buses and the settings and autostart entries to a
// folder of its own. The command is an unforced "Shutdown Computer", which every benchmark
// times.
class MockedLogindMain {
public:
    // Starts the buses and the mocked login manager, then builds and loads the window; says
    // why on standard error when it cannot.
    bool start() {
        QString error;
        if (!m_systemBus.start(&error) || !m_sessionBus.start(&error) ||
            !m_logind.start(m_systemBus.connection(), m_systemBus.address(),
                            QStringLiteral("org.freedesktop.login1"),
                            QStringLiteral("/org/freedesktop/login1"),
                            {QStringLiteral("--template"), QStringLiteral("logind")}, &error)) {
            std::fprintf(stderr, "cannot start the mocked login manager: %s\n", qPrintable(error));
            return false;
        }
        m_logind.addMethod(QStringLiteral("org.freedesktop.login1.Manager"),
                           QStringLiteral("PowerOffWithFlags"), QStringLiteral("t"), QString(),
                           QString());
        m_logindRequests = std::make_unique<LogindPowerRequests>(m_systemBus.connection(),
                                                                 m_sessionBus.connection());
        power = std::make_unique<NotingPowerRequests>(*m_logindRequests);
        main = std::make_unique<Main>(MainServices{
            m_settings, m_opener, m_dialogs, m_controls, *power, m_player, m_audio, m_interfaces,
            m_tray, m_clock, m_timers, conv::DateTimeConventions::usEnglish(),
            QCoreApplication::applicationDirPath(), QStringLiteral("nocturnia"), m_runList,
            m_folder, listener});
        main->Form_Load();
        main->page->CmbOption->setCurrentText(QStringLiteral("Shutdown Computer"));
        main->page->chkForce->setChecked(false);
        return true;
    }

    // From now on each request's delay after its cause, in milliseconds as `delayMs` tells at
    // the moment the request leaves, is added to delaysMs.
    void timeRequests(std::function<double()> delayMs) {
        power->noted = [this, delayMs = std::move(delayMs)] {
            delaysMs << delayMs();
        };
    }
    // The same with each delay counted from the last start of `cause`.
    void timeRequestsSince(const QElapsedTimer& cause) {
        timeRequests([&cause] { return double(cause.nsecsElapsed()) / 1e6; });
    }
    QList<double> delaysMs;

    std::unique_ptr<NotingPowerRequests> power;
    TcpConnectionListener listener; // the network trigger's, for counting what it takes
    std::unique_ptr<Main> main;

private:
    PrivateBus m_systemBus{QStringLiteral("bench-system")};
    PrivateBus m_sessionBus{QStringLiteral("bench-session")};
    DBusMock m_logind;
    QTemporaryDir m_config;
    IniSettingsStore m_settings{m_config.filePath(QStringLiteral("settings.ini"))};
    DesktopFileOpener m_opener;
    QtDialogs m_dialogs;
    GstAlarmPlayer m_player;
    PulseAudioInput m_audio;
    conv::SystemClock m_clock;
    conv::QtTimerSource m_timers;
    PluginControlLoader m_controls{QCoreApplication::applicationDirPath() +
                                       QStringLiteral("/libdatora.so"),
                                   m_clock, m_timers};
    NetlinkInterfaceCounters m_interfaces;
    QtTrayIcon m_tray;
    XdgAutostartRunList m_runList{m_config.filePath(QStringLiteral("autostart"))};
    InotifyFolderAccess m_folder;
    std::unique_ptr<LogindPowerRequests> m_logindRequests;
};

// The opening every benchmark against the mocked login manager shares: the application, then
// the loaded window on its mocked services, handed to `bench`, whose result is the exit code;
// 1 when the mocked login manager cannot start.
template <typename Bench> int runAgainstMockedLogind(int& argc, char* argv[], Bench bench) {
    QApplication app(argc, argv);
    MockedLogindMain rig;
    if (!rig.start())
        return 1;
    return bench(app, rig, *rig.main);
}
