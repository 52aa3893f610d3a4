#include "platform/LogindPowerRequests.h"

#include "base/PowerLog.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QStringList>

namespace {

const QString logindService = QStringLiteral("org.freedesktop.login1");
const QString logindPath = QStringLiteral("/org/freedesktop/login1");
const QString logindManager = QStringLiteral("org.freedesktop.login1.Manager");

// Flags of the *WithFlags methods.
constexpr quint64 rootChecksInhibitors = 1; // SD_LOGIND_ROOT_CHECK_INHIBITORS
constexpr quint64 skipInhibitors = 16;      // SD_LOGIND_SKIP_INHIBITORS, logind 257 and later

// The bus daemon answers at once unless it hangs; the window must not hang with it.
constexpr int busDaemonTimeout = 1000;
constexpr int questionTimeout = 5000;
// Asked once while the window loads.
constexpr int answerTimeout = 2000;
// polkit may wait for the user to type a password; a late answer is only logged anyway.
constexpr int requestTimeout = 10 * 60 * 1000;

QString canMethod(PowerAction action) {
    switch (action) {
    case PowerAction::Reboot:
        return QStringLiteral("CanReboot");
    case PowerAction::Suspend:
        return QStringLiteral("CanSuspend");
    case PowerAction::Hibernate:
        return QStringLiteral("CanHibernate");
    case PowerAction::LogOff:   // logind has no question for ending a session: ask for the
    case PowerAction::PowerOff: // shut-down privilege as such
        break;
    }
    return QStringLiteral("CanPowerOff");
}

QString logindMethod(PowerAction action) {
    switch (action) {
    case PowerAction::Reboot:
        return QStringLiteral("Reboot");
    case PowerAction::Suspend:
        return QStringLiteral("Suspend");
    case PowerAction::Hibernate:
        return QStringLiteral("Hibernate");
    case PowerAction::LogOff:
    case PowerAction::PowerOff:
        break;
    }
    return QStringLiteral("PowerOff");
}

QDBusMessage logindCall(const QString& method) {
    return QDBusMessage::createMethodCall(logindService, logindPath, logindManager, method);
}

// A request that polkit may answer by asking the user; the *WithFlags methods read this
// permission from the message header only.
QDBusMessage logindRequest(const QString& method) {
    QDBusMessage message = logindCall(method);
    message.setInteractiveAuthorizationAllowed(true);
    return message;
}

QDBusMessage busDaemonCall(const QString& method, const QString& name = QString()) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), method);
    if (!name.isEmpty())
        message << name;
    return message;
}

bool hasOwner(const QDBusConnection& bus, const QString& name) {
    if (!bus.isConnected())
        return false;
    const QDBusMessage reply = bus.call(busDaemonCall(QStringLiteral("NameHasOwner"), name),
                                        QDBus::Block, busDaemonTimeout);
    return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool();
}

bool isActivatable(const QDBusConnection& bus, const QString& name) {
    if (!bus.isConnected())
        return false;
    const QDBusMessage reply = bus.call(busDaemonCall(QStringLiteral("ListActivatableNames")),
                                        QDBus::Block, busDaemonTimeout);
    return reply.type() == QDBusMessage::ReplyMessage &&
           reply.arguments().value(0).toStringList().contains(name);
}

// logind names a session object by its identifier with every byte outside [A-Za-z0-9]
// (and a leading digit) written as "_" and two hex digits: session "1" is ".../session/_31".
QString sessionIdFromPath(const QString& path) {
    const QByteArray label = path.section(QLatin1Char('/'), -1).toLatin1();
    QByteArray id;
    for (int i = 0; i < label.size(); ++i) {
        if (label.at(i) == '_' && i + 2 < label.size()) {
            bool ok = false;
            const int byte = label.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                id.append(static_cast<char>(byte));
                i += 2;
                continue;
            }
        }
        id.append(label.at(i));
    }
    return QString::fromUtf8(id);
}

struct SessionManager {
    QString service;
    QString path;
    QString interface;
    QString logOut;
    QString powerOff;
    QString reboot;
    QVariantList logOutArguments;
    QVariantList endArguments; // of powerOff and reboot
};

// Looked for in this order; the first one present on the session bus is asked.
const QList<SessionManager>& sessionManagers() {
    static const QList<SessionManager> managers{
        {QStringLiteral("org.kde.Shutdown"),
         QStringLiteral("/Shutdown"),
         QStringLiteral("org.kde.Shutdown"),
         QStringLiteral("logout"),
         QStringLiteral("logoutAndShutdown"),
         QStringLiteral("logoutAndReboot"),
         {},
         {}},
        // Logout mode 1: without the confirmation dialog.
        {QStringLiteral("org.gnome.SessionManager"),
         QStringLiteral("/org/gnome/SessionManager"),
         QStringLiteral("org.gnome.SessionManager"),
         QStringLiteral("Logout"),
         QStringLiteral("Shutdown"),
         QStringLiteral("Reboot"),
         {QVariant::fromValue(1u)},
         {}},
        // Logout(show_dialog, allow_save), Shutdown/Restart(allow_save).
        {QStringLiteral("org.xfce.SessionManager"),
         QStringLiteral("/org/xfce/SessionManager"),
         QStringLiteral("org.xfce.Session.Manager"),
         QStringLiteral("Logout"),
         QStringLiteral("Shutdown"),
         QStringLiteral("Restart"),
         {false, true},
         {true}},
    };
    return managers;
}

bool isUnknownMethod(const QDBusMessage& reply) {
    return reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod");
}

bool isInvalidArguments(const QDBusMessage& reply) {
    return reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.InvalidArgs");
}

void logRefusal(const QDBusMessage& request, const QDBusMessage& reply) {
    qCWarning(lcPower).noquote() << request.service() + QLatin1Char(' ') + request.member()
                                 << "refused or failed:" << reply.errorName()
                                 << reply.errorMessage();
}

} // namespace

LogindPowerRequests::LogindPowerRequests(QDBusConnection systemBus, QDBusConnection sessionBus,
                                         QObject* parent)
    : QObject(parent)
    , m_systemBus(std::move(systemBus))
    , m_sessionBus(std::move(sessionBus)) {}

LogindPowerRequests::~LogindPowerRequests() = default;

bool LogindPowerRequests::isPowerServiceReachable() {
    return hasOwner(m_systemBus, logindService) || isActivatable(m_systemBus, logindService);
}

void LogindPowerRequests::askWhetherAllowed(PowerAction action) {
    const QDBusMessage question = logindCall(canMethod(action));
    send(m_systemBus, question, questionTimeout, [question](const QDBusMessage& reply) {
        if (reply.type() == QDBusMessage::ErrorMessage)
            qCInfo(lcPower).noquote() << question.member() << "unanswered:" << reply.errorName();
        else
            qCDebug(lcPower).noquote()
                << question.member() << "answered" << reply.arguments().value(0).toString();
    });
}

QString LogindPowerRequests::answerWhetherAllowed(PowerAction action) {
    if (!m_systemBus.isConnected())
        return {};
    const QDBusMessage question = logindCall(canMethod(action));
    const QDBusMessage reply = m_systemBus.call(question, QDBus::Block, answerTimeout);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        qCInfo(lcPower).noquote() << question.member() << "unanswered:" << reply.errorName();
        return {};
    }
    return reply.arguments().value(0).toString();
}

void LogindPowerRequests::request(PowerAction action, bool forced) {
    const bool sessionManagerMayAsk = action == PowerAction::LogOff ||
                                      action == PowerAction::PowerOff ||
                                      action == PowerAction::Reboot;
    if (!forced && sessionManagerMayAsk) {
        if (const std::optional<QDBusMessage> polite = sessionManagerRequest(action)) {
            // A refusal here is the applications' (or the user's) answer: no fallback.
            sendRequest(m_sessionBus, *polite);
            return;
        }
    }
    if (action == PowerAction::LogOff)
        terminateOwnSession();
    else
        requestFromLogind(action, forced);
}

void LogindPowerRequests::requestFromLogind(PowerAction action, bool forced) {
    const QString method = logindMethod(action);
    QDBusMessage withFlags = logindRequest(method + QLatin1String("WithFlags"));
    withFlags << QVariant::fromValue(forced ? skipInhibitors : rootChecksInhibitors);
    send(m_systemBus, withFlags, requestTimeout,
         [this, method, forced, withFlags](const QDBusMessage& reply) {
             if (reply.type() != QDBusMessage::ErrorMessage)
                 return;
             // logind before 248 lacks the *WithFlags methods; before 257 it rejects the
             // skip flag as an invalid argument. The plain call with interactive
             // authorisation is the nearest it offers.
             if (isUnknownMethod(reply) || (forced && isInvalidArguments(reply))) {
                 qCInfo(lcPower).noquote() << withFlags.member()
                                           << QStringLiteral("not available (") +
                                                  reply.errorName() + QStringLiteral("), asking")
                                           << method;
                 QDBusMessage plain = logindRequest(method);
                 plain << true;
                 sendRequest(m_systemBus, plain);
                 return;
             }
             logRefusal(withFlags, reply);
         });
}

void LogindPowerRequests::terminateOwnSession() {
    QDBusMessage lookUp = logindCall(QStringLiteral("GetSessionByPID"));
    lookUp << static_cast<quint32>(QCoreApplication::applicationPid());
    send(m_systemBus, lookUp, questionTimeout, [this, lookUp](const QDBusMessage& reply) {
        if (reply.type() != QDBusMessage::ReplyMessage) {
            logRefusal(lookUp, reply);
            return;
        }
        const QString path = reply.arguments().value(0).value<QDBusObjectPath>().path();
        QDBusMessage terminate = logindRequest(QStringLiteral("TerminateSession"));
        terminate << sessionIdFromPath(path);
        sendRequest(m_systemBus, terminate);
    });
}

std::optional<QDBusMessage> LogindPowerRequests::sessionManagerRequest(PowerAction action) {
    for (const SessionManager& manager : sessionManagers()) {
        if (!hasOwner(m_sessionBus, manager.service))
            continue;
        const bool logOut = action == PowerAction::LogOff;
        const QString method = logOut                            ? manager.logOut
                               : action == PowerAction::PowerOff ? manager.powerOff
                                                                 : manager.reboot;
        QDBusMessage message = QDBusMessage::createMethodCall(manager.service, manager.path,
                                                              manager.interface, method);
        message.setArguments(logOut ? manager.logOutArguments : manager.endArguments);
        return message;
    }
    return std::nullopt;
}

void LogindPowerRequests::sendRequest(const QDBusConnection& bus, const QDBusMessage& message) {
    send(bus, message, requestTimeout, [message](const QDBusMessage& reply) {
        if (reply.type() == QDBusMessage::ErrorMessage)
            logRefusal(message, reply);
        else
            qCDebug(lcPower).noquote() << message.member() << "accepted";
    });
}

void LogindPowerRequests::send(const QDBusConnection& bus, const QDBusMessage& message, int timeout,
                               ReplyHandler onReply) {
    ++m_pending;
    const QDBusPendingCall call = bus.asyncCall(message, timeout);
    if (call.isFinished()) {
        // Without a connection Qt hands back a call that has already failed and never
        // reports it: deliver its error from the event loop like any other answer.
        QMetaObject::invokeMethod(
            this,
            [this, onReply = std::move(onReply), reply = call.reply()] { finish(onReply, reply); },
            Qt::QueuedConnection);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, onReply = std::move(onReply)](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                finish(onReply, finished->reply());
            });
}

void LogindPowerRequests::finish(const ReplyHandler& onReply, const QDBusMessage& reply) {
    // A follow-up message is sent inside the handler, so the count cannot reach zero
    // between the steps of one request.
    onReply(reply);
    if (--m_pending == 0)
        Q_EMIT settled();
}
