#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>

class AudioInput;
class Dialogs;
class QWidget;

// The microphone's loudness, one figure per recorded block: the peak deviation of the
// block's unsigned 8-bit samples from silence (128), 0 to 128. The recording runs on its own;
// reading a figure never waits for sound.
class SoundMeter {
public:
    SoundMeter(AudioInput& input, Dialogs& dialogs);
    ~SoundMeter();
    SoundMeter(const SoundMeter&) = delete;
    SoundMeter& operator=(const SoundMeter&) = delete;

    // The largest block the meter measures.
    static constexpr int CopyAreaSize = 5001;
    // The size of one block in bytes, set before StartInput: 3000 bytes are 375 ms of sound.
    // Sizes outside 1 to CopyAreaSize are brought into that range.
    int BufferSize = 0;

    // Starts recording, closing any recording this meter had open. When the sound server
    // refuses, at once or later, shows its reason in a message box titled "Nocturnia" over
    // `parent` (while it exists); false when it refused at once.
    bool StartInput(QWidget* parent);
    // Stops and closes the recording.
    void StopInput();

    // The figure of the newest finished block, at once; 0 when no block has finished or no
    // recording runs.
    qint16 GetLevel();
    // The figure of a block finished since the last reading, or nothing when none has.
    std::optional<qint16> NewLevel();
    // Whether sound arrives: false before StartInput, after a refused start and while the
    // recording is lost.
    bool recording() const;
    // Milliseconds before which no new figure can come; 0 when one may come at any moment.
    int msUntilNewLevel() const;
    // Has `newLevel` called soon after each new figure, on this meter's thread, while a
    // recording that StartInput began runs, when the input can tell; set before StartInput.
    void setOnNewLevel(std::function<void()> newLevel) { m_onNewLevel = std::move(newLevel); }
    // Whether the running recording announces its new figures.
    bool announcesLevels() const { return m_started && m_announced; }

    // The peak |byte − 128| of a block: 0 for silence, 128 for a byte of 0, 127 for 255.
    static qint16 peakOf(QByteArrayView block);

private:
    void refused(const QString& reason);
    void stopAnnouncing();

    AudioInput& m_input;
    Dialogs& m_dialogs;
    QPointer<QWidget> m_parent;
    bool m_started = false;
    quint64 m_lastBlock = 0;
    qint16 m_lastLevel = 0;
    QByteArray m_copy; // the copy area
    std::function<void()> m_onNewLevel;
    bool m_announced = false;
};
