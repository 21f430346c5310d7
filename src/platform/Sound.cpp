#include "platform/Sound.h"

#include "platform/Paths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QSoundEffect>
#include <QUrl>

namespace platform {

namespace {
SoundSink &sink()
{
    static SoundSink s;
    return s;
}

// One effect per file, created on first use and kept: loading a WAV again each time would
// delay the sound a child is waiting for.
QHash<QString, QSoundEffect *> &effects()
{
    static QHash<QString, QSoundEffect *> e;
    return e;
}

// The effects go with the application, while the audio backend still exists.
void releaseEffects()
{
    qDeleteAll(effects());
    effects().clear();
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
    if (!QFileInfo(path).isFile())
        return;
    auto &all = effects();
    for (QSoundEffect *e : std::as_const(all))
        e->stop();
    QSoundEffect *effect = all.value(path);
    if (!effect) {
        if (all.isEmpty())
            qAddPostRoutine(releaseEffects);
        effect = new QSoundEffect();
        effect->setSource(QUrl::fromLocalFile(path));
        effect->setVolume(0.9f);
        all.insert(path, effect);
    }
    effect->play();
}

} // namespace platform
