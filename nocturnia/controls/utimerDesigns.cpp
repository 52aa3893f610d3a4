#include "utimerDesigns.h"

namespace nocturnia {

namespace {

conv::PropertyBag disabledMinutes(qint16 minutes) {
    conv::PropertyBag bag;
    bag.write(QStringLiteral("MinuteInterval"), minutes);
    bag.write(QStringLiteral("Enabled"), false);
    return bag;
}

} // namespace

conv::PropertyBag timer4Design() {
    return disabledMinutes(5);
}

conv::PropertyBag snoozeDesign() {
    return disabledMinutes(10);
}

} // namespace nocturnia
