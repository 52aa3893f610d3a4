#include "sound/SoundMeter.h"

#include "base/AudioInput.h"
#include "base/Dialogs.h"

#include <QWidget>
#include <algorithm>

SoundMeter::SoundMeter(AudioInput& input, Dialogs& dialogs)
    : m_input(input)
    , m_dialogs(dialogs) {
    m_copy.reserve(CopyAreaSize);
}

SoundMeter::~SoundMeter() {
    StopInput();
}

bool SoundMeter::StartInput(QWidget* parent) {
    StopInput();
    BufferSize = std::clamp(BufferSize, 1, CopyAreaSize);
    m_parent = parent;
    m_announced = m_onNewLevel && m_input.announceBlocks(m_onNewLevel);
    const QString error =
        m_input.open(BufferSize, [this](const QString& reason) { refused(reason); });
    if (!error.isEmpty()) {
        stopAnnouncing();
        m_dialogs.information(parent, QStringLiteral("Nocturnia"), error);
        return false;
    }
    m_started = true;
    return true;
}

void SoundMeter::refused(const QString& reason) {
    // The input has closed already.
    m_started = false;
    stopAnnouncing();
    m_lastBlock = 0;
    m_lastLevel = 0;
    m_dialogs.information(m_parent.data(), QStringLiteral("Nocturnia"), reason);
}

void SoundMeter::StopInput() {
    if (!m_started)
        return;
    m_started = false;
    m_input.close();
    stopAnnouncing();
    m_lastBlock = 0;
    m_lastLevel = 0;
}

void SoundMeter::stopAnnouncing() {
    if (m_announced)
        m_input.announceBlocks(nullptr);
    m_announced = false;
}

bool SoundMeter::recording() const {
    return m_started && m_input.isRecording();
}

int SoundMeter::msUntilNewLevel() const {
    return recording() ? m_input.msUntilNextBlock() : 0;
}

std::optional<qint16> SoundMeter::NewLevel() {
    if (!recording())
        return std::nullopt;
    const quint64 block = m_input.newestBlock(m_copy);
    if (block == 0 || block == m_lastBlock)
        return std::nullopt;
    m_lastBlock = block;
    m_lastLevel = peakOf(m_copy);
    return m_lastLevel;
}

qint16 SoundMeter::GetLevel() {
    if (!recording())
        return 0;
    NewLevel();
    return m_lastLevel;
}

qint16 SoundMeter::peakOf(QByteArrayView block) {
    int peak = 0;
    for (const char sample : block)
        peak = std::max(peak, std::abs(int(static_cast<unsigned char>(sample)) - 128));
    return qint16(peak);
}
