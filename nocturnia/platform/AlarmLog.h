#pragma once

#include <QLoggingCategory>

// The alarm player reports sounds it cannot play here only: the alarm itself stays silent.
Q_DECLARE_LOGGING_CATEGORY(lcAlarm)
