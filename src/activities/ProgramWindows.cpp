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
    const auto button = [](const char *name, const char *caption, std::uint32_t colour) {
        return Forms::MenuButton{QLatin1String(name), QString::fromUtf8(caption), colour, {}};
    };
    static const QList<Entry> windows = {
        {QStringLiteral("FormAvvio"), {}, make<FormAvvio>()},
        {QStringLiteral("formMenu"), {}, make<formMenu>()},
        {QStringLiteral("form1"), button("Command1", "uguale - diverso", rgb(255, 216, 176)), make<form1>()},
        {QStringLiteral("FORM2"), button("Command2", "insiemi", rgb(200, 255, 176)), make<FORM2>()},
        {QStringLiteral("pagl3"), button("Command3", "quanti sono ?", rgb(176, 216, 255)), make<pagl3>()},
        {QStringLiteral("pagl7"), button("Command4", "le strade 1", rgb(240, 240, 192)), make<pagl7>()},
        {QStringLiteral("pagl9"), button("Command7", "tabella", rgb(240, 200, 240)), make<pagl9>()},
        {QStringLiteral("pagl8"), button("Command9", "le strade 2", rgb(255, 248, 192)), make<pagl8>()},
        {QStringLiteral("FormTrova"), button("Command8", "trova il blocco", rgb(208, 255, 208)), make<FormTrova>()},
        {QStringLiteral("FormDomino"), button("Command10", "Cosa cambia?", rgb(200, 224, 255)), make<FormDomino>()},
        {QStringLiteral("FormDomino2"), button("Command11", "Cosa resta uguale?", rgb(255, 208, 232)),
         make<FormDomino2>()},
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
