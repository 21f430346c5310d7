#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Sounds and speech go one after the other through one player, on a thread of its own: nothing
// here ever makes the caller wait. Without a sound server, a sound file or the speech engine,
// nothing is heard and nothing is said.
namespace platform {

// Starts playing a WAV file and returns at once. A sound cuts short whatever plays, a sound or
// speech; speech that waits is spoken after it.
void playSoundAsync(const QString &programPath);

// Speaks a text and returns at once. Speech waits for a sound that plays to end, and replaces
// speech that waits or is being spoken. Asked for in the same turn of the event loop as a sound,
// it comes after the sound, whichever was asked for first.
void speakAsync(const QString &text);
// Silences speech being spoken and drops speech that waits.
void stopSpeaking();

// The voices to speak with, best first (eSpeak NG names: "fr", "en", "it"): the first that is
// installed is used. Choosing readies the engine ahead of the first utterance.
void setSpeechVoices(const QStringList &voices);
// Whether speech can be heard: the engine, one of the voices and a sound server are there.
// False until that is known; `listener` hears (on this thread) when the answer changes.
bool speechAvailable();
void setSpeechAvailabilityListener(std::function<void()> listener);

// Speech as 16-bit mono samples, synthesised on the player's thread while the caller waits
// (for tests and measurements). Empty when no voice can say it.
struct SpokenText
{
    QByteArray samples;
    int rate = 0;
    QString voice;
};
SpokenText synthesiseNow(const QString &text);

// Waits, at most `msecs`, for the player to finish what it is at, and stops it. False when it
// did not (a sound server that no longer answers): the program should then end without
// waiting for it.
bool stopPlayer(int msecs);

// Called on the player's thread each time the first samples of a sound or of speech have gone to
// the sound server (for measurements of how soon a child hears something).
void setPlaybackStartProbe(void (*probe)());

// Appends each text the player speaks, as "voice<TAB>text" on a line of its own, to a file: the
// hook through which a test of the whole program hears what it said. Set before speech starts.
void setSpeechLog(const QString &file);

// Tests install sinks that record what was asked for instead of playing or speaking it; with a
// speech sink, speech counts as available and the voice recorded is the first one given.
using SoundSink = std::function<void(const QString &programPath)>;
void setSoundSink(SoundSink sink);
using SpeechSink = std::function<void(const QString &text, const QString &voice)>;
void setSpeechSink(SpeechSink sink);

} // namespace platform
