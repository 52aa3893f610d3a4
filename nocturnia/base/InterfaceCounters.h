#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// One row of the operating system's table of network interfaces, with the counters at the
// width the system keeps them (64 bits), and the codes of the interface table the program
// presents (type, administrative and operational status).
struct InterfaceRow {
    QString name;
    QString description; // the alias when set, else a readable name
    quint32 index = 0;
    quint32 type = 1; // 6 Ethernet, 23 PPP, 24 loopback, 71 Wi-Fi, 131 tunnel, 1 other
    quint32 mtu = 0;
    quint64 speed = 0;       // bits per second; 0 when the link does not say
    QByteArray address;      // physical address bytes
    quint32 adminStatus = 2; // 1 up, 2 down
    quint32 operStatus = 0;  // 0 non-operational ... 5 operational
    quint32 lastChange = 0;
    quint64 inOctets = 0;
    quint64 inUcastPkts = 0;
    quint64 inNUcastPkts = 0;
    quint64 inDiscards = 0;
    quint64 inErrors = 0;
    quint64 inUnknownProtos = 0;
    quint64 outOctets = 0;
    quint64 outUcastPkts = 0;
    quint64 outNUcastPkts = 0;
    quint64 outDiscards = 0;
    quint64 outErrors = 0;
    quint64 outQLen = 0;
    // Whether the system lists the interface as virtual (a bridge, a veth, a tunnel, a bond,
    // an ifb, loopback): its traffic is traffic of another interface too.
    bool isVirtual = false;
};

// Reads the table of network interfaces.
class InterfaceCounters {
public:
    virtual ~InterfaceCounters() = default;
    // The rows in the system's own order, or nothing when the table cannot be read.
    virtual std::optional<QList<InterfaceRow>> read() = 0;
};
