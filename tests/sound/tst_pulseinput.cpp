// The sound input against a PulseAudio server of the test's own: what is played to its null
// sink is what its default source (the sink's monitor) records.
#include "platform/PulseAudioInput.h"
#include "sound/SoundMeter.h"
#include "support/PrivatePulse.h"
#include "support/RecordingDialogs.h"
#include "support/Tone.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int blockBytes = 3000; // 375 ms

// The figures of the next `count` blocks, or of those that finish within `ms`. The machine
// may be loaded: the null sink then delivers slower than real time.
QList<int> figures(SoundMeter& meter, int count, int ms) {
    QList<int> seen;
    const QDeadlineTimer deadline(ms);
    while (seen.size() < count && !deadline.hasExpired()) {
        QTest::qWait(10);
        if (const auto level = meter.NewLevel())
            seen << *level;
    }
    return seen;
}

// What an input's opener hears of later refusals, and on which thread.
struct Refusals {
    QStringList reasons;
    QList<QThread*> threads;

    std::function<void(const QString&)> handler() {
        return [this](const QString& reason) {
            reasons << reason;
            threads << QThread::currentThread();
        };
    }
};

// Opens the input and waits until it has recorded its first block.
bool recordsAFirstBlock(PulseAudioInput& input, Refusals& refusals) {
    QByteArray block;
    return input.open(blockBytes, refusals.handler()).isEmpty() &&
           QTest::qWaitFor([&] { return input.newestBlock(block) >= 1; }, 3000);
}

QString listed(const QList<int>& values) {
    QStringList texts;
    for (int value : values)
        texts << QString::number(value);
    return texts.join(u","_s);
}

} // namespace

class TestPulseInput : public QObject {
    Q_OBJECT

    std::unique_ptr<PrivatePulse> pulse;

    void startServer() {
        pulse = std::make_unique<PrivatePulse>();
        QString error;
        QVERIFY2(pulse->start(&error), qPrintable(error));
        qputenv("PULSE_SERVER", pulse->serverAddress().toLocal8Bit());
    }

private Q_SLOTS:
    void init() { startServer(); }
    void cleanup() {
        pulse.reset();
        qunsetenv("PULSE_SOURCE");
    }

    void levelsOfKnownSounds_data() {
        QTest::addColumn<double>("amplitude");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("silence") << 0.0 << QList<int>{0};
        QTest::newRow("half") << 0.5 << QList<int>{63, 64};
        // The server's conversion to 8 bits truncates: a peak a hair below 8192 gives 31.
        QTest::newRow("quarter") << 0.25 << QList<int>{31, 32};
    }
    void levelsOfKnownSounds() {
        QFETCH(double, amplitude);
        QFETCH(QList<int>, expected);
        PulseAudioInput input;
        RecordingDialogs dialogs;
        SoundMeter meter(input, dialogs);
        meter.BufferSize = blockBytes;
        QVERIFY(meter.StartInput(nullptr));
        figures(meter, 1, 5000); // a block recorded before the tone
        Tone tone(*pulse, amplitude, 20000);
        // The first block may hold a part of the tone only; the next ones are wholly in it.
        const QList<int> seen = figures(meter, 5, 15000).mid(1);
        QCOMPARE(seen.size(), 4);
        // A player starved on a loaded machine leaves a gap in the tone, and the server's
        // resampling rings a little past the peak where the sound resumes (seen once: 66 in a
        // block of the half tone). Such a block is let by; the level itself must be exact.
        const auto exact = std::count_if(seen.cbegin(), seen.cend(),
                                         [&](int figure) { return expected.contains(figure); });
        QVERIFY2(exact >= 3, qPrintable(listed(seen)));
        for (int figure : seen)
            QVERIFY2(figure >= expected.first() - 3 && figure <= expected.last() + 3,
                     qPrintable(listed(seen)));
    }

    void oneBlockAboutEvery375Milliseconds() {
        PulseAudioInput input;
        Refusals refusals;
        QVERIFY(recordsAFirstBlock(input, refusals));
        QByteArray block;
        const quint64 first = input.newestBlock(block);
        QElapsedTimer clock;
        clock.start();
        QTRY_VERIFY_WITH_TIMEOUT(input.newestBlock(block) >= first + 8, 12000);
        // Eight blocks of 375 ms: 3 s of sound, not sooner, later on a loaded machine.
        QVERIFY2(clock.elapsed() > 2300 && clock.elapsed() < 12000,
                 qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(block.size(), blockBytes);
        QVERIFY(refusals.reasons.isEmpty());
    }

    // Right after a block the input tells how long the next one can take at the least: never
    // more than a block and its gathering, nothing once closed.
    void tellsWhenTheNextBlockCanBeDone() {
        PulseAudioInput input;
        Refusals refusals;
        QVERIFY(recordsAFirstBlock(input, refusals));
        QByteArray block;
        quint64 last = input.newestBlock(block);
        QList<int> told;
        while (told.size() < 4 &&
               QTest::qWaitFor([&] { return input.newestBlock(block) > last; }, 5000)) {
            told << input.msUntilNextBlock();
            last = input.newestBlock(block);
        }
        QCOMPARE(told.size(), 4);
        QVERIFY2(std::all_of(told.cbegin(), told.cend(), [](int ms) { return ms <= 375 + 20; }),
                 qPrintable(listed(told)));
        QVERIFY2(std::any_of(told.cbegin(), told.cend(), [](int ms) { return ms > 0; }),
                 qPrintable(listed(told)));
        input.close();
        QCOMPARE(input.msUntilNextBlock(), 0);
    }

    // Each finished block is announced once, on the opener's thread, with the block ready to
    // take; a closed recording announces nothing more.
    void announcesEachBlockOnTheOpenersThread() {
        PulseAudioInput input;
        QList<quint64> announced;
        QList<QThread*> threads;
        QVERIFY(input.announceBlocks([&] {
            QByteArray block;
            announced << input.newestBlock(block);
            threads << QThread::currentThread();
        }));
        Refusals refusals;
        QVERIFY(input.open(blockBytes, refusals.handler()).isEmpty());
        QVERIFY(QTest::qWaitFor([&] { return announced.size() >= 3; }, 5000));
        // A block may finish before the announcement of the one before is taken; never one
        // twice, none before it is there.
        QVERIFY(std::is_sorted(announced.cbegin(), announced.cend()));
        QVERIFY(std::adjacent_find(announced.cbegin(), announced.cend()) == announced.cend());
        QVERIFY(!announced.contains(0));
        QVERIFY(std::all_of(threads.cbegin(), threads.cend(),
                            [](QThread* thread) { return thread == QThread::currentThread(); }));
        input.close();
        const auto count = announced.size();
        QTest::qWait(800); // two blocks' time: a closed recording announces nothing
        QCOMPARE(announced.size(), count);
    }

    void closeReturnsPromptlyAndStopsRecording() {
        PulseAudioInput input;
        Refusals refusals;
        QVERIFY(recordsAFirstBlock(input, refusals));
        QByteArray block;
        QElapsedTimer clock;
        clock.start();
        input.close();
        QVERIFY2(clock.elapsed() < 200, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!input.isRecording());
        // A second open starts counting afresh; a second open while open closes the first.
        QVERIFY(input.open(blockBytes, refusals.handler()).isEmpty());
        QVERIFY(input.open(blockBytes, refusals.handler()).isEmpty());
        QCOMPARE(input.newestBlock(block), quint64(0));
        QTRY_VERIFY_WITH_TIMEOUT(input.isRecording(), 3000);
        QVERIFY(refusals.reasons.isEmpty());
    }

    void serverRestartedMidRunResumes() {
        PulseAudioInput input;
        RecordingDialogs dialogs;
        SoundMeter meter(input, dialogs);
        meter.BufferSize = blockBytes;
        QVERIFY(meter.StartInput(nullptr));
        QVERIFY(!figures(meter, 1, 5000).isEmpty());
        pulse->stop();
        QTRY_VERIFY_WITH_TIMEOUT(!meter.recording(), 3000);
        QCOMPARE(meter.GetLevel(), 0);
        QString error;
        QVERIFY2(pulse->start(&error), qPrintable(error));
        QTRY_VERIFY_WITH_TIMEOUT(meter.recording(), 5000);
        Tone tone(*pulse, 0.5, 20000);
        const QList<int> seen = figures(meter, 3, 10000);
        QVERIFY(!seen.isEmpty());
        QVERIFY2(seen.contains(63) || seen.contains(64), qPrintable(listed(seen)));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void noServerFailsAtOnceWithTheReason() {
        pulse.reset();
        qputenv("PULSE_SERVER", "unix:/nonexistent/pulse/native");
        PulseAudioInput input;
        RecordingDialogs dialogs;
        SoundMeter meter(input, dialogs);
        meter.BufferSize = blockBytes;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!meter.StartInput(nullptr));
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].title, u"Nocturnia"_s);
        QVERIFY(!dialogs.messages[0].text.isEmpty());
        QCOMPARE(meter.GetLevel(), 0);
        QVERIFY(!meter.NewLevel());
        // Told once: nothing follows later.
        QCoreApplication::processEvents();
        QCOMPARE(dialogs.messages.size(), 1);
    }

    // A socket where a server should be that takes the connection and then says nothing,
    // or hangs up.
    void unansweringServerIsRefusedLaterOnTheOpenersThread_data() {
        QTest::addColumn<bool>("hangsUp");
        QTest::addColumn<QString>("reason");
        QTest::newRow("says nothing") << false << u"The sound server does not answer."_s;
        QTest::newRow("hangs up") << true << u"Connection terminated"_s;
    }
    void unansweringServerIsRefusedLaterOnTheOpenersThread() {
        QFETCH(bool, hangsUp);
        QFETCH(QString, reason);
        pulse.reset();
        QTemporaryDir folder;
        QLocalServer server;
        QVERIFY(server.listen(folder.filePath(u"native"_s)));
        QObject::connect(&server, &QLocalServer::newConnection, &server, [&] {
            QLocalSocket* peer = server.nextPendingConnection();
            if (hangsUp)
                peer->abort();
        });
        qputenv("PULSE_SERVER", "unix:" + server.fullServerName().toLocal8Bit());
        PulseAudioInput input(300);
        Refusals refusals;
        // An input that waited for the server would fail here.
        QCOMPARE(input.open(blockBytes, refusals.handler()), QString());
        QVERIFY(refusals.reasons.isEmpty());
        QVERIFY(!input.isRecording());
        QTRY_COMPARE_WITH_TIMEOUT(refusals.reasons.size(), 1, 5000);
        QCOMPARE(refusals.reasons[0], reason);
        QCOMPARE(refusals.threads[0], QThread::currentThread());
        QVERIFY(!input.isRecording());
        QByteArray block;
        QCOMPARE(input.newestBlock(block), quint64(0));
        // Refused means closed: a new open tries again and is refused again, once.
        QVERIFY(input.open(blockBytes, refusals.handler()).isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(refusals.reasons.size(), 2, 5000);
    }

    void closedRecordingIsNeverRefused() {
        pulse.reset();
        QTemporaryDir folder;
        QLocalServer server;
        QVERIFY(server.listen(folder.filePath(u"native"_s)));
        qputenv("PULSE_SERVER", "unix:" + server.fullServerName().toLocal8Bit());
        PulseAudioInput input(300);
        Refusals closed;
        Refusals replaced;
        Refusals last;
        QVERIFY(input.open(blockBytes, closed.handler()).isEmpty());
        input.close();
        QVERIFY(input.open(blockBytes, replaced.handler()).isEmpty());
        QVERIFY(input.open(blockBytes, last.handler()).isEmpty());
        // The earlier ones would have been refused first.
        QTRY_COMPARE_WITH_TIMEOUT(last.reasons.size(), 1, 5000);
        QCoreApplication::processEvents();
        QVERIFY(closed.reasons.isEmpty());
        QVERIFY(replaced.reasons.isEmpty());
        // Destroyed while the server holds the connection: returns, tells nobody.
        {
            PulseAudioInput waiting;
            QVERIFY(waiting.open(blockBytes, closed.handler()).isEmpty());
        }
        QCoreApplication::processEvents();
        QVERIFY(closed.reasons.isEmpty());
    }

    void missingSourceShowsTheServersReason() {
        qputenv("PULSE_SOURCE", "nosuch");
        PulseAudioInput input;
        RecordingDialogs dialogs;
        SoundMeter meter(input, dialogs);
        meter.BufferSize = blockBytes;
        QVERIFY(meter.StartInput(nullptr));
        QTRY_COMPARE_WITH_TIMEOUT(dialogs.messages.size(), 1, 5000);
        QCOMPARE(dialogs.messages[0].title, u"Nocturnia"_s);
        QCOMPARE(dialogs.messages[0].text, u"No such entity"_s);
        QVERIFY(!meter.recording());
        QVERIFY(!input.isRecording());
        QCOMPARE(meter.GetLevel(), 0);
    }
};

QTEST_MAIN(TestPulseInput)
#include "tst_pulseinput.moc"
