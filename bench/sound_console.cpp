// The sound console sampling a private sound server's default source: CPU share and
// wake-ups a second of the whole process, the longest stall of the window's thread (the worst
// lateness of a 1 ms probe timer, in a second run so the probe does not count in the first,
// and apart from it the longest the thread was busy between two sleeps: a stall longer than
// that is time the thread waited for a core),
// and the delay from a loud tone's start to the command. Prints figures; judges nothing.
// Usage: sound_console [seconds per run, default 30] [--no-console: the same without the
// console, for the main window's own share] [--sink-pace MS: the test server's sink runs every
// MS milliseconds, default 20, and its monitor, the default source, hands over a piece of sound
// as often] [--silent-microphone: the default source is a silent one on its own clock, which
// hands over as much as the recorder asks for, as a microphone's driver does; no tone is heard]

#include "RealServices.h"
#include "commands/CommandCatalogue.h"
#include "commands/CommandOperations.h"
#include "schedule/AutomaticCommandsPage.h"
#include "shell/Main.h"
#include "sound/Form1.h"
#include "support/PrivatePulse.h"
#include "support/ProcessFigures.h"
#include "support/Tone.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    configureApplication();
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    bool withConsole = true;
    bool silentMicrophone = false;
    int sinkPaceMs = 20;
    for (int i = 2; i < argc; ++i) {
        if (qstrcmp(argv[i], "--no-console") == 0)
            withConsole = false;
        else if (qstrcmp(argv[i], "--silent-microphone") == 0)
            silentMicrophone = true;
        else if (qstrcmp(argv[i], "--sink-pace") == 0 && i + 1 < argc)
            sinkPaceMs = std::max(1, std::atoi(argv[++i]));
    }

    PrivatePulse pulse;
    pulse.setSinkPace(sinkPaceMs);
    pulse.setSilentMicrophone(silentMicrophone);
    QString error;
    if (!pulse.start(&error)) {
        std::fprintf(stderr, "no sound server: %s\n", qPrintable(error));
        return 1;
    }
    qputenv("PULSE_SERVER", pulse.serverAddress().toLocal8Bit());

    RealServices services;
    Main main(services.mainServices());
    main.Form_Load();
    main.page->CmbOption->setCurrentText(CommandCatalogue::kNotification);
    if (withConsole)
        main.openSoundConsole();
    runFor(4000); // past the start delay
    Form1* console = main.soundConsole();
    if (withConsole && (!console || !console->Timer1->isActive())) {
        std::fprintf(stderr, "the console is not sampling\n");
        return 1;
    }

    const double cpuBefore = cpuSeconds();
    const auto threadsBefore = threadFigures();
    runFor(seconds * 1000);
    const double cpu = cpuSeconds() - cpuBefore;
    const auto threadsAfter = threadFigures();
    qint64 wakes = 0;
    for (auto thread = threadsAfter.cbegin(); thread != threadsAfter.cend(); ++thread)
        wakes += thread->runs - threadsBefore.value(thread.key()).runs;
    std::printf("%s %d s, %s:", withConsole ? "sampling" : "without the console", seconds,
                silentMicrophone ? "silent microphone"
                                 : qPrintable(QStringLiteral("sink every %1 ms").arg(sinkPaceMs)));
    std::printf(" CPU %.3f %% of a core, %.1f wake-ups a second\n", 100.0 * cpu / seconds,
                double(wakes) / seconds);
    for (auto thread = threadsAfter.cbegin(); thread != threadsAfter.cend(); ++thread) {
        const ThreadFigures before = threadsBefore.value(thread.key());
        const double share = 100.0 * (thread->seconds - before.seconds) / seconds;
        if (share >= 0.005)
            std::printf("  thread %-16s %.3f %%, %.1f runs a second\n", qPrintable(thread.key()),
                        share, double(thread->runs - before.runs) / seconds);
    }

    QElapsedTimer clock;
    qint64 last = -1;
    qint64 worst = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last >= 0)
            worst = std::max(worst, now - last - 1000000);
        last = now;
    });
    clock.start();
    // The thread's own share of a stall: from waking to going to sleep again.
    qint64 awokeAt = -1;
    qint64 longestBusy = 0;
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    const auto awake = QObject::connect(dispatcher, &QAbstractEventDispatcher::awake,
                                        [&] { awokeAt = clock.nsecsElapsed(); });
    const auto asleep = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [&] {
        if (awokeAt >= 0)
            longestBusy = std::max(longestBusy, clock.nsecsElapsed() - awokeAt);
        awokeAt = -1;
    });
    probe.start();
    runFor(seconds * 1000);
    probe.stop();
    QObject::disconnect(awake);
    QObject::disconnect(asleep);
    std::printf("longest stall of the window's thread: %.2f ms (busy at the longest %.2f ms)\n",
                double(worst) / 1e6, double(longestBusy) / 1e6);

    if (!withConsole || silentMicrophone) {
        main.mnuExit_Click();
        return 0;
    }
    // A loud tone, timed from starting its player; the command follows on the tick after the
    // first loud block.
    QElapsedTimer toneClock;
    toneClock.start();
    const Tone tone(pulse, 0.75, 5000);
    while (!main.commands().silentAlarm() && toneClock.elapsed() < 10000)
        runFor(5);
    if (main.commands().silentAlarm())
        std::printf("loud tone to command: %lld ms\n", toneClock.elapsed());
    else
        std::printf("loud tone to command: none within 10 s\n");
    main.mnuExit_Click();
    runFor(100);
    return 0;
}
