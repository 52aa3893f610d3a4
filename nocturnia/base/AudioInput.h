#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// The sound server's default input, recorded as unsigned 8-bit mono samples at 8000 a second
// (silence is 128) in blocks of a fixed size. Recording runs on its own, away from the
// window's thread; the window asks for the newest finished block and never waits for one,
// nor for the sound server.
class AudioInput {
public:
    virtual ~AudioInput() = default;

    // Starts recording in blocks of `blockBytes`, first closing any recording already open,
    // without waiting for the sound server. Returns the server's reason when it plainly
    // cannot record (none listens), otherwise an empty text. When the server refuses the
    // recording later, or does not answer, the recording is closed and `refused` is called
    // once with the reason, on the caller's thread; never after close().
    virtual QString open(int blockBytes, std::function<void(const QString&)> refused) = 0;
    // Stops and closes the recording; nothing is recorded until the next open().
    virtual void close() = 0;

    // Whether samples arrive at this moment. False when closed, until the server has started
    // the recording, and while the recording is lost (the sound server went away) until it
    // is reopened on its own.
    virtual bool isRecording() const = 0;

    // Copies the newest finished block into `block` and returns its number (blocks count from
    // 1 with every open), or 0 without touching `block` when none has finished yet.
    virtual quint64 newestBlock(QByteArray& block) const = 0;

    // Milliseconds until the block being recorded can have finished at the earliest, so that
    // a reader need not look before; 0 when it may finish at any moment or the input cannot
    // tell.
    virtual int msUntilNextBlock() const { return 0; }

    // Has `finished` called on the caller's thread soon after each block finishes, from now
    // until the next call (an empty `finished` stops it), so that a reader need not look on
    // its own. False, and `finished` is never called, when this input cannot tell.
    virtual bool announceBlocks(const std::function<void()>& finished) {
        static_cast<void>(finished);
        return false;
    }
};
