#include "activities/ProgramWindows.h"

#include "activities/comparison/FORM2.h"
#include "activities/comparison/form1.h"
#include "activities/comparison/pagl3.h"
#include "activities/grid/pagl7.h"
#include "activities/grid/pagl8.h"
#include "activities/grid/pagl9.h"
#include "activities/single_block/FormDomino.h"
#include "activities/single_block/FormDomino2.h"
#include "activities/single_block/FormTrova.h"
#include "shell/Colours.h"
#include "shell/FormAvvio.h"
#include "shell/formMenu.h"

namespace ProgramWindows {

namespace {
template <class W> Forms::Factory make()
{
    return [] { return new W; };
}
} // namespace

const QList<Entry> &all()
{
    using Colours::rgb;
    // An activity: its window, its menu button and its factory. The button shows the picture
    // the asset generator draws for the window (img/menu/<window>.jpg) above its caption.
    const auto activity = [](const char *window, const char *button, const char *caption, std::uint32_t colour,
                             Forms::Factory factory) {
        const QString name = QLatin1String(window);
        return Entry{name,
                     {QLatin1String(button), QString::fromUtf8(caption), colour, {},
                      QStringLiteral("img\\menu\\") + name + QStringLiteral(".jpg")},
                     std::move(factory)};
    };
    static const QList<Entry> windows = {
        {QStringLiteral("FormAvvio"), {}, make<FormAvvio>()},
        {QStringLiteral("formMenu"), {}, make<formMenu>()},
        activity("form1", "Command1", "uguale - diverso", rgb(255, 216, 176), make<form1>()),
        activity("FORM2", "Command2", "insiemi", rgb(200, 255, 176), make<FORM2>()),
        activity("pagl3", "Command3", "quanti sono ?", rgb(176, 216, 255), make<pagl3>()),
        activity("pagl7", "Command4", "le strade 1", rgb(240, 240, 192), make<pagl7>()),
        activity("pagl9", "Command7", "tabella", rgb(240, 200, 240), make<pagl9>()),
        activity("pagl8", "Command9", "le strade 2", rgb(255, 248, 192), make<pagl8>()),
        activity("FormTrova", "Command8", "trova il blocco", rgb(208, 255, 208), make<FormTrova>()),
        activity("FormDomino", "Command10", "Cosa cambia?", rgb(200, 224, 255), make<FormDomino>()),
        activity("FormDomino2", "Command11", "Cosa resta uguale?", rgb(255, 208, 232), make<FormDomino2>()),
    };
    return windows;
}

QStringList activityNames()
{
    QStringList names;
    for (const Entry &e : all())
        if (!e.menuButton.name.isEmpty())
            names.append(e.name);
    return names;
}

void registerAll()
{
    for (const Entry &e : all())
        Forms::registerForm(e.name, e.factory, e.menuButton);
}

} // namespace ProgramWindows
