#include "base/SpeedFigures.h"
#include "conventions/Timer.h"
#include "netmon/CIpHelper.h"
#include "netmon/SpeedSampling.h"
#include "platform/IniSettingsStore.h"
#include "platform/NetlinkInterfaceCounters.h"
#include "support/ManualTime.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray kMacA = "02:00:00:00:00:0a";
const QByteArray kMacB = "02:00:00:00:00:0b";
const char* const kAddressA = "10.231.0.1";
const char* const kAddressB = "10.231.0.2";
constexpr quint16 kPort = 40404;
// One datagram on the wire: Ethernet 14 + IPv4 20 + UDP 8 + payload.
constexpr int kPayload = 1238; // 1280 octets a datagram: two make 2.50 KB

bool ip(const QStringList& arguments, QString* error = nullptr) {
    QProcess process;
    process.start(u"ip"_s, arguments);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        if (error)
            *error = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        return false;
    }
    return true;
}

// Two network namespaces joined by a veth pair, with IPv6 off and permanent neighbour entries
// so that nothing but the test's own datagrams crosses the link.
struct VethPair {
    QString nsA = u"nmtestA%1"_s.arg(::getpid());
    QString nsB = u"nmtestB%1"_s.arg(::getpid());
    QString linkA = u"nmva%1"_s.arg(::getpid());
    QString linkB = u"nmvb%1"_s.arg(::getpid());
    QString error;
    bool made = false;

    VethPair() {
        if (!ip({u"netns"_s, u"add"_s, nsA}, &error))
            return;
        made = true;
        const auto inA = [this](const QStringList& args) {
            return ip(QStringList{u"-n"_s, nsA} + args);
        };
        const auto inB = [this](const QStringList& args) {
            return ip(QStringList{u"-n"_s, nsB} + args);
        };
        const auto noIpv6 = [](const QString& ns) {
            QProcess::execute(u"ip"_s, {u"netns"_s, u"exec"_s, ns, u"sysctl"_s, u"-qw"_s,
                                        u"net.ipv6.conf.all.disable_ipv6=1"_s,
                                        u"net.ipv6.conf.default.disable_ipv6=1"_s});
        };
        const bool ok =
            ip({u"netns"_s, u"add"_s, nsB}, &error) && (noIpv6(nsA), noIpv6(nsB), true) &&
            ip({u"link"_s, u"add"_s, linkA, u"netns"_s, nsA, u"address"_s,
                QString::fromLatin1(kMacA), u"type"_s, u"veth"_s, u"peer"_s, u"name"_s, linkB,
                u"netns"_s, nsB, u"address"_s, QString::fromLatin1(kMacB)},
               &error) &&
            inA({u"addr"_s, u"add"_s, QString::fromLatin1(kAddressA) + u"/24"_s, u"dev"_s,
                 linkA}) &&
            inB({u"addr"_s, u"add"_s, QString::fromLatin1(kAddressB) + u"/24"_s, u"dev"_s,
                 linkB}) &&
            inA({u"link"_s, u"set"_s, linkA, u"up"_s}) &&
            inB({u"link"_s, u"set"_s, linkB, u"up"_s}) &&
            inA({u"neigh"_s, u"add"_s, QString::fromLatin1(kAddressB), u"lladdr"_s,
                 QString::fromLatin1(kMacB), u"dev"_s, linkA, u"nud"_s, u"permanent"_s}) &&
            inB({u"neigh"_s, u"add"_s, QString::fromLatin1(kAddressA), u"lladdr"_s,
                 QString::fromLatin1(kMacA), u"dev"_s, linkB, u"nud"_s, u"permanent"_s});
        if (!ok && error.isEmpty())
            error = u"could not set up the veth pair"_s;
        made = ok;
    }
    ~VethPair() {
        // Removing a namespace removes the link inside it, and with it its peer.
        ip({u"netns"_s, u"del"_s, nsA});
        ip({u"netns"_s, u"del"_s, nsB});
    }
};

// Runs `make` with the calling thread in the named network namespace; sockets and readers
// made there stay in it.
template <class Make> bool inNamespace(const QString& ns, Make make) {
    const int self = ::open("/proc/self/ns/net", O_RDONLY | O_CLOEXEC);
    const int target = ::open(("/run/netns/" + ns.toStdString()).c_str(), O_RDONLY | O_CLOEXEC);
    const bool entered = self >= 0 && target >= 0 && ::setns(target, CLONE_NEWNET) == 0;
    if (entered) {
        make();
        ::setns(self, CLONE_NEWNET);
    }
    if (target >= 0)
        ::close(target);
    if (self >= 0)
        ::close(self);
    return entered;
}

sockaddr_in address(const char* text) {
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(kPort);
    ::inet_pton(AF_INET, text, &at.sin_addr);
    return at;
}

int udpSocket(const char* bindTo) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (bindTo) {
        const sockaddr_in at = address(bindTo);
        if (::bind(fd, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0)
            qWarning("cannot bind the test socket");
    }
    return fd;
}

void send(int fd, const char* to, int datagrams) {
    const QByteArray payload(kPayload, 'x');
    const sockaddr_in at = address(to);
    for (int i = 0; i < datagrams; ++i)
        ::sendto(fd, payload.constData(), std::size_t(payload.size()), 0,
                 reinterpret_cast<const sockaddr*>(&at), sizeof at);
}

// Waits for the datagrams to arrive (an event, bounded), so that both ends have counted them.
int receive(int fd, int datagrams) {
    int got = 0;
    char buffer[2048];
    pollfd wait{fd, POLLIN, 0};
    while (got<datagrams&& ::poll(&wait, 1, 2000)> 0) {
        if (::recv(fd, buffer, sizeof buffer, 0) == kPayload)
            ++got;
    }
    return got;
}

} // namespace

class TestNetlinkCounters : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsTheMachinesTable() {
        NetlinkInterfaceCounters reader;
        const auto rows = reader.read();
        QVERIFY(rows);
        const auto lo = std::find_if(rows->begin(), rows->end(),
                                     [](const InterfaceRow& row) { return row.name == u"lo"_s; });
        QVERIFY(lo != rows->end());
        QCOMPARE(lo->type, 24u);
        QCOMPARE(lo->adminStatus, 1u);
        QCOMPARE(lo->description, u"Loopback (lo)"_s);
        QVERIFY(lo->isVirtual);
        // Another read gives the same interfaces over the same open socket.
        QCOMPARE(reader.read()->size(), rows->size());
    }

    void realTrafficThroughAVethPairShowsExactly() {
        if (::geteuid() != 0)
            QSKIP("making network namespaces needs root: run the suite as root to test the "
                  "real interface table with traffic");
        VethPair pair;
        if (!pair.made)
            QSKIP(qPrintable(u"network namespaces cannot be made here: "_s + pair.error));

        int receiverA = -1, senderA = -1, receiverB = -1, senderB = -1;
        std::unique_ptr<NetlinkInterfaceCounters> reader;
        QVERIFY(inNamespace(pair.nsB, [&] {
            receiverB = udpSocket(kAddressB);
            senderB = udpSocket(nullptr);
        }));
        QVERIFY(inNamespace(pair.nsA, [&] {
            receiverA = udpSocket(kAddressA);
            senderA = udpSocket(nullptr);
            reader = std::make_unique<NetlinkInterfaceCounters>();
        }));

        // The namespace's table as read: loopback and the veth end, virtual by its link kind.
        const auto rows = reader->read();
        QVERIFY(rows);
        QCOMPARE(rows->size(), 2);
        const InterfaceRow& veth = rows->at(1);
        QCOMPARE(veth.name, pair.linkA);
        QCOMPARE(veth.type, 6u);
        QCOMPARE(veth.mtu, 1500u);
        QCOMPARE(adapterAddressText(veth.address), u"02-00-00-00-00-0A"_s);
        QCOMPARE(veth.adminStatus, 1u);
        QCOMPARE(veth.operStatus, 5u);
        QVERIFY(veth.isVirtual);
        QCOMPARE(veth.description, u"veth ("_s + pair.linkA + u")"_s);

        // The speed sampling on it, ticked by hand: with no physical interface in the
        // namespace, the veth end is the machine's traffic.
        QTemporaryDir dir;
        IniSettingsStore settings(dir.filePath(u"settings.ini"_s));
        ManualTime time;
        QWidget window;
        QLabel download, upload;
        SpeedFigures speed;
        SpeedSampling sampling(
            SpeedSampling::Links{window, download, upload, speed, settings, *reader, time});
        sampling.fillConnectionList();
        QCOMPARE(sampling.cboConnectionType->count(), 2);
        QCOMPARE(sampling.cboConnectionType->itemText(0), u"Loopback (lo) "_s);
        sampling.Timer1->start();
        time.advance(1000); // the totals so far

        send(senderA, kAddressB, 2); // 2560 octets out
        send(senderB, kAddressA, 4); // 5120 octets in
        QCOMPARE(receive(receiverB, 2), 2);
        QCOMPARE(receive(receiverA, 4), 4);
        time.advance(1000);
        QCOMPARE(upload.text(), u"2.50 KBs "_s);
        QCOMPARE(speed.Label42.text(), u"2.50"_s);
        QCOMPARE(download.text(), u"5.00 KBs "_s);
        QCOMPARE(speed.Label37.text(), u"5.00"_s);
        // Matches the kernel's own counters over the same second.
        const auto after = reader->read();
        QCOMPARE(after->at(1).outOctets - veth.outOctets, quint64(2560));
        QCOMPARE(after->at(1).inOctets - veth.inOctets, quint64(5120));

        time.advance(1000);
        QCOMPARE(speed.Label37.text(), u"0.00"_s);
        QCOMPARE(speed.Label42.text(), u"0.00"_s);
        for (int fd : {receiverA, senderA, receiverB, senderB})
            ::close(fd);
    }
};

QTEST_MAIN(TestNetlinkCounters)
#include "tst_netlinkcounters.moc"
