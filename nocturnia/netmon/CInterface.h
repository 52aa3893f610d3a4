#pragma once

#include <QDateTime>
#include <QString>

// The values of one network interface, as the interface table gave them at one read: a plain
// value object. The 32-bit counters are kept bit for bit, so a counter at or above 2^31 reads
// back negative. A new object has empty texts, zero numbers and a null date-time.
class CInterface {
public:
    // "Contains a description of the interface."
    QString InterfaceDescription() const { return m_InterfaceDescription; }
    void setInterfaceDescription(const QString& vData) { m_InterfaceDescription = vData; }

    // "Specifies the output queue length."
    qint32 OutputQueueLength() const { return m_OutputQueueLength; }
    void setOutputQueueLength(qint32 vData) { m_OutputQueueLength = vData; }

    // "Specifies the number of outgoing packets that were discarded because of errors."
    qint32 OutgoingErrors() const { return m_OutgoingErrors; }
    void setOutgoingErrors(qint32 vData) { m_OutgoingErrors = vData; }

    // "Specifies the number of outgoing packets that were discarded even though they did not have
    // errors."
    qint32 DiscardedOutgoingPackets() const { return m_DiscardedOutgoingPackets; }
    void setDiscardedOutgoingPackets(qint32 vData) { m_DiscardedOutgoingPackets = vData; }

    // "Specifies the number of non-unicast packets sent through this interface. Broadcast and
    // multicast packets are included."
    qint32 NonunicastPacketsSent() const { return m_NonunicastPacketsSent; }
    void setNonunicastPacketsSent(qint32 vData) { m_NonunicastPacketsSent = vData; }

    // "Specifies the number of unicast packets sent through this interface."
    qint32 UnicastPacketsSent() const { return m_UnicastPacketsSent; }
    void setUnicastPacketsSent(qint32 vData) { m_UnicastPacketsSent = vData; }

    // "Specifies the number of octets of data sent through this interface."
    qint32 OctetsSent() const { return m_OctetsSent; }
    void setOctetsSent(qint32 vData) { m_OctetsSent = vData; }

    // "Specifies the number of incoming packets that were discarded because the protocol was
    // unknown."
    qint32 UnknownProtocolPackets() const { return m_UnknownProtocolPackets; }
    void setUnknownProtocolPackets(qint32 vData) { m_UnknownProtocolPackets = vData; }

    // "Specifies the number of incoming packets that were discarded because of errors."
    qint32 IncomingErrors() const { return m_IncomingErrors; }
    void setIncomingErrors(qint32 vData) { m_IncomingErrors = vData; }

    // "Specifies the number of incoming packets that were discarded even though they did not have
    // errors."
    qint32 DiscardedIncomingPackets() const { return m_DiscardedIncomingPackets; }
    void setDiscardedIncomingPackets(qint32 vData) { m_DiscardedIncomingPackets = vData; }

    // "Specifies the number of non-unicast packets received through this interface. Broadcast and
    // multicast packets are included."
    qint32 NonunicastPacketsReceived() const { return m_NonunicastPacketsReceived; }
    void setNonunicastPacketsReceived(qint32 vData) { m_NonunicastPacketsReceived = vData; }

    // "Specifies the Maximum Transmission Unit (MTU)."
    qint32 MaximumTransmissionUnit() const { return m_MaximumTransmissionUnit; }
    void setMaximumTransmissionUnit(qint32 vData) { m_MaximumTransmissionUnit = vData; }

    // "Specifies the number of unicast packets received through this interface."
    qint32 UnicastPacketsReceived() const { return m_UnicastPacketsReceived; }
    void setUnicastPacketsReceived(qint32 vData) { m_UnicastPacketsReceived = vData; }

    // "Specifies the number of octets of data received through this interface."
    qint32 OctetsReceived() const { return m_OctetsReceived; }
    void setOctetsReceived(qint32 vData) { m_OctetsReceived = vData; }

    // "Specifies the last time the operational status changed."
    QDateTime LastChange() const { return m_LastChange; }
    void setLastChange(const QDateTime& vData) { m_LastChange = vData; }

    // "Specifies the operational status of the interface."
    qint32 OperationalStatus() const { return m_OperationalStatus; }
    void setOperationalStatus(qint32 vData) { m_OperationalStatus = vData; }

    // "Specifies the interface is administratively enabled or disabled. "
    qint32 AdminStatus() const { return m_AdminStatus; }
    void setAdminStatus(qint32 vData) { m_AdminStatus = vData; }

    // "Specifies the physical address of the adapter for this interface."
    QString AdapterAddress() const { return m_AdapterAddress; }
    void setAdapterAddress(const QString& vData) { m_AdapterAddress = vData; }

    // "Specifies the speed of the interface in bits per second."
    qint32 Speed() const { return m_Speed; }
    void setSpeed(qint32 vData) { m_Speed = vData; }

    // "Specifies the type of interface."
    qint32 InterfaceType() const { return m_InterfaceType; }
    void setInterfaceType(qint32 vData) { m_InterfaceType = vData; }

    // "Specifies the index that identifies the interface."
    qint32 InterfaceIndex() const { return m_InterfaceIndex; }
    void setInterfaceIndex(qint32 vData) { m_InterfaceIndex = vData; }

    // "String that contains the name of the interface. "
    QString InterfaceName() const { return m_InterfaceName; }
    void setInterfaceName(const QString& vData) { m_InterfaceName = vData; }

private:
    QString m_InterfaceDescription;
    qint32 m_OutputQueueLength = 0;
    qint32 m_OutgoingErrors = 0;
    qint32 m_DiscardedOutgoingPackets = 0;
    qint32 m_NonunicastPacketsSent = 0;
    qint32 m_UnicastPacketsSent = 0;
    qint32 m_OctetsSent = 0;
    qint32 m_UnknownProtocolPackets = 0;
    qint32 m_IncomingErrors = 0;
    qint32 m_DiscardedIncomingPackets = 0;
    qint32 m_NonunicastPacketsReceived = 0;
    qint32 m_MaximumTransmissionUnit = 0;
    qint32 m_UnicastPacketsReceived = 0;
    qint32 m_OctetsReceived = 0;
    QDateTime m_LastChange;
    qint32 m_OperationalStatus = 0;
    qint32 m_AdminStatus = 0;
    QString m_AdapterAddress;
    qint32 m_Speed = 0;
    qint32 m_InterfaceType = 0;
    qint32 m_InterfaceIndex = 0;
    QString m_InterfaceName;
};
