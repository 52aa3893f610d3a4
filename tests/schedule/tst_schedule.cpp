#include "base/ClickableLabel.h"
#include "base/SpeedFigures.h"
#include "base/WindowRegistry.h"
#include "commands/AlarmStop.h"
#include "commands/CommandCatalogue.h"
#include "commands/CommandOperations.h"
#include "commands/WakeUpAlarm.h"
#include "controls/utimerCTL.h"
#include "conventions/DateSerial.h"
#include "conventions/DateTimeConventions.h"
#include "conventions/Timer.h"
#include "schedule/AutomaticCommandsPage.h"
#include "schedule/ScheduleDetails.h"
#include "schedule/ScheduleEvaluation.h"
#include "schedule/ScheduleFields.h"
#include "schedule/SecondTimers.h"
#include "support/ManualTime.h"
#include "support/RecordingAlarmPlayer.h"
#include "support/RecordingDialogs.h"
#include "support/RecordingErrors.h"
#include "support/RecordingFileOpener.h"
#include "support/RecordingPowerRequests.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>

using namespace Qt::Literals::StringLiterals;

namespace {

// The schedule on its own, as the main window builds it: the page, the details, the alarm
// panel and the operations behind the commands, with doubles for the system and a stand-in
// date picker. The clock stands half-way through 22:15:30 on 9 December 2026; the second ticks
// come at each second's first millisecond.
struct Armed {
    ManualTime time{QDateTime(QDate(2026, 12, 9), QTime(22, 15, 30, 500))};
    RecordingPowerRequests power;
    RecordingAlarmPlayer player;
    RecordingDialogs dialogs;
    RecordingFileOpener opener;
    RecordingErrors errors;
    WindowRegistry windows;
    QWidget window;
    QGroupBox* Frame8 = new QGroupBox(&window);
    QGroupBox* Frame11 = new QGroupBox(&window);
    QGroupBox* Frame13 = new QGroupBox(&window);
    SecondTimers secondTimers{time, time};
    ScheduleFields fields;
    SpeedFigures speed;
    nocturnia::utimerCTL Timer4{time, errors};
    nocturnia::utimerCTL Snooze{time, errors};
    QObject picker; // its "Value" is the schedule date's serial
    const conv::DateTimeConventions conventions = conv::DateTimeConventions::usEnglish();
    AutomaticCommandsPage page{
        *Frame8,
        AutomaticCommandsPage::Links{dialogs, [this](const QString& path) { opener.open(path); },
                                     [](bool) {}, fields, secondTimers}};
    ScheduleDetails details{*Frame11, *Frame13};
    WakeUpAlarm alarm{WakeUpAlarm::Links{*page.Frame2, player, dialogs,
                                         QStringLiteral("/opt/nocturnia"), windows,
                                         [this] { return details.Label4->text(); }, Snooze}};
    CommandOperations commands{CommandOperations::Links{page, power, alarm, windows}};
    ScheduleEvaluation schedule{ScheduleEvaluation::Links{
        page, details, fields, speed, Timer4, alarm, commands,
        [this]() -> std::optional<qint32> { return picker.property("Value").toInt(); },
        secondTimers, time, conventions}};

    explicit Armed(const QString& command = QStringLiteral("Shutdown Computer")) {
        window.resize(688, 463);
        Frame8->setGeometry(184, 88, 497, 321);
        Frame11->setGeometry(8, 224, 169, 185);
        Frame13->setGeometry(8, 416, 673, 41);
        Timer4.setMinuteInterval(5);
        Timer4.setEnabled(false);
        Snooze.setMinuteInterval(10);
        Snooze.setEnabled(false);
        // What the window's load does for the schedule.
        for (const QString& entry : CommandCatalogue::entries(true))
            page.CmbOption->addItem(entry);
        page.CmbOption->setCurrentIndex(0);
        commands.createPowerController();
        page.DT->setTime(time.now().time());
        picker.setProperty("Value", conv::toDateSerial(time.now().date()));
        schedule.Timer3->start();
        schedule.Timer10->start();
        page.CmbOption->setCurrentText(command);
        power.calls.clear();
    }
    void scheduleAt(const QTime& at, const QDate& date = QDate(2026, 12, 9)) {
        page.DT->setTime(at);
        picker.setProperty("Value", conv::toDateSerial(date));
    }
    void arm() { QTest::mouseClick(page.CmdActive, Qt::LeftButton); }
    bool armed() const { return page.isArmed(); }
    int requests() const { return int(power.calls.filter(QStringLiteral("request")).size()); }
    void speedMethod(const QString& download, const QString& upload) {
        QTest::mouseClick(page.Option5, Qt::LeftButton);
        page.Combo1->setCurrentText(download);
        page.Combo2->setCurrentText(upload);
    }
    void figures(const QString& download, const QString& upload) {
        speed.Label37.setText(download);
        speed.Label42.setText(upload);
    }
    // Armed on the speed method with both thresholds at 100 KBs and both figures below them.
    void armQuietUnder100() {
        speedMethod(QStringLiteral("100"), QStringLiteral("100"));
        figures(QStringLiteral("12.50"), QStringLiteral("3.10"));
        arm();
    }
};

const qint64 kMinute = qint64(60) * 1000;

// Counts the paint events of the widgets it watches.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(std::initializer_list<QWidget*> widgets) {
        for (QWidget* widget : widgets)
            widget->installEventFilter(this);
    }
    int of(const QObject* widget) const { return m_paints.value(widget); }
    void clear() { m_paints.clear(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++m_paints[watched];
        return false;
    }

private:
    QHash<const QObject*, int> m_paints;
};

} // namespace

class TestSchedule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void countsDownAndFiresInTheScheduledSecond() {
        Armed f;
        f.scheduleAt(QTime(22, 15, 33));
        f.arm();
        QStringList lines{f.details.Label35->text()};
        for (int second = 0; second < 2; ++second) {
            f.time.advance(1000);
            lines << f.details.Label35->text();
        }
        QCOMPARE(lines, (QStringList{u"Shutdown Computer, will occur in: 3 Seconds"_s,
                                     u"Shutdown Computer, will occur in: 2 Seconds"_s,
                                     u"Shutdown Computer, will occur in: 1 Second"_s}));
        QCOMPARE(f.requests(), 0);
        f.time.advance(500); // 22:15:33.000
        QCOMPARE(f.requests(), 0);
        f.time.advance(1); // the first tick of the scheduled second
        QCOMPARE(f.power.calls, (QStringList{u"ask power off"_s,
                                             u"request power off forced"_s})); // checked by design
        QCOMPARE(f.details.Label35->text(),
                 QStringLiteral("This schedule point has been reached!"));
        // The closing steps disarm.
        QCOMPARE(f.page.CmdActive->text(), QStringLiteral("Schedule Command"));
        QCOMPARE(f.fields.Label5.text(), QStringLiteral("Inactive"));
        QCOMPARE(f.fields.lblActive.text(), QStringLiteral("The Trigger Is Deactivated"));
        QCOMPARE(f.fields.Text8.text(), QStringLiteral("0"));
        QVERIFY(!f.page.Timer2->isActive());
        f.time.advance(qint64(10) * 1000);
        QCOMPARE(f.requests(), 1);
    }

    // The window is shown as the user leaves it; each second, only the labels whose text
    // changed are painted again, not the boxes and the window around them.
    void aNewSecondRepaintsOnlyTheChangedLabels() {
        Armed f;
        f.scheduleAt(QTime(23, 0, 0));
        f.arm();
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        PaintCounter paints{&f.window, f.Frame11, f.Frame13, f.details.Label1, f.details.Label35};
        QCoreApplication::processEvents();
        paints.clear();

        f.time.advance(1000);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCOMPARE(f.details.Label1->text(), QStringLiteral("10:15:31 PM"));
        QVERIFY(f.details.Label35->text().endsWith(QStringLiteral("44 Minutes, 29 Seconds")));
        QCOMPARE(paints.of(f.details.Label1), 1);
        QCOMPARE(paints.of(f.details.Label35), 1);
        QCOMPARE(paints.of(f.Frame11), 0);
        QCOMPARE(paints.of(f.Frame13), 0);
        QCOMPARE(paints.of(&f.window), 0);
    }

    void displayShowsBothMethods() {
        Armed f;
        f.scheduleAt(QTime(7, 5, 0), QDate(2027, 1, 2));
        f.time.advance(1000);
        QCOMPARE(f.details.Label7->text(), QStringLiteral("12/9/2026"));
        QCOMPARE(f.details.Label1->text(), QStringLiteral("10:15:31 PM"));
        QCOMPARE(f.details.Label15->text(), QStringLiteral("1/2/2027"));
        QCOMPARE(f.details.Label4->text(), QStringLiteral("7:05:00 AM"));
        QCOMPARE(f.details.Label17->text(), QStringLiteral("Schedule Date:"));
        QCOMPARE(f.details.Label18->text(), QStringLiteral("Schedule Time:"));
        QCOMPARE(f.details.Label35->text(),
                 QStringLiteral("Shutdown Computer, if scheduled, would occur in: 23 Days, 8 "
                                "Hours, 49 Minutes, 29 Seconds"));

        f.speedMethod(QStringLiteral("75"), QStringLiteral("20"));
        QCOMPARE(f.details.Label18->text(), QStringLiteral("Download Speed:"));
        QCOMPARE(f.details.Label17->text(), QStringLiteral("Upload Speed:"));
        QCOMPARE(f.details.Label4->text(), QStringLiteral("< 75 KBs"));
        QCOMPARE(f.details.Label15->text(), QStringLiteral("< 20 KBs"));
    }

    void activationButtonNeedsACommand() {
        Armed f(QStringLiteral("Please Select A Command"));
        QVERIFY(!f.page.CmdActive->isEnabled());
        f.page.CmbOption->setCurrentText(QStringLiteral("Restart Computer"));
        QVERIFY(f.page.CmdActive->isEnabled());
    }

    void momentsNotInTheFutureNeverFire_data() {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QDate>("date");
        QTest::newRow("earlier today") << QTime(22, 15, 0) << QDate(2026, 12, 9);
        QTest::newRow("a second ago") << QTime(22, 15, 30) << QDate(2026, 12, 9);
        QTest::newRow("23:59:59 of yesterday") << QTime(23, 59, 59) << QDate(2026, 12, 8);
    }
    void momentsNotInTheFutureNeverFire() {
        QFETCH(QTime, time);
        QFETCH(QDate, date);
        Armed f;
        f.scheduleAt(time, date);
        f.time.advance(999);
        f.arm();
        f.time.advance(2 * kMinute);
        QCOMPARE(f.requests(), 0);
        QVERIFY(f.armed());
        QCOMPARE(f.details.Label35->text(),
                 QStringLiteral("This schedule point has been reached!"));
        QCOMPARE(f.schedule.Text9.text(), QStringLiteral("1"));
    }

    void armingWithinTheScheduledSecondFiresAtOnce() {
        Armed f;
        f.scheduleAt(QTime(22, 15, 30));
        f.arm();
        QCOMPARE(f.requests(), 1);
        QVERIFY(!f.armed());
    }

    void aMomentMissedWhileAsleepIsNotMadeUp() {
        Armed f;
        f.scheduleAt(QTime(22, 15, 40));
        f.arm();
        f.time.advance(2000);
        f.time.setNow(QDateTime(QDate(2026, 12, 9), QTime(22, 16, 0, 500))); // woke up
        f.time.advance(5000);
        QCOMPARE(f.requests(), 0);
        QVERIFY(f.armed());
        QCOMPARE(f.details.Label35->text(),
                 QStringLiteral("This schedule point has been reached!"));
    }

    void timeElapsedTexts_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reached");
        QTest::newRow("90061") << qint64(90061) << u"1 Day, 1 Hour, 1 Minute, 1 Second"_s << u"0"_s;
        QTest::newRow("7322") << qint64(7322) << u"2 Hours, 2 Minutes, 2 Seconds"_s << u"0"_s;
        QTest::newRow("a year") << qint64(31536000) << u"1 Year"_s << u"0"_s;
        QTest::newRow("a day") << qint64(86400) << u"1 Day"_s << u"0"_s;
        QTest::newRow("a minute") << qint64(60) << u"1 Minute"_s << u"0"_s;
        QTest::newRow("61") << qint64(61) << u"1 Minute, 1 Second"_s << u"0"_s;
        QTest::newRow("zero") << qint64(0) << u""_s << u"1"_s;
        QTest::newRow("negative") << qint64(-5) << u""_s << u"1"_s;
    }
    void timeElapsedTexts() {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QFETCH(QString, reached);
        Armed f;
        const QDateTime begin(QDate(2026, 12, 9), QTime(22, 0), Qt::UTC);
        QCOMPARE(f.schedule.TimeElapsed(begin, begin.addSecs(seconds)), text);
        QCOMPARE(f.schedule.Text9.text(), reached);
    }

    void speedConditionFiresAfterFiveQuietMinutes() {
        Armed f;
        f.armQuietUnder100();
        QCOMPARE(f.details.Label35->text(),
                 QStringLiteral("Shutdown Computer will occur when DL is less then 100 KBs and UP "
                                "is less then 100 KBs"));
        QVERIFY(!f.schedule.Timer10->isActive()); // the speed method has no countdown
        f.time.advance(5 * kMinute - 1000);
        QCOMPARE(f.requests(), 0);
        f.time.advance(2000);
        QCOMPARE(f.requests(), 1);
        QVERIFY(!f.armed());
        QCOMPARE(f.fields.Text8.text(), QStringLiteral("0"));
    }

    void aFigureAboveItsThresholdStartsTheFiveMinutesAgain() {
        Armed f;
        f.armQuietUnder100();
        f.time.advance(2 * kMinute);
        f.figures(QStringLiteral("100.50"), QStringLiteral("3.10"));
        f.time.advance(1000);
        f.figures(QStringLiteral("12.50"), QStringLiteral("3.10"));
        const QDateTime quietAgain = f.time.now();
        f.time.advance(4 * kMinute);
        QCOMPARE(f.requests(), 0); // 6 minutes after arming, but only 4 quiet ones
        while (f.requests() == 0 && f.time.now() < quietAgain.addSecs(400))
            f.time.advance(1000);
        QCOMPARE(f.requests(), 1);
        QVERIFY(quietAgain.secsTo(f.time.now()) >= 300);
        QVERIFY(quietAgain.secsTo(f.time.now()) <= 302);
    }

    // The download figure when armed and a minute later, against a threshold of 50 KBs.
    void figuresEqualToTheThresholdLeaveTheCountAlone_data() {
        QTest::addColumn<QString>("atArming");
        QTest::addColumn<QString>("aMinuteLater");
        QTest::addColumn<qint64>("thenWait");
        QTest::addColumn<int>("requests");
        QTest::newRow("equal while counting: the count runs on")
            << u"12.00"_s << u"50.00"_s << 4 * kMinute + 2000 << 1;
        QTest::newRow("equal from the start: the count never starts")
            << u"50.00"_s << u"50.00"_s << 9 * kMinute << 0;
    }
    void figuresEqualToTheThresholdLeaveTheCountAlone() {
        QFETCH(QString, atArming);
        QFETCH(QString, aMinuteLater);
        QFETCH(qint64, thenWait);
        QFETCH(int, requests);
        Armed f;
        f.speedMethod(QStringLiteral("50"), QStringLiteral("50"));
        f.figures(atArming, QStringLiteral("3.10"));
        f.arm();
        f.time.advance(kMinute);
        f.figures(aMinuteLater, QStringLiteral("3.10"));
        f.time.advance(thenWait);
        QCOMPARE(f.requests(), requests);
    }

    void wordsAsThresholdsNeverFire() {
        Armed f;
        f.speedMethod(QStringLiteral("abc"), QStringLiteral("100"));
        f.figures(QStringLiteral("0.00"), QStringLiteral("0.00"));
        f.arm();
        f.time.advance(15 * kMinute);
        QCOMPARE(f.requests(), 0);
        QVERIFY(f.armed());
    }

    void aCountLeftRunningByDisarmingCanFireTheNextArmingEarlyOnce() {
        Armed f;
        f.armQuietUnder100();
        f.time.advance(3 * kMinute);
        f.arm(); // disarm: the count goes on
        QVERIFY(!f.armed());
        QVERIFY(f.Timer4.isEnabled());
        f.time.advance(kMinute);
        f.arm();
        f.time.advance(kMinute + 2000); // five minutes after the first arming, two after this one
        QCOMPARE(f.requests(), 1);
        QVERIFY(!f.armed());
        f.arm();
        f.time.advance(4 * kMinute);
        QCOMPARE(f.requests(), 1); // the next arming waits its full five minutes
        f.time.advance(kMinute + 2000);
        QCOMPARE(f.requests(), 2);
    }

    void countdownComesBackWithTheDateAndTimeMethod() {
        Armed f;
        f.scheduleAt(QTime(23, 0, 0));
        f.speedMethod(QStringLiteral("100"), QStringLiteral("100"));
        f.arm();
        f.time.advance(1000);
        QVERIFY(!f.schedule.Timer10->isActive());
        QTest::mouseClick(f.page.Option6, Qt::LeftButton);
        QVERIFY(f.schedule.Timer10->isActive());
        QCOMPARE(f.details.Label35->text(),
                 QStringLiteral("Shutdown Computer, will occur in: 44 Minutes, 29 Seconds"));
        f.time.advance(1000);
        QCOMPARE(f.details.Label35->text(),
                 QStringLiteral("Shutdown Computer, will occur in: 44 Minutes, 28 Seconds"));
    }

    void theFiringPerformsWhatIsSelectedThen() {
        Armed f(QStringLiteral("Go Into Standby"));
        f.scheduleAt(QTime(22, 15, 32));
        f.page.chkForce->setChecked(true);
        f.arm();
        f.page.CmbOption->setCurrentText(QStringLiteral("Restart Computer"));
        f.page.chkForce->setChecked(false);
        f.time.advance(2000);
        QCOMPARE(f.power.calls, (QStringList{u"ask reboot"_s, u"request reboot normal"_s}));
    }

    void runningAFileFromTheScheduleEndsDisarmed() {
        Armed f(QStringLiteral("Run A Specified File"));
        f.page.Text2->setText(QStringLiteral("/home/ann/report.pdf"));
        f.scheduleAt(QTime(22, 15, 31));
        f.arm();
        f.time.advance(5000);
        QCOMPARE(f.opener.opened, QStringList{u"/home/ann/report.pdf"_s});
        QVERIFY(!f.armed());
        QVERIFY(!f.page.Timer2->isActive());
    }

    void scheduledAlarmRingsAndItsSnoozeRingsAgainTenMinutesLater() {
        Armed f(QStringLiteral("Sound Wake-up Alarm"));
        f.alarm.Classic->setChecked(true);
        f.scheduleAt(QTime(22, 15, 33));
        f.arm();
        f.time.advance(2501); // the first tick of 22:15:33
        QCOMPARE(f.player.sounding(), QStringLiteral("/opt/nocturnia/Classic.wav"));
        QCOMPARE(f.player.calls.mid(0, 2), (QStringList{u"volume 100"_s, u"count 999"_s}));
        QVERIFY(!f.armed());
        AlarmStop* window = f.alarm.alarmStop();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Nocturnia: 10:15:33 PM Alarm Ringing..."));

        QTest::mouseClick(window->Label2, Qt::LeftButton);
        QVERIFY(!f.player.playing);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!f.alarm.alarmStop());
        f.time.advance(10 * kMinute);
        QVERIFY(!f.player.playing);
        f.time.advance(1);
        QCOMPARE(f.player.sounding(), QStringLiteral("/opt/nocturnia/Classic.wav"));
        QVERIFY(f.alarm.alarmStop() && f.alarm.alarmStop()->isVisible());
        QVERIFY(!f.Snooze.isEnabled());
    }

    void customSoundButtonFollowsTheCustomOption() {
        Armed f;
        QVERIFY(!f.alarm.dcButton2->isEnabled());
        f.alarm.Custom->setChecked(true);
        f.time.advance(1000);
        QVERIFY(f.alarm.dcButton2->isEnabled());
        f.alarm.Drums->setChecked(true);
        f.time.advance(1000);
        QVERIFY(!f.alarm.dcButton2->isEnabled());
    }
};

QTEST_MAIN(TestSchedule)
#include "tst_schedule.moc"
