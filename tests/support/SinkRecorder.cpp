#include "support/SinkRecorder.h"

#include "support/PrivatePulse.h"

#include <QDeadlineTimer>
#include <QTest>
#include <cstring>

namespace {
constexpr int startTimeout = 10000;
}

SinkRecorder::~SinkRecorder() {
    stop();
}

bool SinkRecorder::start(const QProcessEnvironment& environment, const QString& sink,
                         QString* error) {
    m_parec.setProcessEnvironment(environment);
    dieWithParent(m_parec);
    QObject::connect(&m_parec, &QProcess::readyReadStandardOutput, &m_parec, [this] { take(); });
    m_parec.start(QStringLiteral("parec"),
                  {QStringLiteral("--latency-msec=20"), QStringLiteral("-d"),
                   sink + QStringLiteral(".monitor"), QStringLiteral("--raw"),
                   QStringLiteral("--rate=%1").arg(rate), QStringLiteral("--channels=1"),
                   QStringLiteral("--format=s16le")});
    if (!m_parec.waitForStarted(startTimeout)) {
        *error = QStringLiteral("parec did not start: ") + m_parec.errorString();
        return false;
    }
    // The first samples show that the recording runs.
    if (!waitFor(rate / 10, startTimeout)) {
        *error = QStringLiteral("parec records nothing: ") +
                 QString::fromLocal8Bit(m_parec.readAllStandardError());
        return false;
    }
    return true;
}

void SinkRecorder::stop() {
    if (m_parec.state() == QProcess::NotRunning)
        return;
    m_parec.terminate();
    if (!m_parec.waitForFinished(startTimeout))
        m_parec.kill();
    m_parec.waitForFinished(startTimeout);
}

qsizetype SinkRecorder::mark() {
    while (m_parec.waitForReadyRead(0))
        ;
    take();
    return m_samples.size();
}

bool SinkRecorder::waitFor(qsizetype count, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (m_samples.size() < count) {
        if (deadline.hasExpired() || m_parec.state() != QProcess::Running)
            return false;
        QTest::qWait(10);
    }
    return true;
}

void SinkRecorder::take() {
    m_partial += m_parec.readAllStandardOutput();
    const qsizetype whole = m_partial.size() / qsizetype(sizeof(qint16));
    const qsizetype first = m_samples.size();
    m_samples.resize(first + whole);
    std::memcpy(m_samples.data() + first, m_partial.constData(), size_t(whole) * sizeof(qint16));
    m_partial.remove(0, whole * qsizetype(sizeof(qint16)));
}
