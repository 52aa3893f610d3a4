// The alarm sounds shipped beside the executable, decoded by the platform's media back end as
// the player meets them: each is found under its exact name, lasts a few seconds, is normalised
// and begins and ends in silence, so that the player's back-to-back repeats do not click.

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

struct Decoded {
    std::vector<qint16> samples;
    int rate = 0;
    QString error;
};

// Decodes the whole file to mono 16-bit samples, giving up after ten seconds.
Decoded decode(const QString& path) {
    Decoded result;
    QAudioDecoder decoder;
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::Int16);
    format.setChannelCount(1);
    format.setSampleRate(22050);
    decoder.setAudioFormat(format);
    decoder.setSource(QUrl::fromLocalFile(path));
    QEventLoop loop;
    const auto fail = [&](const QString& why) {
        result.error = why;
        loop.quit();
    };
    QObject::connect(&decoder, &QAudioDecoder::bufferReady, &loop, [&] {
        const QAudioBuffer buffer = decoder.read();
        if (buffer.format().sampleFormat() != QAudioFormat::Int16 ||
            buffer.format().channelCount() != 1)
            return fail(QStringLiteral("decoded to an unrequested format"));
        result.rate = buffer.format().sampleRate();
        const qint16* data = buffer.constData<qint16>();
        result.samples.insert(result.samples.end(), data, data + buffer.frameCount());
    });
    QObject::connect(&decoder, &QAudioDecoder::finished, &loop, &QEventLoop::quit);
    QObject::connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), &loop,
                     [&] { fail(decoder.errorString()); });
    QTimer::singleShot(10000, &loop, [&] { fail(QStringLiteral("decoding timed out")); });
    decoder.start();
    loop.exec();
    decoder.stop();
    return result;
}

} // namespace

class TestAlarmSounds : public QObject {
    Q_OBJECT

private slots:
    void playableBesideTheExecutable_data();
    void playableBesideTheExecutable();
};

void TestAlarmSounds::playableBesideTheExecutable_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("fire alarm") << QStringLiteral("Fire.mp3");
    QTest::newRow("nuclear siren") << QStringLiteral("Nuclear.mp3");
    QTest::newRow("police siren") << QStringLiteral("Siren.mp3");
    QTest::newRow("funky drums") << QStringLiteral("Drums.mp3");
    QTest::newRow("modern alarm") << QStringLiteral("Modern.wav");
    QTest::newRow("cuckoo clock") << QStringLiteral("Cuckoo.wav");
    QTest::newRow("classic alarm") << QStringLiteral("Classic.wav");
}

void TestAlarmSounds::playableBesideTheExecutable() {
    QFETCH(QString, name);
    const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
    QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));

    const Decoded sound = decode(path);
    QVERIFY2(sound.error.isEmpty(), qPrintable(sound.error));
    QVERIFY(sound.rate > 0);
    QVERIFY(!sound.samples.empty());

    // Long enough to be recognised, short enough to be repeated without a long wait.
    const double seconds = static_cast<double>(sound.samples.size()) / sound.rate;
    QVERIFY2(seconds >= 2.0 && seconds <= 5.5, qPrintable(QString::number(seconds)));

    // Scaled close to full scale (-1 dBFS, with room for lossy coding), never clipped.
    const auto [low, high] = std::minmax_element(sound.samples.begin(), sound.samples.end());
    const int peak = std::max(-static_cast<int>(*low), static_cast<int>(*high));
    const double peakDb = 20 * std::log10(peak / 32768.0);
    QVERIFY2(peakDb > -2.0, qPrintable(QString::number(peakDb)));
    QVERIFY2(*low > -32768 && *high < 32767, "clipped");

    // The seam of two repeats: both ends within -30 dBFS of silence.
    constexpr int kNearSilence = 1036;
    QVERIFY2(std::abs(sound.samples.front()) < kNearSilence,
             qPrintable(QString::number(sound.samples.front())));
    QVERIFY2(std::abs(sound.samples.back()) < kNearSilence,
             qPrintable(QString::number(sound.samples.back())));
}

QTEST_GUILESS_MAIN(TestAlarmSounds)
#include "tst_alarmsounds.moc"
