#pragma once

#include "base/TrayIcon.h"

#include <QObject>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QWidget;

// The main window in the notification area: minimising hides it behind the one icon there,
// the icon's right button opens the menu `mnu`, and the menu restores the window, opens the
// sound console or ends the program. On a desktop without a notification area (or one that
// does not take the icon) minimising leaves the window minimised on the task bar, so it can
// always be reached again.
class TrayMenu final : public QObject {
    Q_OBJECT
public:
    struct Links {
        QWidget& window; // Main
        TrayIcon& icon;
        std::function<void()> openSoundConsole;
        std::function<void()> exitProgram; // the cleanup and the end of the program
    };
    explicit TrayMenu(Links links);
    ~TrayMenu() override;

    // Takes the icon out of the notification area at the end of the program.
    void removeIcon();
    // "&Show Main Window": the window in its normal state, shown; the icon stays.
    void mnuOpen_Click();

    QMenu* mnu;
    QAction* mnuSound; // "Activate &Sound Console"
    QAction* dash1;
    QAction* mnuOpen; // "&Show Main Window"
    QAction* mnuExit; // "&Exit"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void minimised();
    void iconClicked(TrayIcon::Click click, QPoint globalPos);

    Links m_links;
    std::unique_ptr<QMenu> m_menu;
};
