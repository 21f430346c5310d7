#pragma once

#include <QString>

namespace platform {

// The folder of the program's data; every file the program ships lies below it. For a
// runnable folder this is the executable's own folder.
inline QString ApplicationPath;

// ApplicationPath & "\" & relative, without doubling a separator that is already there.
inline QString appPath(const QString &relative)
{
    QString rel = relative;
    while (rel.startsWith(u'\\') || rel.startsWith(u'/'))
        rel.remove(0, 1);
    if (ApplicationPath.endsWith(u'\\') || ApplicationPath.endsWith(u'/'))
        return ApplicationPath + rel;
    return ApplicationPath + u'\\' + rel;
}

// What belongs to the user when the program's own folder is not to be written (an installed
// program, or a read-only folder). Unused, the program's folder holds everything, as a
// runnable folder does.
struct UserFolders
{
    bool inUse = false;
    QString settings;  // folder of the user's LangSetting.ini; empty: the choice is not kept
    QString languages; // folder of the language files the user added; empty: none
};
inline UserFolders PerUserFolders;

} // namespace platform
