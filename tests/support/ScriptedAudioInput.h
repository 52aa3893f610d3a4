#pragma once

#include "base/AudioInput.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

// A sound input that records what the test hands it: each finish() is one finished block.
// Records the opens and closes; open() fails with `refusal` when that is set, and
// refuseLater() is the server refusing an open recording afterwards.
class ScriptedAudioInput final : public AudioInput {
public:
    QString refusal;
    QStringList calls; // "open 3000", "close"
    bool lost = false; // the recording is gone while set
    int blockBytes = 0;
    int quietMs = 0;        // what it says of the time until its next block
    bool announces = false; // whether it tells of each finished block

    bool announceBlocks(const std::function<void()>& finished) override {
        m_announce = finished;
        return announces;
    }

    int msUntilNextBlock() const override { return m_open ? quietMs : 0; }

    QString open(int bytes, std::function<void(const QString&)> refused) override {
        calls << QStringLiteral("open %1").arg(bytes);
        if (m_open)
            close();
        if (!refusal.isEmpty())
            return refusal;
        m_open = true;
        m_refused = std::move(refused);
        blockBytes = bytes;
        m_blocks = 0;
        return {};
    }
    void close() override {
        if (!m_open)
            return;
        calls << QStringLiteral("close");
        m_open = false;
        m_refused = nullptr;
    }
    // Closes the recording as the real input does and calls the opener back; nothing when
    // none is open.
    void refuseLater(const QString& reason) {
        if (!m_open)
            return;
        const auto refused = std::move(m_refused);
        m_refused = nullptr;
        m_open = false;
        refused(reason);
    }
    bool isOpen() const { return m_open; }
    bool isRecording() const override { return m_open && !lost; }
    quint64 newestBlock(QByteArray& block) const override {
        if (m_blocks == 0)
            return 0;
        block = m_newest;
        return m_blocks;
    }

    // A finished block of exactly this content.
    void finish(const QByteArray& block) {
        m_newest = block;
        ++m_blocks;
        if (announces && m_open && m_announce)
            m_announce();
    }
    // A finished block of silence with one sample `level` above it: its figure is `level`.
    void finishLevel(int level) {
        QByteArray block(blockBytes > 0 ? blockBytes : 3000, char(128));
        block[block.size() / 2] = char(qBound(0, 128 + level, 255));
        if (level == 128)
            block[block.size() / 2] = char(0);
        finish(block);
    }

private:
    bool m_open = false;
    std::function<void(const QString&)> m_refused;
    std::function<void()> m_announce;
    QByteArray m_newest;
    quint64 m_blocks = 0;
};
