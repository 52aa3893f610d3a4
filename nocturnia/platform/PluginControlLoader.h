#pragma once

#include "base/ControlLoader.h"

#include <QPluginLoader>

// Loads a control library (a Qt plugin such as libdatora.so beside the executable) when the
// first control is asked for.
class PluginControlLoader final : public ControlLoader {
public:
    explicit PluginControlLoader(const QString& libraryPath);
    QWidget* createControl(const QString& className, QWidget* parent, QString* error) override;

private:
    QPluginLoader m_loader;
};
