#include "support/ManualTime.h"

class ManualTime::ManualTimer final : public conv::Timer {
public:
    explicit ManualTimer(ManualTime& time)
        : m_time(time) {
        m_time.m_timers.append(this);
    }
    ~ManualTimer() override { m_time.m_timers.removeOne(this); }

    void setInterval(int milliseconds) override {
        m_interval = milliseconds;
        if (m_active) // like QTimer: a new interval restarts an active timer
            start();
    }
    int interval() const override { return m_interval; }
    void setSingleShot(bool singleShot) override { m_singleShot = singleShot; }
    bool isSingleShot() const override { return m_singleShot; }
    void start() override {
        m_active = true;
        m_due = m_time.m_now.addMSecs(qMax(m_interval, 0));
    }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }

    QDateTime due() const { return m_due; }
    void fire() {
        if (m_singleShot)
            m_active = false;
        else // a zero interval still moves on, so that advance() ends
            m_due = qMax(m_due, m_time.m_now).addMSecs(qMax(m_interval, 1));
        Q_EMIT timeout();
    }

private:
    ManualTime& m_time;
    int m_interval = 0;
    bool m_singleShot = false;
    bool m_active = false;
    QDateTime m_due;
};

ManualTime::ManualTime(const QDateTime& start)
    : m_now(start) {}

ManualTime::~ManualTime() = default;

std::unique_ptr<conv::Timer> ManualTime::createTimer() {
    return std::make_unique<ManualTimer>(*this);
}

void ManualTime::advance(qint64 milliseconds) {
    const QDateTime end = m_now.addMSecs(milliseconds);
    for (;;) {
        ManualTimer* next = nullptr;
        for (ManualTimer* timer : std::as_const(m_timers)) {
            if (timer->isActive() && timer->due() <= end && (!next || timer->due() < next->due()))
                next = timer;
        }
        if (!next)
            break;
        m_now = qMax(m_now, next->due()); // a tick missed during setNow() comes late, once
        next->fire();
    }
    m_now = end;
}

void ManualTime::setNow(const QDateTime& moment) {
    m_now = moment;
}

int ManualTime::activeTimerCount() const {
    int count = 0;
    for (const ManualTimer* timer : m_timers)
        count += timer->isActive() ? 1 : 0;
    return count;
}
