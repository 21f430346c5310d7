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
    static const QList<Entry> windows = {
        {QStringLiteral("FormAvvio"), {}, make<FormAvvio>()},
        {QStringLiteral("formMenu"), {}, make<formMenu>()},
        {QStringLiteral("form1"), QStringLiteral("Command1"), make<form1>()},
        {QStringLiteral("FORM2"), QStringLiteral("Command2"), make<FORM2>()},
        {QStringLiteral("pagl3"), QStringLiteral("Command3"), make<pagl3>()},
        {QStringLiteral("pagl7"), QStringLiteral("Command4"), make<pagl7>()},
        {QStringLiteral("pagl9"), QStringLiteral("Command7"), make<pagl9>()},
        {QStringLiteral("pagl8"), QStringLiteral("Command9"), make<pagl8>()},
        {QStringLiteral("FormTrova"), QStringLiteral("Command8"), make<FormTrova>()},
        {QStringLiteral("FormDomino"), QStringLiteral("Command10"), make<FormDomino>()},
        {QStringLiteral("FormDomino2"), QStringLiteral("Command11"), make<FormDomino2>()},
    };
    return windows;
}

QStringList activityNames()
{
    QStringList names;
    for (const Entry &e : all())
        if (!e.menuButton.isEmpty())
            names.append(e.name);
    return names;
}

void registerAll()
{
    for (const Entry &e : all())
        Forms::registerForm(e.name, e.factory, e.menuButton);
}

} // namespace ProgramWindows
