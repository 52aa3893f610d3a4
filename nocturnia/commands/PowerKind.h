#pragma once

#include <QtGlobal>

// The kind codes of the power requests, as every caller and the power controller share them.
enum class PowerKind : qint32 { LogOff = 0, ShutDown = 1, Restart = 2, Hibernate = 5, Standby = 6 };
