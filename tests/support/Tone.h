#pragma once

#include <QProcess>

class PrivatePulse;

// A 997 Hz sine played into the private server's sink for `ms` milliseconds or until
// destroyed: not a divisor of the sample rate, so every block recorded holds samples at all
// phases, its crests included.
class Tone {
public:
    Tone(const PrivatePulse& pulse, double amplitude, int ms);
    ~Tone();
    Tone(const Tone&) = delete;
    Tone& operator=(const Tone&) = delete;

private:
    QProcess m_player;
};
