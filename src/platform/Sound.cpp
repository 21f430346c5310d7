#include "platform/Sound.h"

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/SpeechEngine.h"
#include "platform/Wave.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QTimer>

#include <pulse/simple.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <dlfcn.h>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// Sounds and speech go to the desktop's sound server (PulseAudio, or PipeWire speaking its
// protocol) from one thread of their own, so the child never waits for either. The server's
// client library and the speech engine are opened by that thread when first needed: the
// program starts faster and smaller, and without them (or without a server) it is silent.

namespace platform {

namespace {

// Set by tests.
SoundSink soundSink;
SpeechSink speechSink;

// What the player last found of speech, for the voices of one choice: (choice << 2) | answer.
enum Answer : unsigned { NotYet = 0, Unavailable = 1, Available = 2 };
std::atomic<unsigned> playerAnswer{0};

// What the program's thread knows of speech: the voices wanted, and what it last told.
struct SpeechState
{
    QStringList voices;
    unsigned choice = 0; // counts the choices of voices
    bool available = false;
    std::function<void()> listener;
    unsigned request = 0; // the newest speech asked for; older ones not yet handed on are dropped
    QTimer *poll = nullptr;
};

SpeechState &speechState()
{
    static SpeechState s;
    return s;
}

void setAvailable(bool available)
{
    SpeechState &s = speechState();
    if (s.available == available)
        return;
    s.available = available;
    if (s.listener)
        s.listener();
}

// Takes in what the player found for the current choice of voices; false while it has not
// answered yet.
bool takePlayerAnswer()
{
    SpeechState &s = speechState();
    const unsigned answer = playerAnswer.load();
    if (answer >> 2 != s.choice || (answer & 3) == NotYet)
        return false;
    setAvailable((answer & 3) == Available);
    return true;
}

// The few functions of the server's simple client library.
struct PulseSimple
{
    decltype(&pa_simple_new) create = nullptr;
    decltype(&pa_simple_write) write = nullptr;
    decltype(&pa_simple_drain) drain = nullptr;
    decltype(&pa_simple_flush) flush = nullptr;
    decltype(&pa_simple_free) release = nullptr;

    bool load()
    {
        void *library = dlopen("libpulse-simple.so.0", RTLD_NOW | RTLD_LOCAL);
        const auto find = [library](auto &fn, const char *name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(library, name));
            return fn != nullptr;
        };
        return library && find(create, "pa_simple_new") && find(write, "pa_simple_write") &&
               find(drain, "pa_simple_drain") && find(flush, "pa_simple_flush") && find(release, "pa_simple_free");
    }
};

std::atomic<void (*)()> playbackStartProbe{nullptr};
std::atomic<FILE *> speechLog{nullptr};

// The stream everything plays through, opened again for a wave of another format.
class Output
{
public:
    ~Output() { close(); }

    bool open(const Wave &format)
    {
        if (!m_loaded) {
            m_loaded = true;
            m_available = m_pulse.load();
        }
        if (!m_available)
            return false;
        if (m_stream && sameFormat(format))
            return true;
        close();
        pa_sample_spec samples{};
        samples.format = format.bits == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
        samples.channels = uint8_t(format.channels);
        samples.rate = uint32_t(format.rate);
        // A tenth of a second ahead of what is heard: a newer sound takes over that quickly,
        // and the end of a sound is known to within that.
        pa_buffer_attr buffer;
        buffer.maxlength = uint32_t(-1);
        buffer.tlength = uint32_t(format.bytesPerSecond() / 10);
        buffer.prebuf = uint32_t(-1);
        buffer.minreq = uint32_t(-1);
        buffer.fragsize = uint32_t(-1);
        m_stream = m_pulse.create(nullptr, "Zorvelli", PA_STREAM_PLAYBACK, nullptr, "feedback", &samples, nullptr,
                                  &buffer, nullptr);
        m_format = format;
        return m_stream != nullptr;
    }

    // Plays the wave until its end or until `cut` says to stop. False when the server went.
    template <class Cut> bool play(const Wave &wave, Cut cut)
    {
        if (!open(wave))
            return false;
        const qsizetype piece = qMax<qsizetype>(4, wave.bytesPerSecond() / 50 & ~qsizetype(3));
        for (qsizetype at = 0; at < wave.samples.size(); at += piece) {
            if (cut()) {
                m_pulse.flush(m_stream, nullptr);
                return true;
            }
            const size_t n = size_t(qMin(piece, wave.samples.size() - at));
            if (m_pulse.write(m_stream, wave.samples.constData() + at, n, nullptr) < 0) {
                close();
                return false;
            }
            if (void (*probe)() = playbackStartProbe.load(); probe && at == 0)
                probe();
        }
        if (m_pulse.drain(m_stream, nullptr) < 0) {
            close();
            return false;
        }
        return true;
    }

    void close()
    {
        if (m_stream)
            m_pulse.release(m_stream);
        m_stream = nullptr;
    }

private:
    bool sameFormat(const Wave &w) const
    {
        return w.bits == m_format.bits && w.channels == m_format.channels && w.rate == m_format.rate;
    }

    PulseSimple m_pulse;
    bool m_loaded = false, m_available = false;
    pa_simple *m_stream = nullptr;
    Wave m_format;
};

// The format the sounds are made in, which speech is brought to.
const Wave kStreamFormat{16, 1, 44100, {}};

class Player
{
public:
    Player() : m_thread([this] { run(); }) {}

    // Only when the thread has finished; a player whose thread never comes back is left alone.
    ~Player() { m_thread.join(); }

    void playSound(const Wave &wave)
    {
        post([&] {
            m_sound = wave;
            ++m_soundGeneration;
        });
    }

    void speak(const QString &text)
    {
        post([&] {
            m_speech = text;
            ++m_speechGeneration;
        });
    }

    void stopSpeaking()
    {
        post([&] {
            m_speech.reset();
            ++m_speechGeneration;
        });
    }

    void setVoices(const QStringList &voices, unsigned choice)
    {
        post([&] {
            m_voices = voices;
            m_choice = choice;
        });
    }

    SpokenText synthesiseNow(const QString &text)
    {
        // Shared: a caller that gave up waiting leaves the promise to the player.
        auto promise = std::make_shared<std::promise<SpokenText>>();
        std::future<SpokenText> result = promise->get_future();
        post([&] { m_synthesis.push_back({text, promise}); });
        if (result.wait_for(std::chrono::seconds(30)) != std::future_status::ready)
            return {};
        return result.get();
    }

    bool finish(int msecs)
    {
        std::unique_lock lock(m_mutex);
        m_quit = true;
        m_sound.reset();
        m_speech.reset();
        ++m_soundGeneration;
        ++m_speechGeneration;
        m_wake.notify_one();
        return m_done.wait_for(lock, std::chrono::milliseconds(msecs), [this] { return m_finished; });
    }

private:
    // Changes what the player is asked for, and wakes it.
    template <class Change> void post(Change change)
    {
        {
            std::lock_guard lock(m_mutex);
            change();
        }
        m_wake.notify_one();
    }

    struct Synthesis
    {
        QString text;
        std::shared_ptr<std::promise<SpokenText>> promise;
    };

    void run()
    {
        SpeechEngine engine;
        Output output;
        QString voice;
        bool serverAnswers = false;
        unsigned choice = 0;
        const auto report = [&] {
            playerAnswer = choice << 2 | (!voice.isEmpty() && serverAnswers ? Available : Unavailable);
        };
        // Whether the server took what was played: told on when that changes.
        const auto heard = [&](bool answered) {
            if (answered != serverAnswers) {
                serverAnswers = answered;
                report();
            }
        };
        for (;;) {
            std::optional<Wave> sound;
            std::optional<QString> speech;
            std::optional<QStringList> voices;
            std::optional<Synthesis> synthesis;
            unsigned soundGeneration = 0, speechGeneration = 0;
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [this] { return m_quit || m_sound || m_speech || m_voices || !m_synthesis.empty(); });
                if (m_quit)
                    break;
                // The voices first, so that speech asked for with them is said with them; a
                // sound before speech that waits.
                if (m_voices) {
                    voices = std::exchange(m_voices, std::nullopt);
                    choice = m_choice;
                }
                else if (!m_synthesis.empty())
                    synthesis = m_synthesis.takeFirst();
                else if (m_sound)
                    sound = std::exchange(m_sound, std::nullopt);
                else
                    speech = std::exchange(m_speech, std::nullopt);
                soundGeneration = m_soundGeneration;
                speechGeneration = m_speechGeneration;
            }
            if (voices) {
                voice = engine.chooseVoice(*voices);
                serverAnswers = output.open(kStreamFormat);
                report();
            } else if (synthesis) {
                const std::atomic<unsigned> never{0};
                const Wave w = engine.synthesise(synthesis->text, never, 0);
                synthesis->promise->set_value({w.samples, w.rate, voice});
            } else if (sound) {
                heard(output.play(*sound, [&] { return m_soundGeneration != soundGeneration; }));
            } else if (speech) {
                Wave w = engine.synthesise(*speech, m_speechGeneration, speechGeneration);
                if (w.samples.isEmpty())
                    continue;
                if (FILE *log = speechLog.load()) {
                    std::fprintf(log, "%s\t%s\n", qUtf8Printable(voice), qUtf8Printable(SpeechEngine::speakable(*speech)));
                    std::fflush(log);
                }
                if (w.rate * 2 == kStreamFormat.rate) {
                    w.samples = doubleRate(w.samples);
                    w.rate = kStreamFormat.rate;
                }
                // Speech gives way to a sound, and to newer speech.
                heard(output.play(w, [&] {
                    return m_speechGeneration != speechGeneration || m_soundGeneration != soundGeneration;
                }));
            }
        }
        {
            std::lock_guard lock(m_mutex);
            for (Synthesis &s : m_synthesis)
                s.promise->set_value({});
            m_synthesis.clear();
        }
        output.close();
        std::lock_guard lock(m_mutex);
        m_finished = true;
        m_done.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_wake, m_done;
    std::optional<Wave> m_sound;
    std::optional<QString> m_speech;
    std::optional<QStringList> m_voices;
    QList<Synthesis> m_synthesis;
    unsigned m_choice = 0;
    bool m_quit = false, m_finished = false;
    std::atomic<unsigned> m_soundGeneration{0}, m_speechGeneration{0};
    std::thread m_thread;
};

Player *&playerPointer()
{
    static Player *p = nullptr;
    return p;
}

// The player goes with the application, while everything it needs still exists.
void stopPlayerAtExit()
{
    stopPlayer(500);
}

Player &player()
{
    Player *&p = playerPointer();
    if (!p) {
        p = new Player;
        qAddPostRoutine(stopPlayerAtExit);
    }
    return *p;
}

// Waves read once: reading a file again each time would delay the sound a child waits for.
QHash<QString, Wave> &waves()
{
    static QHash<QString, Wave> w;
    return w;
}

} // namespace

void setSoundSink(SoundSink s)
{
    soundSink = std::move(s);
}

void setSpeechSink(SpeechSink s)
{
    speechSink = std::move(s);
    speechState().request++;
    setAvailable(bool(speechSink));
}

void playSoundAsync(const QString &programPath)
{
    if (soundSink) {
        soundSink(programPath);
        return;
    }
    const QString path = resolvePath(programPath);
    auto it = waves().constFind(path);
    if (it == waves().constEnd()) {
        bool ok = false;
        const QByteArray bytes = readFileBytes(path, &ok, 16 * 1024 * 1024);
        const std::optional<Wave> wave = ok ? parseWave(bytes) : std::nullopt;
        if (!wave)
            return; // missing or no playable WAV: nothing is heard, nothing is said
        it = waves().insert(path, *wave);
    }
    player().playSound(*it);
}

void speakAsync(const QString &text)
{
    SpeechState &s = speechState();
    const unsigned request = ++s.request;
    if (speechSink) {
        speechSink(text, s.voices.value(0));
        return;
    }
    if (s.voices.isEmpty())
        return;
    takePlayerAnswer();
    // Handed on once the event that asked for it is done: a sound asked for in the same event
    // reaches the player first, and plays first.
    QTimer::singleShot(0, QCoreApplication::instance(), [text, request] {
        if (speechState().request == request)
            player().speak(text);
    });
}

void stopSpeaking()
{
    SpeechState &s = speechState();
    ++s.request;
    if (speechSink) {
        speechSink(QString(), s.voices.value(0));
        return;
    }
    if (playerPointer())
        playerPointer()->stopSpeaking();
}

void setSpeechVoices(const QStringList &voices)
{
    SpeechState &s = speechState();
    if (voices == s.voices)
        return;
    s.voices = voices;
    ++s.choice;
    if (speechSink)
        return;
    setAvailable(false);
    if (voices.isEmpty())
        return;
    player().setVoices(voices, s.choice);
    // The player answers once it has tried the engine, the voices and the server; until then
    // this thread looks now and then.
    if (!s.poll) {
        s.poll = new QTimer(QCoreApplication::instance());
        s.poll->setInterval(50);
        QObject::connect(s.poll, &QTimer::timeout, [] {
            if (takePlayerAnswer())
                speechState().poll->stop();
        });
    }
    s.poll->start();
}

void setSpeechLog(const QString &file)
{
    FILE *log = file.isEmpty() ? nullptr : std::fopen(QFile::encodeName(file).constData(), "a");
    if (FILE *old = speechLog.exchange(log); old && !playerPointer())
        std::fclose(old); // one the player may still write to is left open
}

void setPlaybackStartProbe(void (*probe)())
{
    playbackStartProbe = probe;
}

bool speechAvailable()
{
    if (!speechSink)
        takePlayerAnswer();
    return speechState().available;
}

void setSpeechAvailabilityListener(std::function<void()> listener)
{
    speechState().listener = std::move(listener);
}

SpokenText synthesiseNow(const QString &text)
{
    return player().synthesiseNow(text);
}

bool stopPlayer(int msecs)
{
    Player *&p = playerPointer();
    if (!p)
        return true;
    if (!p->finish(msecs))
        return false; // its thread waits on the server still; it goes with the process
    delete p;
    p = nullptr;
    return true;
}

} // namespace platform
