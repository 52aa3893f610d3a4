// The network trigger against a mocked login manager on a private bus: twenty connections,
// each from connect() to the power request it causes; then a flood of connections from a
// client thread, with the connections handled a second and the peak resident memory. Prints
// figures; judges nothing.

#include "shell/Main.h"
#include "support/DelaySpread.h"
#include "support/MockedLogindMain.h"
#include "support/ProcessFigures.h"
#include "triggers/WirelessPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSpinBox>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

bool connectOnce(quint16 port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

// Twenty connections one at a time, then the flood.
int timeConnections(QApplication& app, MockedLogindMain& rig, Main& main) {
    QElapsedTimer sinceConnect;
    rig.timeRequestsSince(sinceConnect);
    quint16 port = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::Any, 0);
        port = probe.serverPort();
    }
    main.wireless->FarcallPort->setValue(port);
    main.wireless->Check6->setChecked(true);

    // Quitting the application would close the main window, and its cleanup the listener:
    // each phase runs a loop of its own.
    QEventLoop phase;
    // Twenty single connections, one at a time, well apart.
    const int connections = 20;
    int made = 0;
    QTimer next;
    QObject::connect(&next, &QTimer::timeout, &app, [&] {
        if (rig.delaysMs.size() < made)
            return;
        if (made == connections) {
            next.stop();
            phase.quit();
            return;
        }
        sinceConnect.start();
        connectOnce(port);
        ++made;
    });
    next.start(317); // not a multiple of the poll period: the connections fall anywhere in it
    QTimer::singleShot(connections * 2000, &phase, &QEventLoop::quit);
    phase.exec();

    if (!rig.delaysMs.isEmpty())
        std::printf("connections                  %8d, requests %lld\n", made,
                    static_cast<long long>(rig.delaysMs.size()));
    if (!printDelaySpread(rig.delaysMs, "connect to request", 2, "request"))
        return 1;

    // The flood.
    constexpr int flood = 10000;
    std::atomic<int> done{0};
    std::atomic<int> failed{0};
    int taken = 0;
    QObject::connect(&rig.listener, &ConnectionListener::connectionClosed, &app, [&] { ++taken; });
    const qsizetype requestsBefore = rig.delaysMs.size();
    QElapsedTimer floodTime;
    floodTime.start();
    std::atomic<int> firstError{0};
    std::thread client([&] {
        for (int i = 0; i < flood; ++i) {
            if (!connectOnce(port)) {
                int none = 0;
                firstError.compare_exchange_strong(none, errno);
                ++failed;
            }
            ++done;
        }
    });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&] {
        if (done == flood && taken >= flood - failed)
            phase.quit();
    });
    watch.start(1);
    QTimer::singleShot(120000, &phase, &QEventLoop::quit);
    phase.exec();
    const double seconds = double(floodTime.nsecsElapsed()) / 1e9;
    client.join();
    QTimer::singleShot(300, &phase, &QEventLoop::quit); // the last poll
    phase.exec();
    std::printf("flood                        %8d connections, %d failed, in %.2f s\n", taken,
                failed.load(), seconds);
    if (failed > 0)
        std::printf("first failure                %s\n", std::strerror(firstError));
    std::printf("connections handled          %8.0f per second\n", taken / seconds);
    std::printf("performances during flood    %8lld\n",
                static_cast<long long>(rig.delaysMs.size() - requestsBefore));
    std::printf("peak resident memory         %8.1f MiB\n", double(peakRssKiB()) / 1024.0);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    return runAgainstMockedLogind(argc, argv, timeConnections);
}
