#include "DatoraPlugin.h"

namespace datora {

DatoraPlugin::DatoraPlugin(QObject* parent)
    : QObject(parent) {}

} // namespace datora
