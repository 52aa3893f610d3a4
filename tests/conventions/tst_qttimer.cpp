#include "conventions/Timer.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <vector>

// The real timers, on the event loop: the only tests here that wait, for a few milliseconds.
class TestQtTimer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void enabledKeepsARunningCount() {
        conv::QtTimerSource source;
        auto timer = source.createTimer();
        timer->setInterval(5);
        QSignalSpy ticks(timer.get(), &conv::Timer::timeout);
        timer->setEnabled(true);
        QVERIFY(timer->isActive());
        QVERIFY(ticks.wait(1000));
        timer->setEnabled(false);
        QVERIFY(!timer->isActive());
    }

    void singleShotEndsInactive() {
        conv::QtTimerSource source;
        auto timer = source.createTimer();
        timer->setInterval(1);
        timer->setSingleShot(true);
        QSignalSpy ticks(timer.get(), &conv::Timer::timeout);
        timer->start();
        QVERIFY(ticks.wait(1000));
        QVERIFY(!timer->isActive());
    }

    void aTimerNobodyListensToKeepsItsStateAndTicksOnceListenedTo() {
        conv::QtTimerSource source;
        auto timer = source.createTimer();
        // Not 1 ms: on a loaded machine under the sanitizers a timer due every millisecond
        // kept the event loop from ever reaching the wait's end (seen twice).
        timer->setInterval(5);
        timer->start();
        QVERIFY(timer->isActive());
        QSignalSpy ticks(timer.get(), &conv::Timer::timeout); // the first listener starts it
        QVERIFY(ticks.wait(1000));
    }

    // Listeners that go away never lock up the program. Qt shares one lock among the objects
    // whose addresses fall alike; a thousand listeners make such a pair all but certain.
    void listenersLeavingNeverLockUp() {
        conv::QtTimerSource source;
        auto timer = source.createTimer();
        timer->setInterval(5);
        timer->start();
        std::vector<std::unique_ptr<QObject>> listeners;
        for (int i = 0; i < 1000; ++i) {
            listeners.push_back(std::make_unique<QObject>());
            connect(timer.get(), &conv::Timer::timeout, listeners.back().get(), [] {});
        }
        listeners.clear();
        QVERIFY(timer->isActive());
        QSignalSpy ticks(timer.get(), &conv::Timer::timeout);
        QVERIFY(ticks.wait(1000));
    }
};

QTEST_GUILESS_MAIN(TestQtTimer)
#include "tst_qttimer.moc"
