// Enables the folder trigger on an empty folder and drops "Shutdown.txt" into it twenty
// times, printing how long after each file was created the power request left, against a
// mocked login manager on a private bus. Prints figures; judges nothing.

#include "base/FolderChooser.h"
#include "conventions/Clock.h"
#include "conventions/Timer.h"
#include "platform/DesktopFileOpener.h"
#include "platform/IniSettingsStore.h"
#include "platform/InotifyFolderAccess.h"
#include "platform/LogindPowerRequests.h"
#include "platform/NetlinkInterfaceCounters.h"
#include "platform/PluginControlLoader.h"
#include "platform/QtAlarmPlayer.h"
#include "platform/QtDialogs.h"
#include "platform/QtTrayIcon.h"
#include "platform/TcpConnectionListener.h"
#include "platform/XdgAutostartRunList.h"
#include "schedule/AutomaticCommandsPage.h"
#include "shell/Main.h"
#include "support/DBusMock.h"
#include "support/PrivateBus.h"
#include "triggers/WirelessPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

// Passes every request on and notes how long after the drop it was made.
class TimedPowerRequests final : public PowerRequests {
public:
    explicit TimedPowerRequests(PowerRequests& inner)
        : m_inner(inner) {}
    QList<double> delaysMs;
    QElapsedTimer sinceDrop;

    bool isPowerServiceReachable() override { return m_inner.isPowerServiceReachable(); }
    void askWhetherAllowed(PowerAction action) override { m_inner.askWhetherAllowed(action); }
    QString answerWhetherAllowed(PowerAction action) override {
        return m_inner.answerWhetherAllowed(action);
    }
    void request(PowerAction action, bool forced) override {
        delaysMs << double(sinceDrop.nsecsElapsed()) / 1e6;
        m_inner.request(action, forced);
    }

private:
    PowerRequests& m_inner;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    PrivateBus systemBus(QStringLiteral("bench-system"));
    PrivateBus sessionBus(QStringLiteral("bench-session"));
    DBusMock logind;
    QString error;
    if (!systemBus.start(&error) || !sessionBus.start(&error) ||
        !logind.start(systemBus.connection(), systemBus.address(),
                      QStringLiteral("org.freedesktop.login1"),
                      QStringLiteral("/org/freedesktop/login1"),
                      {QStringLiteral("--template"), QStringLiteral("logind")}, &error)) {
        std::fprintf(stderr, "cannot start the mocked login manager: %s\n", qPrintable(error));
        return 1;
    }
    logind.addMethod(QStringLiteral("org.freedesktop.login1.Manager"),
                     QStringLiteral("PowerOffWithFlags"), QStringLiteral("t"), QString(),
                     QString());

    QTemporaryDir config;
    QTemporaryDir incoming;
    IniSettingsStore settings(config.filePath(QStringLiteral("settings.ini")));
    DesktopFileOpener opener;
    QtDialogs dialogs;
    LogindPowerRequests logindRequests(systemBus.connection(), sessionBus.connection());
    TimedPowerRequests power(logindRequests);
    QtAlarmPlayer player;
    conv::SystemClock clock;
    conv::QtTimerSource timers;
    PluginControlLoader controls(
        QCoreApplication::applicationDirPath() + QStringLiteral("/libdatora.so"), clock, timers);
    NetlinkInterfaceCounters interfaces;
    QtTrayIcon tray;
    XdgAutostartRunList runList(config.filePath(QStringLiteral("autostart")));
    InotifyFolderAccess folder;
    TcpConnectionListener listener;
    Main main(MainServices{settings, opener, dialogs, controls, power, player, interfaces, tray,
                           clock, timers, conv::DateTimeConventions::usEnglish(),
                           QCoreApplication::applicationDirPath(), QStringLiteral("nocturnia"),
                           runList, folder, listener});
    main.Form_Load();
    main.page->chkForce->setChecked(false);
    main.wireless->BrowseFolder1->setPath(incoming.path());
    main.wireless->Check1->setChecked(true);

    const int drops = 20;
    const QString trigger = incoming.filePath(QStringLiteral("Shutdown.txt"));
    int dropped = 0;
    QTimer next;
    QObject::connect(&next, &QTimer::timeout, &app, [&] {
        if (power.delaysMs.size() < dropped && QFile::exists(trigger))
            return; // still waiting for the last one
        if (dropped == drops) {
            app.quit();
            return;
        }
        QFile file(trigger);
        power.sinceDrop.start();
        if (file.open(QIODevice::WriteOnly))
            file.write("shutdown");
        ++dropped;
    });
    next.start(250);
    QTimer::singleShot(drops * 2000, &app, &QCoreApplication::quit); // a bound, whatever happens
    QApplication::exec();

    QList<double> delays = power.delaysMs;
    std::sort(delays.begin(), delays.end());
    if (delays.isEmpty()) {
        std::printf("no request seen\n");
        return 1;
    }
    std::printf("drops                        %8d, requests %lld\n", dropped,
                static_cast<long long>(delays.size()));
    std::printf("delay after the file appeared %7.2f ms median, %.2f ms min, %.2f ms max\n",
                delays.at(delays.size() / 2), delays.first(), delays.last());
    return 0;
}
