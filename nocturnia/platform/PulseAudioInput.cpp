#include "platform/PulseAudioInput.h"

#include <QLoggingCategory>
#include <QMetaObject>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <poll.h>
#include <pthread.h>
#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/mainloop.h>
#include <pulse/stream.h>
#include <pulse/timeval.h>
#include <thread>

Q_LOGGING_CATEGORY(lcAudioIn, "nocturnia.audioin")

namespace {

constexpr char silence = char(128);
constexpr int samplesPerMs = 8;
// Added to the time a block still needs, so that the server's last pieces of it are there.
constexpr int gatherSlackMs = 20;

qint64 steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QString reasonOf(pa_context* context) {
    return QString::fromLocal8Bit(pa_strerror(pa_context_errno(context)));
}

} // namespace

struct PulseAudioInput::Session {
    using Refusal = std::function<void(const QString&)>;
    using Announcement = std::function<void()>;

    Session(int bytes, int answerTimeoutMs, Refusal refused, Announcement finished)
        : blockBytes(bytes)
        , answerMs(answerTimeoutMs)
        , refuse(std::move(refused))
        , announce(std::move(finished))
        , loop(pa_mainloop_new()) {}

    ~Session() {
        if (!loop)
            return;
        // Ends the recorder's thread before anything it uses goes. Nothing on it blocks but
        // its poll, which this interrupts, so it returns at once.
        if (thread.joinable()) {
            {
                const std::lock_guard lock(loopMutex);
                stopping = true;
                pa_mainloop_quit(loop, 0);
            }
            wake.notify_all();
            thread.join();
        }
        dropConnection();
        disarm();
        pa_mainloop_free(loop);
    }

    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // On the opener's thread, before the recorder's thread runs: false with the reason when no
    // server can be reached at all.
    bool start(QString* error) {
        if (!loop) {
            *error = QStringLiteral("The sound input cannot start.");
            return false;
        }
        api = pa_mainloop_get_api(loop);
        pa_mainloop_set_poll_func(loop, &Session::pollFor, this);
        if (!connect(error))
            return false;
        thread = std::thread([this] { run(); });
        return true;
    }

    bool isRecording() const { return recording.load(); }

    quint64 newest(QByteArray& block) const {
        const std::lock_guard lock(mutex);
        if (blocks == 0)
            return 0;
        block = newestBlock;
        return blocks;
    }

    int msUntilNextBlock() const {
        if (!recording.load())
            return 0;
        const qint64 left = nextBlockTakenAt.load() - steadyMs();
        return left > 0 ? int(std::min<qint64>(left, INT32_MAX)) : 0;
    }

private:
    enum class Phase {
        Connecting, // the server has not started the stream yet
        Recording,
        Waiting, // lost after it ran; the next try is due when the timer fires
        Refused, // it never ran; the opener was told why
    };

    // Everything below runs on the recorder's thread once it runs.

    void run() {
        pthread_setname_np(pthread_self(), "audio-input");
        // Held except while the loop waits in pollFor().
        loopMutex.lock();
        pa_mainloop_run(loop, nullptr);
        loopMutex.unlock();
        recording = false;
    }

    // The loop's poll. The server hands over what its source produced, in pieces as small as
    // a few bytes and as often as that source runs, whatever piece size is asked for. While
    // recording, the loop therefore sleeps until the block being filled is due, then takes
    // all that gathered at once: one or two wake-ups a block instead of one a piece. Control
    // messages wait as long; close() wakes it at once.
    static int pollFor(pollfd* fds, unsigned long count, int timeoutMs, void* self) {
        auto* session = static_cast<Session*>(self);
        std::unique_lock lock(session->loopMutex, std::adopt_lock);
        int ready = ::poll(fds, count, 0);
        if (ready == 0 && session->phase == Phase::Recording) {
            int gatherMs = session->msUntilBlockTaken();
            if (timeoutMs >= 0)
                gatherMs = std::min(gatherMs, timeoutMs);
            session->wake.wait_for(lock, std::chrono::milliseconds(gatherMs),
                                   [session] { return session->stopping; });
            if (timeoutMs >= 0)
                timeoutMs -= gatherMs;
            ready = ::poll(fds, count, 0);
        }
        if (ready == 0 && !session->stopping) {
            lock.unlock();
            ready = ::poll(fds, count, timeoutMs);
            lock.lock();
        }
        lock.release(); // held on through the handlers
        return ready;
    }

    // Starts a connection; it proceeds in the handlers. False with the reason when the
    // server refuses at once (no socket to connect to).
    bool connect(QString* error) {
        context = pa_context_new(api, "Nocturnia");
        if (!context) {
            *error = QStringLiteral("The sound input cannot start.");
            return false;
        }
        // Never starts a server: that would wait for it.
        if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            *error = reasonOf(context);
            pa_context_unref(context);
            context = nullptr;
            return false;
        }
        // Set only now: a connection that failed above reports nothing but its return.
        pa_context_set_state_callback(context, &Session::onContextState, this);
        phase = Phase::Connecting;
        arm(answerMs);
        return true;
    }

    void openStream() {
        const pa_sample_spec format{PA_SAMPLE_U8, 8000, 1};
        stream = pa_stream_new(context, "Microphone level", &format, nullptr);
        if (!stream) {
            fail(reasonOf(context));
            return;
        }
        pa_stream_set_state_callback(stream, &Session::onStreamState, this);
        pa_stream_set_read_callback(stream, &Session::onReadable, this);
        pa_buffer_attr attr{};
        attr.maxlength = std::uint32_t(-1);
        attr.tlength = std::uint32_t(-1);
        attr.prebuf = std::uint32_t(-1);
        attr.minreq = std::uint32_t(-1);
        // The server hands over one block at a time: one wake-up a block.
        attr.fragsize = std::uint32_t(blockBytes);
        if (pa_stream_connect_record(stream, nullptr, &attr, PA_STREAM_ADJUST_LATENCY) < 0)
            fail(reasonOf(context));
    }

    void started() {
        disarm();
        if (ran)
            qCInfo(lcAudioIn) << "recording again";
        phase = Phase::Recording;
        ran = true;
        // A block begun before a loss is dropped: its sound does not follow on.
        filling.resize(blockBytes);
        filled = 0;
        expectNextBlock();
        recording = true;
    }

    // How long until this thread takes the block being filled: once the samples it still needs
    // have been recorded, and the server's last pieces of them have come.
    int msUntilBlockTaken() const {
        return int(blockBytes - filled) / samplesPerMs + gatherSlackMs;
    }

    // Tells the window when that is.
    void expectNextBlock() { nextBlockTakenAt = steadyMs() + msUntilBlockTaken(); }

    void fail(const QString& reason) {
        if (phase != Phase::Connecting && phase != Phase::Recording)
            return;
        recording = false;
        if (!ran) {
            phase = Phase::Refused;
            disarm();
            qCInfo(lcAudioIn).noquote() << "recording refused:" << reason;
            refuse(reason);
            return;
        }
        if (phase == Phase::Recording)
            qCInfo(lcAudioIn).noquote() << "recording lost:" << reason << "- trying again";
        phase = Phase::Waiting;
        arm(retryIntervalMs);
    }

    void tryAgain() {
        dropConnection();
        QString error;
        if (!connect(&error))
            arm(retryIntervalMs);
    }

    void dropConnection() {
        if (stream) {
            pa_stream_set_state_callback(stream, nullptr, nullptr);
            pa_stream_set_read_callback(stream, nullptr, nullptr);
            pa_stream_unref(stream);
            stream = nullptr;
        }
        if (context) {
            pa_context_set_state_callback(context, nullptr, nullptr);
            // Also ends the stream on it.
            pa_context_disconnect(context);
            pa_context_unref(context);
            context = nullptr;
        }
    }

    void arm(int ms) {
        disarm();
        timeval due{};
        pa_timeval_add(pa_gettimeofday(&due), pa_usec_t(ms) * PA_USEC_PER_MSEC);
        timer = api->time_new(api, &due, &Session::onTimer, this);
    }

    void disarm() {
        if (timer)
            api->time_free(timer);
        timer = nullptr;
    }

    // Assembles the pieces the server hands over into blocks; `data` null is a gap in the
    // recording, taken as silence.
    void take(const void* data, size_t bytes) {
        const auto* from = static_cast<const char*>(data);
        while (bytes > 0) {
            const size_t piece = std::min(bytes, size_t(blockBytes - filled));
            char* to = filling.data() + filled;
            if (from) {
                std::memcpy(to, from, piece);
                from += piece;
            } else {
                std::memset(to, silence, piece);
            }
            bytes -= piece;
            filled += qsizetype(piece);
            if (filled < blockBytes)
                continue;
            {
                const std::lock_guard lock(mutex);
                newestBlock.swap(filling);
                ++blocks;
            }
            announce();
            // After the first block the swapped-in buffer is the previous block's.
            filling.resize(blockBytes);
            filled = 0;
        }
    }

    static void onContextState(pa_context* context, void* self) {
        auto* session = static_cast<Session*>(self);
        switch (pa_context_get_state(context)) {
        case PA_CONTEXT_READY:
            session->openStream();
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            session->fail(reasonOf(context));
            break;
        default:
            break;
        }
    }

    static void onStreamState(pa_stream* stream, void* self) {
        auto* session = static_cast<Session*>(self);
        switch (pa_stream_get_state(stream)) {
        case PA_STREAM_READY:
            session->started();
            break;
        case PA_STREAM_FAILED:
        case PA_STREAM_TERMINATED:
            session->fail(reasonOf(pa_stream_get_context(stream)));
            break;
        default:
            break;
        }
    }

    static void onReadable(pa_stream* stream, size_t /*bytes*/, void* self) {
        auto* session = static_cast<Session*>(self);
        for (;;) {
            const void* data = nullptr;
            size_t bytes = 0;
            if (pa_stream_peek(stream, &data, &bytes) < 0 || bytes == 0)
                break;
            session->take(data, bytes);
            pa_stream_drop(stream);
        }
        session->expectNextBlock();
    }

    static void onTimer(pa_mainloop_api* /*api*/, pa_time_event* /*event*/, const timeval* /*due*/,
                        void* self) {
        auto* session = static_cast<Session*>(self);
        session->disarm();
        if (session->phase == Phase::Connecting)
            session->fail(QStringLiteral("The sound server does not answer."));
        else if (session->phase == Phase::Waiting)
            session->tryAgain();
    }

    const int blockBytes;
    const int answerMs;
    const Refusal refuse;
    const Announcement announce;
    pa_mainloop* const loop;
    pa_mainloop_api* api = nullptr;
    std::thread thread;
    std::mutex loopMutex;
    std::condition_variable wake;
    bool stopping = false; // under loopMutex
    pa_context* context = nullptr;
    pa_stream* stream = nullptr;
    pa_time_event* timer = nullptr;
    Phase phase = Phase::Connecting;
    bool ran = false; // the stream started once
    QByteArray filling;
    qsizetype filled = 0;

    // Shared with the opener's thread.
    std::atomic<bool> recording{false};
    std::atomic<qint64> nextBlockTakenAt{0}; // steady milliseconds
    mutable std::mutex mutex;
    QByteArray newestBlock; // under the mutex
    quint64 blocks = 0;     // under the mutex
};

PulseAudioInput::PulseAudioInput(int answerTimeoutMs)
    : m_answerTimeoutMs(answerTimeoutMs) {}

PulseAudioInput::~PulseAudioInput() {
    close();
}

QString PulseAudioInput::open(int blockBytes, std::function<void(const QString&)> refused) {
    close();
    if (blockBytes <= 0)
        return QStringLiteral("Invalid block size: %1").arg(blockBytes);
    const quint64 opening = ++m_openings;
    // Called on the recorder's thread; the refusal goes on to this input's own.
    auto refuse = [this, opening](const QString& reason) {
        QMetaObject::invokeMethod(
            &m_receiver, [this, opening, reason] { refusedLater(opening, reason); },
            Qt::QueuedConnection);
    };
    // Likewise each finished block, when announced: the window wakes once a block, however the
    // server's pieces fall.
    auto finished = [this, opening] {
        if (!m_announcing.load())
            return;
        QMetaObject::invokeMethod(
            &m_receiver, [this, opening] { finishedLater(opening); }, Qt::QueuedConnection);
    };
    auto session = std::make_unique<Session>(blockBytes, m_answerTimeoutMs, std::move(refuse),
                                             std::move(finished));
    QString error;
    if (!session->start(&error))
        return error;
    m_session = std::move(session);
    m_refused = std::move(refused);
    return {};
}

void PulseAudioInput::refusedLater(quint64 opening, const QString& reason) {
    // A refusal of a recording closed since does not count.
    if (opening != m_openings || !m_session)
        return;
    const auto refused = std::move(m_refused);
    close();
    if (refused)
        refused(reason);
}

void PulseAudioInput::finishedLater(quint64 opening) {
    // A block of a recording closed since is not announced.
    if (opening == m_openings && m_session && m_finished)
        m_finished();
}

void PulseAudioInput::close() {
    m_session.reset();
    m_refused = nullptr;
}

bool PulseAudioInput::isRecording() const {
    return m_session && m_session->isRecording();
}

quint64 PulseAudioInput::newestBlock(QByteArray& block) const {
    return m_session ? m_session->newest(block) : 0;
}

int PulseAudioInput::msUntilNextBlock() const {
    return m_session ? m_session->msUntilNextBlock() : 0;
}

bool PulseAudioInput::announceBlocks(const std::function<void()>& finished) {
    m_finished = finished;
    m_announcing = bool(m_finished);
    return true;
}
