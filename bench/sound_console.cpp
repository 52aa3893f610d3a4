// The sound console sampling a private sound server's default source: CPU share and
// wake-ups a second of the whole process, the longest stall of the window's thread (the worst
// lateness of a 1 ms probe timer, in a second run so the probe does not count in the first),
// and the delay from a loud tone's start to the command. Prints figures; judges nothing.
// Usage: sound_console [seconds per run, default 30] [--no-console: the same without the
// console, for the main window's own share | --sink-pace MS: the test server's sink runs every
// MS milliseconds, default 20, and its monitor hands over a piece of sound as often]

#include "RealServices.h"
#include "commands/CommandCatalogue.h"
#include "commands/CommandOperations.h"
#include "schedule/AutomaticCommandsPage.h"
#include "shell/Main.h"
#include "sound/Form1.h"
#include "support/PrivatePulse.h"
#include "support/ProcessFigures.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <cmath>
#include <cstdio>

namespace {

// Context switches of every thread of the process: each is a wake-up.
qint64 wakeUps() {
    qint64 total = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(tasks.filePath(task) + QStringLiteral("/status"));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:") ||
                line.startsWith("nonvoluntary_ctxt_switches:"))
                total += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
    }
    return total;
}

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

    const bool withConsole = !(argc > 2 && qstrcmp(argv[2], "--no-console") == 0);
    const int sinkPaceMs =
        argc > 3 && qstrcmp(argv[2], "--sink-pace") == 0 ? std::atoi(argv[3]) : 20;

    PrivatePulse pulse;
    pulse.setSinkPace(std::max(1, sinkPaceMs));
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
    const qint64 wakeBefore = wakeUps();
    const auto threadsBefore = threadSeconds();
    runFor(seconds * 1000);
    const double cpu = cpuSeconds() - cpuBefore;
    const qint64 wakes = wakeUps() - wakeBefore;
    const auto threadsAfter = threadSeconds();
    std::printf("%s %d s, sink every %d ms:", withConsole ? "sampling" : "without the console",
                seconds, sinkPaceMs);
    std::printf(" CPU %.3f %% of a core, %.1f wake-ups a second\n", 100.0 * cpu / seconds,
                double(wakes) / seconds);
    for (auto thread = threadsAfter.cbegin(); thread != threadsAfter.cend(); ++thread) {
        const double share = 100.0 * (thread.value() - threadsBefore.value(thread.key())) / seconds;
        if (share >= 0.005)
            std::printf("  thread %-16s %.3f %%\n", qPrintable(thread.key()), share);
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
    probe.start();
    runFor(seconds * 1000);
    probe.stop();
    std::printf("longest stall of the window's thread: %.2f ms\n", double(worst) / 1e6);

    if (!withConsole) {
        main.mnuExit_Click();
        return 0;
    }
    // A loud tone; the command follows on the tick after the first loud block.
    QProcess player;
    player.setProcessEnvironment(pulse.clientEnvironment());
    player.start(QStringLiteral("pacat"),
                 {QStringLiteral("-d"), QStringLiteral("spk"), QStringLiteral("--raw"),
                  QStringLiteral("--rate=8000"), QStringLiteral("--channels=1"),
                  QStringLiteral("--format=s16le"), QStringLiteral("--latency-msec=20")});
    player.waitForStarted();
    QByteArray tone(8000 * 2 * 5, Qt::Uninitialized);
    const double pi = std::acos(-1.0);
    for (int i = 0; i < 8000 * 5; ++i) {
        const auto sample =
            qint16(std::lround(0.75 * 32767.0 * std::sin(2.0 * pi * 997.0 * i / 8000)));
        tone[2 * i] = char(sample & 0xff);
        tone[2 * i + 1] = char((sample >> 8) & 0xff);
    }
    QElapsedTimer toneClock;
    toneClock.start();
    player.write(tone);
    player.closeWriteChannel();
    while (!main.commands().silentAlarm() && toneClock.elapsed() < 10000)
        runFor(5);
    if (main.commands().silentAlarm())
        std::printf("loud tone to command: %lld ms\n", toneClock.elapsed());
    else
        std::printf("loud tone to command: none within 10 s\n");
    player.kill();
    player.waitForFinished();
    main.mnuExit_Click();
    runFor(100);
    return 0;
}
