#include "support/DBusMock.h"

#include "support/PrivateBus.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <QSignalSpy>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int startTimeout = 10000;
const QString mockInterface = QStringLiteral("org.freedesktop.DBus.Mock");
} // namespace

DBusMock::~DBusMock() {
    stop();
}

bool DBusMock::start(const QDBusConnection& bus, const QString& busAddress,
                     const QString& serviceName, const QString& objectPath,
                     const QStringList& arguments, QString* error) {
    m_bus = bus;
    m_service = serviceName;
    m_path = objectPath;

    QDBusServiceWatcher watcher(serviceName, bus, QDBusServiceWatcher::WatchForRegistration);
    QSignalSpy registered(&watcher, &QDBusServiceWatcher::serviceRegistered);

    // Both variables point at the private bus: templates pick the system bus, bare mocks
    // the session bus.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), busAddress);
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    // Debian's interpreter: one on PATH may lack Debian's Python modules.
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    QStringList{QStringLiteral("-m"), QStringLiteral("dbusmock")} + arguments);
    if (!m_process.waitForStarted(startTimeout)) {
        *error = QStringLiteral("python3 -m dbusmock did not start: ") + m_process.errorString();
        return false;
    }
    const QDeadlineTimer deadline(startTimeout);
    while (!nameHasOwner(bus, serviceName)) {
        if (m_process.state() == QProcess::NotRunning || deadline.hasExpired()) {
            *error = QStringLiteral("dbusmock did not claim ") + serviceName +
                     QStringLiteral(": ") + QString::fromLocal8Bit(m_process.readAll());
            stop();
            return false;
        }
        registered.wait(100);
    }
    return true;
}

void DBusMock::stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    // Wait until the bus has seen the name go, so that the next mock can claim it.
    QDBusServiceWatcher watcher(m_service, m_bus, QDBusServiceWatcher::WatchForUnregistration);
    QSignalSpy unregistered(&watcher, &QDBusServiceWatcher::serviceUnregistered);
    m_process.terminate();
    if (!m_process.waitForFinished(startTimeout))
        m_process.kill();
    m_process.waitForFinished(startTimeout);
    const QDeadlineTimer deadline(startTimeout);
    while (m_bus.isConnected() && nameHasOwner(m_bus, m_service) && !deadline.hasExpired())
        unregistered.wait(100);
}

QDBusMessage DBusMock::mockCall(const QString& method, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(m_service, m_path, mockInterface, method);
    message.setArguments(arguments);
    return m_bus.call(message);
}

bool DBusMock::addMethod(const QString& interface, const QString& name, const QString& inSignature,
                         const QString& outSignature, const QString& code) {
    return mockCall(QStringLiteral("AddMethod"), {interface, name, inSignature, outSignature, code})
               .type() == QDBusMessage::ReplyMessage;
}

void DBusMock::clearCalls() {
    mockCall(QStringLiteral("ClearCalls"), {});
}

QStringList DBusMock::calls() {
    const QDBusMessage reply = mockCall(QStringLiteral("GetCalls"), {});
    QStringList calls;
    if (reply.type() != QDBusMessage::ReplyMessage) {
        calls << QStringLiteral("GetCalls failed: ") + reply.errorMessage();
        return calls;
    }
    // a(tsav): time, method, arguments.
    const QDBusArgument log = reply.arguments().value(0).value<QDBusArgument>();
    log.beginArray();
    while (!log.atEnd()) {
        quint64 time = 0;
        QString method;
        log.beginStructure();
        log >> time >> method;
        QStringList arguments;
        log.beginArray();
        while (!log.atEnd()) {
            QDBusVariant argument;
            log >> argument;
            arguments << argument.variant().toString();
        }
        log.endArray();
        log.endStructure();
        calls << method + QLatin1Char('(') + arguments.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    log.endArray();
    return calls;
}
