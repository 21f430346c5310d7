// How soon a child hears something: from the moment the program asks for it to the moment its
// first samples reach the sound server, for a task spoken (synthesised as it is asked for) and
// for a sound file, through the one player; then the same in the real windows, from the click
// that opens each activity (its first turn) and from the click of "avanti" (its next turn) to
// the first samples of its task. Needs a sound server: bench/speech/run starts one.
#include "activities/ProgramWindows.h"
#include "language/modLanguageSupport.h"
#include "platform/Application.h"
#include "platform/CommandButton.h"
#include "platform/Random.h"
#include "platform/Sound.h"
#include "platform/Style.h"
#include "shell/ActivityFrame.h"
#include "shell/Forms.h"
#include "shell/Modulo1.h"
#include "shell/Voice.h"

#include <QApplication>
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

// The menu's click on the activity: the window is built, shown and its first task said.
void BM_TaskSpokenWhenOpened(benchmark::State &state, const QString &window)
{
    platform::Form *w = Forms::get(window);
    timeStart(state, [w] {
        w->Unload();
        w->Show();
    });
    w->Unload();
}

// "avanti": the next turn, and its task said.
void BM_TaskSpokenAfterAvanti(benchmark::State &state, const QString &window)
{
    auto *w = static_cast<ActivityFrame *>(Forms::get(window));
    w->Show();
    timeStart(state, [w] {
        w->bottoneavanti->setEnabled(true); // as after a right answer
        w->bottoneavanti->press();
    });
    w->Unload();
}

} // namespace

BENCHMARK(BM_SoundFileStarts)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_SpokenTaskStarts)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(platform::makeProgramStyle());
    QApplication::setQuitOnLastWindowClosed(false);
    platform::ApplicationPath = QStringLiteral(ZORVELLI_RUNDIR);
    platform::Randomize();
    modLanguageSupport::CurrentLanguageName = QStringLiteral("Italiano");
    Modulo1::SoundEnabled = true;
    Modulo1::PickRandomBlock();
    ProgramWindows::registerAll();
    for (const QString &window : ProgramWindows::activityNames()) {
        benchmark::RegisterBenchmark(qPrintable(u"BM_TaskSpokenWhenOpened/"_qs + window), BM_TaskSpokenWhenOpened, window)
            ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
        auto *w = static_cast<ActivityFrame *>(Forms::get(window));
        w->Load();
        const bool hasAvanti = w->bottoneavanti;
        w->Unload();
        if (hasAvanti)
            benchmark::RegisterBenchmark(qPrintable(u"BM_TaskSpokenAfterAvanti/"_qs + window), BM_TaskSpokenAfterAvanti, window)
                ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
    }
    platform::setPlaybackStartProbe(markStart);
    Voice::useCurrentLanguage();
    QElapsedTimer ready;
    ready.start();
    while (!platform::speechAvailable() && ready.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!Voice::canSpeak()) {
        std::fprintf(stderr, "No speech here: is a sound server running (bench/speech/run starts one)?\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Forms::destroyAll();
    return 0;
}
