// Starts either a bare Qt window or Zorvelli's splash, and quits as soon as it is painted.
// The benchmark times whole runs of this program.
#include "PaintProbe.h"
#include "activities/ProgramWindows.h"
#include "platform/Application.h"
#include "platform/Random.h"
#include "shell/FormAvvio.h"
#include "shell/Forms.h"
#include "shell/Modulo1.h"
#include "shell/formMenu.h"

#include <QApplication>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <cstring>
#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    std::unique_ptr<QWidget> bareWindow;
    QWidget *target = nullptr;
    if (bare) {
        bareWindow = std::make_unique<QWidget>();
        bareWindow->setGeometry(QGuiApplication::primaryScreen()->geometry());
        bareWindow->show();
        target = bareWindow.get();
    } else {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        platform::ApplicationPath = QStringLiteral(ZORVELLI_RUNDIR);
        ProgramWindows::registerAll();
        platform::Randomize();
        Modulo1::SoundEnabled = true;
        platform::Form *splash = Forms::get(QStringLiteral("FormAvvio"));
        splash->Show();
        target = splash->surface();
    }
    PaintProbe probe(target);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (probe.painted())
            QCoreApplication::quit();
    });
    poll.start(0);
    const int rc = QApplication::exec();
    Forms::destroyAll();
    return rc;
}
