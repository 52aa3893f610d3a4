// The console in a main window, recording a private sound server's default source on Qt's
// timers: a loud tone performs the selected command, silence does not.
#include "commands/CommandCatalogue.h"
#include "controls/ucHistogram.h"
#include "platform/PulseAudioInput.h"
#include "sound/Form1.h"
#include "support/MainFixture.h"
#include "support/PrivatePulse.h"
#include "support/Tone.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestConsoleAudio : public QObject {
    Q_OBJECT

    PrivatePulse pulse;

private Q_SLOTS:
    void initTestCase() {
        QString error;
        QVERIFY2(pulse.start(&error), qPrintable(error));
        qputenv("PULSE_SERVER", pulse.serverAddress().toLocal8Bit());
    }

    void loudToneNotifiesSilenceDoesNot() {
        Fixture f;
        PulseAudioInput input;
        conv::QtTimerSource timers;
        const MainServices s = f.services(f.controls);
        f.main = std::make_unique<Main>(
            MainServices{s.settings, s.fileOpener, s.dialogs, s.controls, s.power, s.player, input,
                         s.interfaces, s.tray, s.clock, timers, s.conventions, s.programFolder,
                         s.executableName, s.runList, s.folder, s.listener});
        Main& main = *f.main;
        main.Form_Load();
        main.page->CmbOption->setCurrentText(CommandCatalogue::kNotification);
        main.openSoundConsole();
        Form1* console = main.soundConsole();
        QCOMPARE(console->Label12->text(), u"Initializing..."_s);
        QTRY_VERIFY_WITH_TIMEOUT(console->Timer1->isActive(), 6000);
        // Silence: the figures stay 0 and nothing is performed.
        QTRY_VERIFY_WITH_TIMEOUT(console->ucHistogram1->nextPosition() > 3, 10000);
        QCOMPARE(console->Text10.text(), u"0"_s);
        QVERIFY(!main.commands().silentAlarm());

        const Tone loud(pulse, 0.75, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(main.commands().silentAlarm(), 10000);
        QVERIFY(console->Text10.number() > 80);
        QCOMPARE(main.Text7.text(), u"0"_s);
        f.main.reset(); // before the input and the timers it uses
    }
};

QTEST_MAIN(TestConsoleAudio)
#include "tst_consoleaudio.moc"
