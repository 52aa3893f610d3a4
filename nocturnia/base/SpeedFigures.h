#pragma once

#include "base/StateField.h"

// The main window's hidden fields with the last speed figures, in kilobytes per second:
// written by the speed sampling, compared by the schedule.
struct SpeedFigures {
    StateField Label37{QStringLiteral("Label37")}; // download
    StateField Label42{QStringLiteral("Label42")}; // upload
};
