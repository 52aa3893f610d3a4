#pragma once

#include <QObject>
#include <memory>

namespace conv {

// A window timer: ticks every interval while active. Made by a TimerSource so that tests
// can run hours of ticks in microseconds.
class Timer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    virtual void setSingleShot(bool singleShot) = 0;
    virtual bool isSingleShot() const = 0;
    // (Re)starts counting a full interval from now.
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

    // The enabled flag of a platform timer: enabling an enabled timer changes nothing,
    // unlike start().
    void setEnabled(bool enabled) {
        if (enabled && !isActive())
            start();
        else if (!enabled && isActive())
            stop();
    }

Q_SIGNALS:
    void timeout();
};

class TimerSource {
public:
    virtual ~TimerSource() = default;
    virtual std::unique_ptr<Timer> createTimer() = 0;
};

// Timers of the Qt event loop.
class QtTimerSource final : public TimerSource {
public:
    std::unique_ptr<Timer> createTimer() override;
};

} // namespace conv
