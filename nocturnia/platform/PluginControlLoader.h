#pragma once

#include "base/ControlLoader.h"
#include "conventions/Clock.h"
#include "conventions/Timer.h"

#include <QPluginLoader>
#include <memory>

// Loads a control library (a Qt plugin such as libdatora.so beside the executable) when the
// first control is asked for, and hands it the host's clock and timers, which must outlive the
// controls it makes.
class PluginControlLoader final : public ControlLoader {
public:
    PluginControlLoader(const QString& libraryPath, const conv::Clock& clock,
                        conv::TimerSource& timers);
    // The system clock and Qt's timers, for hosts that have not yet passed their own.
    explicit PluginControlLoader(const QString& libraryPath);
    QWidget* createControl(const QString& className, QWidget* parent, QString* error) override;

private:
    std::unique_ptr<conv::SystemClock> m_ownClock;
    std::unique_ptr<conv::QtTimerSource> m_ownTimers;
    QPluginLoader m_loader;
    const conv::Clock& m_clock;
    conv::TimerSource& m_timers;
    bool m_started = false;
};
