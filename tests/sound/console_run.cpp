// The program as it starts, with the sound console opened: waits until the console's meter
// has measured a block of the sound server's input, then exits through "&Exit". Exit status
// 0 when it sampled and ended cleanly, 2 when no block came within 10 seconds.
#include "RealServices.h"
#include "shell/Main.h"
#include "sound/Form1.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    configureApplication();
    RealServices services;
    Main main(services.mainServices());
    QObject::connect(&main, &Main::unloaded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    main.Form_Load();
    main.openSoundConsole();

    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &main, [&] {
        Form1* console = main.soundConsole();
        if (!console)
            return;
        if (const auto level = console->meter.NewLevel()) {
            poll.stop();
            std::printf("level %d\n", int(*level));
            main.mnuExit_Click();
        }
    });
    poll.start();
    QTimer::singleShot(10000, &app, [] {
        std::fprintf(stderr, "no block measured\n");
        QCoreApplication::exit(2);
    });
    return QApplication::exec();
}
