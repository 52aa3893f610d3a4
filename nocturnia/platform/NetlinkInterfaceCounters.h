#pragma once

#include "base/InterfaceCounters.h"

#include <QHash>
#include <QString>
#include <vector>

// The interface table from the kernel's routing socket: one RTM_GETLINK dump per read, with
// the 64-bit statistics, over a socket kept open for the reader's life. The per-interface
// facts that do not change while the interface exists (driver, virtual or not, Wi-Fi) are
// looked up once; the link speed again only when the operational state changes.
class NetlinkInterfaceCounters final : public InterfaceCounters {
public:
    NetlinkInterfaceCounters();
    ~NetlinkInterfaceCounters() override;
    NetlinkInterfaceCounters(const NetlinkInterfaceCounters&) = delete;
    NetlinkInterfaceCounters& operator=(const NetlinkInterfaceCounters&) = delete;

    std::optional<QList<InterfaceRow>> read() override;

private:
    struct Known {
        QString name;
        QString driver;
        bool isVirtual = false;
        bool wireless = false;
        int operState = -1;
        quint64 speed = 0;
    };
    bool open();
    void close();
    bool request();
    Known& known(quint32 index, const QString& name, bool hasKind);
    quint64 linkSpeed(const QString& name) const;
    QString driverName(const QString& name) const;

    int m_socket = -1;
    int m_ioctlSocket = -1;
    quint32 m_sequence = 0;
    std::vector<char> m_buffer;
    QHash<quint32, Known> m_known;
};
