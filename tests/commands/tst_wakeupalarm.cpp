#include "base/ClickableLabel.h"
#include "base/StateField.h"
#include "base/WindowRegistry.h"
#include "commands/AlarmStop.h"
#include "commands/WakeUpAlarm.h"
#include "controls/utimerCTL.h"
#include "support/ManualTime.h"
#include "support/RecordingAlarmPlayer.h"
#include "support/RecordingDialogs.h"
#include "support/RecordingErrors.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const qint64 kMinute = qint64(60) * 1000;

// The alarm panel in a window of its own, with a recording player and the snooze timer on a
// manual clock.
struct Panel {
    QWidget window;
    QFrame* frame = new QFrame(&window);
    RecordingAlarmPlayer player;
    RecordingDialogs dialogs;
    WindowRegistry windows;
    QString scheduleTime = QStringLiteral("7:30:00 AM");
    ManualTime time;
    RecordingErrors errors;
    nocturnia::utimerCTL Snooze{time, errors};
    WakeUpAlarm alarm;

    explicit Panel(const QString& programFolder = QStringLiteral("/opt/nocturnia"))
        : alarm(WakeUpAlarm::Links{*frame, player, dialogs, programFolder, windows,
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
        QCOMPARE(captions, (QStringList{u"Option1=Fire Alarm"_s, u"Option2=Nuclear Siren"_s,
                                        u"Option3=Police Siren"_s, u"Drums=Funky Drums"_s,
                                        u"Modern=Modern Alarm"_s, u"Cuckoo=Cuckoo Clock"_s,
                                        u"Classic=Classic Alarm"_s, u"Custom=Custom File"_s}));
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
        QTest::newRow("fire") << folder << u"Option1"_s << u""_s << u"/opt/nocturnia/Fire.mp3"_s;
        QTest::newRow("nuclear") << folder << u"Option2"_s << u""_s
                                 << u"/opt/nocturnia/Nuclear.mp3"_s;
        QTest::newRow("police") << folder << u"Option3"_s << u""_s << u"/opt/nocturnia/Siren.mp3"_s;
        QTest::newRow("drums") << folder << u"Drums"_s << u""_s << u"/opt/nocturnia/Drums.mp3"_s;
        QTest::newRow("modern") << folder << u"Modern"_s << u""_s << u"/opt/nocturnia/Modern.wav"_s;
        QTest::newRow("cuckoo") << folder << u"Cuckoo"_s << u""_s << u"/opt/nocturnia/Cuckoo.wav"_s;
        QTest::newRow("classic") << folder << u"Classic"_s << u""_s
                                 << u"/opt/nocturnia/Classic.wav"_s;
        QTest::newRow("custom, as typed")
            << folder << u"Custom"_s << u"/home/ann/My Songs/wake up.MP3"_s
            << u"/home/ann/My Songs/wake up.MP3"_s;
        QTest::newRow("custom before any file was chosen")
            << folder << u"Custom"_s << u""_s << u""_s;
        // The file name is appended to the folder unchanged, separator and all.
        QTest::newRow("program in the root folder")
            << u"/"_s << u"Option1"_s << u""_s << u"//Fire.mp3"_s;
    }
    void eachOptionPlaysItsSound() {
        QFETCH(QString, folder);
        QFETCH(QString, option);
        QFETCH(QString, customPath);
        QFETCH(QString, source);
        Panel p(folder);
        p.alarm.Text10.setText(customPath);
        p.option(option)->setChecked(true);
        p.alarm.PlayAlarmSound();
        QCOMPARE(p.player.calls,
                 (QStringList{u"volume 100"_s, u"count 999"_s, u"stop"_s,
                              u"playlist MyPlayList ''"_s, u"media '"_s + source + u"'"_s,
                              u"current MyPlayList ["_s + source + u"]"_s, u"play"_s}));
        QVERIFY(!p.alarm.alarmStop()); // the window is the wake-up alarm's, not the sound's
    }

    void optionsAreTestedInTheirOwnOrder() {
        // Were more than one selected, each would play in turn and the last would be heard.
        Panel p;
        p.alarm.sounds->setExclusive(false);
        for (const char* name : {"Option1", "Classic", "Option2", "Option3"})
            p.option(QString::fromLatin1(name))->setChecked(true);
        p.alarm.PlayAlarmSound();
        QCOMPARE(p.media(), (QStringList{u"media '/opt/nocturnia/Siren.mp3'"_s,
                                         u"media '/opt/nocturnia/Nuclear.mp3'"_s,
                                         u"media '/opt/nocturnia/Classic.wav'"_s,
                                         u"media '/opt/nocturnia/Fire.mp3'"_s}));
        QCOMPARE(p.player.sounding(), QStringLiteral("/opt/nocturnia/Fire.mp3"));
    }

    void testLabelPlaysAndStops() {
        Panel p;
        p.option(QStringLiteral("Cuckoo"))->setChecked(true);
        QTest::mouseClick(p.alarm.Label6, Qt::LeftButton);
        QCOMPARE(p.alarm.Label6->text(), QStringLiteral("Stop Playing Alarm Sound"));
        QCOMPARE(p.player.sounding(), QStringLiteral("/opt/nocturnia/Cuckoo.wav"));
        QCOMPARE(p.player.calls.mid(0, 2), (QStringList{u"volume 100"_s, u"count 999"_s}));
        QVERIFY(!p.alarm.alarmStop());

        // The custom file's label stops whatever plays and leaves the test caption alone.
        p.player.calls.clear();
        QTest::mouseClick(p.alarm.Label14, Qt::LeftButton);
        QCOMPARE(p.player.calls, QStringList{u"stop"_s});
        QCOMPARE(p.alarm.Label6->text(), QStringLiteral("Stop Playing Alarm Sound"));

        p.player.calls.clear();
        QTest::mouseClick(p.alarm.Label6, Qt::LeftButton);
        QCOMPARE(p.player.calls, (QStringList{u"volume 100"_s, u"count 999"_s, u"stop"_s}));
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
        QCOMPARE(
            p.dialogs.fileRequests,
            QStringList{u"Open Custom Alarm Sound|Sound Files (*.mp3, *.wav) (*.mp3 *.wav)"_s});
        QCOMPARE(p.alarm.Text10.text(), QStringLiteral("/home/ann/Music/Morning Birds.wav"));
        QCOMPARE(p.alarm.Label14->text(), QStringLiteral("Morning Birds.wav"));
        QVERIFY(p.alarm.Option1->isChecked());
        QVERIFY(p.player.calls.isEmpty());

        // A cancelled dialog changes nothing.
        QTest::mouseClick(p.alarm.dcButton2, Qt::LeftButton);
        QCOMPARE(p.dialogs.fileRequests.size(), 2);
        QCOMPARE(p.alarm.Text10.text(), QStringLiteral("/home/ann/Music/Morning Birds.wav"));
        QCOMPARE(p.alarm.Label14->text(), QStringLiteral("Morning Birds.wav"));
    }

    void alarmWindowCarriesTheScheduleDisplay_data() {
        QTest::addColumn<QString>("display");
        QTest::newRow("time and date") << u"7:30:00 AM"_s;
        QTest::newRow("speed") << u"< 50 KBs"_s;
    }
    void alarmWindowCarriesTheScheduleDisplay() {
        QFETCH(QString, display);
        Panel p;
        p.scheduleTime = display;
        p.alarm.SoundWakeUpAlarm();
        AlarmStop* window = p.alarm.alarmStop();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), u"Nocturnia: "_s + display + u" Alarm Ringing..."_s);
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
        QCOMPARE(p.player.calls.filter(QRegularExpression(u"^(stop|play)$"_s)),
                 (QStringList{u"stop"_s, u"play"_s}));
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](const QWidget* w) { return qobject_cast<const AlarmStop*>(w); }),
                 1);
    }

    void everyWayOfClosingStopsThePlayer_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("snoozing");
        QTest::newRow("dismiss") << u"dismiss"_s << false;
        QTest::newRow("snooze") << u"snooze"_s << true;
        QTest::newRow("close box") << u"close box"_s << false;
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
