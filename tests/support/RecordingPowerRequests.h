#pragma once

#include "base/PowerRequests.h"

#include <QStringList>

// A power service that records what it is asked and answers CanHibernate as told.
class RecordingPowerRequests final : public PowerRequests {
public:
    bool reachable = true;
    QString hibernateAnswer = QStringLiteral("no");
    QStringList calls; // "ask <action>", "request <action> forced|normal"

    static QString name(PowerAction action) {
        switch (action) {
        case PowerAction::LogOff:
            return QStringLiteral("log off");
        case PowerAction::PowerOff:
            return QStringLiteral("power off");
        case PowerAction::Reboot:
            return QStringLiteral("reboot");
        case PowerAction::Suspend:
            return QStringLiteral("suspend");
        case PowerAction::Hibernate:
            return QStringLiteral("hibernate");
        }
        return {};
    }

    bool isPowerServiceReachable() override { return reachable; }
    void askWhetherAllowed(PowerAction action) override {
        calls << QStringLiteral("ask ") + name(action);
    }
    void answerWhetherAllowed(PowerAction action,
                              std::function<void(const QString&)> answered) override {
        answered(action == PowerAction::Hibernate ? hibernateAnswer : QStringLiteral("yes"));
    }
    void request(PowerAction action, bool forced) override {
        calls << QStringLiteral("request ") + name(action) +
                     (forced ? QStringLiteral(" forced") : QStringLiteral(" normal"));
    }
};
