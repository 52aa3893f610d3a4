// Arms a "Shutdown Computer" schedule for a moment two seconds ahead, twenty times, and
// prints how long after the start of the scheduled second the power request left, against
// a mocked login manager on a private bus. Prints figures; judges nothing.

#include "schedule/AutomaticCommandsPage.h"
#include "shell/Main.h"
#include "support/DelaySpread.h"
#include "support/MockedLogindMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTimer>
#include <cstdio>

namespace {

// Twenty scheduled firings, each armed when the last has gone.
int timeFirings(QApplication& app, MockedLogindMain& rig, Main& main) {
    QTime scheduled;
    rig.timeRequests([&] { return double(scheduled.msecsTo(QTime::currentTime())); });

    const int firings = 20;
    const auto armNext = [&] {
        const QTime now = QTime::currentTime();
        scheduled = QTime(now.hour(), now.minute(), now.second()).addSecs(2);
        main.page->DT->setTime(scheduled);
        main.page->CmdActive->click();
    };
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&] {
        if (main.page->isArmed())
            return;
        if (rig.delaysMs.size() >= firings) {
            app.quit();
            return;
        }
        armNext();
    });
    watch.start(50);
    QTimer::singleShot(firings * 4000, &app, &QCoreApplication::quit); // a bound, whatever happens
    QApplication::exec();

    if (!rig.delaysMs.isEmpty())
        std::printf("firings                      %8lld\n",
                    static_cast<long long>(rig.delaysMs.size()));
    return printDelaySpread(rig.delaysMs, "delay after the second began", 0, "firing") ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    return runAgainstMockedLogind(argc, argv, timeFirings);
}
