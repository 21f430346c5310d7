#include "platform/Sound.h"

#include "platform/FileSystem.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QHash>
#include <QtEndian>

#include <pulse/simple.h>

#include <atomic>
#include <condition_variable>
#include <dlfcn.h>
#include <mutex>
#include <thread>

// Sounds go to the desktop's sound server (PulseAudio, or PipeWire speaking its protocol) on a
// thread of their own, so the child never waits for one. The server's client library is opened
// only when the first sound plays: the program starts faster and smaller, and without it (or
// without a server, or a device) everything simply stays silent.

namespace platform {

namespace {

SoundSink &sink()
{
    static SoundSink s;
    return s;
}

// A WAV file's samples in the form the server takes them.
struct Wave
{
    pa_sample_spec sampleFormat{};
    QByteArray samples;
};

// 8- or 16-bit PCM, mono or stereo; anything else (or a damaged file) gives no wave.
bool parseWave(const QByteArray &bytes, Wave *wave)
{
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return false;
    bool haveFormat = false;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype body = at + 8;
        const qint64 size = u32(at + 4);
        if (size > bytes.size() - body)
            return false;
        if (id == "fmt " && size >= 16) {
            const int format = u16(body), channels = u16(body + 2), bits = u16(body + 14);
            const quint32 rate = u32(body + 4);
            if (format != 1 || channels < 1 || channels > 2 || rate < 1000 || rate > 192000 ||
                (bits != 8 && bits != 16))
                return false;
            wave->sampleFormat.format = bits == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
            wave->sampleFormat.channels = uint8_t(channels);
            wave->sampleFormat.rate = rate;
            haveFormat = true;
        } else if (id == "data" && haveFormat) {
            wave->samples = bytes.mid(body, size);
            return !wave->samples.isEmpty();
        }
        at = body + size + (size & 1);
    }
    return false;
}

// The few functions of the server's simple client library, looked up when first needed.
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
        if (!library)
            return false;
        create = reinterpret_cast<decltype(create)>(dlsym(library, "pa_simple_new"));
        write = reinterpret_cast<decltype(write)>(dlsym(library, "pa_simple_write"));
        drain = reinterpret_cast<decltype(drain)>(dlsym(library, "pa_simple_drain"));
        flush = reinterpret_cast<decltype(flush)>(dlsym(library, "pa_simple_flush"));
        release = reinterpret_cast<decltype(release)>(dlsym(library, "pa_simple_free"));
        return create && write && drain && flush && release;
    }
};

// Plays one wave at a time; a new one cuts the one playing short.
class Player
{
public:
    Player() : m_thread([this] { run(); }) {}
    ~Player()
    {
        {
            std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }

    void play(const Wave &wave)
    {
        {
            std::lock_guard lock(m_mutex);
            m_next = wave;
            m_pending = true;
            ++m_generation;
        }
        m_wake.notify_one();
    }

private:
    void run()
    {
        PulseSimple pulse;
        const bool available = pulse.load();
        pa_simple *stream = nullptr;
        pa_sample_spec streamFormat{};
        for (;;) {
            Wave wave;
            unsigned generation = 0;
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [this] { return m_quit || m_pending; });
                if (m_quit)
                    break;
                wave = m_next;
                generation = m_generation;
                m_pending = false;
            }
            if (!available)
                continue;
            if (stream && (streamFormat.format != wave.sampleFormat.format || streamFormat.rate != wave.sampleFormat.rate ||
                           streamFormat.channels != wave.sampleFormat.channels)) {
                pulse.release(stream);
                stream = nullptr;
            }
            if (!stream) {
                stream = pulse.create(nullptr, "Zorvelli", PA_STREAM_PLAYBACK, nullptr, "feedback", &wave.sampleFormat,
                                      nullptr, nullptr, nullptr);
                streamFormat = wave.sampleFormat;
            }
            if (!stream)
                continue; // no server or no device: silence
            // Short pieces, so that a newer sound takes over within a few hundredths of a second.
            const qsizetype perSecond =
                qsizetype(wave.sampleFormat.rate) * wave.sampleFormat.channels * (wave.sampleFormat.format == PA_SAMPLE_U8 ? 1 : 2);
            const qsizetype piece = qMax<qsizetype>(4, perSecond / 50 & ~qsizetype(3));
            bool cut = false;
            for (qsizetype at = 0; at < wave.samples.size() && !cut; at += piece) {
                if (pulse.write(stream, wave.samples.constData() + at, size_t(qMin(piece, wave.samples.size() - at)),
                                nullptr) < 0) {
                    pulse.release(stream);
                    stream = nullptr;
                    break;
                }
                cut = m_generation.load() != generation;
            }
            if (stream && cut)
                pulse.flush(stream, nullptr);
        }
        if (stream)
            pulse.release(stream);
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    Wave m_next;
    bool m_pending = false;
    bool m_quit = false;
    std::atomic<unsigned> m_generation{0};
    std::thread m_thread;
};

Player *&player()
{
    static Player *p = nullptr;
    return p;
}

// The player stops with the application, while everything it needs still exists.
void stopPlayer()
{
    delete player();
    player() = nullptr;
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
    sink() = std::move(s);
}

void playSoundAsync(const QString &programPath)
{
    if (sink()) {
        sink()(programPath);
        return;
    }
    const QString path = resolvePath(programPath);
    auto it = waves().constFind(path);
    if (it == waves().constEnd()) {
        bool ok = false;
        Wave wave;
        const QByteArray bytes = readFileBytes(path, &ok, 16 * 1024 * 1024);
        if (!ok || !parseWave(bytes, &wave))
            return; // missing or no playable WAV: nothing is heard, nothing is said
        it = waves().insert(path, wave);
    }
    if (!player()) {
        player() = new Player;
        qAddPostRoutine(stopPlayer);
    }
    player()->play(*it);
}

} // namespace platform
