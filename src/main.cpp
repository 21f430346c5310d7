#include "activities/ProgramWindows.h"
#include "language/modLanguageSupport.h"
#include "platform/Application.h"
#include "platform/ProgramFolders.h"
#include "platform/ToolkitLanguage.h"
#include "platform/Random.h"
#include "platform/Sound.h"
#include "platform/Style.h"
#include "shell/Forms.h"
#include "shell/Modulo1.h"
#include "shell/WindowSteps.h"

#include <QApplication>
#include <QFont>

#include <cstdio>
#include <cstdlib>

namespace {

// The program's entry point: seed the generator, switch the sounds on, show the splash.
void Main()
{
    platform::Randomize();
    Modulo1::SoundEnabled = true;
    WindowSteps::show(*Forms::get(QStringLiteral("FormAvvio")));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvelli"));
    QApplication::setStyle(platform::makeProgramStyle());
    QApplication::setQuitOnLastWindowClosed(false);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    QApplication::setFont(font);
    // Desktops match the window to its desktop entry (and so to its icon) by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZORVELLI_APP_ID));
    const platform::ProgramFolders folders = platform::chooseProgramFolders(
        platform::currentSurroundings(QStringLiteral(ZORVELLI_DATA_FROM_BINDIR)));
    platform::ApplicationPath = folders.data;
    platform::PerUserFolders = folders.user;

    // The one way a test of the whole program hears what it says: each sentence spoken is
    // added to the file this names.
    if (const QString log = qEnvironmentVariable("ZORVELLI_SPEECH_LOG"); !log.isEmpty())
        platform::setSpeechLog(log);
    platform::setLanguageNameProvider([] { return modLanguageSupport::CurrentLanguageName; });
    ProgramWindows::registerAll();
    Main();
    const int rc = QApplication::exec();
    // A sound server that stopped answering keeps the player waiting: the program does not
    // wait with it.
    if (!platform::stopPlayer(500)) {
        std::fflush(nullptr);
        std::_Exit(rc);
    }
    Forms::destroyAll();
    return rc;
}
