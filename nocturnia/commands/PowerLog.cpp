#include "nocturnia/commands/PowerLog.h"

Q_LOGGING_CATEGORY(lcPower, "nocturnia.power")
