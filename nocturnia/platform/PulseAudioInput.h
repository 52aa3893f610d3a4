#pragma once

#include "base/AudioInput.h"

#include <QByteArray>
#include <QString>
#include <memory>
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

    // Waits up to openTimeoutMs for the server to accept the stream.
    QString open(int blockBytes) override;
    // Returns within one fragment's time (25 ms) of sound. A recorder stuck in a server that
    // does not answer is left behind after closeTimeoutMs, to end on its own.
    void close() override;
    bool isRecording() const override;
    quint64 newestBlock(QByteArray& block) const override;

    // The size of the pieces read from the server: the recorder's wake-ups and the longest
    // close() waits are set by it.
    static constexpr int fragmentBytes = 200;
    static constexpr int openTimeoutMs = 3000;
    static constexpr int closeTimeoutMs = 1000;

private:
    // What the window's thread and the recorder share; the recorder keeps it alive as long
    // as it runs, also after it was left behind.
    struct Shared;
    static void run(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};
