#pragma once

#include "base/InterfaceCounters.h"

// An interface table the test writes: every read returns the rows as they stand, or nothing
// while `failing` is set.
class ScriptedInterfaceCounters final : public InterfaceCounters {
public:
    QList<InterfaceRow> rows;
    bool failing = false;
    int reads = 0;

    std::optional<QList<InterfaceRow>> read() override {
        ++reads;
        if (failing)
            return std::nullopt;
        return rows;
    }

    // A physical Ethernet interface with the given counters.
    static InterfaceRow ethernet(const QString& name, quint32 index, quint64 inOctets = 0,
                                 quint64 outOctets = 0) {
        InterfaceRow row;
        row.name = name;
        row.description = QStringLiteral("virtio_net (") + name + QLatin1Char(')');
        row.index = index;
        row.type = 6;
        row.inOctets = inOctets;
        row.outOctets = outOctets;
        return row;
    }
    InterfaceRow* find(const QString& name) {
        for (InterfaceRow& row : rows) {
            if (row.name == name)
                return &row;
        }
        return nullptr;
    }
};
