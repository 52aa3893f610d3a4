#include "shell/TrayMenu.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QTimer>
#include <QWidget>

TrayMenu::TrayMenu(Links links)
    : QObject(&links.window)
    , m_links(std::move(links))
    , m_menu(std::make_unique<QMenu>()) {
    mnu = m_menu.get();
    mnu->setObjectName(QStringLiteral("mnu"));
    // The menu pops up over the desktop, away from the window: it says whose it is.
    mnu->setAccessibleName(QStringLiteral("Nocturnia"));
    mnuSound = mnu->addAction(QStringLiteral("Activate &Sound Console"));
    dash1 = mnu->addSeparator();
    mnuOpen = mnu->addAction(QStringLiteral("&Show Main Window"));
    mnuExit = mnu->addAction(QStringLiteral("&Exit"));
    mnuSound->setObjectName(QStringLiteral("mnuSound"));
    dash1->setObjectName(QStringLiteral("dash1"));
    mnuOpen->setObjectName(QStringLiteral("mnuOpen"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));

    connect(mnuSound, &QAction::triggered, this, [this] { m_links.openSoundConsole(); });
    connect(mnuOpen, &QAction::triggered, this, &TrayMenu::mnuOpen_Click);
    connect(mnuExit, &QAction::triggered, this, [this] { m_links.exitProgram(); });
    connect(&m_links.icon, &TrayIcon::clicked, this, &TrayMenu::iconClicked);
    m_links.window.installEventFilter(this);
}

TrayMenu::~TrayMenu() = default;

void TrayMenu::removeIcon() {
    mnu->hide();
    m_links.icon.remove();
}

void TrayMenu::mnuOpen_Click() {
    QWidget& window = m_links.window;
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

bool TrayMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_links.window && event->type() == QEvent::WindowStateChange &&
        m_links.window.isMinimized())
        minimised();
    return QObject::eventFilter(watched, event);
}

void TrayMenu::minimised() {
    // Without an icon to come back through, a hidden window would be lost: it stays minimised.
    TrayIcon& icon = m_links.icon;
    if (!icon.available() || !icon.add(m_links.window.windowIcon()))
        return;
    // Hidden once the state change has been handled, so that the window manager sees the
    // window withdrawn rather than iconified.
    QTimer::singleShot(0, &m_links.window, [this] {
        if (m_links.window.isMinimized())
            m_links.window.hide();
    });
}

void TrayMenu::iconClicked(TrayIcon::Click click, QPoint globalPos) {
    // Only the right button does anything: the left button does not restore the window.
    if (click == TrayIcon::Click::Right)
        mnu->popup(globalPos);
}
