#pragma once

#include <QByteArray>
#include <optional>

namespace platform {

// Sound as the sound server takes it: PCM samples, interleaved, little-endian.
struct Wave
{
    int bits = 16;     // 8 (unsigned) or 16 (signed)
    int channels = 1;  // 1 or 2
    int rate = 44100;  // samples per second and channel
    QByteArray samples;

    int bytesPerSecond() const { return rate * channels * bits / 8; }
};

// The samples of a WAV file: 8- or 16-bit PCM, mono or stereo, 1000 to 192000 Hz. Anything
// else, or a damaged file, gives nothing.
std::optional<Wave> parseWave(const QByteArray &bytes);

// 16-bit mono samples made twice as many by drawing a sample halfway between each two, so that
// speech (22050 Hz) plays through the stream the sounds opened (44100 Hz).
QByteArray doubleRate(const QByteArray &mono16);

} // namespace platform
