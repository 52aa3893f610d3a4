#pragma once

#include <QObject>
#include <QPoint>

class QIcon;

// The program's one icon in the desktop's notification area. Adding it again while it is there
// changes nothing, so there is never a second icon.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    enum class Click { Left, Right, Double, Middle };
    Q_ENUM(Click)

    using QObject::QObject;
    ~TrayIcon() override = default;

    // Whether the desktop has a notification area right now (some desktops have none).
    virtual bool available() const = 0;
    // Puts the icon into the notification area, or leaves it there; false when the area did
    // not take it.
    virtual bool add(const QIcon& icon) = 0;
    // Takes the icon out; harmless when it is not there.
    virtual void remove() = 0;
    virtual bool isShown() const = 0;

Q_SIGNALS:
    // A mouse event on the icon, with the pointer's place on the screen.
    void clicked(TrayIcon::Click click, QPoint globalPos);
};
