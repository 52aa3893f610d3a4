// Enables the folder trigger on an empty folder and drops "Shutdown.txt" into it twenty
// times, printing how long after each file was created the power request left, against a
// mocked login manager on a private bus. Prints figures; judges nothing.

#include "base/FolderChooser.h"
#include "schedule/AutomaticCommandsPage.h"
#include "shell/Main.h"
#include "support/MockedLogindMain.h"
#include "triggers/WirelessPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    MockedLogindMain rig;
    if (!rig.start())
        return 1;
    Main& main = *rig.main;
    QTemporaryDir incoming;
    QList<double> delaysMs;
    QElapsedTimer sinceDrop;
    rig.power->noted = [&] {
        delaysMs << double(sinceDrop.nsecsElapsed()) / 1e6;
    };
    main.page->chkForce->setChecked(false);
    main.wireless->BrowseFolder1->setPath(incoming.path());
    main.wireless->Check1->setChecked(true);

    const int drops = 20;
    const QString trigger = incoming.filePath(QStringLiteral("Shutdown.txt"));
    int dropped = 0;
    QTimer next;
    QObject::connect(&next, &QTimer::timeout, &app, [&] {
        if (delaysMs.size() < dropped && QFile::exists(trigger))
            return; // still waiting for the last one
        if (dropped == drops) {
            app.quit();
            return;
        }
        QFile file(trigger);
        sinceDrop.start();
        if (file.open(QIODevice::WriteOnly))
            file.write("shutdown");
        ++dropped;
    });
    next.start(250);
    QTimer::singleShot(drops * 2000, &app, &QCoreApplication::quit); // a bound, whatever happens
    QApplication::exec();

    QList<double> delays = delaysMs;
    std::sort(delays.begin(), delays.end());
    if (delays.isEmpty()) {
        std::printf("no request seen\n");
        return 1;
    }
    std::printf("drops                        %8d, requests %lld\n", dropped,
                static_cast<long long>(delays.size()));
    std::printf("delay after the file appeared %7.2f ms median, %.2f ms min, %.2f ms max\n",
                delays.at(delays.size() / 2), delays.first(), delays.last());
    return 0;
}
