#pragma once

#include "base/ControlLoader.h"

#include <QPluginLoader>

namespace conv {
class Clock;
class TimerSource;
} // namespace conv

// Loads a control library (a Qt plugin such as libdatora.so beside the executable) when the
// first control is asked for, and hands it the host's clock and timers, which must outlive the
// controls it makes.
class PluginControlLoader final : public ControlLoader {
public:
    PluginControlLoader(const QString& libraryPath, const conv::Clock& clock,
                        conv::TimerSource& timers);
    QWidget* createControl(const QString& className, QWidget* parent, QString* error) override;

private:
    QPluginLoader m_loader;
    const conv::Clock& m_clock;
    conv::TimerSource& m_timers;
    bool m_started = false;
};
