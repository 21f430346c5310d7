#include "platform/System.h"

#include "platform/Units.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

namespace {
std::function<void()> beepHook, endHook; // set by tests

QRect screenRect()
{
    QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 800, 600);
}
} // namespace

double screenWidthTwips()
{
    return pixelsToTwips(screenRect().width());
}

double screenHeightTwips()
{
    return pixelsToTwips(screenRect().height());
}

void setBeepHook(std::function<void()> hook)
{
    beepHook = std::move(hook);
}

void Beep()
{
    if (beepHook)
        beepHook();
    else
        QApplication::beep();
}

void DoEvents()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void setEndProgramHook(std::function<void()> hook)
{
    endHook = std::move(hook);
}

void endProgram()
{
    if (endHook) {
        endHook();
        return;
    }
    for (QWidget *w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::exit(0);
}

} // namespace platform
