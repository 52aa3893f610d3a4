#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

// The program's own top-level windows. Each subsystem registers the windows it opens, so the
// shutdown closes exactly those and never a window another component of the process made.
class WindowRegistry {
public:
    // Remembers `window` until it is destroyed.
    void add(QWidget* window);
    // Closes every registered window that still exists, in the order they were registered.
    void closeAll();
    // The registered windows that still exist.
    QList<QWidget*> windows() const;

private:
    QList<QPointer<QWidget>> m_windows;
};
