// The console in a main window, recording a private sound server's default source on Qt's
// timers: a loud tone performs the selected command, silence does not.
#include "commands/CommandCatalogue.h"
#include "controls/ucHistogram.h"
#include "platform/PulseAudioInput.h"
#include "sound/Form1.h"
#include "support/MainFixture.h"
#include "support/PrivatePulse.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

class TestConsoleAudio : public QObject {
    Q_OBJECT

    PrivatePulse pulse;

    // A loud 997 Hz tone (amplitude 0.75) played into the sink while it runs.
    static void startTone(QProcess& player, const PrivatePulse& server) {
        player.setProcessEnvironment(server.clientEnvironment());
        dieWithParent(player);
        player.start(u"pacat"_s, {u"-d"_s, u"spk"_s, u"--raw"_s, u"--rate=8000"_s,
                                  u"--channels=1"_s, u"--format=s16le"_s});
        QVERIFY(player.waitForStarted());
        QByteArray data(8000 * 2 * 10, Qt::Uninitialized);
        const double pi = std::acos(-1.0);
        for (int i = 0; i < 8000 * 10; ++i) {
            const auto sample =
                qint16(std::lround(0.75 * 32767.0 * std::sin(2.0 * pi * 997.0 * i / 8000)));
            data[2 * i] = char(sample & 0xff);
            data[2 * i + 1] = char((sample >> 8) & 0xff);
        }
        player.write(data);
        player.closeWriteChannel();
    }

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

        QProcess player;
        startTone(player, pulse);
        QTRY_VERIFY_WITH_TIMEOUT(main.commands().silentAlarm(), 10000);
        QVERIFY(console->Text10.number() > 80);
        QCOMPARE(main.Text7.text(), u"0"_s);
        player.kill();
        player.waitForFinished();
        f.main.reset(); // before the input and the timers it uses
    }
};

QTEST_MAIN(TestConsoleAudio)
#include "tst_consoleaudio.moc"
