#include "platform/QtTrayIcon.h"

#include <QCursor>

QtTrayIcon::QtTrayIcon(QObject* parent)
    : TrayIcon(parent) {
    connect(&m_icon, &QSystemTrayIcon::activated, this, &QtTrayIcon::report);
}

bool QtTrayIcon::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool QtTrayIcon::add(const QIcon& icon) {
    if (!available())
        return false;
    if (m_icon.isVisible())
        return true;
    m_icon.setIcon(icon);
    m_icon.show();
    return m_icon.isVisible();
}

void QtTrayIcon::remove() {
    m_icon.hide();
}

bool QtTrayIcon::isShown() const {
    return m_icon.isVisible();
}

void QtTrayIcon::report(QSystemTrayIcon::ActivationReason reason) {
    // Qt reports the right button as a request for the context menu, on both kinds of tray.
    Click click = Click::Left;
    switch (reason) {
    case QSystemTrayIcon::Context:
        click = Click::Right;
        break;
    case QSystemTrayIcon::DoubleClick:
        click = Click::Double;
        break;
    case QSystemTrayIcon::MiddleClick:
        click = Click::Middle;
        break;
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::Unknown:
        click = Click::Left;
        break;
    }
    Q_EMIT clicked(click, QCursor::pos());
}
