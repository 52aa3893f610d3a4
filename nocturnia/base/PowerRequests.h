#pragma once

#include <QString>
#include <functional>

// The five things the power commands can ask of the system.
enum class PowerAction { LogOff, PowerOff, Reboot, Suspend, Hibernate };

// What power control needs of the operating system: the login manager that grants power
// requests and, for a polite end of the session, the desktop's session manager.
class PowerRequests {
public:
    virtual ~PowerRequests() = default;

    // True when the login manager answers on the system bus (or can be started by it).
    virtual bool isPowerServiceReachable() = 0;

    // Sends the login manager's question whether this user may perform the action, without
    // waiting; the answer only goes to the log. Sent before the request, so that an
    // authorisation agent sees the question first.
    virtual void askWhetherAllowed(PowerAction action) = 0;

    // The same question without waiting: `answered` is called once, later or at once, on the
    // caller's thread, with "yes", "no", "challenge", "na", or an empty string when no answer
    // came within a short time.
    virtual void answerWhetherAllowed(PowerAction action,
                                      std::function<void(const QString&)> answered) = 0;

    // Starts the action and returns at once. Normal: applications are asked and may refuse.
    // Forced: they are not asked and cannot refuse. A refusal or failure is only logged.
    virtual void request(PowerAction action, bool forced) = 0;
};
