// Synthesises the seven alarm sounds that ship beside the executable, as mono 16-bit PCM WAV
// files in the folder named on the command line. Run by tools/make-sounds.sh, which encodes four
// of them to MP3; the results are committed under nocturnia/assets/sounds.
//
// The player repeats a sound back to back, so every sound begins and ends in silence on whole
// cycles and the seam does not click. Each is scaled to a peak of -1 dBFS. Noise comes from a
// fixed-seed generator, so every run writes the same bytes.

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;

using Signal = std::vector<double>;

std::size_t samples(double seconds) {
    return static_cast<std::size_t>(std::lround(seconds * kRate));
}

double timeOf(std::size_t sample) {
    return static_cast<double>(sample) / kRate;
}

// Uniform noise from the standard's fully specified Mersenne Twister. The standard's
// distributions differ between libraries, so the mapping to [-1, 1) is done here.
class Noise {
public:
    explicit Noise(std::uint32_t seed)
        : engine_(seed) {}
    double next() { return static_cast<double>(engine_()) / 2147483648.0 - 1.0; }
    double between(double low, double high) { return low + (high - low) * (next() + 1) / 2; }

private:
    std::mt19937 engine_;
};

// Second-order filter from the usual audio cookbook formulas.
class Biquad {
public:
    static Biquad highPass(double frequency, double q) {
        const double w = kTwoPi * frequency / kRate, alpha = std::sin(w) / (2 * q);
        const double c = std::cos(w);
        return Biquad((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
    }
    static Biquad bandPass(double frequency, double q) {
        const double w = kTwoPi * frequency / kRate, alpha = std::sin(w) / (2 * q);
        return Biquad(alpha, 0, -alpha, 1 + alpha, -2 * std::cos(w), 1 - alpha);
    }
    static Biquad lowPass(double frequency, double q) {
        const double w = kTwoPi * frequency / kRate, alpha = std::sin(w) / (2 * q);
        const double c = std::cos(w);
        return Biquad((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
    }

    double operator()(double x) {
        const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    Biquad(double b0, double b1, double b2, double a0, double a1, double a2)
        : b0_(b0 / a0)
        , b1_(b1 / a0)
        , b2_(b2 / a0)
        , a1_(a1 / a0)
        , a2_(a2 / a0) {}

    double b0_, b1_, b2_, a1_, a2_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Half-cosine ramps: the first and the last sample become exactly zero.
void fadeIn(Signal& s, double seconds) {
    const std::size_t n = samples(seconds);
    for (std::size_t i = 0; i < n && i < s.size(); ++i)
        s[i] *= 0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / static_cast<double>(n));
}

void fadeOut(Signal& s, double seconds) {
    const std::size_t n = samples(seconds);
    for (std::size_t i = 0; i < n && i < s.size(); ++i)
        s[s.size() - 1 - i] *=
            0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / static_cast<double>(n));
}

void normalise(Signal& s, double peakDb) {
    double peak = 0;
    for (double v : s)
        peak = std::max(peak, std::abs(v));
    const double gain = std::pow(10.0, peakDb / 20) / peak;
    for (double& v : s)
        v *= gain;
}

// Amplitude of an upper partial at the given frequency: full below 7 kHz, fading out below the
// Nyquist frequency so that a sweeping tone never folds back.
double partialWeight(double frequency) {
    constexpr double kFull = 7000, kNone = 10000;
    if (frequency <= kFull)
        return 1;
    if (frequency >= kNone)
        return 0;
    return 0.5 + 0.5 * std::cos(kPi * (frequency - kFull) / (kNone - kFull));
}

// A harmonic tone at the given phase; step 2 keeps the odd partials only.
double harmonics(double phase, double frequency, double rolloff, int step) {
    double v = 0;
    for (int k = 1; k * frequency < 10000; k += step)
        v += partialWeight(k * frequency) * std::sin(k * phase) / std::pow(k, rolloff);
    return v;
}

// One vibration mode of a bell: frequency as a multiple of the lowest, strength when struck
// and the time it takes to die away by 60 dB.
struct Mode {
    double ratio;
    double gain;
    double decay;
};

struct Strike {
    double time;
    double force;
};

// A struck bell as a set of decaying sinusoids. Each mode is a pair a few hertz apart, as in a
// real bell that is not perfectly round, which gives the shimmer. A stroke first damps what is
// ringing (the hammer rests on the metal for a moment), then excites every mode in sine phase,
// so a stroke never makes a step in the waveform. A short noise tick is the hammer's contact.
void ringBell(Signal& out, double fundamental, const std::vector<Mode>& modes,
              const std::vector<Strike>& strikes, double contactDamping, double clickLevel,
              Noise& noise) {
    struct Resonator {
        std::complex<double> state;
        std::complex<double> step;
        double gain;
    };
    std::vector<Resonator> resonators;
    for (const Mode& mode : modes) {
        const double r = std::pow(10.0, -3.0 / (mode.decay * kRate));
        for (double split : {-0.8, 0.8}) {
            const double w = kTwoPi * (fundamental * mode.ratio + split) / kRate;
            resonators.push_back({0.0, std::polar(r, w), mode.gain / 2});
        }
    }
    const std::size_t contact = samples(0.002);
    const double damping = std::pow(contactDamping, 1.0 / static_cast<double>(contact));
    Biquad clickFilter = Biquad::bandPass(3500, 1.2);
    std::size_t next = 0, contactLeft = 0;
    double click = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (next < strikes.size() && samples(strikes[next].time) == i) {
            for (Resonator& r : resonators)
                r.state += strikes[next].force * r.gain;
            contactLeft = contact;
            click = clickLevel * strikes[next].force;
            ++next;
        }
        double v = 0;
        for (Resonator& r : resonators) {
            r.state *= r.step;
            if (contactLeft > 0)
                r.state *= damping;
            v += r.state.imag();
        }
        if (contactLeft > 0)
            --contactLeft;
        v += clickFilter(click * noise.next());
        click *= 0.985;
        out[i] += v;
    }
}

// Strokes at a steady rate with a little unevenness in timing and force, as from an electric
// or clockwork hammer.
std::vector<Strike> strokes(double from, double until, double rate, Noise& noise) {
    std::vector<Strike> list;
    for (double t = from; t < until; t += noise.between(0.97, 1.03) / rate)
        list.push_back({t, noise.between(0.85, 1.0)});
    return list;
}

// A fire-alarm bell: one large gong struck 17 times a second for 3.5 s, then left to ring out.
Signal fireBell() {
    Signal s(samples(4.2), 0.0);
    Noise noise(1);
    const std::vector<Mode> gong{
        {1.00, 1.00, 0.90}, {2.32, 0.80, 0.60}, {4.25, 0.55, 0.40},
        {6.63, 0.35, 0.25}, {9.38, 0.20, 0.15},
    };
    ringBell(s, 640, gong, strokes(0.005, 3.5, 17, noise), 0.55, 0.6, noise);
    fadeOut(s, 0.35);
    return s;
}

// A mechanical alarm clock: a hammer between two small bells of different pitch, 28 strokes a
// second in all, for 2.6 s.
Signal classicRing() {
    Signal s(samples(3.0), 0.0);
    Noise noise(7);
    const std::vector<Mode> bell{{1.00, 1.00, 0.45}, {2.61, 0.60, 0.30}, {4.80, 0.35, 0.15}};
    const std::vector<Strike> all = strokes(0.005, 2.6, 28, noise);
    std::vector<Strike> left, right;
    for (std::size_t i = 0; i < all.size(); ++i)
        (i % 2 == 0 ? left : right).push_back(all[i]);
    ringBell(s, 1900, bell, left, 0.5, 0.8, noise);
    ringBell(s, 2180, bell, right, 0.5, 0.8, noise);
    fadeOut(s, 0.3);
    return s;
}

// An air-raid siren: a rotor spins up from rest, holds at full speed and coasts down, its pitch
// and loudness following the speed. Two rotors with 10 and 12 ports sound a minor third apart,
// with the buzz of many harmonics and some wind noise.
Signal nuclearSiren() {
    constexpr double kLength = 5.0, kFull = 2.0, kHold = 2.6;
    Signal s(samples(kLength), 0.0);
    Noise noise(2);
    Biquad wind = Biquad::bandPass(900, 0.7);
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = timeOf(i);
        double speed = 1;
        if (t < kFull)
            speed = std::sin(kPi / 2 * t / kFull);
        else if (t > kHold)
            speed = std::pow(0.5 + 0.5 * std::cos(kPi * (t - kHold) / (kLength - kHold)), 1.3);
        const double f = 95 + 400 * speed;
        phase += kTwoPi * f / kRate;
        const double v = harmonics(phase, f, 1.3, 1) +
                         0.8 * harmonics(1.2 * phase, 1.2 * f, 1.3, 1) + 0.6 * wind(noise.next());
        s[i] = v * std::pow(speed, 0.8);
    }
    fadeOut(s, 0.02);
    return s;
}

// A two-tone police siren: 960 Hz and 770 Hz for half a second each, through a horn-like square
// wave. Each half second holds a whole number of cycles and the changes are glides centred on
// the boundaries, so the file is exactly periodic.
Signal policeSiren() {
    constexpr double kHigh = 960, kLow = 770, kHalf = 0.5, kGlide = 0.02;
    Signal s(samples(4.0), 0.0);
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = timeOf(i);
        const double u = std::fmod(t, 2 * kHalf);
        // 1 on the high tone, 0 on the low, gliding in a straight line across each change.
        double level = u < kHalf ? 1 : 0;
        const double toFall = u - kHalf, toRise = u < kHalf ? u : u - 2 * kHalf;
        if (std::abs(toFall) < kGlide / 2)
            level = 0.5 - toFall / kGlide;
        else if (std::abs(toRise) < kGlide / 2)
            level = 0.5 + toRise / kGlide;
        const double f = kLow + (kHigh - kLow) * level;
        s[i] = harmonics(phase, f, 1.0, 2);
        phase += kTwoPi * f / kRate;
    }
    fadeIn(s, 0.01);
    fadeOut(s, 0.01);
    return s;
}

// Drum voices, added into the loop at a given sample.
void kick(Signal& s, std::size_t at, double level) {
    double phase = 0;
    for (std::size_t i = 0; i < samples(0.4) && at + i < s.size(); ++i) {
        const double t = timeOf(i);
        s[at + i] += level * std::exp(-t / 0.16) * std::sin(phase);
        phase += kTwoPi * (48 + 95 * std::exp(-t / 0.035)) / kRate;
    }
}

void snare(Signal& s, std::size_t at, double level, Noise& noise) {
    Biquad rattle = Biquad::highPass(1800, 0.7);
    for (std::size_t i = 0; i < samples(0.25) && at + i < s.size(); ++i) {
        const double t = timeOf(i);
        const double body =
            std::exp(-t / 0.05) * (std::sin(kTwoPi * 185 * t) + 0.5 * std::sin(kTwoPi * 330 * t));
        const double wires = std::exp(-t / 0.06) * rattle(noise.next());
        s[at + i] += level * std::min(1.0, t / 0.001) * (0.5 * body + 0.9 * wires);
    }
}

void hiHat(Signal& s, std::size_t at, double level, double decay, std::size_t until, Noise& noise) {
    Biquad sizzle = Biquad::highPass(7000, 0.8);
    Biquad tone = Biquad::bandPass(9000, 1.5);
    for (std::size_t i = 0; at + i < std::min(until, s.size()); ++i) {
        const double t = timeOf(i);
        const double n = noise.next();
        s[at + i] +=
            level * std::min(1.0, t / 0.0005) * std::exp(-t / decay) * (sizzle(n) + 0.5 * tone(n));
    }
}

// A funky two-bar loop at 100 beats a minute: syncopated kick, backbeat snare with ghost notes,
// sixteenth hi-hats lightly swung, an open hat before each bar line. Nothing sounds on the last
// sixteenth but the open hat's tail, so the loop closes in silence.
Signal funkyDrums() {
    constexpr double kStep = 60.0 / 100 / 4, kSwing = 0.012;
    // One character per sixteenth over two bars. Kick: x. Snare: S, a ghost note g. Hi-hat:
    // closed unless o (open, sounding until the next but one step) or - (none).
    const std::string kicks = "x......x..x....."
                              "x.x....x..x..x..";
    const std::string snares = "....S..g.g..S..."
                               "....S.g..g.gS...";
    const std::string hats = "..............o-"
                             "..............o-";
    Signal s(samples(static_cast<double>(kicks.size()) * kStep), 0.0);
    Noise noise(4);
    for (std::size_t step = 0; step < kicks.size(); ++step) {
        const double time = static_cast<double>(step) * kStep;
        const std::size_t at = samples(time + (step % 2 == 1 ? kSwing : 0.0));
        if (kicks[step] == 'x')
            kick(s, at, 1.0);
        if (snares[step] == 'S')
            snare(s, at, 0.8, noise);
        else if (snares[step] == 'g')
            snare(s, at, 0.22, noise);
        if (hats[step] == 'o')
            hiHat(s, at, 0.3, 0.09, samples(time + 2 * kStep), noise);
        else if (hats[step] == '.')
            hiHat(s, at, step % 2 == 0 ? 0.32 : 0.18, 0.025, samples(time + kStep), noise);
    }
    fadeOut(s, 0.02);
    return s;
}

// A digital alarm clock: four quick beeps of a piezo-like square wave at 2 kHz, a pause, and
// again. Each beep holds whole cycles and has 2 ms edges.
Signal modernBeeps() {
    constexpr double kFrequency = 2000, kBeep = 0.1, kGap = 0.05, kGroup = 1.4;
    Signal s(samples(2 * kGroup), 0.0);
    for (int group = 0; group < 2; ++group) {
        for (int beep = 0; beep < 4; ++beep) {
            const std::size_t at = samples(group * kGroup + beep * (kBeep + kGap));
            const std::size_t length = samples(kBeep);
            const std::size_t edge = samples(0.002);
            for (std::size_t i = 0; i < length; ++i) {
                const std::size_t fromEnd = std::min(i, length - 1 - i);
                const double ramp = fromEnd >= edge
                                        ? 1
                                        : 0.5 - 0.5 * std::cos(kPi * static_cast<double>(fromEnd) /
                                                               static_cast<double>(edge));
                const double phase = kTwoPi * kFrequency * timeOf(i);
                s[at + i] += ramp * harmonics(phase, kFrequency, 1.0, 2);
            }
        }
    }
    return s;
}

// One pipe of the cuckoo: a soft flute tone, mostly fundamental, with breath noise.
void pipe(Signal& s, double from, double length, double frequency, Noise& noise) {
    Biquad breath = Biquad::bandPass(frequency, 4);
    const std::size_t at = samples(from);
    double phase = 0;
    for (std::size_t i = 0; i < samples(length); ++i) {
        const double t = timeOf(i);
        const double envelope = std::min(1.0, t / 0.015) * std::min(1.0, (length - t) / 0.06) *
                                (0.75 + 0.25 * std::exp(-t / 0.08));
        // The bellows push the pitch up slightly at the start of each note.
        const double f = frequency * (1 + 0.02 * std::exp(-t / 0.03));
        phase += kTwoPi * f / kRate;
        const double v = std::sin(phase) + 0.22 * std::sin(2 * phase) + 0.08 * std::sin(3 * phase) +
                         0.9 * breath(noise.next());
        s[at + i] += envelope * v;
    }
}

// A cuckoo clock: the falling "cu-ckoo" of two pipes a minor third apart, twice, over the
// tick-tock of the pendulum.
Signal cuckooClock() {
    Signal s(samples(3.0), 0.0);
    Noise noise(5);
    for (int call = 0; call < 2; ++call) {
        pipe(s, 0.10 + call, 0.22, 698.46, noise);
        pipe(s, 0.40 + call, 0.42, 587.33, noise);
    }
    for (int tick = 0; tick < 6; ++tick) {
        Biquad wood = Biquad::bandPass(tick % 2 == 0 ? 3200 : 2300, 3);
        const std::size_t at = samples(0.25 + 0.5 * tick);
        for (std::size_t i = 0; i < samples(0.03); ++i)
            s[at + i] += 0.9 * std::min(1.0, timeOf(i) / 0.0003) * std::exp(-timeOf(i) / 0.004) *
                         wood(noise.next());
    }
    return s;
}

bool writeWav(const std::string& path, Signal s) {
    normalise(s, -1.0);
    std::ofstream file(path, std::ios::binary);
    const auto put = [&file](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file.put(static_cast<char>((value >> (8 * i)) & 0xff));
    };
    const auto dataBytes = static_cast<std::uint32_t>(s.size() * 2);
    file.write("RIFF", 4);
    put(36 + dataBytes, 4);
    file.write("WAVEfmt ", 8);
    put(16, 4);
    put(1, 2); // PCM
    put(1, 2); // mono
    put(kRate, 4);
    put(kRate * 2, 4);
    put(2, 2);
    put(16, 2);
    file.write("data", 4);
    put(dataBytes, 4);
    for (double v : s) {
        const auto sample =
            static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
        put(static_cast<std::uint16_t>(sample), 2);
    }
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sounds FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const struct {
        const char* name;
        Signal (*make)();
    } sounds[] = {
        {"Fire.wav", fireBell},       {"Nuclear.wav", nuclearSiren}, {"Siren.wav", policeSiren},
        {"Drums.wav", funkyDrums},    {"Modern.wav", modernBeeps},   {"Cuckoo.wav", cuckooClock},
        {"Classic.wav", classicRing},
    };
    for (const auto& sound : sounds) {
        const std::string path = folder + "/" + sound.name;
        if (!writeWav(path, sound.make())) {
            std::fprintf(stderr, "make-sounds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
