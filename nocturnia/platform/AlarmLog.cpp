#include "platform/AlarmLog.h"

Q_LOGGING_CATEGORY(lcAlarm, "nocturnia.alarm")
