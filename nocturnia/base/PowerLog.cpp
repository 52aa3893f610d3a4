#include "base/PowerLog.h"

Q_LOGGING_CATEGORY(lcPower, "nocturnia.power")
