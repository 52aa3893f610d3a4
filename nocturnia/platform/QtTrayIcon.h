#pragma once

#include "base/TrayIcon.h"

#include <QSystemTrayIcon>

// The notification-area icon on QSystemTrayIcon: a StatusNotifierItem over D-Bus where the
// desktop registers a host for those, an XEmbed tray icon otherwise (Qt picks). The icon has
// no menu of its own: every mouse event is reported, and the owner decides what opens.
class QtTrayIcon final : public TrayIcon {
    Q_OBJECT
public:
    explicit QtTrayIcon(QObject* parent = nullptr);

    bool available() const override;
    bool add(const QIcon& icon) override;
    void remove() override;
    bool isShown() const override;

private:
    void report(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon m_icon;
};
