#pragma once

#include <QString>

class QWidget;

// Creates controls of a control library by class name.
class ControlLoader {
public:
    virtual ~ControlLoader() = default;
    // The new control, owned by `parent`, or nullptr with the reason in `error`.
    virtual QWidget* createControl(const QString& className, QWidget* parent, QString* error) = 0;
};
