#include "base/SpeedFigures.h"
#include "conventions/Timer.h"
#include "netmon/SpeedSampling.h"
#include "support/MainFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

using Rows = ScriptedInterfaceCounters;

// A loaded main window whose clock stands half-way through 22:15:30; the speed ticks come
// just after each second boundary.
struct Sampling : Fixture {
    Main& main;
    explicit Sampling(QList<InterfaceRow> table, const QString& connection = QString())
        : main((interfaces.rows = std::move(table),
                connection.isNull()
                    ? SettingsStore::WriteResult()
                    : settings.write(u"Nocturnia"_s, u"Setting"_s, u"Connection"_s, connection),
                time.setNow(QDateTime(QDate(2026, 12, 9), QTime(22, 15, 30, 500))), load())) {}

    QComboBox& list() const { return *main.network->cboConnectionType; }
    QStringList figures() const {
        return {main.page->lblDSpeed->text(), main.speed.Label37.text(),
                main.page->lblUSpeed->text(), main.speed.Label42.text()};
    }
    // Moves the counters of eth0 on by this much, then lets one second pass.
    void second(quint64 received, quint64 sent) {
        InterfaceRow* eth0 = interfaces.find(u"eth0"_s);
        eth0->inOctets += received;
        eth0->outOctets += sent;
        time.advance(1000);
    }
    int requests() const { return int(power.calls.filter(u"request"_s).size()); }
    // "Shutdown Computer" on the speed schedule, with these thresholds in KBs; not armed yet.
    void chooseSpeedSchedule(const QString& download, const QString& upload) {
        main.page->CmbOption->setCurrentText(u"Shutdown Computer"_s);
        QTest::mouseClick(main.page->Option5, Qt::LeftButton);
        main.page->Combo1->setCurrentText(download);
        main.page->Combo2->setCurrentText(upload);
    }
    // Arms the schedule; what the power service was asked until then is forgotten.
    void arm() {
        QTest::mouseClick(main.page->CmdActive, Qt::LeftButton);
        power.calls.clear();
    }
};

QStringList shown(const char* download, const char* upload) {
    return {QString::fromLatin1(download) + u" KBs "_s, QString::fromLatin1(download),
            QString::fromLatin1(upload) + u" KBs "_s, QString::fromLatin1(upload)};
}

QList<InterfaceRow> machine(int count) {
    QList<InterfaceRow> rows{Rows::ethernet(u"eth0"_s, 2, 1048576, 512000)};
    for (int i = 1; i < count; ++i)
        rows << Rows::ethernet(u"eth%1"_s.arg(i), quint32(2 + i));
    return rows;
}

} // namespace

class TestSpeedSampling : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadFillsTheListFromTheTable() {
        Sampling f({Rows::ethernet(u"eth0"_s, 2), Rows::ethernet(u"wlan0"_s, 3)});
        QVERIFY(f.main.loadReport().contains(u"connection list"_s));
        QCOMPARE(f.list().count(), 2);
        QCOMPARE(f.list().itemText(0), u"virtio_net (eth0) "_s);
        QCOMPARE(f.list().itemText(1), u"virtio_net (wlan0) "_s);
        QCOMPARE(f.list().currentIndex(), 0); // no setting stored
        QVERIFY(!f.list().isVisible());
    }

    void ticksShowTheTotalsFirstThenEachSecondsDifference() {
        Sampling f(machine(1));
        QVERIFY(f.main.network->Timer1->isActive());
        // Before the first tick: the design captions.
        QCOMPARE(f.figures(), (QStringList{u"Label6"_s, u"Label37"_s, u"Label7"_s, u"Label42"_s}));
        f.time.advance(500); // 22:15:31.000: the tick comes just after the boundary
        QCOMPARE(f.main.speed.Label37.text(), u"Label37"_s);
        f.time.advance(1);
        // The previous totals start at 0: everything counted so far.
        QCOMPARE(f.figures(), shown("1024.00", "500.00"));
        const int reads = f.interfaces.reads;
        f.second(2560, 1000);
        QCOMPARE(f.figures(), shown("2.50", "0.98"));
        QCOMPARE(f.interfaces.reads, reads + 1); // one read serves the whole tick
        f.second(0, 0);
        QCOMPARE(f.figures(), shown("0.00", "0.00"));
        f.second(1024 * 1024, 12800); // 1 MB in one second
        QCOMPARE(f.figures(), shown("1024.00", "12.50"));
        // Halfway between two ticks nothing changes.
        f.interfaces.find(u"eth0"_s)->inOctets += 999999;
        f.time.advance(500);
        QCOMPARE(f.figures(), shown("1024.00", "12.50"));
    }

    void theSelectionDoesNotChangeTheFigures() {
        Sampling f(machine(3));
        f.time.advance(501);
        f.list().setCurrentIndex(2); // an interface with no traffic of its own
        f.second(5120, 2048);
        QCOMPARE(f.figures(), shown("5.00", "2.00"));
    }

    void aFailedReadShowsNothingMovedAndKeepsThePreviousTotals() {
        Sampling f(machine(1));
        f.time.advance(501);
        f.interfaces.failing = true;
        f.second(2560, 0);
        QCOMPARE(f.figures(), shown("0.00", "0.00"));
        f.interfaces.failing = false;
        f.second(2560, 0);
        // The two seconds' traffic, not everything since the machine started.
        QCOMPARE(f.figures(), shown("5.00", "0.00"));
    }

    void aCounterThatFallsShowsZeroNotANegativeSpeed() {
        Sampling f(machine(1));
        f.time.advance(501);
        f.interfaces.find(u"eth0"_s)->inOctets = 10; // the driver reloaded
        f.time.advance(1000);
        QCOMPARE(f.figures(), shown("0.00", "0.00"));
        f.second(2560, 0);
        QCOMPARE(f.figures(), shown("2.50", "0.00"));
    }

    void selectionFromTheSetting_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("interfaces");
        QTest::addColumn<int>("selected");
        QTest::newRow("3 of four") << u"3"_s << 4 << 3;
        QTest::newRow("3 of three") << u"3"_s << 3 << 0;
        QTest::newRow("a half, to even") << u"2.5"_s << 4 << 2;
        QTest::newRow("not a number") << u"abc"_s << 2 << 0;
        QTest::newRow("negative") << u"-1"_s << 2 << 0;
        QTest::newRow("empty list") << u"0"_s << 0 << -1;
    }
    void selectionFromTheSetting() {
        QFETCH(QString, stored);
        QFETCH(int, interfaces);
        QFETCH(int, selected);
        QList<InterfaceRow> rows;
        for (int i = 0; i < interfaces; ++i)
            rows << Rows::ethernet(u"eth%1"_s.arg(i), quint32(2 + i));
        Sampling f(rows, stored);
        QCOMPARE(f.list().count(), interfaces);
        QCOMPARE(f.list().currentIndex(), selected);
    }

    void theListFollowsTheTableWithinOneTick() {
        Sampling f(machine(3), u"3"_s);
        QCOMPARE(f.list().currentIndex(), 0); // three entries: the fourth does not exist
        f.time.advance(501);
        f.interfaces.rows << Rows::ethernet(u"usb0"_s, 9);
        f.time.advance(1000);
        QCOMPARE(f.list().count(), 4);
        QCOMPARE(f.list().itemText(3), u"virtio_net (usb0) "_s);
        QCOMPARE(f.list().currentIndex(), 3);
        // A selection made since is not kept: the setting decides again.
        f.list().setCurrentIndex(1);
        f.interfaces.rows.removeAt(1);
        f.time.advance(1000);
        QCOMPARE(f.list().count(), 3);
        QCOMPARE(f.list().itemText(1), u"virtio_net (eth2) "_s);
        QCOMPARE(f.list().currentIndex(), 0);
        // The same number of interfaces: the list is left as it is.
        f.list().setCurrentIndex(2);
        f.interfaces.rows[2].description = u"renamed"_s;
        f.time.advance(1000);
        QCOMPARE(f.list().itemText(2), u"virtio_net (usb0) "_s);
        QCOMPARE(f.list().currentIndex(), 2);
    }

    void theSpeedTickSharesTheDisplaysWakeUps() {
        Sampling f(machine(1));
        // One platform timer drives the display, the countdown and the speed tick.
        const int running = f.time.activeTimerCount();
        f.main.network->Timer1->stop();
        QCOMPARE(f.time.activeTimerCount(), running);
        f.main.network->Timer1->start();
        f.main.close();
        QVERIFY(!f.main.network->Timer1->isActive());
    }

    // The speed schedule end to end: the real sampling writes the figures the schedule reads.
    void theSpeedScheduleFiresAfterFiveQuietMinutes() {
        Sampling f(machine(1));
        f.chooseSpeedSchedule(u"100"_s, u"100"_s);
        f.arm();
        // The first tick shows the totals since the start (1024.00): above the threshold.
        f.time.advance(501);
        QCOMPARE(f.main.speed.Label37.text(), u"1024.00"_s);
        QVERIFY(!f.main.Timer4->isEnabled());
        const QDateTime quietFrom = f.time.now().addSecs(1);
        // Steady traffic below both thresholds: 12.50 down, 3.10 up.
        while (f.requests() == 0 && f.time.now() < quietFrom.addSecs(400))
            f.second(12800, 3175);
        QCOMPARE(f.main.speed.Label37.text(), u"12.50"_s);
        QCOMPARE(f.main.speed.Label42.text(), u"3.10"_s);
        QCOMPARE(f.requests(), 1);
        const qint64 quiet = quietFrom.secsTo(f.time.now());
        QVERIFY2(quiet >= 300 && quiet <= 302, qPrintable(QString::number(quiet)));
        QVERIFY(!f.main.page->isArmed());
    }

    void trafficAboveAThresholdStartsTheFiveMinutesAgain() {
        Sampling f(machine(1));
        f.chooseSpeedSchedule(u"100"_s, u"50"_s);
        f.time.advance(501); // the totals' tick, before arming
        f.arm();
        for (int s = 0; s < 120; ++s)
            f.second(1024, 1024);
        f.second(1024, 60 * 1024); // one second of upload above its threshold
        QCOMPARE(f.main.speed.Label42.text(), u"60.00"_s);
        const QDateTime quietFrom = f.time.now().addSecs(1);
        for (int s = 0; s < 240; ++s)
            f.second(1024, 1024);
        QCOMPARE(f.requests(), 0); // six minutes armed, four of them quiet
        while (f.requests() == 0 && f.time.now() < quietFrom.addSecs(400))
            f.second(1024, 1024);
        const qint64 quiet = quietFrom.secsTo(f.time.now());
        QVERIFY2(quiet >= 300 && quiet <= 302, qPrintable(QString::number(quiet)));
    }

    void theSpeedScheduleStaysQuietUnderTraffic() {
        Sampling f(machine(1));
        f.chooseSpeedSchedule(u"100"_s, u"100"_s);
        f.arm();
        f.time.advance(501);
        // Busy: a quiet spell of four minutes between bursts never lasts long enough.
        for (int s = 0; s < 15 * 60; ++s)
            f.second(s % 240 == 0 ? 200 * 1024 : 1024, 1024);
        QCOMPARE(f.requests(), 0);
        QVERIFY(f.main.page->isArmed());
    }
};

QTEST_MAIN(TestSpeedSampling)
#include "tst_speedsampling.moc"
