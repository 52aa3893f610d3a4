#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtPlugin>

class QWidget;

namespace conv {

class Clock;
class TimerSource;

// What a control library offers its hosts: controls created by class name
// ("KiroXPControls2.KiroXPDTPicker"). A library implements this as a Qt plugin beside the
// executable; the host loads it at run time and links nothing of it.
class ControlFactory {
public:
    virtual ~ControlFactory() = default;

    // Hands the library the host's clock and timers; the host calls it once, after loading and
    // before the first createControl, and keeps both alive as long as the library's controls
    // live. The library makes no clock or timers of its own. Later calls change nothing.
    virtual void start(const Clock& clock, TimerSource& timers) = 0;

    virtual QStringList classNames() const = 0;
    // A new control of the class, owned by `parent`; nullptr and a reason in `error` when the
    // class is unknown, the library has not been started or the control cannot be made.
    virtual QWidget* createControl(const QString& className, QWidget* parent, QString* error) = 0;
};

} // namespace conv

#define NOCTURNIA_CONTROL_FACTORY_IID "org.ostrel.nocturnia.ControlFactory/2.0"
Q_DECLARE_INTERFACE(conv::ControlFactory, NOCTURNIA_CONTROL_FACTORY_IID)
