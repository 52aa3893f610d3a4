// The alarm player against a real PulseAudio server of the test's own: what it plays is
// recorded from the null sink's monitor and measured.
#include "platform/GstAlarmPlayer.h"
#include "support/PrivatePulse.h"
#include "support/SinkRecorder.h"

#include <QAudioDevice>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int rate = SinkRecorder::rate;
constexpr int toneMs = 250;
constexpr int longToneMs = 2000;
constexpr double loudAmplitude = 0.5;
constexpr double softAmplitude = 0.25;
// Anything above this in a 5 ms window is sound; the tones are 16 to 160 times louder.
constexpr int soundThreshold = 100;
// What the window's thread may spend in one call: far below a frozen window.
constexpr qint64 freezeBoundMs = 250;
constexpr int stopBoundMs = 200;
// Time for what played last to come through the monitor into the recording.
constexpr int tailMs = 250;

constexpr qsizetype samplesFor(int ms) {
    return qsizetype(rate) * ms / 1000;
}

constexpr double msFor(qsizetype samples) {
    return double(samples) * 1000.0 / rate;
}

qint16 sampleOf(double value) {
    return qint16(std::lround(value * 32767.0));
}

// A 1 kHz sine of the given amplitude: 16-bit mono WAV at the sink's rate.
bool writeTone(const QString& path, double amplitude, int ms) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto count = quint32(samplesFor(ms));
    const quint32 dataBytes = count * 2;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    const double pi = std::acos(-1.0);
    for (quint32 i = 0; i < count; ++i)
        out << sampleOf(amplitude * std::sin(2.0 * pi * 1000.0 * double(i) / rate));
    return out.status() == QDataStream::Ok;
}

// A stretch of sound in the recording: [begin, end) in samples, and its peak |x|.
struct Span {
    qsizetype begin = 0;
    qsizetype end = 0;
    int peak = 0;
};

QList<Span> soundSpans(const QList<qint16>& samples, qsizetype from, qsizetype to) {
    constexpr qsizetype window = samplesFor(5);
    QList<Span> spans;
    to = std::min(to, samples.size());
    for (qsizetype start = from; start < to; start += window) {
        int peak = 0;
        for (qsizetype i = start; i < std::min(start + window, to); ++i)
            peak = std::max(peak, std::abs(int(samples.at(i))));
        if (peak <= soundThreshold)
            continue;
        if (spans.isEmpty() || spans.last().end < start)
            spans.append(Span{start, start, 0});
        spans.last().end = std::min(start + window, to);
        spans.last().peak = std::max(spans.last().peak, peak);
    }
    return spans;
}

// "L" for each span at the loud tone's level, "S" at the soft one's, "?" otherwise.
QString levels(const QList<Span>& spans) {
    QString text;
    for (const Span& span : spans) {
        const double level = span.peak / 32767.0;
        if (std::abs(level - loudAmplitude) <= 0.1 * loudAmplitude)
            text += QLatin1Char('L');
        else if (std::abs(level - softAmplitude) <= 0.1 * softAmplitude)
            text += QLatin1Char('S');
        else
            text += QLatin1Char('?');
    }
    return text;
}

QString describe(const QList<Span>& spans, qsizetype origin) {
    QStringList parts;
    for (const Span& span : spans)
        parts << QStringLiteral("%1-%2 ms peak %3")
                     .arg(msFor(span.begin - origin), 0, 'f', 0)
                     .arg(msFor(span.end - origin), 0, 'f', 0)
                     .arg(span.peak);
    return parts.join(QStringLiteral(", "));
}

void load(GstAlarmPlayer& player, const QStringList& paths) {
    AlarmPlaylist playlist = player.newPlaylist(QStringLiteral("MyPlayList"), QString());
    for (const QString& path : paths)
        playlist.appendItem(player.newMedia(path));
    player.setCurrentPlaylist(playlist);
}

const char withoutServerOption[] = "--without-sound-server";

// Run in a child process whose PULSE_SERVER names no server: plays, twice, and stops.
int playWithoutSoundServer(const QString& path) {
    GstAlarmPlayer player;
    load(player, {path});
    player.setPlayCount(999);
    player.play();
    const bool idleAfterFirst = !player.isPlaying();
    player.play();
    player.stop();
    QCoreApplication::processEvents();
    return idleAfterFirst && !player.isPlaying() ? 0 : 1;
}

} // namespace

class TestAlarmPlayer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void mediaItemsAndPlaylists_data();
    void mediaItemsAndPlaylists();
    void volumeScalesLinearly_data();
    void volumeScalesLinearly();
    void playsTheListCountTimes_data();
    void playsTheListCountTimes();
    void playCountChangedWhilePlaying_data();
    void playCountChangedWhilePlaying();
    void stopSilencesAtOnce_data();
    void stopSilencesAtOnce();
    void unplayableIsSilentAndNeverBlocks_data();
    void unplayableIsSilentAndNeverBlocks();
    void playAndStopInAnyOrder();
    void withoutSoundServerStaysSilent();

private:
    QString path(const QString& name) const { return m_files.filePath(name); }
    // Waits for the recording to show sound from `from` on.
    bool waitForSound(qsizetype from, int timeoutMs);

    PrivatePulse m_pulse;
    SinkRecorder m_recorder;
    QTemporaryDir m_files;
};

void TestAlarmPlayer::initTestCase() {
    QString error;
    QVERIFY2(m_pulse.start(&error), qPrintable(error));
    // Before Qt Multimedia or GStreamer first looks for a sound server.
    qputenv("PULSE_SERVER", m_pulse.serverAddress().toLocal8Bit());
    QVERIFY(!QMediaDevices::audioOutputs().isEmpty());

    QVERIFY(m_files.isValid());
    QVERIFY(writeTone(path(QStringLiteral("loud.wav")), loudAmplitude, toneMs));
    QVERIFY(writeTone(path(QStringLiteral("soft.wav")), softAmplitude, toneMs));
    // Long enough that a change made once it is heard lands in its pass on a loaded machine.
    QVERIFY(writeTone(path(QStringLiteral("long.wav")), loudAmplitude, longToneMs));
    QProcess lame;
    lame.start(QStringLiteral("lame"), {QStringLiteral("--quiet"), path(QStringLiteral("loud.wav")),
                                        path(QStringLiteral("loud.mp3"))});
    QVERIFY2(lame.waitForFinished(20000), qPrintable(lame.errorString()));
    QCOMPARE(lame.exitCode(), 0);
    QFile empty(path(QStringLiteral("empty.wav")));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QFile text(path(QStringLiteral("text.wav")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    QVERIFY(text.write("This is no sound at all.\n") > 0);
    text.close();

    // The first player of a process loads GStreamer and may have to scan its plug-ins.
    GstAlarmPlayer warmUp;
    warmUp.setVolume(0);
    load(warmUp, {path(QStringLiteral("soft.wav"))});
    warmUp.play();
    QTRY_VERIFY_WITH_TIMEOUT(!warmUp.isPlaying(), 60000);

    // A new null sink renders its first block about 2 s after the server started.
    QVERIFY2(m_recorder.start(m_pulse.clientEnvironment(), QStringLiteral("spk"), &error),
             qPrintable(error));
}

void TestAlarmPlayer::cleanupTestCase() {
    m_recorder.stop();
    m_pulse.stop();
}

bool TestAlarmPlayer::waitForSound(qsizetype from, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (soundSpans(m_recorder.samples(), from, m_recorder.samples().size()).isEmpty()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QTest::qWait(5);
    }
    return true;
}

void TestAlarmPlayer::mediaItemsAndPlaylists_data() {
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("url");
    QTest::newRow("absolute path")
        << u"/sounds/Fire Alarm.mp3"_s << u"file:///sounds/Fire%20Alarm.mp3"_s;
    QTest::newRow("path with #") << u"/sounds/#1.wav"_s << u"file:///sounds/%231.wav"_s;
    QTest::newRow("file URL kept") << u"file:///sounds/a.wav"_s << u"file:///sounds/a.wav"_s;
    QTest::newRow("empty") << u""_s << u""_s;
}

void TestAlarmPlayer::mediaItemsAndPlaylists() {
    QFETCH(QString, given);
    QFETCH(QString, url);
    GstAlarmPlayer player;
    QCOMPARE(player.newMedia(given).url, url);
    const AlarmPlaylist playlist = player.newPlaylist(QStringLiteral("MyPlayList"), QString());
    QCOMPARE(playlist.name, QStringLiteral("MyPlayList"));
    QVERIFY(playlist.items.isEmpty());
}

void TestAlarmPlayer::volumeScalesLinearly_data() {
    QTest::addColumn<int>("volume");
    QTest::addColumn<double>("ratio");
    QTest::newRow("100 is full scale, unattenuated") << 100 << 1.0;
    QTest::newRow("50 is half") << 50 << 0.5;
    QTest::newRow("10 is a tenth") << 10 << 0.1;
}

void TestAlarmPlayer::volumeScalesLinearly() {
    QFETCH(int, volume);
    QFETCH(double, ratio);
    GstAlarmPlayer player;
    player.setVolume(volume);
    player.setPlayCount(1);
    load(player, {path(QStringLiteral("loud.wav"))});

    const qsizetype begin = m_recorder.mark();
    player.play();
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), 5000);
    const qsizetype end = m_recorder.mark() + samplesFor(tailMs);
    QVERIFY(m_recorder.waitFor(end, 5000));

    const QList<Span> spans = soundSpans(m_recorder.samples(), begin, end);
    QVERIFY2(spans.size() == 1, qPrintable(describe(spans, begin)));
    const double measured = spans.first().peak / double(sampleOf(loudAmplitude));
    QVERIFY2(std::abs(measured - ratio) <= 0.01,
             qPrintable(QStringLiteral("peak ratio %1").arg(measured)));
}

void TestAlarmPlayer::playsTheListCountTimes_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("heard");
    QTest::addColumn<QString>("unplayable");
    QTest::newRow("count 1: one pass") << QStringList{u"loud.wav"_s} << 1 << u"L"_s << u""_s;
    QTest::newRow("count 3: the item repeats")
        << QStringList{u"loud.wav"_s} << 3 << u"LLL"_s << u""_s;
    QTest::newRow("two items in order, the list is one pass")
        << QStringList{u"loud.wav"_s, u"soft.wav"_s} << 2 << u"LSLS"_s << u""_s;
    QTest::newRow("mp3 decodes and repeats") << QStringList{u"loud.mp3"_s} << 2 << u"LL"_s << u""_s;
    QTest::newRow("unplayable item skipped, reported once")
        << QStringList{u"missing.wav"_s, u"soft.wav"_s} << 2 << u"SS"_s << u"missing.wav"_s;
    QTest::newRow("empty item skipped")
        << QStringList{u""_s, u"soft.wav"_s} << 2 << u"SS"_s << u""_s;
}

void TestAlarmPlayer::playsTheListCountTimes() {
    QFETCH(QStringList, files);
    QFETCH(int, count);
    QFETCH(QString, heard);
    QFETCH(QString, unplayable);
    if (!unplayable.isEmpty())
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^Cannot play .*") +
                                                QRegularExpression::escape(unplayable) +
                                                QStringLiteral(": .+")));
    GstAlarmPlayer player;
    player.setPlayCount(count);
    QStringList paths;
    for (const QString& file : files)
        paths << (file.isEmpty() ? QString() : path(file));
    load(player, paths);

    const qsizetype begin = m_recorder.mark();
    player.play();
    QVERIFY(player.isPlaying());
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), 2000 + count * 1500);
    const qsizetype idle = m_recorder.mark();
    // Nothing is kept for the next play: no player, no pipeline, no timer.
    QVERIFY(player.children().isEmpty());
    QVERIFY(m_recorder.waitFor(idle + samplesFor(tailMs + 200), 5000));

    const QList<Span> spans = soundSpans(m_recorder.samples(), begin, m_recorder.samples().size());
    const QString found = describe(spans, begin);
    QVERIFY2(levels(spans) == heard, qPrintable(found));
    for (const Span& span : spans)
        QVERIFY2(std::abs(msFor(span.end - span.begin) - toneMs) <= 0.1 * toneMs,
                 qPrintable(found));
    // Silent once idle: the last pass was the last.
    QVERIFY2(spans.last().end <= idle + samplesFor(tailMs), qPrintable(found));
    for (int i = 1; i < spans.size(); ++i)
        qInfo("gap before item %d: %.0f ms", i, msFor(spans.at(i).begin - spans.at(i - 1).end));
}

void TestAlarmPlayer::playCountChangedWhilePlaying_data() {
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("during");
    QTest::addColumn<QString>("heard");
    QTest::newRow("lowered to 1: the current pass is the last") << 999 << 1 << u"L"_s;
    QTest::newRow("raised to 2 in the last pass: one more") << 1 << 2 << u"LL"_s;
}

void TestAlarmPlayer::playCountChangedWhilePlaying() {
    QFETCH(int, before);
    QFETCH(int, during);
    QFETCH(QString, heard);
    GstAlarmPlayer player;
    player.setPlayCount(before);
    load(player, {path(QStringLiteral("long.wav"))});

    const qsizetype begin = m_recorder.mark();
    player.play();
    QVERIFY(waitForSound(begin, 3000));
    QVERIFY(player.isPlaying()); // still in the first pass
    player.setPlayCount(during);
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), 10000);
    QVERIFY(m_recorder.waitFor(m_recorder.mark() + samplesFor(tailMs), 5000));
    const QList<Span> spans = soundSpans(m_recorder.samples(), begin, m_recorder.samples().size());
    QVERIFY2(levels(spans) == heard, qPrintable(describe(spans, begin)));
}

void TestAlarmPlayer::stopSilencesAtOnce_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("wav") << u"loud.wav"_s;
    QTest::newRow("mp3") << u"loud.mp3"_s;
}

void TestAlarmPlayer::stopSilencesAtOnce() {
    QFETCH(QString, file);
    GstAlarmPlayer player;
    player.setPlayCount(999);
    load(player, {path(file)});

    const qsizetype begin = m_recorder.mark();
    player.play();
    QVERIFY(waitForSound(begin, 3000));
    const qsizetype stopped = m_recorder.mark();
    QElapsedTimer call;
    call.start();
    player.stop();
    const qint64 callMs = call.elapsed();
    QVERIFY(!player.isPlaying());
    QVERIFY2(callMs < 50, qPrintable(QStringLiteral("stop() took %1 ms").arg(callMs)));

    // Long enough to hear a restart by a pass that should not come.
    QVERIFY(m_recorder.waitFor(stopped + samplesFor(toneMs + 300), 5000));
    const QList<Span> spans = soundSpans(m_recorder.samples(), begin, m_recorder.samples().size());
    QVERIFY(!spans.isEmpty());
    const double silentAfterMs = msFor(spans.last().end - stopped);
    qInfo("stop() returned in %lld ms; silent %.0f ms after it", callMs, silentAfterMs);
    QVERIFY2(silentAfterMs <= stopBoundMs, qPrintable(describe(spans, stopped)));
}

void TestAlarmPlayer::unplayableIsSilentAndNeverBlocks_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("reported");
    QTest::newRow("missing file") << u"missing.wav"_s << true;
    QTest::newRow("empty file") << u"empty.wav"_s << true;
    QTest::newRow("not audio") << u"text.wav"_s << true;
    QTest::newRow("folder") << u"."_s << true;
    QTest::newRow("empty path") << u""_s << false;
}

void TestAlarmPlayer::unplayableIsSilentAndNeverBlocks() {
    QFETCH(QString, file);
    QFETCH(bool, reported);
    const QString filePath = file.isEmpty() ? QString() : QDir::cleanPath(path(file));
    // Reported once: the first play is stopped and the last destroyed before GStreamer answers.
    if (reported)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Cannot play ") +
                                                              QRegularExpression::escape(filePath) +
                                                              QStringLiteral(": .+")));
    auto player = std::make_unique<GstAlarmPlayer>();
    player->setPlayCount(999);
    load(*player, {filePath});
    const qsizetype begin = m_recorder.mark();

    QElapsedTimer call;
    call.start();
    player->play();
    player->stop();
    QVERIFY2(call.elapsed() < freezeBoundMs,
             qPrintable(QStringLiteral("play() and stop() took %1 ms").arg(call.elapsed())));

    player->play();
    QTRY_VERIFY_WITH_TIMEOUT(!player->isPlaying(), 3000);
    call.restart();
    player->stop();
    QVERIFY2(call.elapsed() < freezeBoundMs,
             qPrintable(QStringLiteral("stop() took %1 ms").arg(call.elapsed())));

    player->play();
    call.restart();
    player.reset();
    QVERIFY2(call.elapsed() < freezeBoundMs,
             qPrintable(QStringLiteral("destroying took %1 ms").arg(call.elapsed())));

    QVERIFY(m_recorder.waitFor(m_recorder.mark() + samplesFor(tailMs), 5000));
    const QList<Span> spans = soundSpans(m_recorder.samples(), begin, m_recorder.samples().size());
    QVERIFY2(spans.isEmpty(), qPrintable(describe(spans, begin)));
}

void TestAlarmPlayer::playAndStopInAnyOrder() {
    GstAlarmPlayer player;
    player.setPlayCount(1);
    player.stop();
    player.play(); // no playlist yet
    QVERIFY(!player.isPlaying());
    load(player, {path(QStringLiteral("loud.wav"))});
    // Late signals of the players thrown away here must not touch the next one.
    for (int i = 0; i < 10; ++i) {
        player.play();
        if (i % 2 == 0)
            QCoreApplication::processEvents();
        player.play();
        player.stop();
        player.stop();
        QCoreApplication::processEvents();
    }
    QVERIFY(!player.isPlaying());
    const qsizetype stopped = m_recorder.mark();
    QVERIFY(m_recorder.waitFor(stopped + samplesFor(tailMs + 200), 5000));
    QVERIFY(soundSpans(m_recorder.samples(), stopped + samplesFor(stopBoundMs),
                       m_recorder.samples().size())
                .isEmpty());

    // Play while playing starts the list again from its first item. The restart can follow the
    // cut within a few milliseconds, too close to tell two loud spans apart; what shows it is
    // more loud sound than one pass of the long item holds, and the soft item after it.
    load(player, {path(QStringLiteral("long.wav")), path(QStringLiteral("soft.wav"))});
    const qsizetype begin = m_recorder.mark();
    player.play();
    QVERIFY(waitForSound(begin, 3000));
    const qsizetype heard =
        soundSpans(m_recorder.samples(), begin, m_recorder.samples().size()).first().begin;
    constexpr int playedBeforeRestartMs = 500;
    QVERIFY(m_recorder.waitFor(heard + samplesFor(playedBeforeRestartMs), 5000));
    player.play();
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), 10000);
    QVERIFY(m_recorder.waitFor(m_recorder.mark() + samplesFor(tailMs), 5000));
    const QList<Span> spans = soundSpans(m_recorder.samples(), begin, m_recorder.samples().size());
    const QString found = describe(spans, begin);
    const QString heardLevels = levels(spans);
    QVERIFY2(heardLevels == QStringLiteral("LS") || heardLevels == QStringLiteral("LLS"),
             qPrintable(found));
    const double loudMs = msFor(spans.at(spans.size() - 2).end - spans.first().begin);
    QVERIFY2(loudMs >= longToneMs + playedBeforeRestartMs * 0.8, qPrintable(found));
}

void TestAlarmPlayer::withoutSoundServerStaysSilent() {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PULSE_SERVER"),
                       QStringLiteral("unix:") + path(QStringLiteral("no-server-here")));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(withoutServerOption), path(QStringLiteral("loud.wav"))});
    QVERIFY(child.waitForFinished(30000));
    const QString log = QString::fromLocal8Bit(child.readAllStandardError());
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() == 0, qPrintable(log));
    QVERIFY2(log.count(QStringLiteral("nocturnia.alarm: No sound output device")) == 1,
             qPrintable(log));
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], withoutServerOption) == 0)
        return playWithoutSoundServer(QString::fromLocal8Bit(argv[2]));
    TestAlarmPlayer test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_alarmplayer.moc"
