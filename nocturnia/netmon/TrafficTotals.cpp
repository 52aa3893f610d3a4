#include "netmon/TrafficTotals.h"

#include <algorithm>

namespace {

bool isLoopback(const InterfaceRow& row) {
    return row.type == kLoopbackType;
}

bool isPhysical(const InterfaceRow& row) {
    return !row.isVirtual && !isLoopback(row);
}

} // namespace

bool countsTraffic(const InterfaceRow& row, bool anyPhysical) {
    if (isLoopback(row))
        return false;
    return anyPhysical ? isPhysical(row) : true;
}

TrafficTotals machineTotals(const QList<InterfaceRow>& rows) {
    const bool anyPhysical = std::any_of(rows.begin(), rows.end(), isPhysical);
    TrafficTotals totals;
    for (const InterfaceRow& row : rows) {
        if (!countsTraffic(row, anyPhysical))
            continue;
        totals.received += row.inOctets;
        totals.sent += row.outOctets;
    }
    return totals;
}
