// The sound activation console in a main window with doubles outside it: a scripted sound
// input whose blocks the test finishes, on a manual clock.
#include "commands/CommandCatalogue.h"
#include "controls/XP_ProgressBar.h"
#include "controls/ucHistogram.h"
#include "sound/Form1.h"
#include "sound/UpDown.h"
#include "support/MainFixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// A loaded main window with the console open and past its start delay.
struct Console {
    Fixture f;
    Main* main = nullptr;
    Form1* form = nullptr;

    explicit Console(bool pastDelay = true) {
        main = &f.loadWithPicker();
        main->page->CmbOption->setCurrentText(CommandCatalogue::kStandby);
        main->openSoundConsole();
        form = main->soundConsole();
        if (pastDelay)
            f.time.advance(3000);
    }
    // How often the selected command was performed.
    int requests() const { return int(f.power.calls.filter(u"request suspend"_s).size()); }
    // One block of this level, measured by the next sampling tick.
    void block(int level) {
        f.audio.finishLevel(level);
        f.time.advance(70);
    }
};

} // namespace

class TestSoundConsole : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsWithDesignValuesAndStartsRecording() {
        Console c(false);
        Form1& form = *c.form;
        QCOMPARE(form.windowTitle(), u"Veloxa Audio Sensitive Activation"_s);
        QCOMPARE(c.f.audio.calls, QStringList{u"open 3000"_s});
        QCOMPARE(form.Frame4->title(), u"Noise (Including Background Noise)"_s);
        QCOMPARE(form.ucHistogram1->max(), 130);
        QCOMPARE(form.ucHistogram1->numberOfPoints(), 70);
        QCOMPARE(form.ProgressBar1->max(), 128);
        QCOMPARE(form.XP_ProgressBar2->max(), 128);
        QCOMPARE(form.XP_ProgressBar2->value(), 79); // 80 kept as 62 % of 128
        QCOMPARE(form.Text5->text(), u"80"_s);
        QCOMPARE(form.Text7->text(), u"0"_s);
        QCOMPARE(form.UpDown1->maximum(), 128);
        QCOMPARE(form.UpDown1->increment(), 5);
        QCOMPARE(form.UpDown2->maximum(), 100);
        QCOMPARE(form.Label9->text(), u"Excluding The Detected 0% Background Noise"_s);
        QVERIFY(form.isVisible());
        QCOMPARE(c.main->windows().windows().count(form.window()), 1);
    }

    void startDelayShowsInitializingThenSamples() {
        Console c(false);
        c.f.audio.finishLevel(50);
        c.f.time.advance(2999);
        QVERIFY(c.form->Frame5->isVisibleTo(c.form));
        QCOMPARE(c.form->Label12->text(), u"Initializing..."_s);
        QVERIFY(!c.form->Timer1->isActive());
        QCOMPARE(c.form->ucHistogram1->points().count(50), 0);
        c.f.time.advance(1);
        QVERIFY(!c.form->Frame5->isVisibleTo(c.form));
        QVERIFY(c.form->Timer1->isActive());
        QVERIFY(!c.form->Timer2->isActive());
        QCOMPARE(c.form->Text10.text(), u"50"_s);
    }

    void oneFigurePerBlockNotPerTick() {
        Console c;
        c.block(40);
        const QVector<qint32> afterOne = c.form->ucHistogram1->points();
        c.f.time.advance(70 * 5); // ticks without a new block do nothing
        QCOMPARE(c.form->ucHistogram1->points(), afterOne);
        c.block(41);
        QCOMPARE(c.form->Text10.text(), u"41"_s);
        QCOMPARE(c.form->ProgressBar1->value(), 41);
    }

    // An input that tells when its next block can be done is not looked at before: the
    // ticks until then are left out and the one after samples, on the ticks' own beat.
    void ticksThatCanFindNothingAreLeftOut() {
        Console c;
        c.f.audio.quietMs = 300;
        c.block(40);
        QCOMPARE(c.form->Timer1->interval(), 350); // the first tick at or after 300 ms
        QVERIFY(c.form->Timer1->isActive());
        c.f.audio.finishLevel(41); // done sooner than it said
        c.f.time.advance(349);
        QCOMPARE(c.form->Text10.text(), u"40"_s);
        c.f.audio.quietMs = 0;
        c.f.time.advance(1);
        QCOMPARE(c.form->Text10.text(), u"41"_s);
        QCOMPARE(c.form->Timer1->interval(), 70); // it cannot tell: every tick looks
        c.f.audio.finishLevel(42);
        c.f.time.advance(70);
        QCOMPARE(c.form->Text10.text(), u"42"_s);
    }

    // An input that announces its blocks has each level taken at once; a spare tick a block
    // later notices a recording lost, and then every tick looks again.
    void announcedLevelsAreTakenAtOnce() {
        Console c;
        c.f.audio.announces = true;
        c.form->Form_Unload(); // opened again below, with announcements
        c.form->Form_Load();
        c.f.time.advance(3000);
        c.f.audio.finishLevel(41);
        QCOMPARE(c.form->Text10.text(), u"41"_s);
        QCOMPARE(c.form->Timer1->interval(), 420); // the first tick at or after a block
        c.f.time.advance(300);
        c.f.audio.finishLevel(42); // sooner than the spare tick
        QCOMPARE(c.form->Text10.text(), u"42"_s);
        c.f.audio.lost = true;
        c.f.time.advance(419);
        QVERIFY(!c.form->Frame5->isVisibleTo(c.form));
        c.f.time.advance(1);
        QCOMPARE(c.form->Label12->text(), u"No microphone"_s);
        QVERIFY(c.form->Frame5->isVisibleTo(c.form));
        QCOMPARE(c.form->Timer1->interval(), 70);
    }

    void triggerFiresOnTheTickAfterTheLoudBlock_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("requests");
        // 81 reads back as 81 on a bar of 128; 80 reads back as 79, never above 80.
        QTest::newRow("81 fires") << 81 << 1;
        QTest::newRow("80 never") << 80 << 0;
        QTest::newRow("128 fires") << 128 << 1;
    }
    void triggerFiresOnTheTickAfterTheLoudBlock() {
        QFETCH(int, level);
        QFETCH(int, requests);
        Console c;
        c.form->Text7->setText(u"1"_s);
        c.block(level);
        QCOMPARE(c.requests(), 0);
        c.block(level);
        QCOMPARE(c.requests(), requests);
        c.block(level);
        c.block(0);
        QCOMPARE(c.requests(), requests); // the limit of 1 holds
        QCOMPARE(c.main->Text7.text(), u"0"_s);
    }

    void triggerLimitCountsEverySecondPerformance_data() {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<int>("performances");
        QTest::addColumn<QString>("count");
        QTest::newRow("1") << u"1"_s << 1 << u"1"_s;
        QTest::newRow("2") << u"2"_s << 3 << u"2"_s;
        QTest::newRow("10") << u"10"_s << 19 << u"10"_s;
        QTest::newRow("0: no limit") << u"0"_s << 60 << u"30"_s;
    }
    void triggerLimitCountsEverySecondPerformance() {
        QFETCH(QString, limit);
        QFETCH(int, performances);
        QFETCH(QString, count);
        Console c;
        c.form->Text7->setText(limit);
        // Alternating levels: every write of the normalised level changes it and tests.
        for (int i = 0; i < 61; ++i)
            c.block(i % 2 ? 100 : 110);
        QCOMPARE(c.requests(), performances);
        QCOMPARE(c.form->Text8->text(), count);
        QCOMPARE(c.main->Text7.text(), u"0"_s);
    }

    void aLevelBelowTheNoiseTestsTwice() {
        // The negative difference and then "0" are two writes, each tested against the bar.
        Console c;
        c.form->Text4.setText(u"20"_s);
        c.block(120);
        c.block(10);
        QCOMPARE(c.form->Text11.text(), u"0"_s);
        QCOMPARE(c.requests(), 2);
        QCOMPARE(c.form->ProgressBar1->value(), 0);
    }

    void hiddenConsoleKeepsFiring() {
        Console c;
        c.form->chameleonButton1->click();
        QVERIFY(!c.form->isVisible());
        c.block(100);
        c.block(101);
        QCOMPARE(c.requests(), 1);
        // Showing it again shows the same console, still loaded.
        Form1* before = c.form;
        c.main->openSoundConsole();
        QCOMPARE(c.main->soundConsole(), before);
        QVERIFY(before->isVisible());
        QCOMPARE(c.f.audio.calls, QStringList{u"open 3000"_s});
    }

    void nonNumericThresholdNeverFiresAndShowsZero() {
        Console c;
        c.form->Text5->setText(u"loud"_s);
        QCOMPARE(c.form->XP_ProgressBar2->value(), 0);
        c.block(110);
        c.block(120);
        QCOMPARE(c.requests(), 0);
        QCOMPARE(c.form->ProgressBar1->value(), 120); // the level still shows
    }

    void learnedNoiseSetsCaptionAndMaxima() {
        Console c(false);
        c.f.settings.write(u"Nocturnia"_s, u"Audio"_s, u"Background Noise"_s, u"12.345"_s);
        c.main->soundConsole()->close();
        c.main->openSoundConsole();
        Form1& form = *c.main->soundConsole();
        QCOMPARE(form.Label9->text(), u"Excluding The Detected 12.3% Background Noise"_s);
        QCOMPARE(form.ProgressBar1->max(), 116);
        QCOMPARE(form.XP_ProgressBar2->max(), 116);
        QCOMPARE(form.UpDown1->maximum(), 116);
    }

    void normalisationLearnsTheMeanOverHundredSamples() {
        Console c;
        c.block(10);
        c.form->Command3->click();
        QCOMPARE(c.form->Command3->text(), u"Please Wait..."_s);
        QVERIFY(!c.form->Command3->isEnabled());
        QCOMPARE(c.form->Label12->text(), u"Normalizing..."_s);
        QVERIFY(c.form->Frame5->isVisibleTo(c.form));
        // 50 seconds of alternating 10 and 21: the bar reads back 10 and 21 (whole percent).
        for (int i = 0; i < 100; ++i) {
            c.f.audio.finishLevel(i % 2 ? 10 : 21);
            c.f.time.advance(500);
        }
        QVERIFY(!c.form->Timer3->isActive());
        QCOMPARE(c.form->Text2.text(), u"0"_s);
        QCOMPARE(c.form->Command3->text(), u"Start Normalization Process"_s);
        QVERIFY(c.form->Command3->isEnabled());
        QVERIFY(!c.form->Frame5->isVisibleTo(c.form));
        const double noise = c.form->Text4.number();
        QVERIFY2(noise > 10 && noise < 21, qPrintable(c.form->Text4.text()));
        QCOMPARE(c.f.settings.read(u"Nocturnia"_s, u"Audio"_s, u"Background Noise"_s, u"-"_s),
                 c.form->Text4.text());
        QCOMPARE(c.form->Label9->text(), Form1::noiseCaption(noise));
        QCOMPARE(c.form->ProgressBar1->max(), 128 - qRound(noise));
    }

    void saveWritesAllThreeKeysUnderTheirStoredNames() {
        Console c;
        c.form->chameleonButton2->click();
        const auto read = [&](const QString& key) {
            return c.f.settings.read(u"Nocturnia"_s, u"Audio"_s, key, u"missing"_s);
        };
        QCOMPARE(read(u"Background Noise"_s), u"0"_s);
        QCOMPARE(read(u"Triggers"_s), u"80"_s);
        QCOMPARE(read(u"Sensitivity"_s), u"0"_s);
        QCOMPARE(c.f.dialogs.messages.size(), 1);
        QCOMPARE(c.f.dialogs.messages[0].text, u"Your Ssettings have been successfully saved!"_s);
        QCOMPARE(c.f.dialogs.messages[0].title, u"Nocturnia"_s);
    }

    void settingsComeBackAtTheNextLoad() {
        Console c;
        c.form->UpDown1->stepUp();
        c.form->UpDown2->stepUp();
        QCOMPARE(c.form->Text5->text(), u"85"_s);
        QCOMPARE(c.form->XP_ProgressBar2->value(), 84); // 85 kept as 66 % of 128
        c.form->chameleonButton2->click();
        c.form->close();
        c.main->openSoundConsole();
        // A new console, loaded afresh.
        QCOMPARE(c.f.audio.calls, (QStringList{u"open 3000"_s, u"close"_s, u"open 3000"_s}));
        QCOMPARE(c.main->soundConsole()->Text5->text(), u"85"_s);
        QCOMPARE(c.main->soundConsole()->Text7->text(), u"1"_s);
        QCOMPARE(c.main->soundConsole()->Text8->text(), u"0"_s); // the count is not kept
    }

    void refusedRecordingShowsTheReasonAndReadsSilence() {
        Fixture f;
        f.audio.refusal = u"Connection refused"_s;
        Main& main = f.loadWithPicker();
        main.openSoundConsole();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].title, u"Nocturnia"_s);
        QCOMPARE(f.dialogs.messages[0].text, u"Connection refused"_s);
        QCOMPARE(main.soundConsole()->meter.GetLevel(), 0);
        f.time.advance(3000);
        QVERIFY(main.soundConsole()->Timer1->isActive());
        QCOMPARE(main.soundConsole()->Label12->text(), u"No microphone"_s);
        QVERIFY(main.soundConsole()->Frame5->isVisibleTo(main.soundConsole()));
    }

    void lostRecordingSaysNoMicrophoneUntilItIsBack() {
        Console c;
        c.block(30);
        c.f.audio.lost = true;
        c.f.time.advance(70);
        QCOMPARE(c.form->Label12->text(), u"No microphone"_s);
        QCOMPARE(c.form->ProgressBar1->value(), 0);
        c.f.audio.lost = false;
        c.block(31);
        QVERIFY(!c.form->Frame5->isVisibleTo(c.form));
        QCOMPARE(c.form->Text10.text(), u"31"_s);
    }

    void laterRefusalShowsTheReasonAndSaysNoMicrophone_data() {
        QTest::addColumn<bool>("pastDelay");
        QTest::newRow("while initialising") << false;
        QTest::newRow("while sampling") << true;
    }
    void laterRefusalShowsTheReasonAndSaysNoMicrophone() {
        QFETCH(bool, pastDelay);
        Console c(pastDelay);
        c.f.audio.finishLevel(30);
        c.f.time.advance(70);
        c.f.audio.refuseLater(u"No such entity"_s);
        QCOMPARE(c.f.dialogs.messages.size(), 1);
        QCOMPARE(c.f.dialogs.messages[0].title, u"Nocturnia"_s);
        QCOMPARE(c.f.dialogs.messages[0].text, u"No such entity"_s);
        QCOMPARE(c.form->meter.GetLevel(), 0);
        c.f.time.advance(3000);
        QVERIFY(c.form->Timer1->isActive());
        QCOMPARE(c.form->Label12->text(), u"No microphone"_s);
        QVERIFY(c.form->Frame5->isVisibleTo(c.form));
        QCOMPARE(c.form->ProgressBar1->value(), 0);
        // The refused recording is closed already; opening the console again records again.
        c.form->close();
        QCOMPARE(c.f.audio.calls, QStringList{u"open 3000"_s});
        c.main->openSoundConsole();
        QCOMPARE(c.f.audio.calls, (QStringList{u"open 3000"_s, u"open 3000"_s}));
        QVERIFY(c.f.audio.isOpen());
        QCOMPARE(c.f.dialogs.messages.size(), 1);
    }

    void closingUnloadsAndStopsTheRecording() {
        Console c;
        QPointer<Form1> form = c.form;
        form->close();
        QCOMPARE(c.f.audio.calls, (QStringList{u"open 3000"_s, u"close"_s}));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form);
        QVERIFY(!c.main->soundConsole());
        c.f.time.advance(1000); // no tick reaches the unloaded console
    }

    void exitClosesTheConsole() {
        Console c;
        c.main->mnuExit_Click();
        QVERIFY(!c.f.audio.isOpen());
    }

    void mailboxPerformsTheSelectedCommandWithoutDisarming() {
        Fixture f;
        Main& main = f.load();
        main.page->CmbOption->setCurrentText(CommandCatalogue::kStandby);
        main.Text7.setText(u"1"_s);
        QCOMPARE(main.Text7.text(), u"0"_s);
        main.Text7.setText(u"1"_s);
        QCOMPARE(f.power.calls.filter(u"request suspend"_s).size(), 2);
        // Other texts are no request.
        main.Text7.setText(u"2"_s);
        QCOMPARE(f.power.calls.filter(u"request suspend"_s).size(), 2);
    }
};

QTEST_MAIN(TestSoundConsole)
#include "tst_soundconsole.moc"
