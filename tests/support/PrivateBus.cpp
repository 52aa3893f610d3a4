#include "support/PrivateBus.h"

#include <QDBusMessage>
#include <QDeadlineTimer>

namespace {
constexpr int startTimeout = 10000;
}

PrivateBus::PrivateBus(QString connectionName)
    : m_connectionName(std::move(connectionName)) {}

PrivateBus::~PrivateBus() {
    stop();
}

bool PrivateBus::start(QString* error) {
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"),
                    QStringLiteral("--print-address=1")});
    if (!m_daemon.waitForStarted(startTimeout)) {
        *error = QStringLiteral("dbus-daemon did not start: ") + m_daemon.errorString();
        return false;
    }
    const QDeadlineTimer deadline(startTimeout);
    while (!m_daemon.canReadLine()) {
        if (deadline.hasExpired() || !m_daemon.waitForReadyRead(int(deadline.remainingTime()))) {
            *error = QStringLiteral("dbus-daemon printed no address: ") +
                     QString::fromLocal8Bit(m_daemon.readAllStandardError());
            return false;
        }
    }
    m_address = QString::fromLatin1(m_daemon.readLine()).trimmed();
    const QDBusConnection bus = QDBusConnection::connectToBus(m_address, m_connectionName);
    if (!bus.isConnected()) {
        *error = QStringLiteral("cannot connect to ") + m_address + QStringLiteral(": ") +
                 bus.lastError().message();
        return false;
    }
    return true;
}

void PrivateBus::stop() {
    QDBusConnection::disconnectFromBus(m_connectionName);
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(startTimeout))
            m_daemon.kill();
        m_daemon.waitForFinished(startTimeout);
    }
}

QDBusConnection PrivateBus::connection() const {
    return QDBusConnection(m_connectionName);
}

bool nameHasOwner(const QDBusConnection& bus, const QString& name) {
    QDBusMessage question = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    question << name;
    const QDBusMessage reply = bus.call(question);
    return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool();
}
