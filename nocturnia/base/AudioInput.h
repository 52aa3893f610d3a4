#pragma once

#include <QByteArray>
#include <QString>

// The sound server's default input, recorded as unsigned 8-bit mono samples at 8000 a second
// (silence is 128) in blocks of a fixed size. Recording runs on its own, away from the
// window's thread; the window asks for the newest finished block and never waits for one.
class AudioInput {
public:
    virtual ~AudioInput() = default;

    // Starts recording in blocks of `blockBytes`, first closing any recording already open.
    // An empty text when recording started, otherwise the sound server's reason.
    virtual QString open(int blockBytes) = 0;
    // Stops and closes the recording; nothing is recorded until the next open().
    virtual void close() = 0;

    // Whether samples arrive at this moment. False when closed, and while the recording is
    // lost (the sound server went away) until it is reopened on its own.
    virtual bool isRecording() const = 0;

    // Copies the newest finished block into `block` and returns its number (blocks count from
    // 1 with every open), or 0 without touching `block` when none has finished yet.
    virtual quint64 newestBlock(QByteArray& block) const = 0;
};
