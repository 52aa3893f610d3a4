// The composition root: builds the real services once and hands them to the main window.

#include "shell/Main.h"

#include "RealServices.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    configureApplication();
    RealServices services;
    Main main(services.mainServices());
    QObject::connect(&main, &Main::unloaded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    main.Form_Load();
    return QApplication::exec();
}
