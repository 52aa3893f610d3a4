#include "base/ClickableLabel.h"
#include "commands/AlarmStop.h"
#include "conventions/DateSerial.h"
#include "conventions/Timer.h"
#include "platform/PluginControlLoader.h"
#include "support/MainFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>

using namespace Qt::Literals::StringLiterals;

namespace {

// A main window with a date picker, its clock standing half-way through 22:15:30 on
// 9 December 2026; the second ticks come at each second's first millisecond.
struct Armed : Fixture {
    Main& main;
    explicit Armed(const QString& command = QStringLiteral("Shutdown Computer"))
        : main((controls.available = true,
                time.setNow(QDateTime(QDate(2026, 12, 9), QTime(22, 15, 30, 500))), load())) {
        main.page->CmbOption->setCurrentText(command);
        power.calls.clear();
    }
    void scheduleAt(const QTime& at, const QDate& date = QDate(2026, 12, 9)) {
        main.page->DT->setTime(at);
        main.KiroXPDTPicker1->setProperty("Value", conv::toDateSerial(date));
    }
    void arm() { QTest::mouseClick(main.page->CmdActive, Qt::LeftButton); }
    bool armed() const { return main.page->isArmed(); }
    int requests() const { return int(power.calls.filter(QStringLiteral("request")).size()); }
    void speedMethod(const QString& download, const QString& upload) {
        QTest::mouseClick(main.page->Option5, Qt::LeftButton);
        main.page->Combo1->setCurrentText(download);
        main.page->Combo2->setCurrentText(upload);
    }
    void figures(const QString& download, const QString& upload) {
        main.speed.Label37.setText(download);
        main.speed.Label42.setText(upload);
    }
};

const qint64 kMinute = 60 * 1000;

} // namespace

class TestSchedule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void countsDownAndFiresInTheScheduledSecond() {
        Armed f;
        f.scheduleAt(QTime(22, 15, 33));
        f.arm();
        QStringList lines{f.main.details->Label35->text()};
        for (int second = 0; second < 2; ++second) {
            f.time.advance(1000);
            lines << f.main.details->Label35->text();
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
        QCOMPARE(f.main.details->Label35->text(),
                 QStringLiteral("This schedule point has been reached!"));
        // The closing steps disarm.
        QCOMPARE(f.main.page->CmdActive->text(), QStringLiteral("Schedule Command"));
        QCOMPARE(f.main.fields.Label5.text(), QStringLiteral("Inactive"));
        QCOMPARE(f.main.fields.lblActive.text(), QStringLiteral("The Trigger Is Deactivated"));
        QCOMPARE(f.main.fields.Text8.text(), QStringLiteral("0"));
        QVERIFY(!f.main.page->Timer2->isActive());
        f.time.advance(10 * 1000);
        QCOMPARE(f.requests(), 1);
    }

    // The labels are written month first whatever the locale; the countdown must read them
    // the same way, also where the locale puts the day first.
    void countdownInEveryLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("scheduled");
        QTest::addColumn<QString>("shownDate");
        QTest::addColumn<QString>("left");
        const auto at = [](int y, int mo, int d, int h, int mi, int s, int ms = 0) {
            return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
        };
        QTest::newRow("en_US, tomorrow")
            << u"en_US"_s << at(2026, 12, 9, 22, 15, 30, 500) << at(2026, 12, 10, 22, 15, 40)
            << u"12/10/2026"_s << u"1 Day, 9 Seconds"_s;
        QTest::newRow("en_GB, tomorrow")
            << u"en_GB"_s << at(2026, 12, 9, 22, 15, 30, 500) << at(2026, 12, 10, 22, 15, 40)
            << u"12/10/2026"_s << u"1 Day, 9 Seconds"_s;
        QTest::newRow("en_GB, from the 13th")
            << u"en_GB"_s << at(2026, 12, 13, 10, 0, 0, 500) << at(2026, 12, 14, 10, 0, 1)
            << u"12/14/2026"_s << u"1 Day"_s;
        QTest::newRow("en_GB, across a month")
            << u"en_GB"_s << at(2026, 1, 31, 23, 59, 30, 500) << at(2026, 2, 1, 0, 0, 31)
            << u"2/1/2026"_s << u"1 Minute"_s;
        QTest::newRow("de_DE, across a year")
            << u"de_DE"_s << at(2026, 12, 31, 23, 0, 0, 500) << at(2027, 1, 1, 1, 0, 1)
            << u"1.1.2027"_s << u"2 Hours"_s;
        QTest::newRow("de_DE, from the 13th")
            << u"de_DE"_s << at(2026, 11, 13, 8, 0, 0, 500) << at(2026, 11, 20, 8, 0, 6)
            << u"11.20.2026"_s << u"7 Days, 5 Seconds"_s;
        QTest::newRow("fr_FR, across a month")
            << u"fr_FR"_s << at(2026, 2, 28, 12, 0, 0, 500) << at(2026, 3, 2, 12, 0, 1)
            << u"3/2/2026"_s << u"2 Days"_s;
    }
    void countdownInEveryLocale() {
        QFETCH(QString, locale);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, scheduled);
        QFETCH(QString, shownDate);
        QFETCH(QString, left);
        Fixture f;
        f.conventions = conv::DateTimeConventions::fromLocale(QLocale(locale));
        f.controls.available = true;
        f.time.setNow(now);
        Main& main = f.load();
        main.page->CmbOption->setCurrentText(QStringLiteral("Shutdown Computer"));
        main.page->DT->setTime(scheduled.time());
        main.KiroXPDTPicker1->setProperty("Value", conv::toDateSerial(scheduled.date()));
        f.time.advance(1000);
        QCOMPARE(main.details->Label15->text(), shownDate);
        QCOMPARE(main.details->Label35->text(),
                 QStringLiteral("Shutdown Computer, if scheduled, would occur in: ") + left);
    }

    // Without the control library the user is told once and a plain date field stands in,
    // so that an armed schedule still fires in its second.
    void withoutThePickerLibraryTheScheduleStillFires() {
        Fixture f;
        f.time.setNow(QDateTime(QDate(2026, 12, 9), QTime(22, 15, 30, 500)));
        PluginControlLoader missing(f.dir.filePath(QStringLiteral("libdatora.so")));
        Main main(MainServices{f.settings, f.opener, f.dialogs, missing, f.power, f.player, f.time,
                               f.time, f.conventions, u"/opt/nocturnia"_s});
        main.Form_Load();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].icon, RecordingDialogs::Message::Icon::Warning);
        QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("Nocturnia"));
        QVERIFY2(f.dialogs.messages[0].text.contains(u"/opt/nocturnia/libdatora.so"_s),
                 qPrintable(f.dialogs.messages[0].text));
        auto* picker = qobject_cast<QDateEdit*>(main.KiroXPDTPicker1);
        QVERIFY(picker);
        QCOMPARE(picker->date(), QDate(2026, 12, 9));

        main.page->CmbOption->setCurrentText(QStringLiteral("Shutdown Computer"));
        main.page->DT->setTime(QTime(22, 15, 32));
        picker->setDate(QDate(2026, 12, 10));
        f.time.advance(1000);
        QCOMPARE(main.details->Label15->text(), QStringLiteral("12/10/2026"));
        picker->setDate(QDate(2026, 12, 9));
        QTest::mouseClick(main.page->CmdActive, Qt::LeftButton);
        f.power.calls.clear();
        f.time.advance(500); // 22:15:32.000
        QVERIFY(f.power.calls.filter(QStringLiteral("request")).isEmpty());
        f.time.advance(1);
        QCOMPARE(f.power.calls.filter(QStringLiteral("request")).size(), 1);
        QCOMPARE(f.dialogs.messages.size(), 1); // told once
    }

    void displayShowsBothMethods() {
        Armed f;
        f.scheduleAt(QTime(7, 5, 0), QDate(2027, 1, 2));
        f.time.advance(1000);
        QCOMPARE(f.main.details->Label7->text(), QStringLiteral("12/9/2026"));
        QCOMPARE(f.main.details->Label1->text(), QStringLiteral("10:15:31 PM"));
        QCOMPARE(f.main.details->Label15->text(), QStringLiteral("1/2/2027"));
        QCOMPARE(f.main.details->Label4->text(), QStringLiteral("7:05:00 AM"));
        QCOMPARE(f.main.details->Label17->text(), QStringLiteral("Schedule Date:"));
        QCOMPARE(f.main.details->Label18->text(), QStringLiteral("Schedule Time:"));
        QCOMPARE(f.main.details->Label35->text(),
                 QStringLiteral("Shutdown Computer, if scheduled, would occur in: 23 Days, 8 "
                                "Hours, 49 Minutes, 29 Seconds"));

        f.speedMethod(QStringLiteral("75"), QStringLiteral("20"));
        QCOMPARE(f.main.details->Label18->text(), QStringLiteral("Download Speed:"));
        QCOMPARE(f.main.details->Label17->text(), QStringLiteral("Upload Speed:"));
        QCOMPARE(f.main.details->Label4->text(), QStringLiteral("< 75 KBs"));
        QCOMPARE(f.main.details->Label15->text(), QStringLiteral("< 20 KBs"));
    }

    void activationButtonNeedsACommand() {
        Armed f(QStringLiteral("Please Select A Command"));
        QVERIFY(!f.main.page->CmdActive->isEnabled());
        f.main.page->CmbOption->setCurrentText(QStringLiteral("Restart Computer"));
        QVERIFY(f.main.page->CmdActive->isEnabled());
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
        QCOMPARE(f.main.details->Label35->text(),
                 QStringLiteral("This schedule point has been reached!"));
        QCOMPARE(f.main.schedule->Text9.text(), QStringLiteral("1"));
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
        QCOMPARE(f.main.details->Label35->text(),
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
        Fixture f;
        Main& main = f.load();
        const QDateTime begin(QDate(2026, 12, 9), QTime(22, 0), Qt::UTC);
        QCOMPARE(main.schedule->TimeElapsed(begin, begin.addSecs(seconds)), text);
        QCOMPARE(main.schedule->Text9.text(), reached);
    }

    void speedConditionFiresAfterFiveQuietMinutes() {
        Armed f;
        f.speedMethod(QStringLiteral("100"), QStringLiteral("100"));
        f.figures(QStringLiteral("12.50"), QStringLiteral("3.10"));
        f.arm();
        QCOMPARE(f.main.details->Label35->text(),
                 QStringLiteral("Shutdown Computer will occur when DL is less then 100 KBs and UP "
                                "is less then 100 KBs"));
        QVERIFY(!f.main.schedule->Timer10->isActive()); // the speed method has no countdown
        f.time.advance(5 * kMinute - 1000);
        QCOMPARE(f.requests(), 0);
        f.time.advance(2000);
        QCOMPARE(f.requests(), 1);
        QVERIFY(!f.armed());
        QCOMPARE(f.main.fields.Text8.text(), QStringLiteral("0"));
    }

    void aFigureAboveItsThresholdStartsTheFiveMinutesAgain() {
        Armed f;
        f.speedMethod(QStringLiteral("100"), QStringLiteral("100"));
        f.figures(QStringLiteral("12.50"), QStringLiteral("3.10"));
        f.arm();
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

    void figuresEqualToTheThresholdLeaveTheCountAlone() {
        // Equal while counting: the count runs on.
        Armed counting;
        counting.speedMethod(QStringLiteral("50"), QStringLiteral("50"));
        counting.figures(QStringLiteral("12.00"), QStringLiteral("3.10"));
        counting.arm();
        counting.time.advance(kMinute);
        counting.figures(QStringLiteral("50.00"), QStringLiteral("3.10"));
        counting.time.advance(4 * kMinute + 2000);
        QCOMPARE(counting.requests(), 1);

        // Equal from the start: the count never starts.
        Armed idle;
        idle.speedMethod(QStringLiteral("50"), QStringLiteral("50"));
        idle.figures(QStringLiteral("50.00"), QStringLiteral("3.10"));
        idle.arm();
        idle.time.advance(10 * kMinute);
        QCOMPARE(idle.requests(), 0);
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
        f.speedMethod(QStringLiteral("100"), QStringLiteral("100"));
        f.figures(QStringLiteral("12.50"), QStringLiteral("3.10"));
        f.arm();
        f.time.advance(3 * kMinute);
        f.arm(); // disarm: the count goes on
        QVERIFY(!f.armed());
        QVERIFY(f.main.Timer4->isEnabled());
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
        QVERIFY(!f.main.schedule->Timer10->isActive());
        QTest::mouseClick(f.main.page->Option6, Qt::LeftButton);
        QVERIFY(f.main.schedule->Timer10->isActive());
        QCOMPARE(f.main.details->Label35->text(),
                 QStringLiteral("Shutdown Computer, will occur in: 44 Minutes, 29 Seconds"));
        f.time.advance(1000);
        QCOMPARE(f.main.details->Label35->text(),
                 QStringLiteral("Shutdown Computer, will occur in: 44 Minutes, 28 Seconds"));
    }

    void theFiringPerformsWhatIsSelectedThen() {
        Armed f(QStringLiteral("Go Into Standby"));
        f.scheduleAt(QTime(22, 15, 32));
        f.main.page->chkForce->setChecked(true);
        f.arm();
        f.main.page->CmbOption->setCurrentText(QStringLiteral("Restart Computer"));
        f.main.page->chkForce->setChecked(false);
        f.time.advance(2000);
        QCOMPARE(f.power.calls, (QStringList{u"ask reboot"_s, u"request reboot normal"_s}));
    }

    void runningAFileFromTheScheduleEndsDisarmed() {
        Armed f(QStringLiteral("Run A Specified File"));
        f.main.page->Text2->setText(QStringLiteral("/home/ann/report.pdf"));
        f.scheduleAt(QTime(22, 15, 31));
        f.arm();
        f.time.advance(5000);
        QCOMPARE(f.opener.opened, QStringList{u"/home/ann/report.pdf"_s});
        QVERIFY(!f.armed());
        QVERIFY(!f.main.page->Timer2->isActive());
    }

    void scheduledAlarmRingsAndItsSnoozeRingsAgainTenMinutesLater() {
        Armed f(QStringLiteral("Sound Wake-up Alarm"));
        f.main.alarm->Classic->setChecked(true);
        f.scheduleAt(QTime(22, 15, 33));
        f.arm();
        f.time.advance(2501); // the first tick of 22:15:33
        QCOMPARE(f.player.sounding(), QStringLiteral("/opt/nocturnia/Classic.wav"));
        QCOMPARE(f.player.calls.mid(0, 2), (QStringList{u"volume 100"_s, u"count 999"_s}));
        QVERIFY(!f.armed());
        AlarmStop* window = f.main.alarm->alarmStop();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Nocturnia: 10:15:33 PM Alarm Ringing..."));

        QTest::mouseClick(window->Label2, Qt::LeftButton);
        QVERIFY(!f.player.playing);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!f.main.alarm->alarmStop());
        f.time.advance(10 * kMinute);
        QVERIFY(!f.player.playing);
        f.time.advance(1);
        QCOMPARE(f.player.sounding(), QStringLiteral("/opt/nocturnia/Classic.wav"));
        QVERIFY(f.main.alarm->alarmStop() && f.main.alarm->alarmStop()->isVisible());
        QVERIFY(!f.main.Snooze->isEnabled());
    }

    void customSoundButtonFollowsTheCustomOption() {
        Armed f;
        QVERIFY(!f.main.alarm->dcButton2->isEnabled());
        f.main.alarm->Custom->setChecked(true);
        f.time.advance(1000);
        QVERIFY(f.main.alarm->dcButton2->isEnabled());
        f.main.alarm->Drums->setChecked(true);
        f.time.advance(1000);
        QVERIFY(!f.main.alarm->dcButton2->isEnabled());
    }
};

QTEST_MAIN(TestSchedule)
#include "tst_schedule.moc"
