#include "platform/ProgramFolders.h"

#include "platform/FileSystem.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace platform {

namespace {

const QString SettingsName = QStringLiteral("LangSetting.ini");
const QString FolderName = QStringLiteral("zorvelli");

// $XDG_..._HOME/zorvelli, or $HOME/<fallback>/zorvelli when the variable is unset, empty or
// relative (the XDG rules say a relative value is to be ignored). No home: no folder.
QString userFolder(const QString &xdgValue, const QString &home, const QString &fallback)
{
    if (QDir::isAbsolutePath(xdgValue))
        return joinPath(QDir::cleanPath(xdgValue), FolderName);
    if (QDir::isAbsolutePath(home))
        return joinPath(joinPath(QDir::cleanPath(home), fallback), FolderName);
    return {};
}

bool writable(const QString &path)
{
    // access() answers for this process as it is (root included) and knows read-only mounts.
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

} // namespace

bool Surroundings::settingsWritable(const QString &folder)
{
    // The settings file is replaced as a whole, so the folder itself must take new files.
    if (!QFileInfo(folder).isDir() || !writable(folder))
        return false;
    // A settings "file" that is a folder (or anything but a file) cannot be replaced either.
    const QFileInfo settings(resolvePath(joinPath(folder, SettingsName)));
    return !settings.exists() || (settings.isFile() && writable(settings.filePath()));
}

bool holdsProgramData(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    return QFileInfo(resolvePath(joinPath(folder, QStringLiteral("jpg")))).isDir() ||
           !listFolder(folder, QStringLiteral("*.lng")).isEmpty();
}

ProgramFolders chooseProgramFolders(const Surroundings &s)
{
    ProgramFolders folders;
    folders.data = s.executableFolder;
    bool installed = false;
    if (!holdsProgramData(s.executableFolder) && !s.installedData.isEmpty()) {
        const QString shared = QDir::cleanPath(QDir(s.executableFolder).filePath(s.installedData));
        if (holdsProgramData(shared)) {
            folders.data = shared;
            installed = true;
        }
    }
    // An installed program never writes its data folder, even when it could (run by root,
    // or unpacked into a folder of one's own).
    folders.user.inUse = installed || !s.canWriteSettings(folders.data);
    if (folders.user.inUse) {
        folders.user.settings = userFolder(s.xdgConfigHome, s.home, QStringLiteral(".config"));
        folders.user.languages = userFolder(s.xdgDataHome, s.home, QStringLiteral(".local/share"));
    }
    return folders;
}

Surroundings currentSurroundings(const QString &installedData)
{
    Surroundings s;
    s.executableFolder = QCoreApplication::applicationDirPath();
    s.installedData = installedData;
    s.xdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    s.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    s.home = qEnvironmentVariable("HOME");
    return s;
}

bool makeUserFolder(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    if (QFileInfo(folder).isDir())
        return true;
    const QString parent = QFileInfo(QDir::cleanPath(folder)).path();
    if (parent == folder || !makeUserFolder(parent))
        return false;
    return QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) ||
           QFileInfo(folder).isDir();
}

} // namespace platform
