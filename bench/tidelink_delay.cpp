// Enables the folder trigger on an empty folder and drops "Shutdown.txt" into it twenty
// times, printing how long after each file was created the power request left, against a
// mocked login manager on a private bus. Prints figures; judges nothing.

#include "base/FolderChooser.h"
#include "shell/Main.h"
#include "support/DelaySpread.h"
#include "support/MockedLogindMain.h"
#include "triggers/WirelessPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

// Twenty drops of the trigger file, each when the last was taken.
int timeDrops(QApplication& app, MockedLogindMain& rig, Main& main) {
    QTemporaryDir incoming;
    QElapsedTimer sinceDrop;
    rig.timeRequestsSince(sinceDrop);
    main.wireless->BrowseFolder1->setPath(incoming.path());
    main.wireless->Check1->setChecked(true);

    const int drops = 20;
    const QString trigger = incoming.filePath(QStringLiteral("Shutdown.txt"));
    int dropped = 0;
    QTimer next;
    QObject::connect(&next, &QTimer::timeout, &app, [&] {
        if (rig.delaysMs.size() < dropped && QFile::exists(trigger))
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

    if (!rig.delaysMs.isEmpty())
        std::printf("drops                        %8d, requests %lld\n", dropped,
                    static_cast<long long>(rig.delaysMs.size()));
    return printDelaySpread(rig.delaysMs, "delay after the file appeared", 2, "request") ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    return runAgainstMockedLogind(argc, argv, timeDrops);
}
