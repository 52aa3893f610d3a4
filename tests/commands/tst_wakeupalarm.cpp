#include "AlarmStop.h"
#include "ClickableLabel.h"
#include "ErrorMessageSink.h"
#include "ManualTime.h"
#include "RecordingAlarmPlayer.h"
#include "RecordingDialogs.h"
#include "StateField.h"
#include "WakeUpAlarm.h"
#include "utimerCTL.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <algorithm>

namespace {

class NoErrors final : public nocturnia::ErrorMessageSink {
public:
    QStringList shown;
    void showError(const QString& text) override { shown << text; }
};

const qint64 kMinute = 60 * 1000;

// The alarm panel in a window of its own, with a recording player and the snooze timer on a
// manual clock.
struct Panel {
    QWidget window;
    QFrame* frame = new QFrame(&window);
    RecordingAlarmPlayer player;
    RecordingDialogs dialogs;
    StateField Text10{QString()};
    QString scheduleTime = QStringLiteral("7:30:00 AM");
    ManualTime time;
    NoErrors errors;
    nocturnia::utimerCTL Snooze{time, errors};
    WakeUpAlarm alarm;

    explicit Panel(const QString& programFolder = QStringLiteral("/opt/nocturnia"))
        : alarm(WakeUpAlarm::Links{*frame, player, dialogs, programFolder, Text10,
                                   [this] { return scheduleTime; }, Snooze}) {
        frame->setGeometry(8, 72, 481, 89);
        // As the main window's design has it.
        Snooze.setMinuteInterval(10);
        Snooze.setEnabled(false);
    }

    QRadioButton* option(const QString& name) const {
        return frame->findChild<QRadioButton*>(name);
    }
    QStringList media() const { return player.calls.filter(QStringLiteral("media")); }
    int plays() const { return int(player.calls.count(QStringLiteral("play"))); }
    // Lets a closed alarm window finish unloading.
    static void unloadClosedWindows() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void snoozeFromAlarmWindow() {
        alarm.SoundWakeUpAlarm();
        QTest::mouseClick(alarm.alarmStop()->Label2, Qt::LeftButton);
        unloadClosedWindows();
    }
};

} // namespace

class TestWakeUpAlarm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void panelStartsAsDesigned() {
        Panel p;
        QStringList captions;
        for (QAbstractButton* button : p.alarm.sounds->buttons())
            captions << button->objectName() + QLatin1Char('=') + button->text();
        QCOMPARE(captions,
                 (QStringList{"Option1=Fire Alarm", "Option2=Nuclear Siren", "Option3=Police Siren",
                              "Drums=Funky Drums", "Modern=Modern Alarm", "Cuckoo=Cuckoo Clock",
                              "Classic=Classic Alarm", "Custom=Custom File"}));
        QVERIFY(p.alarm.sounds->exclusive());
        QVERIFY(p.alarm.Option1->isChecked());
        QCOMPARE(p.alarm.Label6->text(), QStringLiteral("Test Selected Alarm Sound"));
        QCOMPARE(p.alarm.dcButton2->text(), QStringLiteral("Browse For A Custom Music File"));
        QCOMPARE(p.alarm.Label14->text(), QStringLiteral("No Custom Alarm Has Been Selected"));
        // Everything fits inside the panel.
        for (QWidget* child : p.frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(p.frame->rect().contains(child->geometry()), qPrintable(child->objectName()));
    }

    void eachOptionPlaysItsSound_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("customPath");
        QTest::addColumn<QString>("source");
        const QString folder = QStringLiteral("/opt/nocturnia");
        QTest::newRow("fire") << folder << "Option1"
                              << ""
                              << "/opt/nocturnia/Fire.mp3";
        QTest::newRow("nuclear") << folder << "Option2"
                                 << ""
                                 << "/opt/nocturnia/Nuclear.mp3";
        QTest::newRow("police") << folder << "Option3"
                                << ""
                                << "/opt/nocturnia/Siren.mp3";
        QTest::newRow("drums") << folder << "Drums"
                               << ""
                               << "/opt/nocturnia/Drums.mp3";
        QTest::newRow("modern") << folder << "Modern"
                                << ""
                                << "/opt/nocturnia/Modern.wav";
        QTest::newRow("cuckoo") << folder << "Cuckoo"
                                << ""
                                << "/opt/nocturnia/Cuckoo.wav";
        QTest::newRow("classic") << folder << "Classic"
                                 << ""
                                 << "/opt/nocturnia/Classic.wav";
        QTest::newRow("custom, as typed") << folder << "Custom"
                                          << "/home/ann/My Songs/wake up.MP3"
                                          << "/home/ann/My Songs/wake up.MP3";
        QTest::newRow("custom before any file was chosen") << folder << "Custom"
                                                           << ""
                                                           << "";
        // The file name is appended to the folder unchanged, separator and all.
        QTest::newRow("program in the root folder") << "/"
                                                    << "Option1"
                                                    << ""
                                                    << "//Fire.mp3";
    }
    void eachOptionPlaysItsSound() {
        QFETCH(QString, folder);
        QFETCH(QString, option);
        QFETCH(QString, customPath);
        QFETCH(QString, source);
        Panel p(folder);
        p.Text10.setText(customPath);
        p.option(option)->setChecked(true);
        p.alarm.PlayAlarmSound();
        QCOMPARE(p.player.calls, (QStringList{"volume 100", "count 999", "stop",
                                              "playlist MyPlayList ''", "media '" + source + "'",
                                              "current MyPlayList [" + source + "]", "play"}));
        QVERIFY(!p.alarm.alarmStop()); // the window is the wake-up alarm's, not the sound's
    }

    void optionsAreTestedInTheirOwnOrder() {
        // Were more than one selected, each would play in turn and the last would be heard.
        Panel p;
        p.alarm.sounds->setExclusive(false);
        for (const char* name : {"Option1", "Classic", "Option2", "Option3"})
            p.option(QString::fromLatin1(name))->setChecked(true);
        p.alarm.PlayAlarmSound();
        QCOMPARE(
            p.media(),
            (QStringList{"media '/opt/nocturnia/Siren.mp3'", "media '/opt/nocturnia/Nuclear.mp3'",
                         "media '/opt/nocturnia/Classic.wav'", "media '/opt/nocturnia/Fire.mp3'"}));
        QCOMPARE(p.player.sounding(), QStringLiteral("/opt/nocturnia/Fire.mp3"));
    }

    void testLabelPlaysAndStops() {
        Panel p;
        p.option(QStringLiteral("Cuckoo"))->setChecked(true);
        QTest::mouseClick(p.alarm.Label6, Qt::LeftButton);
        QCOMPARE(p.alarm.Label6->text(), QStringLiteral("Stop Playing Alarm Sound"));
        QCOMPARE(p.player.sounding(), QStringLiteral("/opt/nocturnia/Cuckoo.wav"));
        QCOMPARE(p.player.calls.mid(0, 2), (QStringList{"volume 100", "count 999"}));
        QVERIFY(!p.alarm.alarmStop());

        // The custom file's label stops whatever plays and leaves the test caption alone.
        p.player.calls.clear();
        QTest::mouseClick(p.alarm.Label14, Qt::LeftButton);
        QCOMPARE(p.player.calls, QStringList{"stop"});
        QCOMPARE(p.alarm.Label6->text(), QStringLiteral("Stop Playing Alarm Sound"));

        p.player.calls.clear();
        QTest::mouseClick(p.alarm.Label6, Qt::LeftButton);
        QCOMPARE(p.player.calls, (QStringList{"volume 100", "count 999", "stop"}));
        QCOMPARE(p.alarm.Label6->text(), QStringLiteral("Test Selected Alarm Sound"));
    }

    void alarmDuringATestReplacesItsSound() {
        Panel p;
        QTest::mouseClick(p.alarm.Label6, Qt::LeftButton);
        p.option(QStringLiteral("Classic"))->setChecked(true);
        p.alarm.SoundWakeUpAlarm();
        QCOMPARE(p.player.sounding(), QStringLiteral("/opt/nocturnia/Classic.wav"));
        QCOMPARE(p.alarm.Label6->text(), QStringLiteral("Stop Playing Alarm Sound"));
        // The test label's next click stops the alarm; the alarm window stays open.
        QTest::mouseClick(p.alarm.Label6, Qt::LeftButton);
        QVERIFY(!p.player.playing);
        QVERIFY(p.alarm.alarmStop() && p.alarm.alarmStop()->isVisible());
    }

    void customFileIsChosenButNotSelected() {
        Panel p;
        p.dialogs.fileAnswers = {QStringLiteral("/home/ann/Music/Morning Birds.wav")};
        QTest::mouseClick(p.alarm.dcButton2, Qt::LeftButton);
        QCOMPARE(p.dialogs.fileRequests,
                 QStringList{"Open Custom Alarm Sound|Sound Files (*.mp3, *.wav) (*.mp3 *.wav)"});
        QCOMPARE(p.Text10.text(), QStringLiteral("/home/ann/Music/Morning Birds.wav"));
        QCOMPARE(p.alarm.Label14->text(), QStringLiteral("Morning Birds.wav"));
        QVERIFY(p.alarm.Option1->isChecked());
        QVERIFY(p.player.calls.isEmpty());

        // A cancelled dialog changes nothing.
        QTest::mouseClick(p.alarm.dcButton2, Qt::LeftButton);
        QCOMPARE(p.dialogs.fileRequests.size(), 2);
        QCOMPARE(p.Text10.text(), QStringLiteral("/home/ann/Music/Morning Birds.wav"));
        QCOMPARE(p.alarm.Label14->text(), QStringLiteral("Morning Birds.wav"));
    }

    void alarmWindowCarriesTheScheduleDisplay_data() {
        QTest::addColumn<QString>("display");
        QTest::newRow("time and date") << "7:30:00 AM";
        QTest::newRow("speed") << "< 50 KBs";
    }
    void alarmWindowCarriesTheScheduleDisplay() {
        QFETCH(QString, display);
        Panel p;
        p.scheduleTime = display;
        p.alarm.SoundWakeUpAlarm();
        AlarmStop* window = p.alarm.alarmStop();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), "Nocturnia: " + display + " Alarm Ringing...");
        QVERIFY(!window->parentWidget());
        const QPoint middle = window->screen()->availableGeometry().center();
        QVERIFY((window->frameGeometry().center() - middle).manhattanLength() <= 1);
        QCOMPARE(window->Label1->text(), QStringLiteral("Dismiss Alarm"));
        QCOMPARE(window->Label2->text(), QStringLiteral("Snooze"));
        for (const ClickableLabel* label : {window->Label1, window->Label2})
            QCOMPARE(label->width(), window->width());
        QVERIFY(window->Label2->y() > window->Label1->y());
    }

    void aSecondAlarmRestartsTheSoundInTheSameWindow() {
        Panel p;
        p.alarm.SoundWakeUpAlarm();
        AlarmStop* first = p.alarm.alarmStop();
        p.scheduleTime = QStringLiteral("8:00:00 AM");
        p.player.calls.clear();
        p.alarm.SoundWakeUpAlarm();
        QCOMPARE(p.alarm.alarmStop(), first);
        QCOMPARE(first->windowTitle(), QStringLiteral("Nocturnia: 7:30:00 AM Alarm Ringing..."));
        QCOMPARE(p.player.calls.filter(QRegularExpression("^(stop|play)$")),
                 (QStringList{"stop", "play"}));
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](const QWidget* w) { return qobject_cast<const AlarmStop*>(w); }),
                 1);
    }

    void everyWayOfClosingStopsThePlayer_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("snoozing");
        QTest::newRow("dismiss") << "dismiss" << false;
        QTest::newRow("snooze") << "snooze" << true;
        QTest::newRow("close box") << "close box" << false;
    }
    void everyWayOfClosingStopsThePlayer() {
        QFETCH(QString, how);
        QFETCH(bool, snoozing);
        Panel p;
        p.alarm.SoundWakeUpAlarm();
        AlarmStop* window = p.alarm.alarmStop();
        if (how == QLatin1String("dismiss"))
            QTest::mouseClick(window->Label1, Qt::LeftButton);
        else if (how == QLatin1String("snooze"))
            QTest::mouseClick(window->Label2, Qt::LeftButton);
        else
            window->close();
        QVERIFY(!p.player.playing);
        Panel::unloadClosedWindows();
        QVERIFY(!p.alarm.alarmStop());
        QCOMPARE(p.Snooze.isEnabled(), snoozing);
    }

    void snoozeRingsOnceTenMinutesLater() {
        Panel p;
        p.snoozeFromAlarmWindow();
        p.scheduleTime = QStringLiteral("7:40:00 AM");
        const int before = p.plays();
        // The count's first minute tick comes 1 ms after the click.
        p.time.advance(10 * kMinute);
        QCOMPARE(p.plays(), before);
        QVERIFY(!p.alarm.alarmStop());
        p.time.advance(1);
        QCOMPARE(p.plays(), before + 1);
        QVERIFY(p.player.playing);
        // A window loaded anew, with its caption built again.
        QVERIFY(p.alarm.alarmStop() && p.alarm.alarmStop()->isVisible());
        QCOMPARE(p.alarm.alarmStop()->windowTitle(),
                 QStringLiteral("Nocturnia: 7:40:00 AM Alarm Ringing..."));
        QVERIFY(!p.Snooze.isEnabled());
        // Exactly one repeat per click.
        p.time.advance(60 * kMinute);
        QCOMPARE(p.plays(), before + 1);
    }

    void snoozeDuringARunningCountKeepsTheFirstCount() {
        Panel p;
        p.snoozeFromAlarmWindow();
        p.time.advance(4 * kMinute);
        p.snoozeFromAlarmWindow(); // another alarm, snoozed while the count runs
        const int before = p.plays();
        p.time.advance(6 * kMinute + 1);
        QCOMPARE(p.plays(), before + 1);
        p.time.advance(10 * kMinute);
        QCOMPARE(p.plays(), before + 1);
    }

    void dismissingAnotherAlarmLeavesTheSnoozeRunning() {
        Panel p;
        p.snoozeFromAlarmWindow();
        p.time.advance(3 * kMinute);
        p.alarm.SoundWakeUpAlarm();
        QTest::mouseClick(p.alarm.alarmStop()->Label1, Qt::LeftButton);
        Panel::unloadClosedWindows();
        QVERIFY(p.Snooze.isEnabled());
        const int before = p.plays();
        p.time.advance(7 * kMinute + 1);
        QCOMPARE(p.plays(), before + 1);
        QVERIFY(p.alarm.alarmStop());
    }
};

QTEST_MAIN(TestWakeUpAlarm)
#include "tst_wakeupalarm.moc"
