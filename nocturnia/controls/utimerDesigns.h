#pragma once

#include "conventions/PropertyBag.h"

namespace nocturnia {

// The stored designs of the main window's interval timers. Both are disabled until their
// owners enable them.

// Timer4: how long the speed condition of the schedule has held, 5 minutes.
conv::PropertyBag timer4Design();
// Snooze: the alarm's snooze, 10 minutes.
conv::PropertyBag snoozeDesign();

} // namespace nocturnia
