#pragma once

#include "shell/Forms.h"

#include <QList>
#include <QString>

// Every window of the program, in one list: the splash, the menu and the activities with the
// menu button that opens each. Adding an activity is one line here.
namespace ProgramWindows {

struct Entry
{
    QString name;
    QString menuButton; // empty for the splash and the menu
    Forms::Factory factory;
};

const QList<Entry> &all();
// The activity windows only, in the order of the menu's buttons.
QStringList activityNames();
// Makes every window known to the window registry.
void registerAll();

} // namespace ProgramWindows
