#pragma once

#include <QByteArray>
#include <vector>

// The feedback sounds, synthesised: four short cheerful jingles for a right answer and a
// gentle "uh-oh" for a wrong one. Mono, 16-bit PCM, 44100 Hz.
namespace sound {

inline constexpr int SampleRate = 44100;

// Samples in [-1, 1]; they begin and end at silence.
std::vector<float> rightJingle(int which); // which = 1 .. 4
std::vector<float> tryAgain();
// The cheer when a game or a chain is finished: about a second, brighter than any right jingle.
std::vector<float> celebration();

// A complete WAV file (RIFF header, "fmt " chunk for PCM, "data" chunk).
QByteArray toWav(const std::vector<float> &samples);

} // namespace sound
