#include "platform/NetlinkInterfaceCounters.h"

#include <QFileInfo>
#include <QSet>
#include <cerrno>
#include <cstring>
#include <linux/ethtool.h>
#include <linux/if.h>
#include <linux/if_arp.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <linux/sockios.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

// The message and attribute layouts are walked by hand: the kernel headers' macros are C
// casts.
namespace {

constexpr std::size_t align4(std::size_t length) {
    return (length + 3) & ~std::size_t(3);
}
constexpr std::size_t kMessageHeader = align4(sizeof(nlmsghdr));
constexpr std::size_t kAttributeHeader = align4(sizeof(rtattr));

template <class T> T readAs(const char* at, std::size_t available) {
    T value{};
    std::memcpy(&value, at, std::min(sizeof(T), available));
    return value;
}

// Calls `visit(type, data, length)` for each attribute in the block.
template <class Visit> void forEachAttribute(const char* at, std::size_t length, Visit visit) {
    while (length >= kAttributeHeader) {
        const auto attribute = readAs<rtattr>(at, length);
        if (attribute.rta_len < sizeof(rtattr) || attribute.rta_len > length)
            return;
        visit(attribute.rta_type & NLA_TYPE_MASK, at + kAttributeHeader,
              std::size_t(attribute.rta_len) - kAttributeHeader);
        const std::size_t step = align4(attribute.rta_len);
        if (step >= length)
            return;
        at += step;
        length -= step;
    }
}

QString text(const char* data, std::size_t length) {
    return QString::fromUtf8(data, qsizetype(strnlen(data, length)));
}

// Hands an ethtool command (a structure that begins with its command code) to the driver of
// the named interface; false when there is no socket or the driver does not answer.
bool askDriver(int socket, const QString& name, void* command) {
    if (socket < 0)
        return false;
    ifreq request{};
    const QByteArray local = name.toLocal8Bit();
    std::strncpy(request.ifr_name, local.constData(), IFNAMSIZ - 1);
    request.ifr_data = static_cast<char*>(command);
    return ::ioctl(socket, SIOCETHTOOL, &request) >= 0;
}

// Interface-table type codes.
quint32 interfaceType(unsigned short arpType, bool wireless) {
    switch (arpType) {
    case ARPHRD_ETHER:
        return wireless ? 71 : 6;
    case ARPHRD_LOOPBACK:
        return 24;
    case ARPHRD_PPP:
        return 23;
    case ARPHRD_TUNNEL:
    case ARPHRD_TUNNEL6:
    case ARPHRD_SIT:
    case ARPHRD_IPGRE:
    case ARPHRD_IP6GRE:
    case ARPHRD_NONE: // tun, WireGuard
        return 131;
    default:
        return 1;
    }
}

// The interface table's operational codes: 0 non-operational, 2 disconnected, 3 connecting,
// 5 operational.
quint32 operationalStatus(int operState, unsigned flags) {
    switch (operState) {
    case IF_OPER_UP:
        return 5;
    case IF_OPER_DORMANT:
        return 3;
    case IF_OPER_DOWN:
    case IF_OPER_LOWERLAYERDOWN:
        return (flags & IFF_UP) ? 2 : 0;
    case IF_OPER_UNKNOWN: // loopback and drivers that do not track the state
        return (flags & IFF_UP) && (flags & IFF_RUNNING) ? 5 : 0;
    default:
        return 0;
    }
}

} // namespace

NetlinkInterfaceCounters::NetlinkInterfaceCounters()
    : m_buffer(64 * 1024) {
    open();
}

NetlinkInterfaceCounters::~NetlinkInterfaceCounters() {
    close();
}

bool NetlinkInterfaceCounters::open() {
    m_socket = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (m_socket < 0)
        return false;
    // The kernel answers a dump at once; the limit only keeps a broken socket from hanging the
    // window.
    timeval limit{1, 0};
    ::setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    sockaddr_nl local{};
    local.nl_family = AF_NETLINK;
    if (::bind(m_socket, reinterpret_cast<sockaddr*>(&local), sizeof local) < 0) {
        close();
        return false;
    }
    m_ioctlSocket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    return true;
}

void NetlinkInterfaceCounters::close() {
    if (m_socket >= 0)
        ::close(m_socket);
    if (m_ioctlSocket >= 0)
        ::close(m_ioctlSocket);
    m_socket = m_ioctlSocket = -1;
}

bool NetlinkInterfaceCounters::request() {
    struct {
        nlmsghdr header;
        ifinfomsg body;
    } message{};
    message.header.nlmsg_len = sizeof message;
    message.header.nlmsg_type = RTM_GETLINK;
    message.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    message.header.nlmsg_seq = ++m_sequence;
    message.body.ifi_family = AF_UNSPEC;
    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    return ::sendto(m_socket, &message, sizeof message, 0, reinterpret_cast<sockaddr*>(&kernel),
                    sizeof kernel) == ssize_t(sizeof message);
}

std::optional<QList<InterfaceRow>> NetlinkInterfaceCounters::read() {
    if (m_socket < 0 && !open())
        return std::nullopt;
    if (!request()) {
        close(); // made again at the next read
        return std::nullopt;
    }
    QList<InterfaceRow> rows;
    rows.reserve(m_known.size() + 1); // as many as last time, as a rule
    QSet<quint32> present;
    present.reserve(m_known.size() + 1);
    for (;;) {
        const ssize_t received = ::recv(m_socket, m_buffer.data(), m_buffer.size(), 0);
        if (received < 0 && errno == EINTR)
            continue;
        if (received <= 0) {
            close();
            return std::nullopt;
        }
        const char* at = m_buffer.data();
        std::size_t left = std::size_t(received);
        while (left >= kMessageHeader) {
            const auto header = readAs<nlmsghdr>(at, left);
            if (header.nlmsg_len < kMessageHeader || header.nlmsg_len > left)
                break;
            if (header.nlmsg_seq == m_sequence) {
                if (header.nlmsg_type == NLMSG_DONE) {
                    // Interfaces gone since the last read leave the cache.
                    for (auto it = m_known.begin(); it != m_known.end();)
                        it = present.contains(it.key()) ? std::next(it) : m_known.erase(it);
                    return rows;
                }
                if (header.nlmsg_type == NLMSG_ERROR)
                    return std::nullopt;
                if (header.nlmsg_type == RTM_NEWLINK &&
                    header.nlmsg_len >= kMessageHeader + sizeof(ifinfomsg)) {
                    const auto link = readAs<ifinfomsg>(at + kMessageHeader, sizeof(ifinfomsg));
                    InterfaceRow row;
                    row.index = quint32(link.ifi_index);
                    QString alias;
                    bool hasKind = false;
                    int operState = IF_OPER_UNKNOWN;
                    rtnl_link_stats64 stats{};
                    const std::size_t attributes = kMessageHeader + align4(sizeof(ifinfomsg));
                    if (header.nlmsg_len > attributes) {
                        forEachAttribute(at + attributes, header.nlmsg_len - attributes,
                                         [&](unsigned type, const char* data, std::size_t length) {
                                             switch (type) {
                                             case IFLA_IFNAME:
                                                 row.name = text(data, length);
                                                 break;
                                             case IFLA_IFALIAS:
                                                 alias = text(data, length);
                                                 break;
                                             case IFLA_MTU:
                                                 row.mtu = readAs<quint32>(data, length);
                                                 break;
                                             case IFLA_TXQLEN:
                                                 row.outQLen = readAs<quint32>(data, length);
                                                 break;
                                             case IFLA_OPERSTATE:
                                                 operState = readAs<quint8>(data, length);
                                                 break;
                                             case IFLA_ADDRESS:
                                                 row.address = QByteArray(data, qsizetype(length));
                                                 break;
                                             case IFLA_STATS64:
                                                 stats = readAs<rtnl_link_stats64>(data, length);
                                                 break;
                                             case IFLA_LINKINFO:
                                                 forEachAttribute(
                                                     data, length,
                                                     [&](unsigned inner, const char*, std::size_t) {
                                                         hasKind =
                                                             hasKind || inner == IFLA_INFO_KIND;
                                                     });
                                                 break;
                                             default:
                                                 break;
                                             }
                                         });
                    }
                    Known& facts = known(row.index, row.name, hasKind);
                    present.insert(row.index);
                    if (facts.operState != operState) {
                        facts.operState = operState;
                        facts.speed = linkSpeed(row.name);
                    }
                    row.type = interfaceType(link.ifi_type, facts.wireless);
                    row.isVirtual = facts.isVirtual;
                    row.speed = facts.speed;
                    row.adminStatus = (link.ifi_flags & IFF_UP) ? 1 : 2;
                    row.operStatus = operationalStatus(operState, link.ifi_flags);
                    if (!alias.isEmpty())
                        row.description = alias;
                    else if (!facts.driver.isEmpty())
                        row.description =
                            facts.driver + QStringLiteral(" (") + row.name + QLatin1Char(')');
                    else if (row.type == 24)
                        row.description =
                            QStringLiteral("Loopback (") + row.name + QLatin1Char(')');
                    else
                        row.description = row.name;
                    row.inOctets = stats.rx_bytes;
                    row.inUcastPkts =
                        stats.rx_packets - std::min(stats.multicast, stats.rx_packets);
                    row.inNUcastPkts = stats.multicast;
                    row.inDiscards = stats.rx_dropped;
                    row.inErrors = stats.rx_errors;
                    row.inUnknownProtos = stats.rx_nohandler;
                    row.outOctets = stats.tx_bytes;
                    row.outUcastPkts = stats.tx_packets; // no multicast split for sending
                    row.outDiscards = stats.tx_dropped;
                    row.outErrors = stats.tx_errors;
                    rows.append(std::move(row));
                }
            }
            const std::size_t step = align4(header.nlmsg_len);
            if (step >= left)
                break;
            at += step;
            left -= step;
        }
    }
}

NetlinkInterfaceCounters::Known& NetlinkInterfaceCounters::known(quint32 index, const QString& name,
                                                                 bool hasKind) {
    auto it = m_known.find(index);
    if (it != m_known.end() && it->name == name)
        return *it;
    Known facts;
    facts.name = name;
    facts.driver = driverName(name);
    // A link kind is what the kernel gives devices it makes itself; sysfs lists them too, but
    // shows only the namespace it was mounted in.
    facts.isVirtual =
        hasKind || QFileInfo::exists(QStringLiteral("/sys/devices/virtual/net/") + name);
    facts.wireless =
        QFileInfo::exists(QStringLiteral("/sys/class/net/") + name + QStringLiteral("/wireless")) ||
        QFileInfo::exists(QStringLiteral("/sys/class/net/") + name + QStringLiteral("/phy80211"));
    return *m_known.insert(index, facts);
}

quint64 NetlinkInterfaceCounters::linkSpeed(const QString& name) const {
    ethtool_cmd command{};
    command.cmd = ETHTOOL_GSET;
    if (!askDriver(m_ioctlSocket, name, &command))
        return 0;
    const quint32 megabits = quint32(command.speed_hi) << 16 | command.speed;
    if (megabits == 0 || megabits == quint32(SPEED_UNKNOWN))
        return 0;
    return quint64(megabits) * 1000000u;
}

QString NetlinkInterfaceCounters::driverName(const QString& name) const {
    ethtool_drvinfo info{};
    info.cmd = ETHTOOL_GDRVINFO;
    if (!askDriver(m_ioctlSocket, name, &info))
        return {};
    return text(info.driver, sizeof info.driver);
}
