#pragma once

#include "shell/Forms.h"

#include <QList>
#include <QString>

// Every window of the program, in one list: the splash, the menu and the activities with the
// menu button that opens each, in the order the menu shows them. Adding an activity is one line
// here (see docs/ARCHITECTURE.md).
namespace ProgramWindows {

struct Entry
{
    QString name;
    Forms::MenuButton menuButton; // no name for the splash and the menu
    Forms::Factory factory;
};

const QList<Entry> &all();
// The activity windows only, in the order of the menu's buttons.
QStringList activityNames();
// Makes every window known to the window registry.
void registerAll();

} // namespace ProgramWindows
