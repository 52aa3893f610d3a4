#include "support/PrivatePulse.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <csignal>
#include <sys/prctl.h>

namespace {
constexpr int startTimeout = 10000;

const char script[] = "load-module module-native-protocol-unix auth-anonymous=1\n"
                      "load-module module-null-sink sink_name=spk "
                      "sink_properties=device.description=Test-Speaker\n"
                      "set-default-sink spk\n";
const char silentMicrophone[] = "load-module module-null-source source_name=mic "
                                "format=s16le rate=48000 channels=2 "
                                "description=Test-Microphone\n"
                                "set-default-source mic\n";
} // namespace

void dieWithParent(QProcess& process) {
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

PrivatePulse::~PrivatePulse() {
    stop();
}

bool PrivatePulse::start(QString* error) {
    if (!m_runtime.isValid()) {
        *error = QStringLiteral("no runtime folder: ") + m_runtime.errorString();
        return false;
    }
    const QString scriptPath = m_runtime.filePath(QStringLiteral("test.pa"));
    QFile scriptFile(scriptPath);
    if (!scriptFile.open(QIODevice::WriteOnly) || scriptFile.write(script) < 0 ||
        (m_silentMicrophone && scriptFile.write(silentMicrophone) < 0)) {
        *error = QStringLiteral("cannot write ") + scriptPath;
        return false;
    }
    scriptFile.close();

    // Everything the server writes stays in the private folder.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    environment.insert(QStringLiteral("HOME"), m_runtime.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       m_runtime.filePath(QStringLiteral("config")));
    environment.remove(QStringLiteral("PULSE_SERVER"));
    m_daemon.setProcessEnvironment(environment);
    // A restart waits for the new server's log, which the drain of the last run would eat.
    QObject::disconnect(&m_daemon, &QProcess::readyReadStandardError, nullptr, nullptr);
    dieWithParent(m_daemon);
    // The server says when it is ready in its log on stderr.
    m_daemon.start(QStringLiteral("pulseaudio"),
                   {QStringLiteral("-n"), QStringLiteral("-F"), scriptPath,
                    QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                    QStringLiteral("--disallow-exit"), QStringLiteral("--disable-shm=yes"),
                    QStringLiteral("--log-level=info"), QStringLiteral("--log-target=stderr")});
    if (!m_daemon.waitForStarted(startTimeout)) {
        *error = QStringLiteral("pulseaudio did not start: ") + m_daemon.errorString();
        return false;
    }
    m_daemon.setReadChannel(QProcess::StandardError);
    QByteArray log;
    const QDeadlineTimer deadline(startTimeout);
    while (!log.contains("Daemon startup complete.")) {
        if (deadline.hasExpired() || !m_daemon.waitForReadyRead(int(deadline.remainingTime()))) {
            *error = QStringLiteral("pulseaudio did not get ready: ") + QString::fromLocal8Bit(log);
            return false;
        }
        log += m_daemon.readAllStandardError();
    }
    // Its later log is read and dropped, so that a full pipe never blocks the server.
    QObject::connect(&m_daemon, &QProcess::readyReadStandardError, &m_daemon,
                     [this] { m_daemon.readAllStandardError(); });

    m_keepAlive.setProcessEnvironment(clientEnvironment());
    m_keepAlive.setStandardInputFile(QStringLiteral("/dev/zero"));
    dieWithParent(m_keepAlive);
    m_keepAlive.start(QStringLiteral("pacat"),
                      {QStringLiteral("--latency-msec=") + QString::number(m_sinkPaceMs),
                       QStringLiteral("-d"), QStringLiteral("spk"), QStringLiteral("--raw"),
                       QStringLiteral("--rate=44100"), QStringLiteral("--channels=1"),
                       QStringLiteral("--format=s16le")});
    if (!m_keepAlive.waitForStarted(startTimeout)) {
        *error = QStringLiteral("pacat did not start: ") + m_keepAlive.errorString();
        return false;
    }
    return true;
}

void PrivatePulse::stop() {
    for (QProcess* process : {&m_keepAlive, &m_daemon}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(startTimeout))
            process->kill();
        process->waitForFinished(startTimeout);
    }
}

QString PrivatePulse::serverAddress() const {
    return QStringLiteral("unix:") + m_runtime.filePath(QStringLiteral("pulse/native"));
}

QProcessEnvironment PrivatePulse::clientEnvironment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PULSE_SERVER"), serverAddress());
    return environment;
}
