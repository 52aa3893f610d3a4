#include "platform/PluginControlLoader.h"

#include "conventions/ControlFactory.h"

PluginControlLoader::PluginControlLoader(const QString& libraryPath)
    : m_loader(libraryPath) {}

QWidget* PluginControlLoader::createControl(const QString& className, QWidget* parent,
                                            QString* error) {
    auto* factory = qobject_cast<conv::ControlFactory*>(m_loader.instance());
    if (!factory) {
        if (error)
            *error = m_loader.errorString();
        return nullptr;
    }
    return factory->createControl(className, parent, error);
}
