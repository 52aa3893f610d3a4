#include "platform/PulseAudioInput.h"

#include <QLoggingCategory>
#include <chrono>
#include <pulse/error.h>
#include <pulse/simple.h>

Q_LOGGING_CATEGORY(lcAudioIn, "nocturnia.audioin")

namespace {
constexpr auto retryInterval = std::chrono::milliseconds(500);
} // namespace

PulseAudioInput::~PulseAudioInput() {
    close();
}

pa_simple* PulseAudioInput::connect(QString* error) {
    const pa_sample_spec spec{PA_SAMPLE_U8, 8000, 1};
    pa_buffer_attr attr{};
    attr.maxlength = std::uint32_t(-1);
    attr.tlength = std::uint32_t(-1);
    attr.prebuf = std::uint32_t(-1);
    attr.minreq = std::uint32_t(-1);
    // Small fragments: the server hands over sound every 25 ms, so a stop waits no longer.
    attr.fragsize = fragmentBytes;
    int code = 0;
    pa_simple* stream = pa_simple_new(nullptr, "Nocturnia", PA_STREAM_RECORD, nullptr,
                                      "Sound activation", &spec, nullptr, &attr, &code);
    if (!stream && error)
        *error = QString::fromLocal8Bit(pa_strerror(code));
    return stream;
}

QString PulseAudioInput::open(int blockBytes) {
    close();
    if (blockBytes <= 0)
        return QStringLiteral("Invalid block size: %1").arg(blockBytes);
    QString error;
    pa_simple* stream = connect(&error);
    if (!stream)
        return error;
    {
        const std::lock_guard lock(m_mutex);
        m_stop = false;
        m_blockBytes = blockBytes;
        m_newest.clear();
        m_blocks = 0;
    }
    m_recording = true;
    m_thread = std::thread([this, stream] { run(stream); });
    return {};
}

void PulseAudioInput::close() {
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
    m_recording = false;
}

quint64 PulseAudioInput::newestBlock(QByteArray& block) const {
    const std::lock_guard lock(m_mutex);
    if (m_blocks == 0)
        return 0;
    block = m_newest;
    return m_blocks;
}

bool PulseAudioInput::stopping() {
    const std::lock_guard lock(m_mutex);
    return m_stop;
}

bool PulseAudioInput::waitBeforeRetry() {
    std::unique_lock lock(m_mutex);
    return !m_wake.wait_for(lock, retryInterval, [this] { return m_stop; });
}

void PulseAudioInput::run(pa_simple* stream) {
    for (;;) {
        m_recording = true;
        const bool goOn = record(stream);
        m_recording = false;
        pa_simple_free(stream);
        if (!goOn)
            return;
        qCInfo(lcAudioIn) << "recording lost; reopening";
        stream = nullptr;
        while (!stream) {
            if (!waitBeforeRetry())
                return;
            stream = connect(nullptr);
        }
        qCInfo(lcAudioIn) << "recording again";
    }
}

bool PulseAudioInput::record(pa_simple* stream) {
    QByteArray block(m_blockBytes, char(128));
    qsizetype filled = 0;
    while (!stopping()) {
        const qsizetype piece = std::min<qsizetype>(fragmentBytes, block.size() - filled);
        int code = 0;
        if (pa_simple_read(stream, block.data() + filled, size_t(piece), &code) < 0) {
            qCInfo(lcAudioIn) << "read failed:" << pa_strerror(code);
            return true;
        }
        filled += piece;
        if (filled < block.size())
            continue;
        {
            const std::lock_guard lock(m_mutex);
            m_newest.swap(block);
            ++m_blocks;
        }
        // The swapped-in buffer has the block size already after the first block.
        block.resize(m_blockBytes);
        filled = 0;
    }
    return false;
}
