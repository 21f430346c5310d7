// How long a child waits: start-up to the painted splash, and a menu click to the painted
// "uguale - diverso", each beside a bare Qt window measured in the same run, at 1920 x 1080.
#include "PaintProbe.h"
#include "activities/comparison/form1.h"
#include "platform/Application.h"
#include "platform/CommandButton.h"
#include "platform/MessageBox.h"
#include "platform/Sound.h"
#include "shell/Forms.h"
#include "shell/Modulo1.h"
#include "shell/formMenu.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
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

void runChild(benchmark::State &state, const QString &mode)
{
    const QProcessEnvironment env = childEnvironment();
    for (auto _ : state) {
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer timer;
        timer.start();
        child.start(QStringLiteral(CHILD_PATH), {mode});
        if (!child.waitForFinished(30000) || child.exitCode() != 0) {
            state.SkipWithError("the child did not start, paint and quit");
            break;
        }
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
}

void BM_StartupBareQtWindow(benchmark::State &state)
{
    runChild(state, QStringLiteral("bare"));
}

void BM_StartupToPaintedSplash(benchmark::State &state)
{
    runChild(state, QStringLiteral("splash"));
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

void BM_MenuClickToPaintedUgualeDiverso(benchmark::State &state)
{
    platform::setMessageAnswerer([](const platform::MessageRequest &) { return platform::MsgResult::Yes; });
    platform::setSoundSink([](const QString &) {});
    auto *menu = static_cast<formMenu *>(Forms::get(QStringLiteral("formMenu")));
    menu->Show();
    for (auto _ : state) {
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        static_cast<QPushButton *>(menu->Command1->widget())->click();
        const qint64 opened = timer.nsecsElapsed();
        auto *activity = static_cast<form1 *>(Forms::get(QStringLiteral("form1")));
        PaintProbe probe(activity->surface());
        waitForPaint(probe);
        state.counters["open_ms"] += opened / 1e6 / state.max_iterations;
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        state.PauseTiming();
        activity->LeaveActivity();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    menu->Unload();
}

BENCHMARK(BM_StartupBareQtWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_StartupToPaintedSplash)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_ShowBareQtWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_MenuClickToPaintedUgualeDiverso)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" SCREEN_CONFIG);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    platform::ApplicationPath = QStringLiteral(ZORVELLI_RUNDIR);
    Forms::registerForm(QStringLiteral("formMenu"), [] { return new formMenu; });
    Forms::registerForm(QStringLiteral("form1"), [] { return new form1; });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Forms::destroyAll();
    return 0;
}
