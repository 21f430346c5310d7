#include "Jingles.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sound {

namespace {

struct Note
{
    double freq;   // Hz
    double start;  // s
    double length; // s, including the fade at its end
    double level;  // relative loudness
};

struct Timbre
{
    std::vector<double> harmonics; // amplitude of partial 1, 2, 3, ...
    double attack;                 // s, raised-cosine rise from silence
    double decay;                  // s, time constant of the exponential fall
    double upperDecay;             // 1/s, extra fall of the upper partials (bell-like)
    double release;                // s, raised-cosine fall to silence at the note's end
    double glide;                  // fraction by which the pitch sinks over the note
};

const Timbre Bell{{1.0, 0.35, 0.12, 0.06}, 0.006, 0.28, 5.0, 0.04, 0.0};
const Timbre Soft{{1.0, 0.18, 0.05}, 0.035, 0.55, 2.0, 0.07, 0.035};

// Equal-tempered pitch of a note named by its MIDI number (69 = A4 = 440 Hz).
double pitch(int midi)
{
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

std::vector<float> render(const std::vector<Note> &notes, const Timbre &timbre, double peak)
{
    double end = 0.0;
    for (const Note &n : notes)
        end = std::max(end, n.start + n.length);
    // A few milliseconds of silence after the last note.
    const auto total = static_cast<size_t>(std::ceil((end + 0.005) * SampleRate));
    std::vector<double> mixbuf(total, 0.0);

    for (const Note &n : notes) {
        const auto first = static_cast<size_t>(std::llround(n.start * SampleRate));
        const auto count = static_cast<size_t>(std::llround(n.length * SampleRate));
        double phase = 0.0;
        for (size_t i = 0; i < count && first + i < total; ++i) {
            const double t = double(i) / SampleRate;
            double env = std::exp(-t / timbre.decay);
            if (t < timbre.attack)
                env *= 0.5 * (1.0 - std::cos(std::numbers::pi * t / timbre.attack));
            const double untilEnd = n.length - t;
            if (untilEnd < timbre.release)
                env *= 0.5 * (1.0 - std::cos(std::numbers::pi * std::max(0.0, untilEnd) / timbre.release));
            double value = 0.0;
            for (size_t k = 0; k < timbre.harmonics.size(); ++k)
                value += timbre.harmonics[k] * std::exp(-t * timbre.upperDecay * double(k)) *
                         std::sin(double(k + 1) * phase);
            mixbuf[first + i] += n.level * env * value;
            const double f = n.freq * (1.0 - timbre.glide * std::min(1.0, t / n.length));
            phase += 2.0 * std::numbers::pi * f / SampleRate;
        }
    }

    double loudest = 0.0;
    for (double v : mixbuf)
        loudest = std::max(loudest, std::abs(v));
    std::vector<float> out(total);
    for (size_t i = 0; i < total; ++i)
        out[i] = float(loudest > 0.0 ? mixbuf[i] * peak / loudest : 0.0);
    return out;
}

// Jingles peak at half of full scale (about -6 dBFS).
constexpr double JinglePeak = 0.5;
// The wrong-answer sound is quieter still (about -11 dBFS): it should never startle.
constexpr double TryAgainPeak = 0.28;

} // namespace

std::vector<float> rightJingle(int which)
{
    switch (which) {
    case 1: // a rising major arpeggio C E G C
        return render({{pitch(72), 0.000, 0.20, 0.80},
                       {pitch(76), 0.085, 0.20, 0.85},
                       {pitch(79), 0.170, 0.20, 0.90},
                       {pitch(84), 0.255, 0.34, 1.00}},
                      Bell, JinglePeak);
    case 2: // "da-da-daa": two quick notes, then a bright interval
        return render({{pitch(79), 0.000, 0.10, 0.80},
                       {pitch(79), 0.110, 0.10, 0.80},
                       {pitch(84), 0.220, 0.36, 1.00},
                       {pitch(76), 0.220, 0.36, 0.55}},
                      Bell, JinglePeak);
    case 3: // a quick pentatonic run up
        return render({{pitch(72), 0.000, 0.14, 0.70},
                       {pitch(74), 0.055, 0.14, 0.75},
                       {pitch(76), 0.110, 0.14, 0.80},
                       {pitch(79), 0.165, 0.14, 0.85},
                       {pitch(81), 0.220, 0.14, 0.90},
                       {pitch(84), 0.275, 0.30, 1.00}},
                      Bell, JinglePeak);
    default: // "ta-daa": a pick-up note and a full major chord
        return render({{pitch(67), 0.000, 0.13, 0.85},
                       {pitch(72), 0.150, 0.40, 0.80},
                       {pitch(76), 0.150, 0.40, 0.65},
                       {pitch(79), 0.150, 0.40, 0.60}},
                      Bell, JinglePeak);
    }
}

std::vector<float> tryAgain()
{
    // "uh-oh": a soft falling minor third, the second note sinking a little.
    return render({{pitch(67), 0.00, 0.24, 1.00}, {pitch(64), 0.22, 0.38, 1.00}}, Soft, TryAgainPeak);
}

std::vector<float> celebration()
{
    // A fanfare: a quick run up two octaves, a full chord held, and sparkles above it.
    std::vector<Note> notes;
    const int run[] = {60, 64, 67, 72, 76, 79};
    for (int i = 0; i < 6; ++i)
        notes.push_back({pitch(run[i]), 0.065 * i, 0.16, 0.65 + 0.05 * i});
    for (const int chord : {72, 76, 79, 84})
        notes.push_back({pitch(chord), 0.40, 0.70, chord == 84 ? 1.0 : 0.7});
    for (const auto &[midi, at] : {std::pair{91, 0.55}, {96, 0.68}, {91, 0.80}, {100, 0.90}})
        notes.push_back({pitch(midi), at, 0.16, 0.35});
    return render(notes, Bell, JinglePeak);
}

QByteArray toWav(const std::vector<float> &samples)
{
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray wav;
    wav.reserve(int(44 + dataBytes));
    const auto put32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    const auto put16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav.append("RIFF", 4);
    put32(36 + dataBytes);
    wav.append("WAVE", 4);
    wav.append("fmt ", 4);
    put32(16); // size of the format chunk
    put16(1);  // PCM
    put16(1);  // mono
    put32(SampleRate);
    put32(SampleRate * 2); // bytes per second
    put16(2);              // bytes per sample frame
    put16(16);             // bits per sample
    wav.append("data", 4);
    put32(dataBytes);
    for (float s : samples) {
        const long v = std::lround(std::clamp(double(s), -1.0, 1.0) * 32767.0);
        put16(quint16(qint16(v)));
    }
    return wav;
}

} // namespace sound
