#pragma once

#include "netmon/CInterfaces.h"
#include "netmon/TrafficTotals.h"

#include <memory>

class InterfaceCounters;

// Reads the system's table of network interfaces into a fresh collection at every get of
// Interfaces, and keeps the machine's received and sent octet totals of that read.
class CIpHelper {
public:
    explicit CIpHelper(InterfaceCounters& counters);

    // Replaces the held collection; reads nothing.
    void setInterfaces(std::shared_ptr<CInterfaces> vData);
    // A complete new read of the table: objects from an earlier get keep their values.
    // The totals change only here.
    std::shared_ptr<CInterfaces> Interfaces();

    // The totals of the last read.
    double BytesReceived() const { return double(m_totals.received); }
    double BytesSent() const { return double(m_totals.sent); }
    // The same, exact: the counters run in 64 bits, past what a double holds to the octet.
    const TrafficTotals& totals() const { return m_totals; }
    // Whether the last read got a table from the system (an empty one counts).
    bool lastReadSucceeded() const { return m_lastReadSucceeded; }

private:
    void LoadInterfaces(CInterfaces& collection);

    InterfaceCounters& m_counters;
    std::shared_ptr<CInterfaces> m_interfaces;
    TrafficTotals m_totals;
    bool m_lastReadSucceeded = false;
};

// "00-1A-2B-03-04-05": each byte, up to the eighth, as two upper-case hexadecimal digits.
QString adapterAddressText(const QByteArray& address);
