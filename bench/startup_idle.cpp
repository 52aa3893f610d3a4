// Starts Nocturnia as the program does and prints, without judging them: milliseconds from
// process start to the splash being shown and to the main window being shown, then the CPU
// share of one core and the resident memory over an idle spell.
//
// Usage: startup_idle LAUNCH_NS IDLE_SECONDS [armed|tidelink|floor], where LAUNCH_NS is the
// wall clock in nanoseconds taken just before the process was started (date +%s%N). With
// "armed" a "Display A Notification" schedule is armed an hour ahead before the idle spell, and
// the main window is minimised (hidden) as a user would leave it. With "tidelink" the folder
// trigger is enabled on an empty folder. With "floor" no window is made: an application whose
// only work is an empty timer once a second, what any program that wakes each second costs
// on this machine.

#include "RealServices.h"
#include "base/FolderChooser.h"
#include "schedule/AutomaticCommandsPage.h"
#include "shell/Main.h"
#include "support/ProcessFigures.h"
#include "triggers/WirelessPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>

namespace {

double msSince(long long launchNs) {
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    return double(now - launchNs) / 1e6;
}

// Voluntary context switches: each is the process going to sleep, so one per wake-up.
long contextSwitches() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nvcsw;
}

long rssKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Notes the first time the window of the given name is shown.
class ShowWatch final : public QObject {
public:
    ShowWatch(long long launchNs, const char* window, const char* what)
        : m_launchNs(launchNs)
        , m_window(QString::fromLatin1(window))
        , m_what(what) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !m_seen && watched->objectName() == m_window) {
            m_seen = true;
            std::printf("%-28s %8.1f ms\n", m_what, msSince(m_launchNs));
            std::fflush(stdout);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    long long m_launchNs;
    QString m_window;
    const char* m_what;
    bool m_seen = false;
};

void printIdle(double cpuAtStart, long switchesAtStart, int idleSeconds, const char* what) {
    const double share = (cpuSeconds() - cpuAtStart) / idleSeconds * 100.0;
    std::printf("%-28s %8.2f %% of one core over %d s\n", "idle CPU", share, idleSeconds);
    std::printf("%-28s %8.1f MiB\n", "resident memory", double(rssKiB()) / 1024.0);
    std::printf("%-28s %8.2f per second%s\n", "wake-ups",
                double(contextSwitches() - switchesAtStart) / idleSeconds, what);
}

int idleFloor(QApplication& app, int idleSeconds) {
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &app, [] {});
    tick.start(1000);
    const double cpuAtStart = cpuSeconds();
    const long switchesAtStart = contextSwitches();
    QTimer::singleShot(idleSeconds * 1000, &app, [&] {
        printIdle(cpuAtStart, switchesAtStart, idleSeconds,
                  " (an empty timer in a program with no window: the floor)");
        QCoreApplication::quit();
    });
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: startup_idle LAUNCH_NS IDLE_SECONDS [armed|tidelink|floor]\n");
        return 2;
    }
    const long long launchNs = std::atoll(argv[1]);
    const int idleSeconds = std::atoi(argv[2]);
    const bool armed = argc == 4 && std::strcmp(argv[3], "armed") == 0;
    const bool tidelink = argc == 4 && std::strcmp(argv[3], "tidelink") == 0;
    const bool floor = argc == 4 && std::strcmp(argv[3], "floor") == 0;
    QTemporaryDir incoming;

    QApplication app(argc, argv);
    if (floor)
        return idleFloor(app, idleSeconds);
    configureApplication();
    ShowWatch splashShown(launchNs, "Splash", "splash shown after");
    ShowWatch mainShown(launchNs, "Main", "main window shown after");
    app.installEventFilter(&splashShown);
    app.installEventFilter(&mainShown);
    RealServices services;
    Main main(services.mainServices());
    QObject::connect(&main, &Main::unloaded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    main.Form_Load();

    double cpuAtIdle = 0;
    QTimer idleStart;
    idleStart.setSingleShot(true);
    long switchesAtIdle = 0;
    QObject::connect(&idleStart, &QTimer::timeout, &app, [&] {
        if (armed) {
            main.page->CmbOption->setCurrentText(QStringLiteral("Display A Notification"));
            main.page->DT->setTime(QTime::currentTime().addSecs(3600));
            main.page->CmdActive->click();
            main.hide();
        }
        if (tidelink) {
            main.wireless->BrowseFolder1->setPath(incoming.path());
            main.wireless->Check1->setChecked(true);
        }
        cpuAtIdle = cpuSeconds();
        switchesAtIdle = contextSwitches();
    });
    QTimer idleEnd;
    idleEnd.setSingleShot(true);
    QObject::connect(&idleEnd, &QTimer::timeout, &app, [&] {
        printIdle(cpuAtIdle, switchesAtIdle, idleSeconds,
                  armed      ? " (armed an hour ahead)"
                  : tidelink ? " (folder trigger on an empty folder)"
                             : "");
        main.close();
    });
    // Idle starts once the main window is up (the splash lasts 4000 ms).
    idleStart.start(4500);
    idleEnd.start(4500 + idleSeconds * 1000);
    return QApplication::exec();
}
