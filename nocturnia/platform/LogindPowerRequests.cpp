#include "platform/LogindPowerRequests.h"

#include "base/PowerLog.h"
#include "platform/LazyBus.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QFileInfo>
#include <QStringList>
#include <chrono>

namespace {

const QString logindService = QStringLiteral("org.freedesktop.login1");
const QString logindPath = QStringLiteral("/org/freedesktop/login1");
const QString logindManager = QStringLiteral("org.freedesktop.login1.Manager");

// Flags of the *WithFlags methods.
constexpr quint64 rootChecksInhibitors = 1; // SD_LOGIND_ROOT_CHECK_INHIBITORS
constexpr quint64 skipInhibitors = 16;      // SD_LOGIND_SKIP_INHIBITORS, logind 257 and later

// The bus daemon answers at once unless it hangs.
constexpr int busDaemonTimeout = 1000;
constexpr int questionTimeout = 5000;
// Asked once while the window loads: the longest the load waits, connecting included.
constexpr int answerTimeout = 2000;
// polkit may wait for the user to type a password; a late answer is only logged anyway.
constexpr int requestTimeout = 10 * 60 * 1000;

// The login manager's name of the action; its question is the same name after "Can".
QString logindMethod(PowerAction action) {
    switch (action) {
    case PowerAction::Reboot:
        return QStringLiteral("Reboot");
    case PowerAction::Suspend:
        return QStringLiteral("Suspend");
    case PowerAction::Hibernate:
        return QStringLiteral("Hibernate");
    case PowerAction::LogOff:   // logind has no question for ending a session: ask for the
    case PowerAction::PowerOff: // shut-down privilege as such
        break;
    }
    return QStringLiteral("PowerOff");
}

QString canMethod(PowerAction action) {
    return QStringLiteral("Can") + logindMethod(action);
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

// The polite request to the first session manager among the names on the session bus.
std::optional<QDBusMessage> sessionManagerRequest(PowerAction action, const QStringList& names) {
    for (const SessionManager& manager : sessionManagers()) {
        if (!names.contains(manager.service))
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

void logRefusal(const QDBusMessage& request, const QDBusMessage& reply) {
    qCWarning(lcPower).noquote() << request.service() + QLatin1Char(' ') + request.member()
                                 << "refused or failed:" << reply.errorName()
                                 << reply.errorMessage();
}

} // namespace

LogindPowerRequests::LogindPowerRequests(BusSource systemBus, BusSource sessionBus, QObject* parent)
    : QObject(parent)
    , m_systemBus(std::make_unique<LazyBus>(std::move(systemBus), kConnectTimeout))
    , m_sessionBus(std::make_unique<LazyBus>(std::move(sessionBus), kConnectTimeout)) {}

LogindPowerRequests::LogindPowerRequests(const QDBusConnection& systemBus,
                                         const QDBusConnection& sessionBus, QObject* parent)
    : QObject(parent)
    , m_systemBus(std::make_unique<LazyBus>(systemBus))
    , m_sessionBus(std::make_unique<LazyBus>(sessionBus)) {}

LogindPowerRequests::~LogindPowerRequests() = default;

QString LogindPowerRequests::sessionBusAddress() {
    QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty())
        return address;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString socket = runtime + QStringLiteral("/bus");
    if (!runtime.isEmpty() && QFileInfo(socket).exists() && !QFileInfo(socket).isDir())
        return QStringLiteral("unix:path=") + socket;
    return {};
}

QDBusConnection LogindPowerRequests::connectSessionBus() {
    const QString name = QStringLiteral("nocturnia_session_bus");
    const QString address = sessionBusAddress();
    // An explicit address: libdbus would launch a bus of its own for "the session bus".
    if (address.isEmpty()) {
        qCInfo(lcPower) << "no session bus: no session manager to ask";
        return QDBusConnection(name);
    }
    return QDBusConnection::connectToBus(address, name);
}

bool LogindPowerRequests::isPowerServiceReachable() {
    // Answered from the last look-up, which runs again in the background: a stopped bus daemon
    // must not hold the window. Until the first finding the question is simply sent.
    refreshReachability();
    if (const std::optional<QDBusConnection> bus = m_systemBus->ready(); bus && !bus->isConnected())
        return false;
    return m_logindReachable.value_or(true);
}

void LogindPowerRequests::refreshReachability() {
    if (m_lookingUp)
        return;
    m_lookingUp = true;
    auto names = std::make_shared<QStringList>();
    auto answers = std::make_shared<int>(0);
    const auto collect = [this, names, answers](const QDBusMessage& reply) {
        if (reply.type() == QDBusMessage::ReplyMessage)
            *names += reply.arguments().value(0).toStringList();
        else
            qCDebug(lcPower).noquote() << "name look-up unanswered:" << reply.errorName();
        if (++*answers < 2)
            return;
        m_lookingUp = false;
        m_logindReachable = names->contains(logindService);
    };
    send(*m_systemBus, busDaemonCall(QStringLiteral("ListNames")), busDaemonTimeout, collect);
    send(*m_systemBus, busDaemonCall(QStringLiteral("ListActivatableNames")), busDaemonTimeout,
         collect);
}

void LogindPowerRequests::askWhetherAllowed(PowerAction action) {
    const QDBusMessage question = logindCall(canMethod(action));
    send(*m_systemBus, question, questionTimeout, [question](const QDBusMessage& reply) {
        if (reply.type() == QDBusMessage::ErrorMessage)
            qCInfo(lcPower).noquote() << question.member() << "unanswered:" << reply.errorName();
        else
            qCDebug(lcPower).noquote()
                << question.member() << "answered" << reply.arguments().value(0).toString();
    });
}

void LogindPowerRequests::answerWhetherAllowed(PowerAction action,
                                               std::function<void(const QString&)> answered) {
    const QDBusMessage question = logindCall(canMethod(action));
    send(*m_systemBus, question, answerTimeout,
         [question, answered = std::move(answered)](const QDBusMessage& reply) {
             if (reply.type() == QDBusMessage::ReplyMessage) {
                 answered(reply.arguments().value(0).toString());
                 return;
             }
             qCInfo(lcPower).noquote() << question.member() << "unanswered:" << reply.errorName();
             answered(QString());
         });
}

void LogindPowerRequests::request(PowerAction action, bool forced) {
    const bool sessionManagerMayAsk = action == PowerAction::LogOff ||
                                      action == PowerAction::PowerOff ||
                                      action == PowerAction::Reboot;
    if (!forced && sessionManagerMayAsk) {
        // Which session manager runs is looked up without waiting; a refusal by the one asked
        // is the applications' (or the user's) answer: no fallback then.
        send(*m_sessionBus, busDaemonCall(QStringLiteral("ListNames")), busDaemonTimeout,
             [this, action, forced](const QDBusMessage& reply) {
                 const QStringList names = reply.type() == QDBusMessage::ReplyMessage
                                               ? reply.arguments().value(0).toStringList()
                                               : QStringList();
                 if (const auto polite = sessionManagerRequest(action, names)) {
                     sendRequest(*m_sessionBus, *polite);
                     return;
                 }
                 requestFromLogind(action, forced);
             });
        return;
    }
    requestFromLogind(action, forced);
}

// Logging off ends the program's own session; the other actions have methods of their own.
void LogindPowerRequests::requestFromLogind(PowerAction action, bool forced) {
    if (action == PowerAction::LogOff) {
        terminateOwnSession();
        return;
    }
    const QString method = logindMethod(action);
    QDBusMessage withFlags = logindRequest(method + QLatin1String("WithFlags"));
    withFlags << QVariant::fromValue(forced ? skipInhibitors : rootChecksInhibitors);
    send(*m_systemBus, withFlags, requestTimeout,
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
                 sendRequest(*m_systemBus, plain);
                 return;
             }
             logRefusal(withFlags, reply);
         });
}

void LogindPowerRequests::terminateOwnSession() {
    QDBusMessage lookUp = logindCall(QStringLiteral("GetSessionByPID"));
    lookUp << static_cast<quint32>(QCoreApplication::applicationPid());
    send(*m_systemBus, lookUp, questionTimeout, [this, lookUp](const QDBusMessage& reply) {
        if (reply.type() != QDBusMessage::ReplyMessage) {
            logRefusal(lookUp, reply);
            return;
        }
        const QString path = reply.arguments().value(0).value<QDBusObjectPath>().path();
        QDBusMessage terminate = logindRequest(QStringLiteral("TerminateSession"));
        terminate << sessionIdFromPath(path);
        sendRequest(*m_systemBus, terminate);
    });
}

void LogindPowerRequests::sendRequest(LazyBus& bus, const QDBusMessage& message) {
    send(bus, message, requestTimeout, [message](const QDBusMessage& reply) {
        if (reply.type() == QDBusMessage::ErrorMessage)
            logRefusal(message, reply);
        else
            qCDebug(lcPower).noquote() << message.member() << "accepted";
    });
}

void LogindPowerRequests::send(LazyBus& bus, const QDBusMessage& message, int timeout,
                               ReplyHandler onReply) {
    ++m_pending;
    bus.whenConnected(
        [this, message, timeout, onReply = std::move(onReply)](const QDBusConnection* connection) {
            if (!connection) {
                // The bus never accepted the connection: the message was not even sent.
                finish(onReply, message.createErrorReply(
                                    QDBusError::NoReply,
                                    QStringLiteral("the message bus did not answer within %1 ms")
                                        .arg(kConnectTimeout)));
                return;
            }
            const QDBusPendingCall call = connection->asyncCall(message, timeout);
            if (call.isFinished()) {
                // Without a connection Qt hands back a call that has already failed and never
                // reports it: deliver its error from the event loop like any other answer.
                QMetaObject::invokeMethod(
                    this, [this, onReply, reply = call.reply()] { finish(onReply, reply); },
                    Qt::QueuedConnection);
                return;
            }
            auto* watcher = new QDBusPendingCallWatcher(call, this);
            connect(watcher, &QDBusPendingCallWatcher::finished, this,
                    [this, onReply](QDBusPendingCallWatcher* finished) {
                        finished->deleteLater();
                        finish(onReply, finished->reply());
                    });
        });
}

void LogindPowerRequests::finish(const ReplyHandler& onReply, const QDBusMessage& reply) {
    // A follow-up message is sent inside the handler, so the count cannot reach zero
    // between the steps of one request.
    onReply(reply);
    if (--m_pending == 0)
        Q_EMIT settled();
}
