#include "schedule/SecondTimers.h"

#include "conventions/Clock.h"
#include "conventions/Timer.h"

class SecondTimers::SecondTimer final : public conv::Timer {
public:
    SecondTimer(SecondTimers& owner, int turn)
        : m_owner(owner)
        , m_turn(turn) {}

    int turn() const { return m_turn; }

    // The nominal interval is kept for what it documents; ticks follow the seconds.
    void setInterval(int milliseconds) override { m_interval = milliseconds; }
    int interval() const override { return m_interval; }
    void setSingleShot(bool singleShot) override { m_singleShot = singleShot; }
    bool isSingleShot() const override { return m_singleShot; }
    void start() override {
        m_active = true;
        m_owner.update();
    }
    void stop() override {
        m_active = false;
        m_owner.update();
    }
    bool isActive() const override { return m_active; }

    void fire() {
        if (m_singleShot)
            m_active = false;
        Q_EMIT timeout();
    }

private:
    SecondTimers& m_owner;
    int m_turn;
    int m_interval = 0;
    bool m_singleShot = false;
    bool m_active = false;
};

SecondTimers::SecondTimers(conv::Clock& clock, conv::TimerSource& timers)
    : m_clock(clock)
    , m_driver(timers.createTimer()) {
    m_driver->setSingleShot(true);
    connect(m_driver.get(), &conv::Timer::timeout, this, &SecondTimers::tick);
}

SecondTimers::~SecondTimers() = default;

std::unique_ptr<conv::Timer> SecondTimers::createTimer(int turn) {
    auto timer = std::make_unique<SecondTimer>(*this, turn);
    m_timers.removeIf([](const QPointer<SecondTimer>& made) { return made.isNull(); });
    qsizetype at = 0;
    while (at < m_timers.size() && m_timers.at(at)->turn() <= turn)
        ++at;
    m_timers.insert(at, timer.get());
    return timer;
}

void SecondTimers::update() {
    bool anyActive = false;
    for (const auto& timer : std::as_const(m_timers))
        anyActive = anyActive || (timer && timer->isActive());
    if (!anyActive) {
        m_driver->stop();
    } else if (!m_driver->isActive()) {
        // Computed afresh for every second, so that clock changes and sleeps are followed.
        m_driver->setInterval(1000 - m_clock.millisecondOfSecond() + kMarginMs);
        m_driver->start();
    }
}

void SecondTimers::tick() {
    const auto timers = m_timers; // a handler may make or destroy timers
    for (const auto& timer : timers) {
        if (timer && timer->isActive())
            timer->fire();
    }
    m_timers.removeIf([](const QPointer<SecondTimer>& timer) { return timer.isNull(); });
    update();
}
