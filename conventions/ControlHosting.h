#pragma once

#include "PropertyBag.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QVariant>
#include <QtPlugin>

namespace conv {

// What the hosting window tells its controls about itself.
struct AmbientProperties {
    QFont font;
    QColor foreColor = Qt::black;
    QColor backColor = Qt::white;
    QString displayName;  // the control's name on the host, such as "KiroXPDTPicker1"
    bool userMode = true; // false while the host is being designed
};

enum class DispatchKind { Get, Put, Call };

// Implemented by every control a host places from a control library. Besides its Qt
// properties (reachable by name) a control answers the dispatch identifiers of its type
// library, and it announces every change of a persisted property with the Qt signal
// `propertyChanged(QString key)` so that the host can save its design again.
class HostedControl {
public:
    virtual ~HostedControl() = default;

    // A control placed for the first time, nothing persisted yet.
    virtual void initNewControl(const AmbientProperties& ambient) = 0;
    // The stored design, read in the control's own order with its own defaults.
    virtual void readProperties(const PropertyBag& bag, const AmbientProperties& ambient) = 0;
    virtual void writeProperties(PropertyBag& bag, const AmbientProperties& ambient) const = 0;

    // Get: `value` receives the member's value. Put: `value` is stored. Call: `value` holds
    // the argument list (QVariantList) and receives the result. False and a reason in `error`
    // for an unknown identifier or a value of the wrong type.
    virtual bool dispatch(qint32 id, DispatchKind kind, QVariant& value, QString* error) = 0;
};

} // namespace conv

#define NOCTURNIA_HOSTED_CONTROL_IID "org.ostrel.nocturnia.HostedControl/1.0"
Q_DECLARE_INTERFACE(conv::HostedControl, NOCTURNIA_HOSTED_CONTROL_IID)
