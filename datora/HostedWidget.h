#pragma once

#include "conventions/ControlHosting.h"

#include <QFont>
#include <QWidget>

namespace datora {

// What every control of the library that a host places has: the hosting interface, the Font
// and Enabled properties, and the signal that announces a change of a persisted property.
class HostedWidget : public QWidget, public conv::HostedControl {
    Q_OBJECT
    Q_INTERFACES(conv::HostedControl)
    Q_PROPERTY(QFont Font READ controlFont WRITE setControlFont)
    Q_PROPERTY(bool Enabled READ enabledFlag WRITE setEnabledFlag)

public:
    virtual QFont controlFont() const = 0;
    virtual void setControlFont(const QFont& font) = 0;
    virtual bool enabledFlag() const = 0;
    virtual void setEnabledFlag(bool enabled) = 0;

    // For a control whose type library publishes no members (it is used by name only): every
    // identifier fails as unknown.
    bool dispatch(qint32 id, conv::DispatchKind kind, QVariant& value, QString* error) override;

Q_SIGNALS:
    void propertyChanged(const QString& key);

protected:
    explicit HostedWidget(QWidget* parent);
};

} // namespace datora
