// Cost of the speed sampling against the machine's real interface table: one read of the
// table and one whole tick (read, figures, labels, list check), each the median of 1000 runs
// in microseconds. Prints figures; judges nothing.
#include "base/SpeedFigures.h"
#include "conventions/Timer.h"
#include "netmon/SpeedSampling.h"
#include "platform/IniSettingsStore.h"
#include "platform/NetlinkInterfaceCounters.h"
#include "support/MedianTime.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    NetlinkInterfaceCounters reader;
    const auto rows = reader.read();
    if (!rows) {
        std::printf("the interface table cannot be read\n");
        return 1;
    }
    const double read = medianMicroseconds([&] { (void)reader.read(); });

    QTemporaryDir dir;
    IniSettingsStore settings(dir.filePath(QStringLiteral("settings.ini")));
    conv::QtTimerSource timers;
    QWidget window;
    QLabel download(&window), upload(&window);
    SpeedFigures speed;
    SpeedSampling sampling(
        SpeedSampling::Links{window, download, upload, speed, settings, reader, timers});
    sampling.fillConnectionList();
    const double tick = medianMicroseconds([&] { sampling.Timer1_Timer(); });

    std::printf("interfaces: %d\n", int(rows->size()));
    std::printf("table read: %.1f us (median of 1000)\n", read);
    std::printf("speed tick: %.1f us (median of 1000)\n", tick);
    return 0;
}
