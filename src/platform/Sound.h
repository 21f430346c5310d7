#pragma once

#include <QString>
#include <functional>

namespace platform {

// Starts playing a WAV file and returns at once; a new sound replaces the one playing.
// Without an audio device or without the file nothing is heard and nothing is reported.
void playSoundAsync(const QString &programPath);

// Tests install a sink that records what was asked for instead of playing it.
using SoundSink = std::function<void(const QString &programPath)>;
void setSoundSink(SoundSink sink);

} // namespace platform
