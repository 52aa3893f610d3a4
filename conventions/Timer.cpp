#include "Timer.h"

#include <QMetaMethod>
#include <QTimer>

namespace conv {

namespace {

// A timer of the Qt event loop. While nobody listens to it, it keeps its state but does not
// wake the process: a window's timer whose handler does not exist yet costs nothing, and one
// whose last listener went away wakes it once more, then stops.
class QtTimer final : public Timer {
public:
    QtTimer() {
        // Window timers keep their intervals to the millisecond; a coarse timer may fire
        // 5 % early, which a 4000 ms splash or a one-second sample must not.
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (m_timer.isSingleShot())
                m_active = false;
            // Asked here, not when a listener leaves: Qt tells of that with a lock held that
            // the question would take again.
            if (!isSignalConnected(QMetaMethod::fromSignal(&Timer::timeout))) {
                m_timer.stop();
                return;
            }
            Q_EMIT timeout();
        });
    }

    void setInterval(int milliseconds) override {
        m_timer.setInterval(milliseconds);
        if (m_active)
            start();
    }
    int interval() const override { return m_timer.interval(); }
    void setSingleShot(bool singleShot) override { m_timer.setSingleShot(singleShot); }
    bool isSingleShot() const override { return m_timer.isSingleShot(); }
    void start() override {
        m_active = true;
        if (isSignalConnected(QMetaMethod::fromSignal(&Timer::timeout)))
            m_timer.start();
    }
    void stop() override {
        m_active = false;
        m_timer.stop();
    }
    bool isActive() const override { return m_active; }

protected:
    void connectNotify(const QMetaMethod& signal) override {
        if (signal == QMetaMethod::fromSignal(&Timer::timeout) && m_active && !m_timer.isActive())
            m_timer.start();
    }

private:
    QTimer m_timer;
    bool m_active = false;
};

} // namespace

std::unique_ptr<Timer> QtTimerSource::createTimer() {
    return std::make_unique<QtTimer>();
}

} // namespace conv
