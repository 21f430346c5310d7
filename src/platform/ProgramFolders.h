#pragma once

#include "platform/Application.h"

#include <QString>

#include <functional>

namespace platform {

// Where the program finds its data and keeps the chosen language.
//
// A runnable folder holds the executable and its data side by side (jpg/, suoni/, img/,
// *.lng, LangSetting.ini). An installed program keeps its data in a folder of its own, at a
// fixed place relative to the executable (../share/games/zorvelli from /usr/games), which
// the program never writes: the chosen language then goes to the user's configuration
// folder, and languages the user adds come from the user's data folder.
struct ProgramFolders
{
    QString data; // becomes ApplicationPath
    UserFolders user;
};

// What the choice depends on, so that it can be stated plainly in a test.
struct Surroundings
{
    QString executableFolder;
    QString installedData; // the installed data folder relative to the executable's folder
    QString xdgConfigHome; // the environment's values; empty when unset
    QString xdgDataHome;
    QString home;
    std::function<bool(const QString &folder)> canWriteSettings = settingsWritable;

    static bool settingsWritable(const QString &folder);
};

// The data beside the executable when it is there, else the installed data folder when that
// holds the data, else the executable's folder as before. The user's folders are used for an
// installed program and wherever the data folder's settings cannot be written.
ProgramFolders chooseProgramFolders(const Surroundings &surroundings);

// The running program's surroundings; installedData comes from the build's install layout.
Surroundings currentSurroundings(const QString &installedData);

// Whether folder holds the program's data: its pictures folder or a language file.
bool holdsProgramData(const QString &folder);

// Creates folder and any missing parents, private to the user (0700) as the XDG rules ask.
bool makeUserFolder(const QString &folder);

} // namespace platform
