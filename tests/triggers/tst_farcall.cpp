#include "base/StateField.h"
#include "support/MainFixture.h"
#include "triggers/Farcall.h"
#include "triggers/LocalNetwork.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTcpServer>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::Any, 0);
    return probe.serverPort();
}

// A blocking client connection: the descriptor, or -1 with errno set.
int connectTo(const QString& host, quint16 port) {
    sockaddr_storage address{};
    socklen_t length = 0;
    auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
    const QByteArray text = host.toLatin1();
    if (::inet_pton(AF_INET, text.constData(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(port);
        length = sizeof(sockaddr_in);
    } else if (::inet_pton(AF_INET6, text.constData(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(port);
        length = sizeof(sockaddr_in6);
    } else {
        errno = EINVAL;
        return -1;
    }
    const int fd = ::socket(address.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    // A program that stopped taking connections fails the test instead of hanging it.
    const timeval limit{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

// Runs the event loop as the program does, waiting for its sockets rather than sleeping in
// between, until `done` holds; false after `limitMs`.
bool runUntil(const std::function<bool()>& done, int limitMs) {
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] { loop.exit(1); });
    check.start(5);
    limit.start(limitMs);
    return done() || loop.exec() == 0;
}

int openDescriptors() {
    return int(QDir(u"/proc/self/fd"_s).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

// A main window whose network trigger listens on a free port, "Shutdown Computer" selected.
struct Network {
    Fixture f;
    Main& main = f.loadWithPicker();
    WirelessPage& page = *main.wireless;
    Farcall& farcall = *page.farcall;
    quint16 port = freePort();
    QSignalSpy taken{&f.listener, &ConnectionListener::connectionClosed};

    Network() {
        main.page->CmbOption->setCurrentText(u"Shutdown Computer"_s);
        main.page->chkForce->setChecked(false);
        page.FarcallPort->setValue(port);
        page.Check6->setChecked(true);
    }
    QStringList requests() const { return f.power.calls.filter(u"request"_s); }
    // Connects and closes `count` times; true once the program has taken them all.
    bool connections(int count, const QString& host = u"127.0.0.1"_s) {
        const qsizetype before = taken.size();
        for (int i = 0; i < count; ++i) {
            const int fd = connectTo(host, port);
            if (fd < 0)
                return false;
            ::close(fd);
        }
        return runUntil([&] { return taken.size() >= before + count; }, 5000);
    }
    void poll() { f.time.advance(Farcall::kPollMs); }
};

} // namespace

class FarcallTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listensOnlyOnceLoadedAndEnabled() {
        Fixture f;
        f.settings.write(u"Nocturnia"_s, u"Settings"_s, u"FarcallMobile"_s, u"1"_s);
        const quint16 port = freePort();
        f.settings.write(u"Nocturnia"_s, u"Settings"_s, u"FarcallPort"_s, QString::number(port));
        Main& main = f.loadWithPicker();
        QCOMPARE(f.listener.listens, QList<quint16>{port}); // once, at the end of the load
        QCOMPARE(main.loadReport().mid(main.loadReport().size() - 2),
                 (QStringList{u"sockets"_s, u"listening"_s}));
        QVERIFY(f.listener.isListening());
        QCOMPARE(main.wireless->FarcallStatus->text(), u"Listening on port %1."_s.arg(port));
        QVERIFY(main.wireless->farcall->blnSenderFree[10]);
        // The cleanup closes it.
        main.mnuExit_Click();
        QVERIFY(!f.listener.isListening());
        QCOMPARE(connectTo(u"127.0.0.1"_s, port), -1);
    }

    void uncheckedMeansNoSocket() {
        Fixture f;
        Main& main = f.loadWithPicker(); // the box as designed: unchecked
        QVERIFY(!f.listener.isListening());
        QCOMPARE(main.wireless->FarcallStatus->text(), u"Disabled."_s);
        Network n;
        QVERIFY(n.f.listener.isListening());
        n.page.Check6->setChecked(false);
        QCOMPARE(connectTo(u"127.0.0.1"_s, n.port), -1);
        QCOMPARE(errno, ECONNREFUSED);
        QCOMPARE(n.page.FarcallStatus->text(), u"Disabled."_s);
        n.page.Check6->setCheckState(Qt::PartiallyChecked); // grey counts as unchecked
        QVERIFY(!n.f.listener.isListening());
    }

    void connectionsWithinOnePollGiveOnePerformance_data() {
        QTest::addColumn<QString>("host");
        QTest::newRow("IPv4") << u"127.0.0.1"_s;
        QTest::newRow("IPv6") << u"::1"_s;
    }
    void connectionsWithinOnePollGiveOnePerformance() {
        QFETCH(QString, host);
        Network n;
        QVERIFY(n.connections(3, host));
        QCOMPARE(n.farcall.Text6->text(), u"1"_s);
        QVERIFY(n.requests().isEmpty()); // at the poll, not before
        QVERIFY(n.farcall.Timer8->isActive());
        QCOMPARE(n.farcall.Timer8->interval(), 0); // this tenth of a second has not polled
        n.poll();
        QCOMPARE(n.requests(), QStringList{u"request power off normal"_s});
        QCOMPARE(n.farcall.Text6->text(), u"0"_s);
        QVERIFY(!n.farcall.Timer8->isActive()); // nothing wakes while nothing comes
        n.f.time.advance(10000);
        QCOMPARE(n.requests().size(), 1);
        QVERIFY(n.connections(1, host));
        n.poll();
        QCOMPARE(n.requests().size(), 2);
    }

    void aPeriodThatHasPolledWaitsForTheNext() {
        Network n;
        n.f.time.advance(30); // 30 ms into a tenth of a second
        QVERIFY(n.connections(1));
        n.f.time.advance(0); // performed at once, in this period's poll
        QCOMPARE(n.requests().size(), 1);
        QVERIFY(n.connections(2));
        QCOMPARE(n.farcall.Timer8->interval(), 70);
        n.f.time.advance(69);
        QCOMPARE(n.requests().size(), 1);
        n.f.time.advance(1); // the next boundary: both marks give one performance
        QCOMPARE(n.requests().size(), 2);
        QCOMPARE(n.farcall.Text6->text(), u"0"_s);
    }

    void promptSelectedClearsTheMarkOnly() {
        Network n;
        n.main.page->CmbOption->setCurrentIndex(0);
        QVERIFY(n.connections(1));
        n.poll();
        QCOMPARE(n.farcall.Text6->text(), u"0"_s);
        QVERIFY(n.f.power.calls.filter(u"request"_s).isEmpty());
        QVERIFY(n.f.opener.opened.isEmpty());
        QVERIFY(n.f.player.calls.isEmpty());
    }

    void runFileLaunchesAndTogglesTheSchedule() {
        Network n;
        n.main.page->CmbOption->setCurrentText(u"Run A Specified File"_s);
        n.main.page->Text2->setText(u"/srv/tools/wake.sh"_s);
        QVERIFY(n.connections(1));
        n.poll();
        QCOMPARE(n.f.opener.opened.size(), 1);
        QVERIFY(n.main.page->isArmed());
        QVERIFY(n.connections(1));
        n.poll();
        QCOMPARE(n.f.opener.opened,
                 (QStringList{u"/srv/tools/wake.sh"_s, u"/srv/tools/wake.sh"_s}));
        QVERIFY(!n.main.page->isArmed());
    }

    void scheduleArmedWithAnotherMethodStaysArmed() {
        Network n;
        n.main.page->DT->setTime(QTime(23, 0));
        n.main.page->CmdActive->click();
        QVERIFY(n.main.page->isArmed());
        QVERIFY(n.connections(1));
        n.poll();
        QCOMPARE(n.requests(), QStringList{u"request power off normal"_s});
        QVERIFY(n.main.page->isArmed()); // no closing steps of a scheduled firing
    }

    void dataSentByTheClientIsDiscarded() {
        Network n;
        const int fd = connectTo(u"127.0.0.1"_s, n.port);
        QVERIFY(fd >= 0);
        const char request[] = "GET / HTTP/1.0\r\n\r\n";
        QVERIFY(::send(fd, request, sizeof request - 1, MSG_NOSIGNAL) > 0);
        QVERIFY(QTest::qWaitFor([&] { return n.taken.size() == 1; }, 5000));
        char answer[64];
        const ssize_t got = ::recv(fd, answer, sizeof answer, 0);
        ::close(fd);
        QVERIFY2(got <= 0, "the program sent something back"); // closed, or reset
        n.poll();
        QCOMPARE(n.requests().size(), 1);
    }

    void statusTellsWhyItCannotListen() {
        Network n;
        QTcpServer other;
        const quint16 taken = freePort();
        QVERIFY(other.listen(QHostAddress::Any, taken));
        n.page.FarcallPort->setValue(taken);
        QCOMPARE(n.page.FarcallStatus->text(),
                 u"Port %1 is in use by another program. Choose another port."_s.arg(taken));
        QVERIFY(!n.f.listener.isListening());
        // A port below 1024 for an ordinary user (root may open any, so the answer is given).
        n.f.listener.failNext =
            ConnectionListener::Result{ConnectionListener::Failure::NeedsPrivilege, QString()};
        n.page.FarcallPort->setValue(80);
        QCOMPARE(n.page.FarcallStatus->text(),
                 u"Port 80 needs administrator rights. Choose a port above 1023."_s);
        n.f.listener.failNext.reset();
        n.page.FarcallPort->setValue(n.port);
        QCOMPARE(n.page.FarcallStatus->text(), u"Listening on port %1."_s.arg(n.port));
        QVERIFY(n.connections(1));
    }

    void typedPortIsTakenWhenComplete() {
        Network n;
        n.page.FarcallPort->setValue(80);
        const quint16 port = freePort();
        n.f.listener.listens.clear();
        n.page.FarcallPort->selectAll();
        QTest::keyClicks(n.page.FarcallPort, QString::number(port));
        QVERIFY(n.f.listener.listens.isEmpty()); // no port of the first digits
        QTest::keyClick(n.page.FarcallPort, Qt::Key_Return);
        QCOMPARE(n.f.listener.listens, QList<quint16>{port});
        QCOMPARE(n.page.FarcallStatus->text(), u"Listening on port %1."_s.arg(port));
    }

    void peersOutsideTheLocalNetworkAreIgnored() {
        Network n;
        const QHostAddress outside(u"203.0.113.7"_s);
        QTest::ignoreMessage(QtWarningMsg,
                             "connection from 203.0.113.7 ignored: not on the local network");
        n.f.listener.pretendConnection(outside);
        n.f.listener.pretendConnection(outside); // logged once
        n.f.listener.pretendConnection(QHostAddress(u"::ffff:8.8.8.8"_s));
        QCOMPARE(n.farcall.Text6->text(), u"0"_s);
        QVERIFY(!n.farcall.Timer8->isActive());
        n.poll();
        QVERIFY(n.requests().isEmpty());
        n.f.listener.pretendConnection(QHostAddress(u"::ffff:192.168.1.20"_s));
        n.poll();
        QCOMPARE(n.requests().size(), 1);
        // Unchecked, every peer counts.
        n.page.FarcallLocalOnly->setChecked(false);
        n.f.listener.pretendConnection(outside);
        n.poll();
        QCOMPARE(n.requests().size(), 2);
    }

    void localNetworkPeers_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("local");
        const struct {
            const char* address;
            bool local;
        } rows[] = {
            {"127.0.0.1", true},
            {"127.255.0.9", true},
            {"10.1.2.3", true},
            {"172.16.0.1", true},
            {"172.31.255.255", true},
            {"172.32.0.1", false},
            {"172.15.255.255", false},
            {"192.168.0.1", true},
            {"192.169.0.1", false},
            {"169.254.10.1", true},
            {"8.8.8.8", false},
            {"100.64.0.1", false},
            {"0.0.0.0", false},
            {"::1", true},
            {"fc00::1", true},
            {"fdab:1::2", true},
            {"fe80::1%1", true},
            {"fe80::abcd", true},
            {"2001:db8::1", false},
            {"::", false},
            {"::ffff:127.0.0.1", true},
            {"::ffff:10.0.0.5", true},
            {"::ffff:203.0.113.1", false},
        };
        for (const auto& row : rows)
            QTest::newRow(row.address) << QString::fromLatin1(row.address) << row.local;
    }
    void localNetworkPeers() {
        QFETCH(QString, address);
        QFETCH(bool, local);
        const QHostAddress peer(address);
        QVERIFY(!peer.isNull());
        QCOMPARE(isLocalNetworkPeer(peer), local);
    }

    void settingsSurviveARestart() {
        Network n;
        n.page.FarcallLocalOnly->setChecked(false);
        QVERIFY(n.page.Label29_Click());
        QCOMPARE(n.f.dialogs.messages.size(), 1);
        QCOMPARE(n.f.dialogs.messages.at(0).text, u"Your settings have been successfully saved!"_s);
        const auto stored = [&](const QString& key) {
            return n.f.settings.read(u"Nocturnia"_s, u"Settings"_s, key, QString());
        };
        QCOMPARE(stored(u"FarcallMobile"_s), u"1"_s);
        QCOMPARE(stored(u"FarcallPort"_s), QString::number(n.port));
        QCOMPARE(stored(u"FarcallLocalOnly"_s), u"0"_s);
        QCOMPARE(stored(u"Startup"_s), u"False"_s);

        Fixture again;
        for (const QString& key : {u"FarcallMobile"_s, u"FarcallPort"_s, u"FarcallLocalOnly"_s})
            again.settings.write(u"Nocturnia"_s, u"Settings"_s, key, stored(key));
        n.page.Check6->setChecked(false); // frees the port
        Main& main = again.loadWithPicker();
        QVERIFY(main.wireless->Check6->isChecked());
        QCOMPARE(main.wireless->FarcallPort->value(), int(n.port));
        QVERIFY(!main.wireless->FarcallLocalOnly->isChecked());
        QVERIFY(again.listener.isListening());
    }

    void unreadablePortKeepsTheDesign_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("word") << u"http"_s;
        QTest::newRow("too large") << u"65536"_s;
        QTest::newRow("zero") << u"0"_s;
    }
    void unreadablePortKeepsTheDesign() {
        QFETCH(QString, text);
        Fixture f;
        f.settings.write(u"Nocturnia"_s, u"Settings"_s, u"FarcallPort"_s, text);
        Main& main = f.loadWithPicker();
        QCOMPARE(main.wireless->FarcallPort->value(), 80);
        QVERIFY(main.wireless->FarcallLocalOnly->isChecked());
    }

    void floodLeavesOnePerformanceAndNoDescriptors() {
        Network n;
        const int descriptors = openDescriptors();
        constexpr int total = 10000;
        std::atomic<int> made{0};
        std::atomic<int> failed{0};
        const quint16 port = n.port;
        std::thread client([&] {
            for (int i = 0; i < total; ++i) {
                const int fd = connectTo(u"127.0.0.1"_s, port);
                if (fd < 0) {
                    ++failed;
                    continue;
                }
                ::close(fd);
                ++made;
            }
        });
        // The program goes on handling its events while the flood lasts.
        int turns = 0;
        const bool done = runUntil(
            [&] {
                ++turns;
                return made + failed == total && n.taken.size() >= made;
            },
            60000);
        client.join();
        QVERIFY(done);
        QCOMPARE(failed.load(), 0);
        QCOMPARE(int(n.taken.size()), total);
        QVERIFY(turns > 1);
        QCOMPARE(openDescriptors(), descriptors);
        n.poll();
        QCOMPARE(n.requests().size(), 1);
    }
};

QTEST_MAIN(FarcallTest)
#include "tst_farcall.moc"
