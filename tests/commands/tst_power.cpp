#include "commands/CPower.h"
#include "commands/modPower.h"
#include "platform/LogindPowerRequests.h"
#include "support/DBusMock.h"
#include "support/PrivateBus.h"
#include "support/RecordingPowerRequests.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <optional>

using namespace Qt::Literals::StringLiterals;

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
    bool setWithFlagsMethods(const QString& code);
    bool useSessionManager(const QString& name);
    bool settle(LogindPowerRequests& requests);
    void checkCallsOnceSettled(const QStringList& logindCalls,
                               const QStringList& sessionManagerCalls = {});

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
    bool ok = setWithFlagsMethods(QString());
    ok &= m_logind.addMethod(logindManager, QStringLiteral("GetSessionByPID"), QStringLiteral("u"),
                             QStringLiteral("o"),
                             QStringLiteral("ret = '/org/freedesktop/login1/session/_31'"));
    ok &= m_logind.addMethod(logindManager, QStringLiteral("CanHibernate"), QString(),
                             QStringLiteral("s"), QStringLiteral("ret = 'yes'"));
    m_logind.clearCalls();
    return ok;
}

// Every *WithFlags method of logind runs `code`.
bool tst_Power::setWithFlagsMethods(const QString& code) {
    bool ok = true;
    for (const char* method :
         {"PowerOffWithFlags", "RebootWithFlags", "SuspendWithFlags", "HibernateWithFlags"})
        ok &= m_logind.addMethod(logindManager, QString::fromLatin1(method), QStringLiteral("t"),
                                 QString(), code);
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

// Once the requests settle: what logind and the session manager, where there is one, were asked.
void tst_Power::checkCallsOnceSettled(const QStringList& logindCalls,
                                      const QStringList& sessionManagerCalls) {
    QVERIFY(settle(*m_requests));
    QCOMPARE(m_logind.calls(), withPid(logindCalls));
    if (!m_desktop.isEmpty())
        QCOMPARE(m_sessionManager.calls(), sessionManagerCalls);
}

void tst_Power::requestsForEachKind_data() {
    QTest::addColumn<QString>("sessionManager");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("force");
    QTest::addColumn<QStringList>("logindCalls");
    QTest::addColumn<QStringList>("sessionManagerCalls");
    QTest::addColumn<QString>("warning");

    const QStringList endSession{u"CanPowerOff()"_s, u"GetSessionByPID($PID)"_s,
                                 u"TerminateSession(1)"_s};
    // Without a session manager everything goes to logind; normal requests respect
    // inhibitors, forced ones skip them.
    QTest::newRow("log off") << u""_s << 0 << false << endSession << QStringList() << u""_s;
    QTest::newRow("forced log off") << u""_s << 0 << true << endSession << QStringList() << u""_s;
    QTest::newRow("shut down") << u""_s << 1 << false
                               << QStringList{u"CanPowerOff()"_s, u"PowerOffWithFlags(1)"_s}
                               << QStringList() << u""_s;
    QTest::newRow("forced shut down")
        << u""_s << 1 << true << QStringList{u"CanPowerOff()"_s, u"PowerOffWithFlags(16)"_s}
        << QStringList() << u""_s;
    QTest::newRow("restart") << u""_s << 2 << false
                             << QStringList{u"CanReboot()"_s, u"RebootWithFlags(1)"_s}
                             << QStringList() << u""_s;
    QTest::newRow("forced restart")
        << u""_s << 2 << true << QStringList{u"CanReboot()"_s, u"RebootWithFlags(16)"_s}
        << QStringList() << u""_s;
    QTest::newRow("hibernate") << u""_s << 5 << false
                               << QStringList{u"CanHibernate()"_s, u"HibernateWithFlags(1)"_s}
                               << QStringList() << u""_s;
    QTest::newRow("forced hibernate")
        << u""_s << 5 << true << QStringList{u"CanHibernate()"_s, u"HibernateWithFlags(16)"_s}
        << QStringList() << u""_s;
    QTest::newRow("stand by") << u""_s << 6 << false
                              << QStringList{u"CanSuspend()"_s, u"SuspendWithFlags(1)"_s}
                              << QStringList() << u""_s;
    QTest::newRow("forced stand by")
        << u""_s << 6 << true << QStringList{u"CanSuspend()"_s, u"SuspendWithFlags(16)"_s}
        << QStringList() << u""_s;
    // Kinds outside the table are exit flags: 4 is log off with the force bit.
    QTest::newRow("exit flags 4") << u""_s << 4 << false << endSession << QStringList() << u""_s;
    QTest::newRow("exit flags 3") << u""_s << 3 << false << QStringList{u"CanPowerOff()"_s}
                                  << QStringList() << u"Exit flags 3 name no request"_s;
    QTest::newRow("exit flags 8") << u""_s << 8 << true << QStringList{u"CanPowerOff()"_s}
                                  << QStringList() << u"Exit flags 12 name no request"_s;
    QTest::newRow("negative kind") << u""_s << -1 << false << QStringList{u"CanPowerOff()"_s}
                                   << QStringList() << u"Exit flags -1 name no request"_s;

    // A session manager asks the applications first when ending the session normally.
    QTest::newRow("plasma log off") << u"kde"_s << 0 << false << QStringList{u"CanPowerOff()"_s}
                                    << QStringList{u"logout()"_s} << u""_s;
    QTest::newRow("plasma shut down") << u"kde"_s << 1 << false << QStringList{u"CanPowerOff()"_s}
                                      << QStringList{u"logoutAndShutdown()"_s} << u""_s;
    QTest::newRow("plasma restart") << u"kde"_s << 2 << false << QStringList{u"CanReboot()"_s}
                                    << QStringList{u"logoutAndReboot()"_s} << u""_s;
    QTest::newRow("plasma, forced log off")
        << u"kde"_s << 0 << true << endSession << QStringList() << u""_s;
    QTest::newRow("plasma, forced shut down")
        << u"kde"_s << 1 << true << QStringList{u"CanPowerOff()"_s, u"PowerOffWithFlags(16)"_s}
        << QStringList() << u""_s;
    QTest::newRow("plasma, stand by")
        << u"kde"_s << 6 << false << QStringList{u"CanSuspend()"_s, u"SuspendWithFlags(1)"_s}
        << QStringList() << u""_s;
    QTest::newRow("gnome log off") << u"gnome"_s << 0 << false << QStringList{u"CanPowerOff()"_s}
                                   << QStringList{u"Logout(1)"_s} << u""_s;
    QTest::newRow("gnome shut down") << u"gnome"_s << 1 << false << QStringList{u"CanPowerOff()"_s}
                                     << QStringList{u"Shutdown()"_s} << u""_s;
    QTest::newRow("gnome restart") << u"gnome"_s << 2 << false << QStringList{u"CanReboot()"_s}
                                   << QStringList{u"Reboot()"_s} << u""_s;
    QTest::newRow("gnome, forced restart")
        << u"gnome"_s << 2 << true << QStringList{u"CanReboot()"_s, u"RebootWithFlags(16)"_s}
        << QStringList() << u""_s;
    QTest::newRow("xfce log off") << u"xfce"_s << 0 << false << QStringList{u"CanPowerOff()"_s}
                                  << QStringList{u"Logout(false,true)"_s} << u""_s;
    QTest::newRow("xfce shut down") << u"xfce"_s << 1 << false << QStringList{u"CanPowerOff()"_s}
                                    << QStringList{u"Shutdown(true)"_s} << u""_s;
    QTest::newRow("xfce restart") << u"xfce"_s << 2 << false << QStringList{u"CanReboot()"_s}
                                  << QStringList{u"Restart(true)"_s} << u""_s;
    QTest::newRow("xfce, forced hibernate")
        << u"xfce"_s << 5 << true << QStringList{u"CanHibernate()"_s, u"HibernateWithFlags(16)"_s}
        << QStringList() << u""_s;
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
    power.ShutDown(static_cast<PowerKind>(kind), force);

    checkCallsOnceSettled(logindCalls, sessionManagerCalls);
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
        << QStringList{u"CanPowerOff()"_s, u"PowerOffWithFlags(1)"_s, u"PowerOff(true)"_s};
    QTest::newRow("no flags methods, forced restart")
        << missing << 2 << true
        << QStringList{u"CanReboot()"_s, u"RebootWithFlags(16)"_s, u"Reboot(true)"_s};
    QTest::newRow("no flags methods, stand by")
        << missing << 6 << false
        << QStringList{u"CanSuspend()"_s, u"SuspendWithFlags(1)"_s, u"Suspend(true)"_s};
    QTest::newRow("no flags methods, forced hibernate")
        << missing << 5 << true
        << QStringList{u"CanHibernate()"_s, u"HibernateWithFlags(16)"_s, u"Hibernate(true)"_s};
    QTest::newRow("no skip flag, forced stand by")
        << withoutSkip << 6 << true
        << QStringList{u"CanSuspend()"_s, u"SuspendWithFlags(16)"_s, u"Suspend(true)"_s};
    QTest::newRow("no skip flag, stand by")
        << withoutSkip << 6 << false << QStringList{u"CanSuspend()"_s, u"SuspendWithFlags(1)"_s};
}

void tst_Power::plainCallsOnOlderLogind() {
    QFETCH(QString, withFlagsCode);
    QFETCH(int, kind);
    QFETCH(bool, force);
    QFETCH(QStringList, logindCalls);
    QVERIFY(setWithFlagsMethods(withFlagsCode));

    CPower(*m_requests).ShutDown(static_cast<PowerKind>(kind), force);

    checkCallsOnceSettled(logindCalls);
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
        << u""_s << false << logindManager << u"PowerOffWithFlags"_s << u"t"_s << u""_s
        << u"org.freedesktop.login1.BlockedByInhibitorLock"_s << 1 << false
        << QStringList{u"CanPowerOff()"_s, u"PowerOffWithFlags(1)"_s} << QStringList();
    QTest::newRow("forced stand by not authorised")
        << u""_s << false << logindManager << u"SuspendWithFlags"_s << u"t"_s << u""_s
        << u"org.freedesktop.DBus.Error.AccessDenied"_s << 6 << true
        << QStringList{u"CanSuspend()"_s, u"SuspendWithFlags(16)"_s} << QStringList();
    QTest::newRow("program outside a session")
        << u""_s << false << logindManager << u"GetSessionByPID"_s << u"u"_s << u"o"_s
        << u"org.freedesktop.login1.NoSessionForPID"_s << 0 << true
        << QStringList{u"CanPowerOff()"_s, u"GetSessionByPID($PID)"_s} << QStringList();
    QTest::newRow("applications refuse to log off")
        << u"gnome"_s << true << u"org.gnome.SessionManager"_s << u"Logout"_s << u"u"_s << u""_s
        << u"org.gnome.SessionManager.NotInRunning"_s << 0 << false
        << QStringList{u"CanPowerOff()"_s} << QStringList{u"Logout(1)"_s};
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

    CPower(*m_requests).ShutDown(static_cast<PowerKind>(kind), force);

    checkCallsOnceSettled(logindCalls, sessionManagerCalls);
}

void tst_Power::privilegeStepOnlyWithLogind_data() {
    QTest::addColumn<bool>("reachable");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("force");
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("reachable, restart")
        << true << 2 << false << QStringList{u"ask reboot"_s, u"request reboot normal"_s};
    QTest::newRow("unreachable, shut down")
        << false << 1 << false << QStringList{u"request power off normal"_s};
    QTest::newRow("unreachable, forced log off")
        << false << 0 << true << QStringList{u"request log off forced"_s};
    QTest::newRow("unreachable, forced stand by")
        << false << 6 << true << QStringList{u"request suspend forced"_s};
}

void tst_Power::privilegeStepOnlyWithLogind() {
    QFETCH(bool, reachable);
    QFETCH(int, kind);
    QFETCH(bool, force);
    QFETCH(QStringList, steps);
    RecordingPowerRequests system;
    system.reachable = reachable;

    CPower(system).ShutDown(static_cast<PowerKind>(kind), force);

    QCOMPARE(system.calls, steps);
}

// A session bus without logind stands for a machine without it.
void tst_Power::withoutLogindTheRequestIsStillMade() {
    QVERIFY(useSessionManager(QStringLiteral("gnome")));
    LogindPowerRequests requests(m_sessionBus.connection(), m_sessionBus.connection());
    // Found out without waiting: the first answer only follows the look-up.
    QTRY_VERIFY(!modPower::IsWinNT(requests));
    QVERIFY(settle(requests));
    CPower power(requests);

    power.ShutDown(PowerKind::ShutDown, false);
    QVERIFY(settle(requests));
    QCOMPARE(m_sessionManager.calls(), QStringList{u"Shutdown()"_s});

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("SuspendWithFlags.*"
                                                                         "ServiceUnknown")));
    power.ShutDown(PowerKind::Standby, false);
    QVERIFY(settle(requests));
}

void tst_Power::noBusIsHarmless() {
    const QString nowhere = QStringLiteral("unix:path=/nonexistent/tst_power_bus");
    LogindPowerRequests requests(QDBusConnection::connectToBus(nowhere, QStringLiteral("none1")),
                                 QDBusConnection::connectToBus(nowhere, QStringLiteral("none2")));
    QVERIFY(!modPower::IsWinNT(requests));
    std::optional<bool> offered;
    modPower::CanHibernate(requests, [&](bool answer) { offered = answer; });
    QTRY_VERIFY(offered.has_value());
    QVERIFY(!*offered);
    CPower power(requests);
    for (const int kind : {0, 1, 2, 5, 6}) {
        for (const bool force : {false, true}) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Disconnected")));
            power.ShutDown(static_cast<PowerKind>(kind), force);
        }
    }
    QVERIFY(settle(requests));
    QDBusConnection::disconnectFromBus(QStringLiteral("none1"));
    QDBusConnection::disconnectFromBus(QStringLiteral("none2"));
}

void tst_Power::canHibernate_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("offered");

    QTest::newRow("yes") << u"ret = 'yes'"_s << true;
    QTest::newRow("challenge") << u"ret = 'challenge'"_s << true;
    QTest::newRow("no") << u"ret = 'no'"_s << false;
    QTest::newRow("na") << u"ret = 'na'"_s << false;
    QTest::newRow("error") << raising(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"))
                           << false;
}

void tst_Power::canHibernate() {
    QFETCH(QString, code);
    QFETCH(bool, offered);
    QVERIFY(m_logind.addMethod(logindManager, QStringLiteral("CanHibernate"), QString(),
                               QStringLiteral("s"), code));

    std::optional<bool> answer;
    modPower::CanHibernate(*m_requests, [&](bool given) { answer = given; });
    QTRY_VERIFY(answer.has_value());
    QCOMPARE(*answer, offered);
    QCOMPARE(m_logind.calls(), QStringList{u"CanHibernate()"_s});
}

QTEST_GUILESS_MAIN(tst_Power)
#include "tst_power.moc"
