#include "commands/CommandOperations.h"
#include "commands/PowerKind.h"
#include "platform/LogindPowerRequests.h"
#include "schedule/AutomaticCommandsPage.h"
#include "support/MainFixture.h"
#include "support/PrivateBus.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstdio>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace {

// Far below any wait on a bus (the shortest is a second), far above the work of queueing a
// message: a call that returns within it did not wait for the stopped daemon.
constexpr qint64 kNeverWaited = 250;

// The command lines of the processes that a bus launched for the program would be.
QStringList launchedBuses() {
    QStringList found;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile file(QStringLiteral("/proc/") + pid + QStringLiteral("/cmdline"));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString line = QString::fromLocal8Bit(file.readAll()).replace(QChar(0), u' ');
        if (line.contains(QStringLiteral("dbus-launch")) ||
            (line.contains(QStringLiteral("dbus-daemon")) &&
             line.contains(QStringLiteral("--print-pid"))))
            found << pid + u' ' + line;
    }
    return found;
}

} // namespace

class tst_StuckBus : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Both buses hang (the daemon is stopped, not gone): the window still loads and shows,
    // a power command returns at once, and its request is abandoned and logged.
    void aHangingBusNeverHoldsTheWindow() {
        PrivateBus daemon(QStringLiteral("tst_stuckbus_probe"));
        QString error;
        QVERIFY2(daemon.start(&error), qPrintable(error));
        const QString address = daemon.address();
        QCOMPARE(::kill(pid_t(daemon.pid()), SIGSTOP), 0);
        const auto resume = qScopeGuard([&] { ::kill(pid_t(daemon.pid()), SIGCONT); });

        LogindPowerRequests requests(
            [address] { return QDBusConnection::connectToBus(address, u"tst_stuck_system"_s); },
            [address] { return QDBusConnection::connectToBus(address, u"tst_stuck_session"_s); });
        Fixture f;
        f.controls.available = true;
        MainServices services = f.services(f.controls);
        Main main(MainServices{
            services.settings, services.fileOpener, services.dialogs, services.controls, requests,
            services.player, services.audio, services.interfaces, services.tray, services.clock,
            services.timers, services.conventions, services.programFolder, services.executableName,
            services.runList, services.folder, services.listener});
        QElapsedTimer load;
        load.start();
        main.Form_Load(); // asks whether hibernation is offered, without waiting for the answer
        QVERIFY2(load.elapsed() < kNeverWaited, qPrintable(QString::number(load.elapsed())));
        QVERIFY(main.splash() && main.splash()->isVisible());
        QVERIFY(main.page->CmbOption->count() > 1);

        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(u"PowerOffWithFlags.*NoReply.*did not answer"_s));
        QSignalSpy settled(&requests, &LogindPowerRequests::settled);
        for (const bool force : {true, false}) {
            QElapsedTimer call;
            call.start();
            main.commands().shutDown(PowerKind::ShutDown, force);
            QVERIFY2(call.elapsed() < kNeverWaited, qPrintable(QString::number(call.elapsed())));
        }
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(u"PowerOffWithFlags.*NoReply.*did not answer"_s));
        QVERIFY(settled.wait(3 * LogindPowerRequests::kConnectTimeout));
        QVERIFY(!requests.isBusy());

        // Let the connections made meanwhile finish before the daemon goes.
        ::kill(pid_t(daemon.pid()), SIGCONT);
        QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection(u"tst_stuck_system"_s).isConnected() &&
                                     QDBusConnection(u"tst_stuck_session"_s).isConnected(),
                                 30000);
        QDBusConnection::disconnectFromBus(u"tst_stuck_system"_s);
        QDBusConnection::disconnectFromBus(u"tst_stuck_session"_s);
    }

    // Without a session bus no bus is launched for the program (nothing outlives it).
    void noSessionBusLaunchesNone() {
        QTemporaryDir runtime;
        const QByteArray oldAddress = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray oldDisplay = qgetenv("DISPLAY");
        const auto restore = qScopeGuard([&] {
            qputenv("DBUS_SESSION_BUS_ADDRESS", oldAddress);
            qputenv("XDG_RUNTIME_DIR", oldRuntime);
            qputenv("DISPLAY", oldDisplay);
        });
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        qputenv("DISPLAY", ":99"); // libdbus would launch a bus for this display
        const QStringList before = launchedBuses();

        QCOMPARE(LogindPowerRequests::sessionBusAddress(), QString());
        {
            LogindPowerRequests requests([] { return QDBusConnection(u"tst_stuck_none"_s); },
                                         &LogindPowerRequests::connectSessionBus);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"logout.*|Shutdown.*|"
                                                                  u"PowerOffWithFlags.*"_s));
            requests.request(PowerAction::PowerOff, false);
            QSignalSpy settled(&requests, &LogindPowerRequests::settled);
            QVERIFY(!requests.isBusy() || settled.wait(10000));
        }
        QCOMPARE(launchedBuses(), before);

        // The login's own bus socket is found without the variable.
        QFile socket(runtime.filePath(QStringLiteral("bus")));
        QVERIFY(socket.open(QIODevice::WriteOnly));
        QCOMPARE(LogindPowerRequests::sessionBusAddress(),
                 QStringLiteral("unix:path=") + runtime.filePath(QStringLiteral("bus")));
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/run/elsewhere");
        QCOMPARE(LogindPowerRequests::sessionBusAddress(),
                 QStringLiteral("unix:path=/run/elsewhere"));
    }
};

// The connections to the stopped daemon never finish; Qt's bus thread can still deliver to them
// while the process runs its exit handlers. The verdict is in: end without those handlers.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tst_StuckBus test;
    const int failures = QTest::qExec(&test, argc, argv);
    std::fflush(nullptr);
    std::_Exit(failures);
}
#include "tst_stuckbus.moc"
