#include "platform/PulseAudioInput.h"

#include <QLoggingCategory>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <pulse/error.h>
#include <pulse/simple.h>

Q_LOGGING_CATEGORY(lcAudioIn, "nocturnia.audioin")

namespace {

constexpr auto retryInterval = std::chrono::milliseconds(500);

pa_simple* connectStream(QString* error) {
    const pa_sample_spec format{PA_SAMPLE_U8, 8000, 1};
    pa_buffer_attr attr{};
    attr.maxlength = std::uint32_t(-1);
    attr.tlength = std::uint32_t(-1);
    attr.prebuf = std::uint32_t(-1);
    attr.minreq = std::uint32_t(-1);
    // Small fragments: the server hands over sound every 25 ms, so a stop waits no longer.
    attr.fragsize = PulseAudioInput::fragmentBytes;
    int code = 0;
    pa_simple* stream = pa_simple_new(nullptr, "Nocturnia", PA_STREAM_RECORD, nullptr,
                                      "Microphone level", &format, nullptr, &attr, &code);
    if (!stream && error)
        *error = QString::fromLocal8Bit(pa_strerror(code));
    return stream;
}

} // namespace

struct PulseAudioInput::Shared {
    enum class Start { Pending, Recording, Refused };

    explicit Shared(int bytes)
        : blockBytes(bytes) {}

    const int blockBytes;
    std::mutex mutex;
    std::condition_variable changed;
    // Under the mutex.
    bool stop = false;
    bool finished = false;
    Start start = Start::Pending;
    QString error;
    QByteArray newest;
    quint64 blocks = 0;
    std::atomic<bool> recording{false};

    bool stopping() {
        const std::lock_guard lock(mutex);
        return stop;
    }
    void setStart(Start outcome, const QString& reason = {}) {
        {
            const std::lock_guard lock(mutex);
            start = outcome;
            error = reason;
        }
        changed.notify_all();
    }
    // Waits for the retry interval; false when a stop was asked for meanwhile.
    bool waitBeforeRetry() {
        std::unique_lock lock(mutex);
        return !changed.wait_for(lock, retryInterval, [this] { return stop; });
    }
    // Reads blocks until the stream fails (true) or a stop is asked for (false).
    bool record(pa_simple* stream) {
        QByteArray block(blockBytes, char(128));
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
                const std::lock_guard lock(mutex);
                newest.swap(block);
                ++blocks;
            }
            // The swapped-in buffer is empty after the first block only.
            block.resize(blockBytes);
            filled = 0;
        }
        return false;
    }
};

PulseAudioInput::~PulseAudioInput() {
    close();
}

QString PulseAudioInput::open(int blockBytes) {
    close();
    if (blockBytes <= 0)
        return QStringLiteral("Invalid block size: %1").arg(blockBytes);
    m_shared = std::make_shared<Shared>(blockBytes);
    m_thread = std::thread([shared = m_shared] { run(shared); });
    Shared::Start start = Shared::Start::Pending;
    QString error;
    {
        std::unique_lock lock(m_shared->mutex);
        m_shared->changed.wait_for(lock, std::chrono::milliseconds(openTimeoutMs),
                                   [this] { return m_shared->start != Shared::Start::Pending; });
        start = m_shared->start;
        error = m_shared->error;
    }
    if (start == Shared::Start::Recording)
        return {};
    close();
    return start == Shared::Start::Refused ? error
                                           : QStringLiteral("The sound server does not answer.");
}

void PulseAudioInput::close() {
    if (!m_thread.joinable())
        return;
    bool finished = false;
    {
        std::unique_lock lock(m_shared->mutex);
        m_shared->stop = true;
        m_shared->changed.notify_all();
        finished = m_shared->changed.wait_for(lock, std::chrono::milliseconds(closeTimeoutMs),
                                              [this] { return m_shared->finished; });
    }
    if (finished) {
        m_thread.join();
    } else {
        qCWarning(lcAudioIn) << "the sound server does not answer; recorder left to end alone";
        m_thread.detach();
    }
    m_shared.reset();
}

bool PulseAudioInput::isRecording() const {
    return m_shared && m_shared->recording.load();
}

quint64 PulseAudioInput::newestBlock(QByteArray& block) const {
    if (!m_shared)
        return 0;
    const std::lock_guard lock(m_shared->mutex);
    if (m_shared->blocks == 0)
        return 0;
    block = m_shared->newest;
    return m_shared->blocks;
}

void PulseAudioInput::run(const std::shared_ptr<Shared>& shared) {
    QString error;
    pa_simple* stream = connectStream(&error);
    if (!stream) {
        shared->setStart(Shared::Start::Refused, error);
    } else {
        shared->setStart(Shared::Start::Recording);
        for (;;) {
            shared->recording = true;
            const bool lost = shared->record(stream);
            shared->recording = false;
            pa_simple_free(stream);
            stream = nullptr;
            if (!lost)
                break;
            qCInfo(lcAudioIn) << "recording lost; reopening";
            while (!stream && shared->waitBeforeRetry())
                stream = connectStream(nullptr);
            if (!stream)
                break;
            qCInfo(lcAudioIn) << "recording again";
        }
    }
    {
        const std::lock_guard lock(shared->mutex);
        shared->finished = true;
    }
    shared->changed.notify_all();
}
