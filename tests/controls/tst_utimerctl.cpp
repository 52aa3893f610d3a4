#include "controls/utimerCTL.h"
#include "support/ManualTime.h"
#include "support/RecordingErrors.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

using nocturnia::utimerCTL;

Q_DECLARE_METATYPE(conv::PropertyBag)

namespace {

constexpr qint64 Minute = 60000;

// What the main window stores for its interval timers: minutes, disabled until their owners
// enable them (Timer4 5 minutes, Snooze 10).
conv::PropertyBag disabledMinutes(qint16 minutes) {
    conv::PropertyBag bag;
    bag.write(QStringLiteral("MinuteInterval"), minutes);
    bag.write(QStringLiteral("Enabled"), false);
    return bag;
}

// A control on a manual clock; its events are logged as "Name n @ms since the start".
struct Rig {
    ManualTime time;
    RecordingErrors errors;
    utimerCTL control{time, errors};
    QDateTime start = time.now();
    QStringList log;
    QStringList changes;

    Rig() {
        QObject::connect(&control, &utimerCTL::Timer, &control, [this] { note("Timer"); });
        QObject::connect(&control, &utimerCTL::HourAlarm, &control,
                         [this](qint16 hours) { note("Hour " + QByteArray::number(hours)); });
        QObject::connect(&control, &utimerCTL::MinuteAlarm, &control,
                         [this](qint16 minutes) { note("Minute " + QByteArray::number(minutes)); });
        QObject::connect(&control, &utimerCTL::propertyChanged, &control,
                         [this](const QString& key) { changes.append(key); });
    }

    qint64 elapsed() const { return start.msecsTo(time.now()); }
    void advanceTo(qint64 ms) { time.advance(ms - elapsed()); }
    void note(const QByteArray& event) {
        log.append(QStringLiteral("%1 @%2").arg(QLatin1String(event)).arg(elapsed()));
    }
    QStringList timers() const { return log.filter(QRegularExpression(QStringLiteral("^Timer"))); }
};

QString timerAt(qint64 ms) {
    return QStringLiteral("Timer @%1").arg(ms);
}

QStringList timersAt(std::initializer_list<qint64> moments) {
    QStringList list;
    for (qint64 ms : moments)
        list << timerAt(ms);
    return list;
}

} // namespace

class TestUtimerCtl : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void periodicCountReportsEachMinuteAndStartsOver() {
        Rig rig;
        rig.control.setMinuteInterval(5);
        rig.advanceTo(600002);
        QStringList expected;
        for (qint64 period : {qint64(0), qint64(300001)}) {
            for (int left = 5; left >= 1; --left)
                expected << QStringLiteral("Minute %1 @%2")
                                .arg(left)
                                .arg(period + 1 + (5 - left) * Minute);
            expected << timerAt(period + 300001);
        }
        QCOMPARE(rig.log, expected);
    }

    void timeline_data() {
        QTest::addColumn<qint32>("interval");
        QTest::addColumn<qint16>("hours");
        QTest::addColumn<qint16>("minutes");
        QTest::addColumn<qint64>("until");
        QTest::addColumn<QStringList>("timers");
        QTest::newRow("lead-in alone")
            << 500 << qint16(0) << qint16(0) << qint64(1503) << timersAt({501, 1002, 1503});
        QTest::newRow("lead-in, then a minute")
            << 500 << qint16(0) << qint16(1) << qint64(121002) << timersAt({60501, 121002});
        // Whole hours count every minute too, so they do not fire a minute early.
        QTest::newRow("whole hour")
            << 0 << qint16(1) << qint16(0) << 3600001 + Minute << timersAt({3600001});
        QTest::newRow("whole hours after a lead-in")
            << 250 << qint16(2) << qint16(0) << qint64(7200251) << timersAt({7200251});
        QTest::newRow("hour and a half")
            << 0 << qint16(1) << qint16(30) << qint64(5400001) << timersAt({5400001});
        QTest::newRow("empty interval never fires")
            << 0 << qint16(0) << qint16(0) << 10 * Minute << QStringList();
        // A negative total loaded or written counts no minutes instead of counting without end.
        QTest::newRow("negative minutes")
            << 0 << qint16(0) << qint16(-5) << 10 * Minute << QStringList();
        QTest::newRow("negative lead-in")
            << -1 << qint16(0) << qint16(0) << 10 * Minute << QStringList();
        QTest::newRow("negative total after a lead-in")
            << 100 << qint16(-1) << qint16(30) << qint64(202) << timersAt({101, 202});
    }
    void timeline() {
        QFETCH(qint32, interval);
        QFETCH(qint16, hours);
        QFETCH(qint16, minutes);
        QFETCH(qint64, until);
        QFETCH(QStringList, timers);
        Rig rig;
        rig.control.setInterval(interval);
        rig.control.setHourInterval(hours);
        rig.control.setMinuteInterval(minutes);
        rig.start = rig.time.now(); // every write restarted the count
        rig.advanceTo(until);
        QCOMPARE(rig.timers(), timers);
        if (timers.isEmpty()) // an interval that never fires does not tick either
            QCOMPARE(rig.time.activeTimerCount(), 0);
        QVERIFY(rig.errors.messages.isEmpty());
    }

    void alarmsReportTheHoursAndMinutesLeft() {
        Rig rig;
        rig.control.setHourInterval(1);
        rig.control.setMinuteInterval(30);
        rig.advanceTo(5400001);
        QStringList expected;
        for (int left = 90; left >= 1; --left) {
            const qint64 at = 1 + (90 - left) * Minute;
            if (left > 60) // 90 / 60 = 1.5 halves to 2
                expected << QStringLiteral("Hour %1 @%2").arg(left == 90 ? 2 : 1).arg(at);
            expected << QStringLiteral("Minute %1 @%2").arg(left).arg(at);
        }
        expected << timerAt(5400001);
        QCOMPARE(rig.log, expected);
    }

    void hourAlarmHalvesToEven_data() {
        QTest::addColumn<qint16>("hours");
        QTest::addColumn<qint16>("minutes");
        QTest::addColumn<QString>("first");
        QTest::newRow("2.5") << qint16(2) << qint16(30) << u"Hour 2 @1"_s;
        QTest::newRow("3.5") << qint16(3) << qint16(30) << u"Hour 4 @1"_s;
        QTest::newRow("above a half") << qint16(1) << qint16(31) << u"Hour 2 @1"_s;
        QTest::newRow("below a half") << qint16(1) << qint16(29) << u"Hour 1 @1"_s;
        QTest::newRow("one hour: minutes only") << qint16(1) << qint16(0) << u"Minute 60 @1"_s;
    }
    void hourAlarmHalvesToEven() {
        QFETCH(qint16, hours);
        QFETCH(qint16, minutes);
        QFETCH(QString, first);
        Rig rig;
        rig.control.setHourInterval(hours);
        rig.control.setMinuteInterval(minutes);
        rig.advanceTo(1);
        QCOMPARE(rig.log.value(0), first);
    }

    void timerHandlerThatDisablesStopsTheCount() {
        Rig rig;
        QObject::connect(&rig.control, &utimerCTL::Timer, &rig.control,
                         [&rig] { rig.control.setEnabled(false); });
        rig.control.setMinuteInterval(5);
        rig.advanceTo(20 * Minute);
        QCOMPARE(rig.timers(), timersAt({300001}));
        QCOMPARE(rig.time.activeTimerCount(), 0);
        rig.control.setEnabled(true);
        rig.advanceTo(40 * Minute);
        QCOMPARE(rig.timers(), timersAt({300001, 20 * Minute + 300001}));
    }

    void alarmHandlerThatDisablesStopsTheCount() {
        Rig rig;
        QObject::connect(&rig.control, &utimerCTL::MinuteAlarm, &rig.control, [&rig](qint16 left) {
            if (left == 3)
                rig.control.setEnabled(false);
        });
        rig.control.setMinuteInterval(5);
        rig.advanceTo(20 * Minute);
        QCOMPARE(rig.log,
                 QStringList({u"Minute 5 @1"_s, u"Minute 4 @60001"_s, u"Minute 3 @120001"_s}));
        QCOMPARE(rig.time.activeTimerCount(), 0);
    }

    void enablingAnEnabledControlDoesNotDelayIt() {
        Rig rig;
        rig.control.readProperties(disabledMinutes(5));
        rig.advanceTo(10 * Minute);
        QVERIFY(rig.log.isEmpty());
        rig.start = rig.time.now();
        rig.control.setEnabled(true);
        rig.advanceTo(2 * Minute);
        for (int i = 0; i < 3; ++i)
            rig.control.setEnabled(true);
        rig.advanceTo(300001);
        QCOMPARE(rig.timers(), timersAt({300001}));
        QCOMPARE(rig.changes, QStringList({u"Enabled"_s}));
    }

    void reEnablingCountsTheFullInterval_data() {
        QTest::addColumn<qint64>("pause");
        QTest::newRow("at once") << qint64(0);
        QTest::newRow("a minute later") << Minute;
    }
    void reEnablingCountsTheFullInterval() {
        QFETCH(qint64, pause);
        Rig rig;
        rig.control.setMinuteInterval(5);
        rig.advanceTo(3 * Minute);
        rig.control.setEnabled(false);
        rig.advanceTo(3 * Minute + pause);
        rig.control.setEnabled(true);
        rig.advanceTo(3 * Minute + pause + 300001);
        QCOMPARE(rig.timers(), timersAt({3 * Minute + pause + 300001}));
    }

    void oneShotStopsAfterItsShot_data() {
        QTest::addColumn<qint32>("mode");
        QTest::addColumn<QStringList>("timers");
        QTest::addColumn<bool>("stopped");
        QTest::newRow("periodic") << 0 << timersAt({60001, 120002, 180003}) << false;
        QTest::newRow("one-shot") << 1 << timersAt({60001}) << true;
        QTest::newRow("invalid mode counts as periodic")
            << 2 << timersAt({60001, 120002, 180003}) << false;
    }
    void oneShotStopsAfterItsShot() {
        QFETCH(qint32, mode);
        QFETCH(QStringList, timers);
        QFETCH(bool, stopped);
        Rig rig;
        rig.control.setTimerMode(mode);
        rig.control.setMinuteInterval(1);
        rig.advanceTo(180003);
        QCOMPARE(rig.timers(), timers);
        QCOMPARE(rig.control.StoppedAfterShot(), stopped);
        QCOMPARE(rig.time.activeTimerCount(), stopped ? 0 : 1);
    }

    void writingTheModeRestartsAStoppedOneShot() {
        Rig rig;
        rig.control.setTimerMode(1);
        rig.control.setMinuteInterval(1);
        rig.advanceTo(2 * Minute);
        rig.control.setTimerMode(1); // the same mode, still a restart
        QVERIFY(!rig.control.StoppedAfterShot());
        rig.advanceTo(2 * Minute + 30000);
        rig.control.setTimerMode(1); // while counting: no restart
        rig.advanceTo(10 * Minute);
        QCOMPARE(rig.timers(), timersAt({60001, 2 * Minute + 60001}));
        QVERIFY(rig.control.StoppedAfterShot());
    }

    void writeLimits_data() {
        QTest::addColumn<qint16>("presetHours");
        QTest::addColumn<qint16>("presetMinutes");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("message");
        QTest::addColumn<bool>("changed");
        const auto i16 = [](int v) {
            return QVariant::fromValue(qint16(v));
        };
        const auto i32 = [](int v) {
            return QVariant::fromValue(qint32(v));
        };
        const qint16 none = 0;
        QTest::newRow("one-shot") << none << none << QByteArray("TimerMode") << i32(1) << i32(1)
                                  << false << true;
        QTest::newRow("invalid mode kept")
            << none << none << QByteArray("TimerMode") << i32(2) << i32(2) << true << true;
        QTest::newRow("negative mode kept")
            << none << none << QByteArray("TimerMode") << i32(-1) << i32(-1) << true << true;
        QTest::newRow("same mode reported")
            << none << none << QByteArray("TimerMode") << i32(0) << i32(0) << false << true;
        QTest::newRow("longest lead-in")
            << none << none << QByteArray("Interval") << i32(59999) << i32(59999) << false << true;
        QTest::newRow("lead-in of a minute ignored")
            << none << none << QByteArray("Interval") << i32(60000) << i32(0) << false << false;
        QTest::newRow("59 minutes")
            << none << none << QByteArray("MinuteInterval") << i16(59) << i16(59) << false << true;
        QTest::newRow("60 minutes ignored")
            << none << none << QByteArray("MinuteInterval") << i16(60) << i16(0) << false << false;
        QTest::newRow("same minutes") << none << qint16(5) << QByteArray("MinuteInterval") << i16(5)
                                      << i16(5) << false << false;
        QTest::newRow("most hours") << none << qint16(7) << QByteArray("HourInterval") << i16(546)
                                    << i16(546) << false << true;
        QTest::newRow("hours beyond 16 bits in minutes")
            << none << none << QByteArray("HourInterval") << i16(547) << i16(0) << true << false;
        // The minutes left are counted and reported in 16 bits.
        QTest::newRow("total beyond 16 bits, by hours")
            << none << qint16(8) << QByteArray("HourInterval") << i16(546) << i16(0) << true
            << false;
        QTest::newRow("total beyond 16 bits, by minutes")
            << qint16(546) << none << QByteArray("MinuteInterval") << i16(8) << i16(0) << true
            << false;
        QTest::newRow("negative hours") << none << none << QByteArray("HourInterval") << i16(-546)
                                        << i16(-546) << false << true;
        QTest::newRow("total beyond 32 bits in milliseconds")
            << qint16(-546) << none << QByteArray("MinuteInterval") << i16(-32768) << i16(0) << true
            << false;
        QTest::newRow("enabled again") << none << none << QByteArray("Enabled") << QVariant(true)
                                       << QVariant(true) << false << false;
        QTest::newRow("disabled") << none << none << QByteArray("Enabled") << QVariant(false)
                                  << QVariant(false) << false << true;
    }
    void writeLimits() {
        QFETCH(qint16, presetHours);
        QFETCH(qint16, presetMinutes);
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);
        QFETCH(QVariant, stored);
        QFETCH(bool, message);
        QFETCH(bool, changed);
        Rig rig;
        rig.control.setHourInterval(presetHours);
        rig.control.setMinuteInterval(presetMinutes);
        rig.changes.clear();
        QVERIFY(rig.control.setProperty(property.constData(), value));
        QCOMPARE(rig.control.property(property.constData()), stored);
        QCOMPARE(rig.errors.messages,
                 message ? QStringList({QStringLiteral("Error 380")}) : QStringList());
        QCOMPARE(rig.changes,
                 changed ? QStringList({QString::fromLatin1(property)}) : QStringList());
    }

    void persistsInOrderWithoutDefaults() {
        Rig rig;
        conv::PropertyBag defaults;
        rig.control.writeProperties(defaults);
        QVERIFY(defaults.entries().isEmpty());

        rig.control.setTimerMode(1);
        rig.control.setInterval(250);
        rig.control.setHourInterval(2);
        rig.control.setMinuteInterval(5);
        rig.control.setEnabled(false);
        conv::PropertyBag bag;
        rig.control.writeProperties(bag);
        QCOMPARE(bag.toText(), QStringLiteral("TimerMode As Long = 1\n"
                                              "Interval As Long = 250\n"
                                              "MinuteInterval As Integer = 5\n"
                                              "HourInterval As Integer = 2\n"
                                              "Enabled As Boolean = False\n"));

        Rig loaded;
        loaded.control.readProperties(*conv::PropertyBag::fromText(bag.toText()));
        conv::PropertyBag again;
        loaded.control.writeProperties(again);
        QCOMPARE(again.toText(), bag.toText());
        QVERIFY(loaded.changes.isEmpty());
    }

    void loadingStartsARunningEnabledControl_data() {
        QTest::addColumn<conv::PropertyBag>("design");
        QTest::addColumn<bool>("running");
        QTest::addColumn<qint16>("minutes");
        QTest::addColumn<bool>("counting");
        conv::PropertyBag enabled;
        enabled.write(QStringLiteral("MinuteInterval"), qint16(5));
        conv::PropertyBag unchecked; // a stored design is taken as it is
        unchecked.write(QStringLiteral("MinuteInterval"), qint16(70));
        QTest::newRow("Timer4") << disabledMinutes(5) << true << qint16(5) << false;
        QTest::newRow("Snooze") << disabledMinutes(10) << true << qint16(10) << false;
        QTest::newRow("enabled") << enabled << true << qint16(5) << true;
        QTest::newRow("enabled, in design") << enabled << false << qint16(5) << false;
        QTest::newRow("unchecked") << unchecked << true << qint16(70) << true;
    }
    void loadingStartsARunningEnabledControl() {
        QFETCH(conv::PropertyBag, design);
        QFETCH(bool, running);
        QFETCH(qint16, minutes);
        QFETCH(bool, counting);
        Rig rig;
        rig.control.setUserMode(running);
        rig.control.readProperties(design);
        QCOMPARE(rig.control.minuteInterval(), minutes);
        QCOMPARE(rig.time.activeTimerCount(), counting ? 1 : 0);
        QVERIFY(rig.errors.messages.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestUtimerCtl)
#include "tst_utimerctl.moc"
