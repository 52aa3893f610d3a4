#pragma once

class QHostAddress;

// Whether a peer is on this machine or the local network: loopback, the private IPv4 ranges
// (10/8, 172.16/12, 192.168/16), unique local IPv6 (fc00::/7), link-local addresses of both,
// and IPv4 addresses of those kinds mapped into IPv6.
bool isLocalNetworkPeer(const QHostAddress& peer);
