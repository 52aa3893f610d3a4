// The composition root: builds the real services once and hands them to the main window.

#include "shell/Main.h"

#include "RealServices.h"
#include "platform/SingleInstance.h"
#include "shell/TrayMenu.h"

#include <QApplication>
#include <QStandardPaths>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    configureApplication();

    // A second start (autostart, then a click in the menu) brings up the running program
    // instead of a second icon, folder watcher and listener.
    SingleInstance instance(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
                            QStringLiteral("/nocturnia"));
    if (instance.claim() == SingleInstance::Claim::Running) {
        if (!instance.askRunningToShow(1000))
            std::fputs("Nocturnia is already running but does not answer.\n", stderr);
        return 0;
    }

    RealServices services;
    Main main(services.mainServices());
    QObject::connect(&main, &Main::unloaded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    QObject::connect(&instance, &SingleInstance::showRequested, &main,
                     [&main] { main.tray->mnuOpen_Click(); });
    main.Form_Load();
    return QApplication::exec();
}
