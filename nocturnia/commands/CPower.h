#pragma once

#include "base/PowerRequests.h"
#include "commands/PowerKind.h"

#include <QtGlobal>

// Turns the power commands into requests to the system. Keeps nothing between calls: every
// ShutDown does the whole sequence again.
class CPower {
public:
    explicit CPower(PowerRequests& system);

    // Force: the applications are not asked and cannot refuse. A kind outside the enumeration
    // is logged and asks nothing. Returns at once; the system's answer is
    // not passed back, a refusal leaves the machine running and is only logged.
    void ShutDown(PowerKind ShutDownType, bool Force);

private:
    void exitSession(qint32 flags);

    PowerRequests& m_system;
};
