#pragma once

#include "platform/Wave.h"

#include <QString>
#include <QStringList>
#include <atomic>

namespace platform {

// eSpeak NG, synthesising into memory. The library is opened when first needed; everything
// here runs on one thread (the engine is not made for more), the one that plays the sounds.
class SpeechEngine
{
public:
    SpeechEngine() = default;
    ~SpeechEngine();
    SpeechEngine(const SpeechEngine &) = delete;
    SpeechEngine &operator=(const SpeechEngine &) = delete;

    // The first voice of the list that is installed becomes the voice; empty when none is
    // (or when the library or its data cannot be had).
    QString chooseVoice(const QStringList &candidates);
    // The text spoken with the chosen voice, 16-bit mono; empty when nothing can be said. A
    // synthesis stops early when `stop` becomes different from `keepWhile`.
    Wave synthesise(const QString &text, const std::atomic<unsigned> &stop, unsigned keepWhile);

    // What is spoken of a text: control characters become blanks, and a text longer than a
    // child would listen to is cut at a word.
    static QString speakable(const QString &text);
    static constexpr int kMaxCharacters = 400;

private:
    bool start();

    struct Library;
    Library *m_lib = nullptr;
    bool m_tried = false;
    int m_rate = 0;
    QString m_voice;
};

} // namespace platform
