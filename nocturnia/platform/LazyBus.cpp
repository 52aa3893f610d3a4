#include "platform/LazyBus.h"

#include <chrono>
#include <mutex>
#include <thread>

struct LazyBus::Shared {
    std::mutex mutex;
    std::optional<QDBusConnection> bus;
    LazyBus* owner = nullptr; // cleared when the owner goes, under the mutex
};

LazyBus::LazyBus(Source source, int connectTimeout, QObject* parent)
    : QObject(parent)
    , m_shared(std::make_shared<Shared>())
    , m_source(std::move(source)) {
    m_shared->owner = this;
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(connectTimeout);
    connect(&m_deadline, &QTimer::timeout, this, &LazyBus::timedOut);
}

LazyBus::LazyBus(const QDBusConnection& connected, QObject* parent)
    : QObject(parent)
    , m_shared(std::make_shared<Shared>())
    , m_started(true) {
    m_shared->bus = connected;
}

LazyBus::~LazyBus() {
    const std::lock_guard lock(m_shared->mutex);
    m_shared->owner = nullptr;
}

void LazyBus::start() {
    if (m_started)
        return;
    m_started = true;
    // Detached: a thread stuck with a hanging daemon must not hold up the program's end.
    std::thread([shared = m_shared, source = m_source] {
        const QDBusConnection bus = source();
        const std::lock_guard lock(shared->mutex);
        shared->bus = bus;
        if (shared->owner)
            QMetaObject::invokeMethod(shared->owner, &LazyBus::arrived, Qt::QueuedConnection);
    }).detach();
}

std::optional<QDBusConnection> LazyBus::ready() const {
    const std::lock_guard lock(m_shared->mutex);
    return m_shared->bus;
}

void LazyBus::whenConnected(Use use) {
    if (const std::optional<QDBusConnection> bus = ready()) {
        use(&*bus);
        return;
    }
    m_waiting.append(std::move(use));
    if (!m_deadline.isActive())
        m_deadline.start();
    start();
}

void LazyBus::arrived() {
    m_deadline.stop();
    const std::optional<QDBusConnection> bus = ready();
    const QList<Use> waiting = std::exchange(m_waiting, {});
    for (const Use& use : waiting)
        use(&*bus);
}

void LazyBus::timedOut() {
    const QList<Use> waiting = std::exchange(m_waiting, {});
    for (const Use& use : waiting)
        use(nullptr);
}
