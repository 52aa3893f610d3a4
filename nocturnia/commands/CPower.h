#pragma once

#include "nocturnia/commands/PowerRequests.h"

#include <QtGlobal>

// Turns the power commands into requests to the system. Keeps nothing between calls: every
// ShutDown does the whole sequence again.
class CPower {
public:
    explicit CPower(PowerRequests& system);

    // ShutDownType: 0 log off, 1 shut down, 2 restart, 5 hibernate, 6 stand by. Force: the
    // applications are not asked and cannot refuse. Returns at once; the system's answer is
    // not passed back, a refusal leaves the machine running and is only logged.
    void ShutDown(qint32 ShutDownType, bool Force);

private:
    void exitSession(qint32 flags);

    PowerRequests& m_system;
};
