#include "activities/ProgramWindows.h"
#include "language/modLanguageSupport.h"
#include "platform/Application.h"
#include "platform/ToolkitLanguage.h"
#include "platform/Random.h"
#include "shell/Forms.h"
#include "shell/Modulo1.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace {

// The program's entry point: seed the generator, switch the sounds on, show the splash.
void Main()
{
    platform::Randomize();
    Modulo1::SoundEnabled = true;
    Forms::get(QStringLiteral("FormAvvio"))->Show();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvelli"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    QApplication::setFont(font);
    platform::ApplicationPath = QCoreApplication::applicationDirPath();

    platform::setLanguageNameProvider([] { return modLanguageSupport::CurrentLanguageName; });
    ProgramWindows::registerAll();
    Main();
    const int rc = QApplication::exec();
    Forms::destroyAll();
    return rc;
}
