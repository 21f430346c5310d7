// Opens and leaves every activity window many times, the way a long morning in class would,
// and prints the resident memory and the threads at the start, after a warm-up and at the end.
// Every task is spoken as the windows open (through a sound server, if there is one).
// Run it on a real X server:  xvfb-run -s "-screen 0 1920x1080x24" build/bench/soak/bench_soak [cycles]

#include "activities/ProgramWindows.h"
#include "platform/Application.h"
#include "platform/MessageBox.h"
#include "platform/Pictures.h"
#include "platform/Random.h"
#include "platform/Style.h"
#include "shell/ActivityFrame.h"
#include "shell/Forms.h"
#include "shell/Modulo1.h"
#include "shell/formMenu.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <cstdio>

namespace {

double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return -1;
}

int threads()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The menu's button for the window, clicked; then "Esci" with Yes.
void openAndLeave(const QString &window)
{
    auto *menu = static_cast<formMenu *>(Forms::get(QStringLiteral("formMenu")));
    static_cast<QPushButton *>(menu->buttonFor(window)->widget())->click();
    settle();
    static_cast<ActivityFrame *>(Forms::get(window))->LeaveActivity();
    settle();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(platform::makeProgramStyle());
    QApplication::setQuitOnLastWindowClosed(false);
    const int cycles = argc > 1 ? QByteArray(argv[1]).toInt() : 100;
    platform::ApplicationPath = QStringLiteral(ZORVELLI_RUNDIR);
    platform::Randomize();
    platform::setMessageAnswerer([](const platform::MessageRequest &) { return platform::MsgResult::Yes; });
    Modulo1::SoundEnabled = true;
    ProgramWindows::registerAll();
    const QStringList windows = ProgramWindows::activityNames();

    Forms::get(QStringLiteral("formMenu"))->Show();
    settle();
    const double start = residentMiB();
    const int startThreads = threads();
    for (int i = 0; i < 5; ++i)
        for (const QString &w : windows)
            openAndLeave(w);
    const double warm = residentMiB();
    const int warmThreads = threads();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < cycles; ++i)
        for (const QString &w : windows)
            openAndLeave(w);
    const double end = residentMiB();
    const int endThreads = threads();
    std::printf("windows: %lld, cycles each: %d, %.2f ms per open-and-leave\n", (long long)windows.size(), cycles,
                double(timer.elapsed()) / (cycles * windows.size()));
    std::printf("resident memory: at the menu %.1f MiB, after warm-up %.1f MiB, at the end %.1f MiB\n", start,
                warm, end);
    std::printf("threads: at the menu %d, after warm-up %d, at the end %d\n", startThreads, warmThreads, endThreads);
    std::printf("picture cache at the end: %d KiB of %d KiB\n", platform::pictureCacheKiB(), platform::pictureCacheBudgetKiB());
    Forms::destroyAll();
    return 0;
}
