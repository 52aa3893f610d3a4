#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A PulseAudio server of the test's own, in a private runtime folder: a null sink "spk" that
// takes what is played, its monitor to record from, and a silent stream that keeps the sink
// running in real time (an idle null sink's monitor delivers about a third of real time).
// Stopped when destroyed; its processes die with the test process if that is killed.
class PrivatePulse {
public:
    PrivatePulse() = default;
    ~PrivatePulse();
    PrivatePulse(const PrivatePulse&) = delete;
    PrivatePulse& operator=(const PrivatePulse&) = delete;

    // How often the sink runs, and so how often its monitor hands recorders a piece of sound:
    // every this many milliseconds. Takes effect at the next start.
    void setSinkPace(int milliseconds) { m_sinkPaceMs = milliseconds; }
    // Makes the default source a silent one that runs on its own clock and hands a recorder
    // as much as it asks for at once, as a microphone's driver does, in place of the sink's
    // monitor, which hands over a piece every time the sink runs. Takes effect at the next start.
    void setSilentMicrophone(bool silent) { m_silentMicrophone = silent; }

    // Starts the server and waits until it accepts clients; false with the reason in error.
    bool start(QString* error);
    void stop();

    // For PULSE_SERVER: where clients, Qt Multimedia and GStreamer included, connect.
    QString serverAddress() const;
    // The environment of a client process of this server.
    QProcessEnvironment clientEnvironment() const;

private:
    QTemporaryDir m_runtime;
    QProcess m_daemon;
    QProcess m_keepAlive;
    int m_sinkPaceMs = 20;
    bool m_silentMicrophone = false;
};

// Makes a child process die with the test, so that a crashed test leaves nothing running.
void dieWithParent(QProcess& process);
