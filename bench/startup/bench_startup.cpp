// How long a child waits: start-up to the painted splash, a menu click to every painted
// activity, and an answer to its painted result, beside a bare Qt window measured in the same
// run, at 1920 x 1080.
#include "PaintProbe.h"
#include "activities/ProgramWindows.h"
#include "activities/comparison/FORM2.h"
#include "activities/comparison/form1.h"
#include "activities/comparison/pagl3.h"
#include "activities/grid/GridWindow.h"
#include "activities/single_block/FormDomino.h"
#include "activities/single_block/FormTrova.h"
#include "shell/ActivityFrame.h"
#include "platform/Application.h"
#include "platform/CommandButton.h"
#include "platform/MessageBox.h"
#include "platform/Pictures.h"
#include "platform/Sound.h"
#include "platform/Style.h"
#include "shell/Forms.h"
#include "shell/Modulo1.h"
#include "shell/formMenu.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <functional>
#include <sys/resource.h>
#include <benchmark/benchmark.h>

namespace {

QProcessEnvironment childEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("DISPLAY")) || env.value(QStringLiteral("QT_QPA_PLATFORM")).startsWith(u'o'))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=" SCREEN_CONFIG));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
    return env;
}

// What the finished children have used so far: processor time and fresh pages touched.
struct ChildUsage
{
    double cpuMs = 0;
    double pageFaults = 0;
};

ChildUsage childUsage()
{
    rusage r{};
    getrusage(RUSAGE_CHILDREN, &r);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return {ms(r.ru_utime) + ms(r.ru_stime), double(r.ru_minflt)};
}

// Starts the child once and times it up to the first frame handed to the X server, which the
// child reports; how long it then takes to go is not part of starting. Negative on failure.
double timeChildMs(const QString &mode, const QProcessEnvironment &env)
{
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(QStringLiteral(CHILD_PATH), {mode});
    const bool painted = child.waitForReadyRead(30000);
    const double elapsed = double(timer.nsecsElapsed()) / 1e6;
    if (!painted || !child.waitForFinished(30000) || child.exitCode() != 0)
        return -1;
    return elapsed;
}

void runChild(benchmark::State &state, const QString &mode)
{
    const QProcessEnvironment env = childEnvironment();
    // Wall time on a shared or virtual machine drifts; the processor time and the page faults
    // of a whole run (start to exit) say more steadily whether a change made start-up cheaper.
    const ChildUsage before = childUsage();
    for (auto _ : state) {
        const double ms = timeChildMs(mode, env);
        if (ms < 0) {
            state.SkipWithError("the child did not start, paint and quit");
            break;
        }
        state.SetIterationTime(ms / 1e3);
    }
    const ChildUsage after = childUsage();
    state.counters["cpu_ms"] = benchmark::Counter(after.cpuMs - before.cpuMs, benchmark::Counter::kAvgIterations);
    state.counters["page_faults"] =
        benchmark::Counter(after.pageFaults - before.pageFaults, benchmark::Counter::kAvgIterations);
}

void BM_StartupBareQtWindow(benchmark::State &state)
{
    runChild(state, QStringLiteral("bare"));
}

void BM_StartupToPaintedSplash(benchmark::State &state)
{
    runChild(state, QStringLiteral("splash"));
}

// The splash and a yardstick started by turns, so that both meet the same drift of the machine:
// the time is the splash's, `bare_ms` the yardstick's, `ratio` the one over the other. The
// yardstick is a bare window, or (`/text`) a bare window with one line of text, which also pays
// for setting up the fonts.
void BM_StartupSplashBesideBare(benchmark::State &state)
{
    const QString yardstick = state.range(0) ? QStringLiteral("bare-text") : QStringLiteral("bare");
    const QProcessEnvironment env = childEnvironment();
    double splashTotal = 0, bareTotal = 0;
    int turn = 0;
    for (auto _ : state) {
        double splash = 0, bare = 0;
        if (turn++ % 2 == 0) {
            bare = timeChildMs(yardstick, env);
            splash = timeChildMs(QStringLiteral("splash"), env);
        } else {
            splash = timeChildMs(QStringLiteral("splash"), env);
            bare = timeChildMs(yardstick, env);
        }
        if (splash < 0 || bare < 0) {
            state.SkipWithError("a child did not start, paint and quit");
            break;
        }
        splashTotal += splash;
        bareTotal += bare;
        state.SetIterationTime(splash / 1e3);
    }
    state.counters["bare_ms"] = benchmark::Counter(bareTotal, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = bareTotal > 0 ? splashTotal / bareTotal : 0;
}

// Runs events until the widget has been painted.
void waitForPaint(PaintProbe &probe)
{
    for (int i = 0; i < 1000 && !probe.painted(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void BM_ShowBareQtWindow(benchmark::State &state)
{
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QWidget w;
        w.setGeometry(QGuiApplication::primaryScreen()->geometry());
        PaintProbe probe(&w);
        w.show();
        waitForPaint(probe);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
}

platform::Control *placingControl(platform::Form *w)
{
    auto *g = static_cast<GridWindow *>(w);
    return g->gameOver() ? static_cast<platform::Control *>(g->bottoneavanti) : g->Frame1(g->rightBox());
}

// The control a child clicks to answer in each window, for the answer-to-result figure: one
// line per activity.
using AnswerControl = std::function<platform::Control *(platform::Form *)>;
const QList<std::pair<QString, AnswerControl>> &answerControls()
{
    static const QList<std::pair<QString, AnswerControl>> controls = {
        {QStringLiteral("form1"), [](platform::Form *w) -> platform::Control * {
             auto *f = static_cast<form1 *>(w);
             return f->ComparedValue[1] == f->ComparedValue[2] ? f->UGUALI : f->DIVERSI;
         }},
        // A block that has the value goes into the set; a complete set is first closed with
        // "Fatto" (untimed), which brings the next turn.
        {QStringLiteral("FORM2"), [](platform::Form *w) -> platform::Control * {
             auto *f = static_cast<FORM2 *>(w);
             for (int pass = 0; pass < 2; ++pass) {
                 for (int k = 0; k < 4; ++k)
                     if (f->Image1(k)->hasPicture() && f->AttributeValues[k + 1] == f->AttributeValues[0])
                         return f->Image1(k);
                 f->Command1_Click();
                 QCoreApplication::processEvents();
             }
             return nullptr;
         }},
        // A block is hidden; when none is left, "ricomincia" (untimed) brings them back.
        {QStringLiteral("pagl3"), [](platform::Form *w) -> platform::Control * {
             auto *f = static_cast<pagl3 *>(w);
             for (int k = 0; k < pagl3::kBlocks; ++k)
                 if (f->Image1(k)->visible())
                     return f->Image1(k);
             f->Command1_Click();
             QCoreApplication::processEvents();
             return f->Image1(0);
         }},
        // The box the waiting block belongs in; "avanti" once a box is full.
        {QStringLiteral("pagl7"), [](platform::Form *w) { return placingControl(w); }},
        {QStringLiteral("pagl9"), [](platform::Form *w) { return placingControl(w); }},
        {QStringLiteral("pagl8"), [](platform::Form *w) { return placingControl(w); }},
        // The block described, or "avanti" once it is found: a new turn of twelve blocks.
        {QStringLiteral("FormTrova"), [](platform::Form *w) -> platform::Control * {
             auto *f = static_cast<FormTrova *>(w);
             return f->bottoneavanti->enabled() ? static_cast<platform::Control *>(f->bottoneavanti)
                                                : f->Image1(f->TargetIndex);
         }},
        {QStringLiteral("FormDomino"), [](platform::Form *w) -> platform::Control * {
             auto *f = static_cast<FormDomino *>(w);
             return f->Command1(f->ExpectedAnswer);
         }},
        {QStringLiteral("FormDomino2"), [](platform::Form *w) -> platform::Control * {
             auto *f = static_cast<FormDomino *>(w);
             return f->Command1(f->ExpectedAnswer);
         }},
    };
    return controls;
}

platform::CommandButton *menuButtonFor(formMenu *menu, const QString &window)
{
    return menu->buttonFor(window);
}

// A click on the menu's button to the activity's first paint; cold: with no picture decoded
// before, as at the first opening of a window.
void menuClickToPaintedWindow(benchmark::State &state, const QString &window, bool cold)
{
    auto *menu = static_cast<formMenu *>(Forms::get(QStringLiteral("formMenu")));
    menu->Show();
    for (auto _ : state) {
        QCoreApplication::processEvents();
        if (cold)
            platform::clearPictureCache();
        QElapsedTimer timer;
        timer.start();
        static_cast<QPushButton *>(menuButtonFor(menu, window)->widget())->click();
        auto *activity = static_cast<ActivityFrame *>(Forms::get(window));
        PaintProbe probe(activity->surface());
        waitForPaint(probe);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        state.PauseTiming();
        activity->LeaveActivity();
        // As the event loop would: what the activity left goes.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    menu->Unload();
}

// A click on an answer to the window's next paint.
void answerClickToPaintedResult(benchmark::State &state, const QString &window, const AnswerControl &answer)
{
    auto *menu = static_cast<formMenu *>(Forms::get(QStringLiteral("formMenu")));
    menu->Show();
    static_cast<QPushButton *>(menuButtonFor(menu, window)->widget())->click();
    auto *activity = static_cast<ActivityFrame *>(Forms::get(window));
    for (auto _ : state) {
        QCoreApplication::processEvents();
        platform::Control *target = answer(activity);
        PaintProbe probe(activity->surface());
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(target->widget(), Qt::LeftButton);
        waitForPaint(probe);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
    activity->LeaveActivity();
}

void registerWindowBenchmarks()
{
    for (const bool cold : {false, true})
        for (const QString &window : ProgramWindows::activityNames())
            benchmark::RegisterBenchmark(
                qPrintable(QString::fromLatin1(cold ? "MenuClickToPaintedCold/" : "MenuClickToPainted/") + window),
                [window, cold](benchmark::State &s) { menuClickToPaintedWindow(s, window, cold); })
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(30);
    for (const auto &[window, answer] : answerControls())
        benchmark::RegisterBenchmark(qPrintable(QStringLiteral("AnswerClickToPainted/") + window),
                                     [window, answer](benchmark::State &s) { answerClickToPaintedResult(s, window, answer); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(30);
}

BENCHMARK(BM_StartupBareQtWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_StartupToPaintedSplash)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_StartupSplashBesideBare)
    ->ArgName("text")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK(BM_ShowBareQtWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" SCREEN_CONFIG);
    QApplication app(argc, argv);
    QApplication::setStyle(platform::makeProgramStyle());
    platform::ApplicationPath = QStringLiteral(ZORVELLI_RUNDIR);
    platform::setMessageAnswerer([](const platform::MessageRequest &) { return platform::MsgResult::Yes; });
    platform::setSoundSink([](const QString &) {});
    ProgramWindows::registerAll();
    registerWindowBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Forms::destroyAll();
    return 0;
}
