#pragma once

#include "base/AudioInput.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

struct pa_simple;

// Records the sound server's default input through libpulse-simple (PulseAudio, or
// PipeWire's PulseAudio service) on a thread of its own. The thread reads small fragments
// and assembles them into blocks; the newest finished block waits under a lock for the window
// to take. When the server goes away the thread closes the stream and tries to open a new one
// every half second until it succeeds or the recording is closed.
//
// libpulse-simple rather than Qt's audio input: Qt 6.4 hides monitor sources and crashes at
// exit in about one run in ten after recording; the simple API gives the same samples and
// keeps its own main loop on the recorder's thread, so nothing of it runs on the window's.
class PulseAudioInput final : public AudioInput {
public:
    PulseAudioInput() = default;
    ~PulseAudioInput() override;
    PulseAudioInput(const PulseAudioInput&) = delete;
    PulseAudioInput& operator=(const PulseAudioInput&) = delete;

    QString open(int blockBytes) override;
    // Returns within one fragment's time (25 ms) of sound.
    void close() override;
    bool isRecording() const override { return m_recording.load(); }
    quint64 newestBlock(QByteArray& block) const override;

    // The size of the pieces read from the server: the recorder's wake-ups and the longest
    // close() waits are set by it.
    static constexpr int fragmentBytes = 200;

private:
    static pa_simple* connect(QString* error);
    void run(pa_simple* stream);
    // Reads blocks until the stream fails or a stop is asked for; false when stopping.
    bool record(pa_simple* stream);
    // Waits for the retry interval; false when a stop was asked for meanwhile.
    bool waitBeforeRetry();
    bool stopping();

    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::atomic<bool> m_recording{false};
    int m_blockBytes = 0;
    QByteArray m_newest;  // under m_mutex
    quint64 m_blocks = 0; // under m_mutex
};
