// Starts a bare Qt window ("bare"), the same with one line of text ("bare-text") or Zorvelli's
// splash, says "painted" on its output as soon as the window is painted, and quits. The
// benchmark times a run up to that line.
#include "PaintProbe.h"
#include "activities/ProgramWindows.h"
#include "platform/Application.h"
#include "platform/Random.h"
#include "platform/Style.h"
#include "shell/FormAvvio.h"
#include "shell/Forms.h"
#include "shell/Modulo1.h"
#include "shell/WindowSteps.h"
#include "shell/formMenu.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char **argv)
{
    const bool bare = argc > 1 && std::strncmp(argv[1], "bare", 4) == 0;
    const bool withText = bare && std::strcmp(argv[1], "bare-text") == 0;
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> bareWindow;
    QWidget *target = nullptr;
    if (bare) {
        bareWindow = std::make_unique<QWidget>();
        bareWindow->setGeometry(QGuiApplication::primaryScreen()->geometry());
        if (withText)
            (new QLabel(QStringLiteral("Zorvelli"), bareWindow.get()))->move(20, 20);
        bareWindow->show();
        target = bareWindow.get();
    } else {
        QApplication::setStyle(platform::makeProgramStyle());
        platform::ApplicationPath = QStringLiteral(ZORVELLI_RUNDIR);
        ProgramWindows::registerAll();
        platform::Randomize();
        Modulo1::SoundEnabled = true;
        platform::Form *splash = Forms::get(QStringLiteral("FormAvvio"));
        WindowSteps::show(*splash);
        target = splash->surface();
    }
    PaintProbe probe(target);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (probe.painted()) {
            // The frame is painted and flushed: tell the benchmark, then go.
            std::fputs("painted\n", stdout);
            std::fflush(stdout);
            QCoreApplication::quit();
        }
    });
    poll.start(0);
    const int rc = QApplication::exec();
    Forms::destroyAll();
    return rc;
}
