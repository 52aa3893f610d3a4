#include "DBusMock.h"
#include "PrivateBus.h"
#include "RecordingPowerRequests.h"
#include "nocturnia/commands/CPower.h"
#include "nocturnia/commands/LogindPowerRequests.h"
#include "nocturnia/commands/modPower.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

const QString logindService = QStringLiteral("org.freedesktop.login1");
const QString logindManager = QStringLiteral("org.freedesktop.login1.Manager");

struct Desktop {
    QString service;
    QString path;
    QString interface;
    // name, in signature
    QList<std::pair<QString, QString>> methods;
};

Desktop desktop(const QString& name) {
    if (name == QLatin1String("kde"))
        return {QStringLiteral("org.kde.Shutdown"),
                QStringLiteral("/Shutdown"),
                QStringLiteral("org.kde.Shutdown"),
                {{QStringLiteral("logout"), QString()},
                 {QStringLiteral("logoutAndShutdown"), QString()},
                 {QStringLiteral("logoutAndReboot"), QString()}}};
    if (name == QLatin1String("gnome"))
        return {QStringLiteral("org.gnome.SessionManager"),
                QStringLiteral("/org/gnome/SessionManager"),
                QStringLiteral("org.gnome.SessionManager"),
                {{QStringLiteral("Logout"), QStringLiteral("u")},
                 {QStringLiteral("Shutdown"), QString()},
                 {QStringLiteral("Reboot"), QString()}}};
    return {QStringLiteral("org.xfce.SessionManager"),
            QStringLiteral("/org/xfce/SessionManager"),
            QStringLiteral("org.xfce.Session.Manager"),
            {{QStringLiteral("Logout"), QStringLiteral("bb")},
             {QStringLiteral("Shutdown"), QStringLiteral("b")},
             {QStringLiteral("Restart"), QStringLiteral("b")}}};
}

QString raising(const QString& errorName) {
    return QStringLiteral("raise dbus.exceptions.DBusException('refused', name='%1')")
        .arg(errorName);
}

// Expected call lists name the program's own process as $PID.
QStringList withPid(QStringList calls) {
    calls.replaceInStrings(QStringLiteral("$PID"),
                           QString::number(QCoreApplication::applicationPid()));
    return calls;
}

} // namespace

class tst_Power : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void requestsForEachKind_data();
    void requestsForEachKind();
    void plainCallsOnOlderLogind_data();
    void plainCallsOnOlderLogind();
    void refusalIsOnlyLogged_data();
    void refusalIsOnlyLogged();
    void privilegeStepOnlyWithLogind_data();
    void privilegeStepOnlyWithLogind();
    void withoutLogindTheRequestIsStillMade();
    void noBusIsHarmless();
    void canHibernate_data();
    void canHibernate();

private:
    bool resetLogind();
    bool useSessionManager(const QString& name);
    bool settle(LogindPowerRequests& requests);

    PrivateBus m_systemBus{QStringLiteral("tst_power_system")};
    PrivateBus m_sessionBus{QStringLiteral("tst_power_session")};
    DBusMock m_logind;
    DBusMock m_sessionManager;
    QString m_desktop;
    std::unique_ptr<LogindPowerRequests> m_requests;
};

void tst_Power::initTestCase() {
    QString error;
    QVERIFY2(m_systemBus.start(&error), qPrintable(error));
    QVERIFY2(m_sessionBus.start(&error), qPrintable(error));
    QVERIFY2(m_logind.start(m_systemBus.connection(), m_systemBus.address(), logindService,
                            QStringLiteral("/org/freedesktop/login1"),
                            {QStringLiteral("--template"), QStringLiteral("logind")}, &error),
             qPrintable(error));
    m_requests =
        std::make_unique<LogindPowerRequests>(m_systemBus.connection(), m_sessionBus.connection());
}

void tst_Power::init() {
    QVERIFY(resetLogind());
    QVERIFY(useSessionManager(QString()));
}

void tst_Power::cleanupTestCase() {
    m_requests.reset();
    m_sessionManager.stop();
    m_logind.stop();
    m_sessionBus.stop();
    m_systemBus.stop();
}

// The template lacks the *WithFlags methods and the session look-up of current logind.
bool tst_Power::resetLogind() {
    bool ok = true;
    for (const char* method :
         {"PowerOffWithFlags", "RebootWithFlags", "SuspendWithFlags", "HibernateWithFlags"})
        ok &= m_logind.addMethod(logindManager, QString::fromLatin1(method), QStringLiteral("t"),
                                 QString(), QString());
    ok &= m_logind.addMethod(logindManager, QStringLiteral("GetSessionByPID"), QStringLiteral("u"),
                             QStringLiteral("o"),
                             QStringLiteral("ret = '/org/freedesktop/login1/session/_31'"));
    ok &= m_logind.addMethod(logindManager, QStringLiteral("CanHibernate"), QString(),
                             QStringLiteral("s"), QStringLiteral("ret = 'yes'"));
    m_logind.clearCalls();
    return ok;
}

// Only the named desktop's session manager (or none) is on the session bus.
bool tst_Power::useSessionManager(const QString& name) {
    if (name != m_desktop) {
        m_sessionManager.stop();
        m_desktop.clear();
        if (!name.isEmpty()) {
            const Desktop wanted = desktop(name);
            QString error;
            if (!m_sessionManager.start(m_sessionBus.connection(), m_sessionBus.address(),
                                        wanted.service, wanted.path,
                                        {wanted.service, wanted.path, wanted.interface}, &error)) {
                qWarning("%s", qPrintable(error));
                return false;
            }
        }
        m_desktop = name;
    }
    if (name.isEmpty())
        return true;
    const Desktop present = desktop(name);
    bool ok = true;
    for (const auto& [method, signature] : present.methods)
        ok &=
            m_sessionManager.addMethod(present.interface, method, signature, QString(), QString());
    m_sessionManager.clearCalls();
    return ok;
}

bool tst_Power::settle(LogindPowerRequests& requests) {
    QSignalSpy settled(&requests, &LogindPowerRequests::settled);
    return !requests.isBusy() || settled.wait(5000);
}

void tst_Power::requestsForEachKind_data() {
    QTest::addColumn<QString>("sessionManager");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("force");
    QTest::addColumn<QStringList>("logindCalls");
    QTest::addColumn<QStringList>("sessionManagerCalls");
    QTest::addColumn<QString>("warning");

    const QStringList endSession{"CanPowerOff()", "GetSessionByPID($PID)", "TerminateSession(1)"};
    // Without a session manager everything goes to logind; normal requests respect
    // inhibitors, forced ones skip them.
    QTest::newRow("log off") << "" << 0 << false << endSession << QStringList() << "";
    QTest::newRow("forced log off") << "" << 0 << true << endSession << QStringList() << "";
    QTest::newRow("shut down") << "" << 1 << false
                               << QStringList{"CanPowerOff()", "PowerOffWithFlags(1)"}
                               << QStringList() << "";
    QTest::newRow("forced shut down")
        << "" << 1 << true << QStringList{"CanPowerOff()", "PowerOffWithFlags(16)"} << QStringList()
        << "";
    QTest::newRow("restart") << "" << 2 << false << QStringList{"CanReboot()", "RebootWithFlags(1)"}
                             << QStringList() << "";
    QTest::newRow("forced restart")
        << "" << 2 << true << QStringList{"CanReboot()", "RebootWithFlags(16)"} << QStringList()
        << "";
    QTest::newRow("hibernate") << "" << 5 << false
                               << QStringList{"CanHibernate()", "HibernateWithFlags(1)"}
                               << QStringList() << "";
    QTest::newRow("forced hibernate")
        << "" << 5 << true << QStringList{"CanHibernate()", "HibernateWithFlags(16)"}
        << QStringList() << "";
    QTest::newRow("stand by") << "" << 6 << false
                              << QStringList{"CanSuspend()", "SuspendWithFlags(1)"} << QStringList()
                              << "";
    QTest::newRow("forced stand by")
        << "" << 6 << true << QStringList{"CanSuspend()", "SuspendWithFlags(16)"} << QStringList()
        << "";
    // Kinds outside the table are exit flags: 4 is log off with the force bit.
    QTest::newRow("exit flags 4") << "" << 4 << false << endSession << QStringList() << "";
    QTest::newRow("exit flags 3") << "" << 3 << false << QStringList{"CanPowerOff()"}
                                  << QStringList() << "Exit flags 3 name no request";
    QTest::newRow("exit flags 8") << "" << 8 << true << QStringList{"CanPowerOff()"}
                                  << QStringList() << "Exit flags 12 name no request";
    QTest::newRow("negative kind") << "" << -1 << false << QStringList{"CanPowerOff()"}
                                   << QStringList() << "Exit flags -1 name no request";

    // A session manager asks the applications first when ending the session normally.
    QTest::newRow("plasma log off")
        << "kde" << 0 << false << QStringList{"CanPowerOff()"} << QStringList{"logout()"} << "";
    QTest::newRow("plasma shut down") << "kde" << 1 << false << QStringList{"CanPowerOff()"}
                                      << QStringList{"logoutAndShutdown()"} << "";
    QTest::newRow("plasma restart") << "kde" << 2 << false << QStringList{"CanReboot()"}
                                    << QStringList{"logoutAndReboot()"} << "";
    QTest::newRow("plasma, forced log off")
        << "kde" << 0 << true << endSession << QStringList() << "";
    QTest::newRow("plasma, forced shut down")
        << "kde" << 1 << true << QStringList{"CanPowerOff()", "PowerOffWithFlags(16)"}
        << QStringList() << "";
    QTest::newRow("plasma, stand by")
        << "kde" << 6 << false << QStringList{"CanSuspend()", "SuspendWithFlags(1)"}
        << QStringList() << "";
    QTest::newRow("gnome log off")
        << "gnome" << 0 << false << QStringList{"CanPowerOff()"} << QStringList{"Logout(1)"} << "";
    QTest::newRow("gnome shut down")
        << "gnome" << 1 << false << QStringList{"CanPowerOff()"} << QStringList{"Shutdown()"} << "";
    QTest::newRow("gnome restart")
        << "gnome" << 2 << false << QStringList{"CanReboot()"} << QStringList{"Reboot()"} << "";
    QTest::newRow("gnome, forced restart")
        << "gnome" << 2 << true << QStringList{"CanReboot()", "RebootWithFlags(16)"}
        << QStringList() << "";
    QTest::newRow("xfce log off") << "xfce" << 0 << false << QStringList{"CanPowerOff()"}
                                  << QStringList{"Logout(false,true)"} << "";
    QTest::newRow("xfce shut down") << "xfce" << 1 << false << QStringList{"CanPowerOff()"}
                                    << QStringList{"Shutdown(true)"} << "";
    QTest::newRow("xfce restart") << "xfce" << 2 << false << QStringList{"CanReboot()"}
                                  << QStringList{"Restart(true)"} << "";
    QTest::newRow("xfce, forced hibernate")
        << "xfce" << 5 << true << QStringList{"CanHibernate()", "HibernateWithFlags(16)"}
        << QStringList() << "";
}

void tst_Power::requestsForEachKind() {
    QFETCH(QString, sessionManager);
    QFETCH(int, kind);
    QFETCH(bool, force);
    QFETCH(QStringList, logindCalls);
    QFETCH(QStringList, sessionManagerCalls);
    QFETCH(QString, warning);
    QVERIFY(useSessionManager(sessionManager));
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));

    CPower power(*m_requests);
    power.ShutDown(kind, force);

    QVERIFY(settle(*m_requests));
    QCOMPARE(m_logind.calls(), withPid(logindCalls));
    if (!sessionManager.isEmpty())
        QCOMPARE(m_sessionManager.calls(), sessionManagerCalls);
}

void tst_Power::plainCallsOnOlderLogind_data() {
    QTest::addColumn<QString>("withFlagsCode");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("force");
    QTest::addColumn<QStringList>("logindCalls");

    const QString missing = raising(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"));
    // Before the skip flag existed logind refused unknown flags as invalid arguments.
    const QString withoutSkip = QStringLiteral("if args[0] & ~15: ") +
                                raising(QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));

    QTest::newRow("no flags methods, shut down")
        << missing << 1 << false
        << QStringList{"CanPowerOff()", "PowerOffWithFlags(1)", "PowerOff(true)"};
    QTest::newRow("no flags methods, forced restart")
        << missing << 2 << true
        << QStringList{"CanReboot()", "RebootWithFlags(16)", "Reboot(true)"};
    QTest::newRow("no flags methods, stand by")
        << missing << 6 << false
        << QStringList{"CanSuspend()", "SuspendWithFlags(1)", "Suspend(true)"};
    QTest::newRow("no flags methods, forced hibernate")
        << missing << 5 << true
        << QStringList{"CanHibernate()", "HibernateWithFlags(16)", "Hibernate(true)"};
    QTest::newRow("no skip flag, forced stand by")
        << withoutSkip << 6 << true
        << QStringList{"CanSuspend()", "SuspendWithFlags(16)", "Suspend(true)"};
    QTest::newRow("no skip flag, stand by")
        << withoutSkip << 6 << false << QStringList{"CanSuspend()", "SuspendWithFlags(1)"};
}

void tst_Power::plainCallsOnOlderLogind() {
    QFETCH(QString, withFlagsCode);
    QFETCH(int, kind);
    QFETCH(bool, force);
    QFETCH(QStringList, logindCalls);
    for (const char* method :
         {"PowerOffWithFlags", "RebootWithFlags", "SuspendWithFlags", "HibernateWithFlags"})
        QVERIFY(m_logind.addMethod(logindManager, QString::fromLatin1(method), QStringLiteral("t"),
                                   QString(), withFlagsCode));

    CPower(*m_requests).ShutDown(kind, force);

    QVERIFY(settle(*m_requests));
    QCOMPARE(m_logind.calls(), logindCalls);
}

void tst_Power::refusalIsOnlyLogged_data() {
    QTest::addColumn<QString>("sessionManager");
    QTest::addColumn<bool>("refusedBySessionManager");
    QTest::addColumn<QString>("interface");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("inSignature");
    QTest::addColumn<QString>("outSignature");
    QTest::addColumn<QString>("errorName");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("force");
    QTest::addColumn<QStringList>("logindCalls");
    QTest::addColumn<QStringList>("sessionManagerCalls");

    // No fallback follows a refusal: it is the system's (or the applications') answer.
    QTest::newRow("inhibited shut down")
        << "" << false << logindManager << "PowerOffWithFlags"
        << "t"
        << ""
        << "org.freedesktop.login1.BlockedByInhibitorLock" << 1 << false
        << QStringList{"CanPowerOff()", "PowerOffWithFlags(1)"} << QStringList();
    QTest::newRow("forced stand by not authorised")
        << "" << false << logindManager << "SuspendWithFlags"
        << "t"
        << ""
        << "org.freedesktop.DBus.Error.AccessDenied" << 6 << true
        << QStringList{"CanSuspend()", "SuspendWithFlags(16)"} << QStringList();
    QTest::newRow("program outside a session")
        << "" << false << logindManager << "GetSessionByPID"
        << "u"
        << "o"
        << "org.freedesktop.login1.NoSessionForPID" << 0 << true
        << QStringList{"CanPowerOff()", "GetSessionByPID($PID)"} << QStringList();
    QTest::newRow("applications refuse to log off")
        << "gnome" << true << "org.gnome.SessionManager"
        << "Logout"
        << "u"
        << ""
        << "org.gnome.SessionManager.NotInRunning" << 0 << false << QStringList{"CanPowerOff()"}
        << QStringList{"Logout(1)"};
}

void tst_Power::refusalIsOnlyLogged() {
    QFETCH(QString, sessionManager);
    QFETCH(bool, refusedBySessionManager);
    QFETCH(QString, interface);
    QFETCH(QString, method);
    QFETCH(QString, inSignature);
    QFETCH(QString, outSignature);
    QFETCH(QString, errorName);
    QFETCH(int, kind);
    QFETCH(bool, force);
    QFETCH(QStringList, logindCalls);
    QFETCH(QStringList, sessionManagerCalls);
    QVERIFY(useSessionManager(sessionManager));
    DBusMock& refusing = refusedBySessionManager ? m_sessionManager : m_logind;
    QVERIFY(refusing.addMethod(interface, method, inSignature, outSignature, raising(errorName)));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(errorName)));

    CPower(*m_requests).ShutDown(kind, force);

    QVERIFY(settle(*m_requests));
    QCOMPARE(m_logind.calls(), withPid(logindCalls));
    if (!sessionManager.isEmpty())
        QCOMPARE(m_sessionManager.calls(), sessionManagerCalls);
}

void tst_Power::privilegeStepOnlyWithLogind_data() {
    QTest::addColumn<bool>("reachable");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("force");
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("reachable, restart")
        << true << 2 << false << QStringList{"ask reboot", "request reboot normal"};
    QTest::newRow("unreachable, shut down")
        << false << 1 << false << QStringList{"request power off normal"};
    QTest::newRow("unreachable, forced log off")
        << false << 0 << true << QStringList{"request log off forced"};
    QTest::newRow("unreachable, forced stand by")
        << false << 6 << true << QStringList{"request suspend forced"};
}

void tst_Power::privilegeStepOnlyWithLogind() {
    QFETCH(bool, reachable);
    QFETCH(int, kind);
    QFETCH(bool, force);
    QFETCH(QStringList, steps);
    RecordingPowerRequests system;
    system.reachable = reachable;

    CPower(system).ShutDown(kind, force);

    QCOMPARE(system.calls, steps);
}

// A session bus without logind stands for a machine without it.
void tst_Power::withoutLogindTheRequestIsStillMade() {
    QVERIFY(useSessionManager(QStringLiteral("gnome")));
    LogindPowerRequests requests(m_sessionBus.connection(), m_sessionBus.connection());
    QVERIFY(!modPower::IsWinNT(requests));
    CPower power(requests);

    power.ShutDown(1, false);
    QVERIFY(settle(requests));
    QCOMPARE(m_sessionManager.calls(), QStringList{"Shutdown()"});

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("SuspendWithFlags.*"
                                                                         "ServiceUnknown")));
    power.ShutDown(6, false);
    QVERIFY(settle(requests));
}

void tst_Power::noBusIsHarmless() {
    const QString nowhere = QStringLiteral("unix:path=/nonexistent/tst_power_bus");
    LogindPowerRequests requests(QDBusConnection::connectToBus(nowhere, QStringLiteral("none1")),
                                 QDBusConnection::connectToBus(nowhere, QStringLiteral("none2")));
    QVERIFY(!modPower::IsWinNT(requests));
    QVERIFY(!modPower::CanHibernate(requests));
    CPower power(requests);
    for (const int kind : {0, 1, 2, 5, 6}) {
        for (const bool force : {false, true}) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Disconnected")));
            power.ShutDown(kind, force);
        }
    }
    QVERIFY(settle(requests));
    QDBusConnection::disconnectFromBus(QStringLiteral("none1"));
    QDBusConnection::disconnectFromBus(QStringLiteral("none2"));
}

void tst_Power::canHibernate_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("offered");

    QTest::newRow("yes") << "ret = 'yes'" << true;
    QTest::newRow("challenge") << "ret = 'challenge'" << true;
    QTest::newRow("no") << "ret = 'no'" << false;
    QTest::newRow("na") << "ret = 'na'" << false;
    QTest::newRow("error") << raising(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"))
                           << false;
}

void tst_Power::canHibernate() {
    QFETCH(QString, code);
    QFETCH(bool, offered);
    QVERIFY(m_logind.addMethod(logindManager, QStringLiteral("CanHibernate"), QString(),
                               QStringLiteral("s"), code));

    QCOMPARE(modPower::CanHibernate(*m_requests), offered);
    QCOMPARE(m_logind.calls(), QStringList{"CanHibernate()"});
}

QTEST_GUILESS_MAIN(tst_Power)
#include "tst_power.moc"
