#pragma once

#include "base/InterfaceCounters.h"

#include <QList>

// The machine's own traffic, summed over the interface table. Loopback moves nothing into or
// out of the machine, and virtual interfaces (bridges, veth, bond members, ifb, tunnels)
// repeat traffic a physical interface already counts: only the physical interfaces add up,
// or, on a machine that has none (a container), every interface but loopback.
struct TrafficTotals {
    quint64 received = 0;
    quint64 sent = 0;
};

inline constexpr quint32 kLoopbackType = 24;

bool countsTraffic(const InterfaceRow& row, bool anyPhysical);
TrafficTotals machineTotals(const QList<InterfaceRow>& rows);

// The octets moved between two totals: a total that fell (an interface gone, a counter reset)
// moved nothing that can be told, so it gives 0 rather than a negative or huge figure.
inline quint64 octetsBetween(quint64 before, quint64 now) {
    return now >= before ? now - before : 0;
}
