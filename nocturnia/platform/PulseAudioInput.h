#pragma once

#include "base/AudioInput.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

// Records the sound server's default input (PulseAudio, or PipeWire's PulseAudio service)
// through libpulse's asynchronous API, on a thread of its own that runs libpulse's event loop.
// The server hands over a recording in pieces as small as a few bytes, as often as its source
// runs (a hundred times a second and more), whatever piece size is asked for; so while
// recording, the thread sleeps until the block being filled is due and then takes what
// gathered at once: a few wake-ups a block. The blocking simple API, which this replaced,
// woke its threads about a thousand times a second for the same samples. The newest finished
// block waits under a lock of its own for the window to take, and is announced to it when
// asked: the window then wakes once a block.
//
// open() only starts connecting: it fails at once when no server listens and reports a
// later refusal, or a server that does not answer, through its callback on the window's
// thread. A recording lost after it ran (the server went away) is tried again every half
// second until it runs again or is closed. close() never waits on the server: the thread
// blocks nowhere but in its poll, which close() interrupts.
//
// libpulse rather than Qt's audio input: Qt 6.4 hides monitor sources and crashes at exit in
// about one run in ten after recording.
class PulseAudioInput final : public AudioInput {
public:
    // A server that takes the connection but has not started the recording `answerTimeoutMs`
    // later counts as refusing it.
    explicit PulseAudioInput(int answerTimeoutMs = defaultAnswerTimeoutMs);
    ~PulseAudioInput() override;
    PulseAudioInput(const PulseAudioInput&) = delete;
    PulseAudioInput& operator=(const PulseAudioInput&) = delete;

    QString open(int blockBytes, std::function<void(const QString&)> refused) override;
    void close() override;
    bool isRecording() const override;
    quint64 newestBlock(QByteArray& block) const override;
    int msUntilNextBlock() const override;
    bool announceBlocks(const std::function<void()>& finished) override;

    static constexpr int defaultAnswerTimeoutMs = 3000;
    static constexpr int retryIntervalMs = 500;

private:
    // One recording from open() to close(): the thread and its loop, the connection, the
    // stream and the blocks.
    struct Session;

    void refusedLater(quint64 opening, const QString& reason);
    void finishedLater(quint64 opening);

    const int m_answerTimeoutMs;
    // Lives on the thread that made this input: a refusal found on the recorder's thread is
    // posted to it.
    QObject m_receiver;
    std::unique_ptr<Session> m_session;
    std::function<void(const QString&)> m_refused;
    std::function<void()> m_finished;
    std::atomic<bool> m_announcing{false}; // read on the recorder's thread
    quint64 m_openings = 0; // tells a refusal of an earlier opening from one of the current
};
