#pragma once

#include "base/StateField.h"

// The main window's hidden fields that the schedule page and the schedule evaluation share.
struct ScheduleFields {
    StateField Label5{QStringLiteral("Inactive")};
    StateField lblActive{QStringLiteral("The Trigger Is Deactivated")};
    StateField Text8{QStringLiteral("0")}; // "1" once the speed condition held five minutes
};
