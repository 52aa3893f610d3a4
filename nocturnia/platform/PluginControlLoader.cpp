#include "platform/PluginControlLoader.h"

#include "conventions/ControlFactory.h"

PluginControlLoader::PluginControlLoader(const QString& libraryPath, const conv::Clock& clock,
                                         conv::TimerSource& timers)
    : m_loader(libraryPath)
    , m_clock(clock)
    , m_timers(timers) {}

QWidget* PluginControlLoader::createControl(const QString& className, QWidget* parent,
                                            QString* error) {
    auto* factory = qobject_cast<conv::ControlFactory*>(m_loader.instance());
    if (!factory) {
        if (error)
            *error = m_loader.errorString();
        return nullptr;
    }
    if (!m_started) {
        factory->start(m_clock, m_timers);
        m_started = true;
    }
    return factory->createControl(className, parent, error);
}
