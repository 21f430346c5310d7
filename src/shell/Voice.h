#pragma once

#include <QString>
#include <QStringList>

// What the program says aloud: the task of each turn, a word the child points at, the name of
// an activity. Everything spoken goes through here, so that the sound switch and the speech
// switch silence all of it. Speech never waits for anything and never reports a failure:
// where it cannot be had, nothing is said.
namespace Voice {

// The section of a language file with its voice (key Voice), the speaker button's name (key
// Listen) and the spoken sentences, one per task.
inline const QString kSpeechSection = QStringLiteral("Speech");
// How each value is said of blocks inside the sentences ("rossi" in "i blocchi rossi"), keyed
// by the value's name like section Words.
inline const QString kSpokenWordsSection = QStringLiteral("SpokenWords");

// Whether the program may speak now: the sounds are on and speech is switched on.
bool allowed();
// Whether what it says can be heard: allowed, and the speech engine, a voice and a sound
// server are there. The speaker buttons show exactly then.
bool canSpeak();

// The voices for the current language file, best first: the file's own (key Voice), the one of
// the file's language when its name tells it ("English" is en), Italian.
QStringList voicesOfCurrentLanguage();
// Chooses them, so that the engine is ready before the first sentence is wanted.
void useCurrentLanguage();

// Says a text, replacing whatever is being said or waits to be; nothing when not allowed.
void say(const QString &text);
// Silences what is being said and drops what waits: the child moved on.
void stop();

// A sentence of section Speech, its %1, %2 … replaced by the words given; `fallback` when the
// language file has no such sentence (an older file, a teacher's own).
QString sentence(const QString &key, const QStringList &words, const QString &fallback);
// How a value is said of blocks in the sentences; its display word where the file says nothing.
QString spokenWord(const QString &name);
// A caption written in capitals, as it is said ("NON ROSSO" is "non rosso"); other texts as
// they are.
QString plain(const QString &text);
// The speaker button's name, for assistive technology and as its tooltip.
QString listenName();

// The speech switch as LangSetting.ini keeps it (section Speech, key Enabled: on unless "0").
bool readSetting();
// Keeps the switch there; false when it cannot be kept.
bool writeSetting(bool on);

// Shows or hides the speaker buttons of the windows loaded, after a change of the switches or
// of what can be heard.
void refreshSpeakers();

} // namespace Voice
