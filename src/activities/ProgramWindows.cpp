#include "activities/ProgramWindows.h"

#include "activities/comparison/FORM2.h"
#include "activities/comparison/form1.h"
#include "activities/comparison/pagl3.h"
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
