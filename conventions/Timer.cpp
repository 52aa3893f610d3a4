#include "Timer.h"

#include <QTimer>

namespace conv {

namespace {

class QtTimer final : public Timer {
public:
    QtTimer() { connect(&m_timer, &QTimer::timeout, this, &Timer::timeout); }

    void setInterval(int milliseconds) override { m_timer.setInterval(milliseconds); }
    int interval() const override { return m_timer.interval(); }
    void setSingleShot(bool singleShot) override { m_timer.setSingleShot(singleShot); }
    bool isSingleShot() const override { return m_timer.isSingleShot(); }
    void start() override { m_timer.start(); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

} // namespace

std::unique_ptr<Timer> QtTimerSource::createTimer() {
    return std::make_unique<QtTimer>();
}

} // namespace conv
