#include "platform/SpeechEngine.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <espeak-ng/speak_lib.h>

#include <dlfcn.h>

namespace platform {

// The few functions of the library, looked up when speech is first wanted: the program starts
// without it, and without it (or its data) there is simply no speech.
struct SpeechEngine::Library
{
    void *handle = nullptr;
    decltype(&espeak_Initialize) initialize = nullptr;
    decltype(&espeak_SetSynthCallback) setCallback = nullptr;
    decltype(&espeak_SetVoiceByName) setVoice = nullptr;
    decltype(&espeak_SetParameter) setParameter = nullptr;
    decltype(&espeak_Synth) synth = nullptr;
    decltype(&espeak_Terminate) terminate = nullptr;

    bool load()
    {
        handle = dlopen("libespeak-ng.so.1", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return false;
        const auto find = [this](auto &fn, const char *name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(handle, name));
            return fn != nullptr;
        };
        return find(initialize, "espeak_Initialize") && find(setCallback, "espeak_SetSynthCallback") &&
               find(setVoice, "espeak_SetVoiceByName") && find(setParameter, "espeak_SetParameter") &&
               find(synth, "espeak_Synth") && find(terminate, "espeak_Terminate");
    }
};

namespace {
// Where the samples of the synthesis under way go; only the engine's thread touches them.
struct Collector
{
    QByteArray samples;
    const std::atomic<unsigned> *stop = nullptr;
    unsigned keepWhile = 0;
};
thread_local Collector *collector = nullptr;

int collect(short *samples, int count, espeak_EVENT *)
{
    if (!collector)
        return 1;
    if (samples && count > 0)
        collector->samples.append(reinterpret_cast<const char *>(samples), qsizetype(count) * 2);
    // A newer wish stops the synthesis of one nobody waits for any more.
    return collector->stop && collector->stop->load() != collector->keepWhile ? 1 : 0;
}

// The engine's data, where the library looks for it; without it the library only complains.
bool haveData()
{
    const QByteArray own = qgetenv("ESPEAK_DATA_PATH");
    const QStringList places = own.isEmpty() ? QStringList{QStringLiteral("/usr/lib/x86_64-linux-gnu/espeak-ng-data"),
                                                           QStringLiteral("/usr/lib/aarch64-linux-gnu/espeak-ng-data"),
                                                           QStringLiteral("/usr/share/espeak-ng-data")}
                                             : QStringList{QString::fromLocal8Bit(own) + QStringLiteral("/espeak-ng-data"),
                                                           QString::fromLocal8Bit(own)};
    for (const QString &p : places)
        if (QFileInfo(p + QStringLiteral("/phontab")).isFile())
            return true;
    return false;
}
} // namespace

SpeechEngine::~SpeechEngine()
{
    if (m_lib && m_rate > 0)
        m_lib->terminate();
    delete m_lib; // the library itself stays loaded: unloading it buys nothing
}

bool SpeechEngine::start()
{
    if (m_tried)
        return m_rate > 0;
    m_tried = true;
    if (!haveData())
        return false;
    auto *lib = new Library;
    if (!lib->load()) {
        delete lib;
        return false;
    }
    m_lib = lib;
    m_rate = m_lib->initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (m_rate <= 0)
        return false;
    m_lib->setCallback(collect);
    return true;
}

QString SpeechEngine::chooseVoice(const QStringList &candidates)
{
    m_voice.clear();
    if (!start())
        return {};
    for (const QString &c : candidates) {
        const QString name = c.trimmed();
        // A voice is a short name of letters, digits and - / _ (it, en-gb, roa/it).
        static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_/-]{1,40}$"));
        if (!plain.match(name).hasMatch())
            continue;
        if (m_lib->setVoice(name.toLatin1().constData()) == EE_OK) {
            m_voice = name;
            // Slower and a little higher than an adult's reading voice.
            m_lib->setParameter(espeakRATE, 135, 0);
            m_lib->setParameter(espeakPITCH, 60, 0);
            return m_voice;
        }
    }
    return {};
}

QString SpeechEngine::speakable(const QString &text)
{
    QString s = text;
    for (QChar &c : s)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = u' ';
    s = s.simplified();
    if (s.size() > kMaxCharacters) {
        const qsizetype blank = s.lastIndexOf(u' ', kMaxCharacters);
        s.truncate(blank > kMaxCharacters / 2 ? blank : kMaxCharacters);
    }
    return s;
}

Wave SpeechEngine::synthesise(const QString &text, const std::atomic<unsigned> &stop, unsigned keepWhile)
{
    Wave wave{16, 1, m_rate, {}};
    const QByteArray utf8 = speakable(text).toUtf8();
    if (m_voice.isEmpty() || utf8.isEmpty())
        return wave;
    Collector c{{}, &stop, keepWhile};
    collector = &c;
    m_lib->synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    collector = nullptr;
    if (stop.load() == keepWhile)
        wave.samples = std::move(c.samples);
    return wave;
}

} // namespace platform
