#include "triggers/LocalNetwork.h"

#include <QHostAddress>
#include <QPair>

namespace {

bool inAny(const QHostAddress& address, const char* const (&subnets)[6]) {
    for (const char* subnet : subnets) {
        if (subnet && address.isInSubnet(QHostAddress::parseSubnet(QLatin1String(subnet))))
            return true;
    }
    return false;
}

} // namespace

bool isLocalNetworkPeer(const QHostAddress& peer) {
    bool isIPv4 = false;
    const quint32 v4 = peer.toIPv4Address(&isIPv4); // a mapped address reads as its IPv4 form
    if (isIPv4) {
        static const char* const local[6] = {"127.0.0.0/8",    "10.0.0.0/8",     "172.16.0.0/12",
                                             "192.168.0.0/16", "169.254.0.0/16", nullptr};
        return inAny(QHostAddress(v4), local);
    }
    if (peer.protocol() != QAbstractSocket::IPv6Protocol)
        return false;
    static const char* const local[6] = {"::1/128", "fc00::/7", "fe80::/10",
                                         nullptr,   nullptr,    nullptr};
    // The scope of a link-local address is no part of the comparison.
    QHostAddress unscoped = peer;
    unscoped.setScopeId(QString());
    return inAny(unscoped, local);
}
