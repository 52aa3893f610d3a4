#include "netmon/CIpHelper.h"

#include "base/InterfaceCounters.h"

#include <algorithm>

namespace {

// The table's 32-bit fields keep the low bits of the system's counters, bit for bit.
qint32 bits32(quint64 value) {
    return qint32(quint32(value & 0xFFFFFFFFu));
}

// The table's speed field is 32-bit: a link faster than it holds reads as its largest value.
qint32 speed32(quint64 bitsPerSecond) {
    return bits32(std::min<quint64>(bitsPerSecond, 0xFFFFFFFFu));
}

CInterfaces::Handle interfaceFrom(const InterfaceRow& row) {
    auto item = std::make_shared<CInterface>();
    item->setInterfaceDescription(row.description);
    item->setAdapterAddress(adapterAddressText(row.address));
    item->setAdminStatus(bits32(row.adminStatus));
    item->setInterfaceIndex(bits32(row.index));
    item->setDiscardedIncomingPackets(bits32(row.inDiscards));
    item->setIncomingErrors(bits32(row.inErrors));
    item->setNonunicastPacketsReceived(bits32(row.inNUcastPkts));
    item->setOctetsReceived(bits32(row.inOctets));
    item->setUnicastPacketsReceived(bits32(row.inUcastPkts));
    item->setUnknownProtocolPackets(bits32(row.inUnknownProtos));
    // The system gives no moment of the last status change; nothing reads it.
    item->setMaximumTransmissionUnit(bits32(row.mtu));
    item->setOperationalStatus(bits32(row.operStatus));
    item->setDiscardedOutgoingPackets(bits32(row.outDiscards));
    item->setOutgoingErrors(bits32(row.outErrors));
    item->setNonunicastPacketsSent(bits32(row.outNUcastPkts));
    item->setOctetsSent(bits32(row.outOctets));
    item->setOutputQueueLength(bits32(row.outQLen));
    item->setUnicastPacketsSent(bits32(row.outUcastPkts));
    item->setSpeed(speed32(row.speed));
    item->setInterfaceType(bits32(row.type));
    item->setInterfaceName(row.name);
    return item;
}

} // namespace

QString adapterAddressText(const QByteArray& address) {
    // Formed in a buffer and made a text once: the speed tick takes a snapshot, addresses and
    // all, every second.
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    const qsizetype bytes = std::min<qsizetype>(address.size(), 8);
    QChar text[8 * 3];
    qsizetype length = 0;
    for (qsizetype i = 0; i < bytes; ++i) {
        const auto byte = quint8(address.at(i));
        if (i > 0)
            text[length++] = QLatin1Char('-');
        text[length++] = QChar(digits[byte >> 4]);
        text[length++] = QChar(digits[byte & 0xF]);
    }
    return length == 0 ? QString() : QString(text, length);
}

CIpHelper::CIpHelper(InterfaceCounters& counters)
    : m_counters(counters) {}

void CIpHelper::setInterfaces(std::shared_ptr<CInterfaces> vData) {
    m_interfaces = std::move(vData);
}

std::shared_ptr<CInterfaces> CIpHelper::Interfaces() {
    m_interfaces = std::make_shared<CInterfaces>();
    LoadInterfaces(*m_interfaces);
    return m_interfaces;
}

void CIpHelper::LoadInterfaces(CInterfaces& collection) {
    m_totals = {};
    const auto rows = m_counters.read();
    m_lastReadSucceeded = rows.has_value();
    if (!rows)
        return; // a table that cannot be read: empty, totals 0
    m_totals = machineTotals(*rows);
    CInterfaces::Handle item;
    for (const InterfaceRow& row : *rows) {
        item = interfaceFrom(row);
        collection.Add(item);
    }
}
