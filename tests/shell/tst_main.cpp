#include "base/AppIcon.h"
#include "base/ClickableLabel.h"
#include "base/FolderChooser.h"
#include "commands/AlarmStop.h"
#include "commands/SilentAlarm.h"
#include "conventions/ControlHosting.h"
#include "conventions/DateSerial.h"
#include "conventions/Timer.h"
#include "platform/PluginControlLoader.h"
#include "shell/LoadSequence.h"
#include "shell/Main.h"
#include "support/MainFixture.h"
#include "support/RecordingDialogs.h"
#include "support/RecordingFileOpener.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <memory>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

class TestMain : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void regionsStandAtTheirDesignPlaces() {
        Fixture f;
        Main& main = f.make();
        QCOMPARE(main.size(), QSize(688, 463));
        QCOMPARE(main.windowTitle(), QStringLiteral("Nocturnia"));
        const struct {
            QGroupBox* frame;
            const char* caption;
            QRect geometry;
        } regions[] = {
            {main.Frame7, "Navigation Menu", QRect(8, 88, 169, 129)},
            {main.Frame11, "Schedule Details", QRect(8, 224, 169, 185)},
            {main.Frame8, "Automatic Commands", QRect(184, 88, 497, 321)},
            {main.Frame5, "Ostrel Wireless Technologies", QRect(184, 88, 497, 321)},
            {main.Frame13, "Schedule Countdown", QRect(8, 416, 673, 41)},
        };
        for (const auto& region : regions) {
            QCOMPARE(region.frame->title(), QString::fromLatin1(region.caption));
            QCOMPARE(region.frame->geometry(), region.geometry);
        }
        QVERIFY(!main.Frame8->isHidden());
        QVERIFY(main.Frame5->isHidden());
        QCOMPARE(main.Label49->geometry(), QRect(488, 8, 97, 25));
        QCOMPARE(main.Label48->geometry(), QRect(592, 8, 89, 25));
        QCOMPARE(main.details->Label35->text(),
                 QStringLiteral("This schedule point has been reached!"));
    }

    void hiddenFieldsHoldTheirDesignValues() {
        Fixture f;
        Main& main = f.make();
        const QList<std::pair<const StateField*, const char*>> fields{
            {&main.fields.Text8, "0"},
            {&main.schedule->Text9, "0"},
            {&main.alarm->Text10, ""},
            {&main.fields.Label5, "Inactive"},
            {&main.fields.lblActive, "The Trigger Is Deactivated"},
            {&main.schedule->Label10, "Time Difference"},
            {&main.speed.Label37, "Label37"},
            {&main.speed.Label42, "Label42"},
            {&main.schedule->Label43, "Label43"},
            {&main.schedule->Label44, "Label44"},
        };
        for (const auto& [field, design] : fields)
            QCOMPARE(field->text(), QString::fromLatin1(design));
        QCOMPARE(main.speed.Label37.number(), 0.0);

        QSignalSpy changed(&main.fields.Text8, &StateField::changed);
        main.fields.Text8.setText(QStringLiteral("1"));
        main.fields.Text8.setText(QStringLiteral("1"));
        QCOMPARE(changed.count(), 1);
    }

    void timersHaveTheirDesignIntervalsAndStates() {
        Fixture f;
        Main& main = f.load();
        const struct {
            conv::Timer* timer;
            int interval;
            bool running;
        } timers[] = {
            {main.page->Timer2.get(), 1, false},
            {main.schedule->Timer3.get(), 10, true},
            {main.schedule->Timer10.get(), 500, true},
        };
        for (const auto& t : timers) {
            QCOMPARE(t.timer->interval(), t.interval);
            QCOMPARE(t.timer->isActive(), t.running);
        }
        for (const nocturnia::utimerCTL* interval : {main.Timer4, main.Snooze})
            QVERIFY(!interval->isEnabled());
        QCOMPARE(main.Timer4->minuteInterval(), 5);
        QCOMPARE(main.Snooze->minuteInterval(), 10);
    }

    void firstStartLeavesTheDesignValues() {
        Fixture f;
        Main& main = f.load();
        QCOMPARE(main.wireless->BrowseFolder1->path(), QString());
        QCOMPARE(main.wireless->Check1->checkState(), Qt::Unchecked);
        QCOMPARE(main.wireless->Check6->checkState(), Qt::Unchecked);
        QVERIFY(!QFile::exists(f.settings.filePath())); // nothing written at start
        // Without the control library the picker step is skipped, a plain date field stands
        // in, and the rest goes on.
        QCOMPARE(f.controls.askedFor, QStringLiteral("KiroXPControls2.KiroXPDTPicker"));
        QVERIFY(qobject_cast<QDateEdit*>(main.KiroXPDTPicker1));
        QCOMPARE(main.loadReport(), (QStringList{u"icon"_s, u"hide"_s, u"splash"_s, u"folder"_s,
                                                 u"tidelink"_s, u"farcall"_s, u"command list"_s,
                                                 u"power controller"_s, u"connection list"_s,
                                                 u"time picker"_s, u"sockets"_s, u"listening"_s}));
        QCOMPARE(main.page->DT->time(), QTime(22, 15, 30));
    }

    void storedSettingsAreApplied_data() {
        QTest::addColumn<QString>("tidelink");
        QTest::addColumn<QString>("farcall");
        QTest::addColumn<int>("check1");
        QTest::addColumn<int>("check6");
        QTest::addColumn<bool>("tidelinkStepDone");
        QTest::newRow("both on") << u"1"_s << u"1"_s << int(Qt::Checked) << int(Qt::Checked)
                                 << true;
        QTest::newRow("off") << u"0"_s << u" 1 "_s << int(Qt::Unchecked) << int(Qt::Checked)
                             << true;
        QTest::newRow("grey") << u"2"_s << u"0"_s << int(Qt::PartiallyChecked) << int(Qt::Unchecked)
                              << true;
        QTest::newRow("words keep the design")
            << u"True"_s << u"1"_s << int(Qt::Unchecked) << int(Qt::Checked) << false;
        QTest::newRow("out of range")
            << u"7"_s << u"abc"_s << int(Qt::Unchecked) << int(Qt::Unchecked) << false;
    }
    void storedSettingsAreApplied() {
        QFETCH(QString, tidelink);
        QFETCH(QString, farcall);
        QFETCH(int, check1);
        QFETCH(int, check6);
        QFETCH(bool, tidelinkStepDone);
        Fixture f;
        f.settings.write(u"Nocturnia"_s, u"Settings"_s, u"Folder"_s, u"/srv/incoming"_s);
        f.settings.write(u"Nocturnia"_s, u"Settings"_s, u"Tidelink"_s, tidelink);
        f.settings.write(u"nocturnia"_s, u"settings"_s, u"farcallmobile"_s, farcall);
        Main& main = f.load();
        QCOMPARE(main.wireless->BrowseFolder1->path(), QStringLiteral("/srv/incoming"));
        QCOMPARE(int(main.wireless->Check1->checkState()), check1);
        QCOMPARE(int(main.wireless->Check6->checkState()), check6);
        QCOMPARE(main.loadReport().contains(QStringLiteral("tidelink")), tidelinkStepDone);
        QVERIFY(main.loadReport().contains(QStringLiteral("time picker")));
    }

    void datePickerTakesItsDesignThenToday() {
        Fixture f;
        Main& main = f.loadWithPicker();
        QCOMPARE(main.KiroXPDTPicker1, f.controls.made);
        QCOMPARE(main.KiroXPDTPicker1->parentWidget(), main.page->Frame12);
        FakePicker& picker = *f.controls.made;
        QCOMPARE(
            picker.calls,
            (QStringList{u"readProperties"_s, u"Text=12/9/2026"_s,
                         QStringLiteral("Value=%1").arg(conv::toDateSerial(QDate(2026, 12, 9)))}));
        QCOMPARE(picker.design.readString(QStringLiteral("FormatDate"), {}),
                 QStringLiteral("m/dd/yy"));
        QCOMPARE(picker.design.readInt32(QStringLiteral("Value"), 0), 40248);
        QCOMPARE(picker.design.readString(QStringLiteral("Text"), {}), QStringLiteral("3/11/16"));
        QCOMPARE(picker.design.readFont(QStringLiteral("Font"), {}).family,
                 QStringLiteral("Tahoma"));
        QVERIFY(main.loadReport().contains(QStringLiteral("date picker")));
    }

    void realDatePickerShowsTodayInItsOwnPattern() {
        // The control library as shipped, beside the test executables.
        Fixture f;
        PluginControlLoader library(QCoreApplication::applicationDirPath() +
                                        QStringLiteral("/libdatora.so"),
                                    f.time, f.time);
        f.main = std::make_unique<Main>(f.services(library));
        Main& main = *f.main;
        main.Form_Load();
        QVERIFY(main.loadReport().contains(QStringLiteral("date picker")));
        QVERIFY(main.KiroXPDTPicker1);
        QCOMPARE(main.KiroXPDTPicker1->property("Value").toInt(),
                 conv::toDateSerial(QDate(2026, 12, 9)));
        QCOMPARE(main.KiroXPDTPicker1->property("Text").toString(), QStringLiteral("12/09/26"));
        QCOMPARE(main.KiroXPDTPicker1->property("FormatDate").toString(),
                 QStringLiteral("m/dd/yy"));
    }

    void splashGivesWayToTheMainWindowAfter4000ms() {
        Fixture f;
        Main& main = f.load();
        QPointer<Splash> splash = main.splash();
        QVERIFY(splash && splash->isVisible());
        QCOMPARE(splash->size(), QSize(502, 271));
        QVERIFY(!main.isVisible());
        f.time.advance(3999);
        QVERIFY(splash->isVisible());
        QVERIFY(!main.isVisible());
        f.time.advance(1);
        QVERIFY(main.isVisible());
        QTRY_VERIFY(splash.isNull()); // unloaded, not just hidden
    }

    void closeBoxEndsTheProgram() {
        Fixture f;
        Main& main = f.load();
        QPointer<Splash> splash = main.splash();
        QStringList order;
        main.setCleanupStep(Main::CleanupStep::CloseListener, [&] { order << u"listener"_s; });
        main.setCleanupStep(Main::CleanupStep::RemoveTrayIcon, [&] { order << u"tray"_s; });
        main.setCleanupStep(Main::CleanupStep::StopPlayer, [&] {
            order << u"player"_s;
            throw std::runtime_error("no player"); // a failing step does not stop the others
        });
        QSignalSpy unloaded(&main, &Main::unloaded);
        main.show();
        QVERIFY(main.close());
        QCOMPARE(unloaded.count(), 1);
        QCOMPARE(order, (QStringList{u"tray"_s, u"player"_s, u"listener"_s}));
        QVERIFY(!main.isVisible());
        QTRY_VERIFY(splash.isNull());
        QCOMPARE(f.time.activeTimerCount(), 0);
        QVERIFY(!QFile::exists(f.settings.filePath())); // nothing written on the way out
    }

    void exitFromTheMenuRunsTheCleanupOnce() {
        Fixture f;
        Main& main = f.load();
        int cleanups = 0;
        main.setCleanupStep(Main::CleanupStep::StopPlayer, [&] { ++cleanups; });
        QSignalSpy unloaded(&main, &Main::unloaded);
        main.mnuExit_Click();
        main.close(); // the unload that follows does not clean up again
        QCOMPARE(cleanups, 1);
        QCOMPARE(unloaded.count(), 1);
    }

    void exitSilencesTheAlarmAndClosesItsWindow() {
        Fixture f;
        Main& main = f.load();
        main.page->CmbOption->setCurrentText(QStringLiteral("Sound Wake-up Alarm"));
        main.PerformSelectedCommand();
        QPointer<AlarmStop> window = main.alarm->alarmStop();
        QVERIFY(f.player.playing && window && window->isVisible());
        main.mnuExit_Click();
        QVERIFY(!f.player.playing);
        QTRY_VERIFY(window.isNull());
    }

    void exitClosesOnlyTheProgramsOwnWindows() {
        Fixture f;
        Main& main = f.load();
        QWidget foreign; // another component's window in the same process
        foreign.show();
        main.page->CmbOption->setCurrentText(QStringLiteral("Display A Notification"));
        main.PerformSelectedCommand();
        QPointer<SilentAlarm> notification = main.commands().silentAlarm();
        QVERIFY(notification && notification->isVisible());
        main.mnuExit_Click();
        QTRY_VERIFY(notification.isNull());
        QVERIFY(foreign.isVisible());
    }

    void helpAndDocumentsOpenFromTheProgramFolder() {
        Fixture f;
        Main& main = f.load();
        QTest::keyClick(&main, Qt::Key_F1);
        QTest::keyClick(&main, Qt::Key_F2);
        QTest::mouseClick(main.Label49, Qt::LeftButton);
        QTest::mouseClick(main.Label48, Qt::LeftButton);
        QTest::mouseClick(main.Label48, Qt::RightButton);
        QCOMPARE(f.opener.opened,
                 (QStringList{u"/opt/nocturnia/Help.chm"_s, u"/opt/nocturnia/Help.chm"_s,
                              u"/opt/nocturnia/Leafwise Campaign.pdf"_s}));
    }

    void navigationSwitchesPagesAndExits() {
        Fixture f;
        Main& main = f.load();
        main.show();
        QTest::mouseClick(main.Label9, Qt::LeftButton);
        QVERIFY(main.Frame8->isHidden());
        QVERIFY(!main.Frame5->isHidden());
        QTest::mouseClick(main.Label28, Qt::LeftButton);
        QVERIFY(!main.Frame8->isHidden());
        QVERIFY(main.Frame5->isHidden());
        QSignalSpy unloaded(&main, &Main::unloaded);
        QTest::mouseClick(main.Label8, Qt::LeftButton);
        QCOMPARE(unloaded.count(), 1);
    }

    void windowIconHasEverySize() {
        QWidget owner;
        QWidget window(&owner, Qt::Window);
        SetAppIcon(&window, QStringLiteral("AAA"), true);
        const QList<QSize> sizes = window.windowIcon().availableSizes();
        for (int side : {16, 24, 32, 48, 64, 96, 128, 256})
            QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
        QCOMPARE(owner.windowIcon().availableSizes(), sizes);

        QWidget plain;
        const qint64 before = plain.windowIcon().cacheKey();
        SetAppIcon(&plain, QStringLiteral("NoSuchIcon"), true);
        QCOMPARE(plain.windowIcon().cacheKey(), before);
    }

    void commandListIsFilledAndThePromptSelected_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("entries");
        QTest::newRow("yes") << u"yes"_s << 9;
        QTest::newRow("challenge") << u"challenge"_s << 9;
        QTest::newRow("no") << u"no"_s << 8;
        QTest::newRow("no answer") << u""_s << 8;
    }
    void commandListIsFilledAndThePromptSelected() {
        QFETCH(QString, answer);
        QFETCH(int, entries);
        Fixture f;
        f.power.hibernateAnswer = answer;
        Main& main = f.load();
        QComboBox& list = *main.page->CmbOption;
        QCOMPARE(list.currentIndex(), 0);
        QCOMPARE(list.currentText(), QStringLiteral("Please Select A Command"));
        QCOMPARE(list.count(), entries);
        QCOMPARE(list.findText(QStringLiteral("Go Into Hibernation")) >= 0, entries == 9);
        QCOMPARE(list.findText(QStringLiteral("Run A Specified File")), entries - 3);
        QVERIFY(main.page->chkForce->isHidden());
        QVERIFY(!main.page->Frame4->isHidden());
    }

    void powerCommandsReachThePowerService_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("force");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("shutdown") << u"Shutdown Computer"_s << false
                                  << QStringList{u"ask power off"_s, u"request power off normal"_s};
        QTest::newRow("forced restart") << u"Restart Computer"_s << true
                                        << QStringList{u"ask reboot"_s, u"request reboot forced"_s};
        QTest::newRow("forced log off")
            << u"Log Off Windows"_s << true
            << QStringList{u"ask log off"_s, u"request log off forced"_s};
        QTest::newRow("standby") << u"Go Into Standby"_s << false
                                 << QStringList{u"ask suspend"_s, u"request suspend normal"_s};
        QTest::newRow("hibernation")
            << u"Go Into Hibernation"_s << true
            << QStringList{u"ask hibernate"_s, u"request hibernate forced"_s};
    }
    void powerCommandsReachThePowerService() {
        QFETCH(QString, command);
        QFETCH(bool, force);
        QFETCH(QStringList, calls);
        Fixture f;
        f.power.hibernateAnswer = QStringLiteral("yes");
        Main& main = f.load();
        main.page->CmbOption->setCurrentText(command);
        main.page->chkForce->setChecked(force);
        f.power.calls.clear();
        main.PerformSelectedCommand();
        QCOMPARE(f.power.calls, calls);
    }

    void speedMethodHidesTheCountdownStrip() {
        Fixture f;
        Main& main = f.load();
        main.show();
        QTest::mouseClick(main.page->Option5, Qt::LeftButton);
        QCOMPARE(main.height(), main.Frame13->y()); // the strip sits just below the window's edge
        QTest::mouseClick(main.page->Option6, Qt::LeftButton);
        QCOMPARE(main.height(), 463);
        QCOMPARE(main.Frame13->geometry().bottom() + 1 <= main.height(), true);
    }

    void runningAFileLaunchesOnceAndTogglesTheSchedule() {
        Fixture f;
        Main& main = f.load();
        main.page->CmbOption->setCurrentText(QStringLiteral("Run A Specified File"));
        main.page->Text2->setText(QStringLiteral("/home/ann/backup.sh"));
        main.page->DT->setTime(QTime(23, 0)); // not this very second: arming must not fire
        QTest::mouseClick(main.page->CmdActive, Qt::LeftButton);
        QVERIFY(main.page->Timer2->isActive());
        main.PerformSelectedCommand();
        QCOMPARE(f.opener.opened, QStringList{u"/home/ann/backup.sh"_s});
        QCOMPARE(main.page->CmdActive->text(), QStringLiteral("Schedule Command"));
        QVERIFY(!main.page->Timer2->isActive());
        QCOMPARE(main.fields.Label5.text(), QStringLiteral("Inactive"));
        main.PerformSelectedCommand(); // from a disarmed state the toggle arms
        QCOMPARE(main.page->CmdActive->text(), QStringLiteral("Disable Schedule"));
        QCOMPARE(f.opener.opened.size(), 2);
    }

    void notificationWindowShowsOneInstance() {
        Fixture f;
        Main& main = f.load();
        main.page->CmbOption->setCurrentText(QStringLiteral("Display A Notification"));
        main.PerformSelectedCommand();
        QPointer<SilentAlarm> window = main.commands().silentAlarm();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Nocturnia Veloxa Notification Display"));
        QCOMPARE(window->Text1->toPlainText(), QStringLiteral("No Notification To Display"));
        QVERIFY(window->Text1->isReadOnly());
        QVERIFY(!window->windowIcon().isNull());

        // While open it keeps what it was loaded with.
        main.page->Text11->setText(QStringLiteral("Backup"));
        main.page->Text12->setPlainText(QStringLiteral("  Change the tape\nthen go home "));
        main.PerformSelectedCommand();
        QCOMPARE(main.commands().silentAlarm(), window.data());
        QCOMPARE(window->windowTitle(), QStringLiteral("Nocturnia Veloxa Notification Display"));

        window->close();
        QTRY_VERIFY(window.isNull());
        main.PerformSelectedCommand();
        QVERIFY(main.commands().silentAlarm());
        QCOMPARE(main.commands().silentAlarm()->windowTitle(), QStringLiteral("Backup"));
        QCOMPARE(main.commands().silentAlarm()->Text1->toPlainText(),
                 QStringLiteral("  Change the tape\nthen go home "));

        // A title of blanks is not empty; an empty title with a text gives the default caption.
        main.commands().silentAlarm()->close();
        QTRY_VERIFY(!main.commands().silentAlarm());
        main.page->Text11->setText(QString());
        main.PerformSelectedCommand();
        QCOMPARE(main.commands().silentAlarm()->windowTitle(),
                 QStringLiteral("Nocturnia Veloxa Notification Display"));
        QCOMPARE(main.commands().silentAlarm()->Text1->toPlainText(),
                 QStringLiteral("  Change the tape\nthen go home "));
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
        f.time.setNow(now);
        Main& main = f.loadWithPicker();
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
        PluginControlLoader missing(f.dir.filePath(QStringLiteral("libdatora.so")), f.time, f.time);
        Main main(f.services(missing));
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

    void loadSequenceSkipsFailingSteps() {
        LoadSequence load;
        QStringList ran;
        load.add(QStringLiteral("a"), [&] {
            ran << u"a"_s;
            return true;
        });
        load.add(QStringLiteral("b"), [&]() -> bool {
            ran << u"b"_s;
            throw std::runtime_error("broken");
        });
        load.add(QStringLiteral("c"), [&] {
            ran << u"c"_s;
            return false;
        });
        load.add(QStringLiteral("d"), [&] {
            ran << u"d"_s;
            return true;
        });
        QCOMPARE(load.run(), (QStringList{u"a"_s, u"d"_s}));
        QCOMPARE(ran, (QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s}));
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
