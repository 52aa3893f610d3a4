#include "support/Tone.h"

#include "support/PrivatePulse.h"

#include <QTest>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

Tone::Tone(const PrivatePulse& pulse, double amplitude, int ms) {
    constexpr int rate = 8000;
    m_player.setProcessEnvironment(pulse.clientEnvironment());
    dieWithParent(m_player);
    m_player.start(u"pacat"_s, {u"-d"_s, u"spk"_s, u"--raw"_s, u"--rate=8000"_s, u"--channels=1"_s,
                                u"--format=s16le"_s, u"--latency-msec=20"_s});
    QVERIFY(m_player.waitForStarted());
    const int count = rate / 1000 * ms;
    QByteArray data(count * 2, Qt::Uninitialized);
    const double pi = std::acos(-1.0);
    for (int i = 0; i < count; ++i) {
        const auto sample =
            qint16(std::lround(amplitude * 32767.0 * std::sin(2.0 * pi * 997.0 * i / rate)));
        data[2 * i] = char(sample & 0xff);
        data[2 * i + 1] = char((sample >> 8) & 0xff);
    }
    m_player.write(data);
    m_player.closeWriteChannel();
}

Tone::~Tone() {
    m_player.kill();
    m_player.waitForFinished();
}
