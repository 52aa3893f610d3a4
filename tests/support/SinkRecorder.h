#pragma once

#include <QList>
#include <QProcess>

// Records what a PulseAudio sink plays, from its monitor, as 16-bit mono samples, from
// start() on. Samples arrive while the event loop runs; their index is their time.
class SinkRecorder {
public:
    static constexpr int rate = 44100;

    SinkRecorder() = default;
    ~SinkRecorder();
    SinkRecorder(const SinkRecorder&) = delete;
    SinkRecorder& operator=(const SinkRecorder&) = delete;

    // Starts recording the monitor of `sink` on the server the environment names.
    bool start(const QProcessEnvironment& environment, const QString& sink, QString* error);
    void stop();

    // The number of samples recorded up to now, what waits in the pipe included: the index
    // at which what plays from now on starts to appear, a few milliseconds later.
    qsizetype mark();
    // Runs the event loop until `count` samples are in, at most `timeoutMs`.
    bool waitFor(qsizetype count, int timeoutMs);
    const QList<qint16>& samples() const { return m_samples; }

private:
    void take();

    QProcess m_parec;
    QList<qint16> m_samples;
    QByteArray m_partial;
};
