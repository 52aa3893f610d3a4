#include "netmon/CIpHelper.h"
#include "netmon/TrafficTotals.h"
#include "support/ScriptedInterfaceCounters.h"

#include <QTest>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

InterfaceRow row(const QString& name, quint32 type, bool isVirtual, quint64 in, quint64 out) {
    InterfaceRow r;
    r.name = name;
    r.description = name;
    r.type = type;
    r.isVirtual = isVirtual;
    r.inOctets = in;
    r.outOctets = out;
    return r;
}

InterfaceRow loopback(quint64 in, quint64 out) {
    return row(u"lo"_s, kLoopbackType, true, in, out);
}

InterfaceRow physical(const QString& name, quint64 in, quint64 out) {
    return row(name, 6, false, in, out);
}

InterfaceRow virtualLink(const QString& name, quint64 in, quint64 out) {
    return row(name, 6, true, in, out);
}

using Table = QList<InterfaceRow>;

} // namespace

Q_DECLARE_METATYPE(InterfaceRow)

class TestInterfaceTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rowFillsEveryPropertyBitForBit() {
        ScriptedInterfaceCounters table;
        InterfaceRow r;
        r.name = u"eth0"_s;
        r.description = u"virtio_net (eth0)"_s;
        r.index = 2;
        r.type = 6;
        r.mtu = 1500;
        r.speed = 1000000000;
        r.address = QByteArray::fromHex("001a2b030405");
        r.adminStatus = 1;
        r.operStatus = 5;
        r.inOctets = 0x80000000u;             // at 2^31: reads back negative
        r.outOctets = (quint64(1) << 32) + 7; // past 2^32: the low 32 bits
        r.inUcastPkts = 10;
        r.inNUcastPkts = 11;
        r.inDiscards = 12;
        r.inErrors = 13;
        r.inUnknownProtos = 14;
        r.outUcastPkts = 20;
        r.outNUcastPkts = 21;
        r.outDiscards = 22;
        r.outErrors = 23;
        r.outQLen = 1000;
        table.rows = {r};
        CIpHelper helper(table);
        const auto item = helper.Interfaces()->Item(1);
        QCOMPARE(item->InterfaceName(), u"eth0"_s);
        QCOMPARE(item->InterfaceDescription(), u"virtio_net (eth0)"_s);
        QCOMPARE(item->InterfaceIndex(), 2);
        QCOMPARE(item->InterfaceType(), 6);
        QCOMPARE(item->MaximumTransmissionUnit(), 1500);
        QCOMPARE(item->Speed(), 1000000000);
        QCOMPARE(item->AdapterAddress(), u"00-1A-2B-03-04-05"_s);
        QCOMPARE(item->AdminStatus(), 1);
        QCOMPARE(item->OperationalStatus(), 5);
        QCOMPARE(item->OctetsReceived(), std::numeric_limits<qint32>::min());
        QCOMPARE(item->OctetsSent(), 7);
        QCOMPARE(item->UnicastPacketsReceived(), 10);
        QCOMPARE(item->NonunicastPacketsReceived(), 11);
        QCOMPARE(item->DiscardedIncomingPackets(), 12);
        QCOMPARE(item->IncomingErrors(), 13);
        QCOMPARE(item->UnknownProtocolPackets(), 14);
        QCOMPARE(item->UnicastPacketsSent(), 20);
        QCOMPARE(item->NonunicastPacketsSent(), 21);
        QCOMPARE(item->DiscardedOutgoingPackets(), 22);
        QCOMPARE(item->OutgoingErrors(), 23);
        QCOMPARE(item->OutputQueueLength(), 1000);
        QVERIFY(item->LastChange().isNull());
        // The totals are exact, whatever the 32-bit fields show.
        QCOMPARE(helper.totals().received, quint64(0x80000000u));
        QCOMPARE(helper.totals().sent, (quint64(1) << 32) + 7);
        QCOMPARE(helper.BytesSent(), 4294967303.0);
    }

    void fastLinkSpeedSaturates() {
        ScriptedInterfaceCounters table;
        table.rows = {physical(u"eth0"_s, 0, 0)};
        table.rows[0].speed = 10000000000ull; // 10 Gbit/s does not fit 32 bits
        CIpHelper helper(table);
        QCOMPARE(quint32(helper.Interfaces()->Item(1)->Speed()), 0xFFFFFFFFu);
    }

    void adapterAddress_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << QByteArray() << QString();
        QTest::newRow("six") << QByteArray::fromHex("001a2b030405") << u"00-1A-2B-03-04-05"_s;
        QTest::newRow("one zero byte") << QByteArray(1, '\0') << u"00"_s;
        QTest::newRow("ten: eight shown")
            << QByteArray::fromHex("0102030405060708090a") << u"01-02-03-04-05-06-07-08"_s;
    }
    void adapterAddress() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        ScriptedInterfaceCounters table;
        table.rows = {physical(u"eth0"_s, 0, 0)};
        table.rows[0].address = bytes;
        CIpHelper helper(table);
        QCOMPARE(helper.Interfaces()->Item(1)->AdapterAddress(), text);
    }

    void emptyAndFailedTables() {
        ScriptedInterfaceCounters table;
        CIpHelper helper(table);
        QCOMPARE(helper.Interfaces()->Count(), 0);
        QCOMPARE(helper.BytesReceived(), 0.0);
        table.rows = {physical(u"eth0"_s, 500, 600)};
        QCOMPARE(helper.Interfaces()->Count(), 1);
        QCOMPARE(helper.BytesReceived(), 500.0);
        table.failing = true; // a read that fails: empty collection, totals back to 0
        QCOMPARE(helper.Interfaces()->Count(), 0);
        QCOMPARE(helper.BytesReceived(), 0.0);
        QCOMPARE(helper.BytesSent(), 0.0);
    }

    void fiftyRowsAreFiftyObjectsInTableOrder() {
        ScriptedInterfaceCounters table;
        for (quint32 i = 1; i <= 50; ++i)
            table.rows << physical(u"eth%1"_s.arg(i), i * 10, i);
        CIpHelper helper(table);
        const auto interfaces = helper.Interfaces();
        QCOMPARE(interfaces->Count(), 50);
        QSet<const CInterface*> distinct;
        qint32 position = 0;
        for (const auto& item : *interfaces) {
            ++position;
            distinct.insert(item.get());
            QCOMPARE(item->InterfaceName(), u"eth%1"_s.arg(position));
            QCOMPARE(item->OctetsReceived(), position * 10);
        }
        QCOMPARE(distinct.size(), 50);
        QCOMPARE(helper.BytesReceived(), 10.0 * (50 * 51) / 2); // each row once
        QCOMPARE(helper.BytesSent(), 50.0 * 51 / 2);
    }

    void itemOutsideOneToCountIsAnError() {
        ScriptedInterfaceCounters table;
        table.rows = {physical(u"eth0"_s, 0, 0), physical(u"eth1"_s, 0, 0)};
        CIpHelper helper(table);
        const auto interfaces = helper.Interfaces();
        QCOMPARE(interfaces->Item(1)->InterfaceName(), u"eth0"_s);
        QCOMPARE(interfaces->Item(2)->InterfaceName(), u"eth1"_s);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, interfaces->Item(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, interfaces->Item(3));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, interfaces->Remove(3));
        interfaces->Remove(1);
        QCOMPARE(interfaces->Item(1)->InterfaceName(), u"eth1"_s);
    }

    void addClearsTheCallersHandle() {
        CInterfaces interfaces;
        auto item = std::make_shared<CInterface>();
        CInterface* made = item.get();
        const auto returned = interfaces.Add(item);
        QVERIFY(!item);
        QCOMPARE(returned.get(), made);
        QCOMPARE(interfaces.Item(1).get(), made);
    }

    void everyGetIsANewSnapshotAndTheOnlyRefresh() {
        ScriptedInterfaceCounters table;
        table.rows = {physical(u"eth0"_s, 1000, 100)};
        CIpHelper helper(table);
        const auto first = helper.Interfaces();
        const auto firstItem = first->Item(1);
        table.rows[0].inOctets = 5000;
        table.rows << physical(u"eth1"_s, 1, 1);
        // The counters moved, but nothing read them yet.
        QCOMPARE(helper.BytesReceived(), 1000.0);
        QCOMPARE(table.reads, 1);
        const auto second = helper.Interfaces();
        QVERIFY(first != second);
        QCOMPARE(first->Count(), 1);
        QCOMPARE(firstItem->OctetsReceived(), 1000);
        QCOMPARE(second->Item(1)->OctetsReceived(), 5000);
        QCOMPARE(helper.BytesReceived(), 5001.0);
        // Setting a collection reads nothing and leaves the totals.
        helper.setInterfaces(std::make_shared<CInterfaces>());
        QCOMPARE(table.reads, 2);
        QCOMPARE(helper.BytesReceived(), 5001.0);
    }

    // The machine's totals over two consecutive tables, and the octets a tick reports.
    void machineTraffic_data() {
        QTest::addColumn<Table>("before");
        QTest::addColumn<Table>("after");
        QTest::addColumn<quint64>("downloaded");
        QTest::addColumn<quint64>("uploaded");

        QTest::newRow("loopback adds nothing")
            << Table{loopback(1000, 1000), physical(u"eth0"_s, 100, 10)}
            << Table{loopback(900000, 900000), physical(u"eth0"_s, 2660, 110)} << quint64(2560)
            << quint64(100);
        QTest::newRow("bridge and its member count once")
            << Table{physical(u"eth0"_s, 0, 0), virtualLink(u"br0"_s, 0, 0)}
            << Table{physical(u"eth0"_s, 4096, 1024), virtualLink(u"br0"_s, 4000, 1000)}
            << quint64(4096) << quint64(1024);
        QTest::newRow("a veth pair repeats nothing")
            << Table{physical(u"eth0"_s, 10, 10), virtualLink(u"veth0"_s, 0, 0),
                     virtualLink(u"veth1"_s, 0, 0)}
            << Table{physical(u"eth0"_s, 10, 10), virtualLink(u"veth0"_s, 777, 888),
                     virtualLink(u"veth1"_s, 888, 777)}
            << quint64(0) << quint64(0);
        QTest::newRow("only virtual interfaces: all but loopback count")
            << Table{loopback(0, 0), virtualLink(u"veth0"_s, 100, 200)}
            << Table{loopback(5000, 5000), virtualLink(u"veth0"_s, 2660, 1224)} << quint64(2560)
            << quint64(1024);
        QTest::newRow("past 2^32")
            << Table{physical(u"eth0"_s, 0xFFFFFF00u, 0xFFFFFFFFu)}
            << Table{physical(u"eth0"_s, 0x100000000ull + 2304, 0x100000000ull + 1023)}
            << quint64(2560) << quint64(1024);
        QTest::newRow("a counter reset gives 0")
            << Table{physical(u"eth0"_s, 900000, 900000)} << Table{physical(u"eth0"_s, 100, 50)}
            << quint64(0) << quint64(0);
        QTest::newRow("an interface vanishing gives 0")
            << Table{physical(u"eth0"_s, 100, 100), physical(u"wlan0"_s, 50000, 50000)}
            << Table{physical(u"eth0"_s, 2000, 200)} << quint64(0) << quint64(0);
        QTest::newRow("an interface appearing adds what it counted")
            << Table{physical(u"eth0"_s, 100, 100)}
            << Table{physical(u"eth0"_s, 100, 100), physical(u"usb0"_s, 512, 0)} << quint64(512)
            << quint64(0);
        QTest::newRow("the first physical interface appearing: virtual ones stop counting")
            << Table{virtualLink(u"veth0"_s, 5000, 5000)}
            << Table{virtualLink(u"veth0"_s, 6000, 6000), physical(u"eth0"_s, 10, 20)} << quint64(0)
            << quint64(0);
    }
    void machineTraffic() {
        QFETCH(Table, before);
        QFETCH(Table, after);
        QFETCH(quint64, downloaded);
        QFETCH(quint64, uploaded);
        ScriptedInterfaceCounters table;
        CIpHelper helper(table);
        table.rows = before;
        helper.Interfaces();
        const TrafficTotals first = helper.totals();
        table.rows = after;
        helper.Interfaces();
        QCOMPARE(octetsBetween(first.received, helper.totals().received), downloaded);
        QCOMPARE(octetsBetween(first.sent, helper.totals().sent), uploaded);
    }
};

QTEST_GUILESS_MAIN(TestInterfaceTable)
#include "tst_interfacetable.moc"
