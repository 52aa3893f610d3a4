#pragma once

#include "conventions/ControlFactory.h"
#include "datora/DatoraFactory.h"

#include <QObject>

namespace datora {

// The library as a host loads it: a Qt plugin whose one object makes the public controls.
class DatoraPlugin final : public QObject, public conv::ControlFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID NOCTURNIA_CONTROL_FACTORY_IID)
    Q_INTERFACES(conv::ControlFactory)

public:
    explicit DatoraPlugin(QObject* parent = nullptr);

    void start(const conv::Clock& clock, conv::TimerSource& timers) override {
        m_factory.start(clock, timers);
    }
    QStringList classNames() const override { return m_factory.classNames(); }
    QWidget* createControl(const QString& className, QWidget* parent, QString* error) override {
        return m_factory.createControl(className, parent, error);
    }

private:
    DatoraFactory m_factory;
};

} // namespace datora
