#include "base/WindowRegistry.h"

void WindowRegistry::add(QWidget* window) {
    m_windows.removeAll(nullptr);
    if (window && !m_windows.contains(window))
        m_windows.append(window);
}

void WindowRegistry::closeAll() {
    // Closing one window may destroy or register another: work on a copy.
    const QList<QPointer<QWidget>> windows = m_windows;
    for (const QPointer<QWidget>& window : windows) {
        if (window)
            window->close();
    }
    m_windows.removeAll(nullptr);
}

QList<QWidget*> WindowRegistry::windows() const {
    QList<QWidget*> alive;
    for (const QPointer<QWidget>& window : m_windows) {
        if (window)
            alive.append(window);
    }
    return alive;
}
