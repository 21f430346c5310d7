// How soon a child hears something: from the moment the program asks for it to the moment its
// first samples reach the sound server, for a task spoken (synthesised as it is asked for) and
// for a sound file, through the one player. Needs a sound server: bench/speech/run starts one.
#include "platform/Sound.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <benchmark/benchmark.h>

namespace {

std::atomic<bool> started{false};
void markStart()
{
    started = true;
}

// Runs the program's event loop until the player says the first samples went out.
bool waitForStart(int msecs)
{
    QElapsedTimer t;
    t.start();
    while (!started && t.elapsed() < msecs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return started;
}

template <class Ask> void timeStart(benchmark::State &state, Ask ask)
{
    for (auto _ : state) {
        started = false;
        QElapsedTimer t;
        t.start();
        ask();
        if (!waitForStart(2000)) {
            state.SkipWithError("nothing reached the sound server");
            return;
        }
        state.SetIterationTime(t.nsecsElapsed() / 1e9);
        // The next request finds the player as a child's next turn would: at rest.
        platform::stopSpeaking();
        QElapsedTimer pause;
        pause.start();
        while (pause.elapsed() < 1200)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

void BM_SoundFileStarts(benchmark::State &state)
{
    timeStart(state, [] { platform::playSoundAsync(QStringLiteral(ZORVELLI_RUNDIR "/suoni/si1.wav")); });
}

void BM_SpokenTaskStarts(benchmark::State &state)
{
    static const QString tasks[] = {QStringLiteral("Clicca sui blocchi che sono ROSSI"),
                                    QStringLiteral("Quanti blocchi sono GRANDI?"),
                                    QStringLiteral("Trova il blocco: quadrato, giallo, piccolo, sottile")};
    int k = 0;
    timeStart(state, [&] { platform::speakAsync(tasks[k++ % 3]); });
}

} // namespace

BENCHMARK(BM_SoundFileStarts)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_SpokenTaskStarts)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    platform::setPlaybackStartProbe(markStart);
    platform::setSpeechVoices({QStringLiteral("it")});
    QElapsedTimer ready;
    ready.start();
    while (!platform::speechAvailable() && ready.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!platform::speechAvailable()) {
        std::fprintf(stderr, "No speech here: is a sound server running (bench/speech/run starts one)?\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
