#pragma once

#include "base/TrayIcon.h"

#include <QIcon>

// A notification area the test controls: whether there is one, whether it takes the icon,
// and mouse events on the icon.
class RecordingTrayIcon final : public TrayIcon {
    Q_OBJECT
public:
    bool hasArea = true;  // the desktop has a notification area
    bool refuses = false; // the area is there but does not take the icon
    int adds = 0;         // every call of add()
    int removes = 0;
    QIcon icon;

    bool available() const override { return hasArea; }
    bool add(const QIcon& newIcon) override {
        ++adds;
        if (!hasArea || refuses)
            return false;
        if (!m_shown)
            icon = newIcon;
        m_shown = true;
        return true;
    }
    void remove() override {
        ++removes;
        m_shown = false;
    }
    bool isShown() const override { return m_shown; }

    void press(Click click, QPoint at = QPoint(12, 15)) { Q_EMIT clicked(click, at); }

private:
    bool m_shown = false;
};
