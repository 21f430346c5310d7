#pragma once

#include <QString>

namespace platform {

// The program composes paths the old way: ApplicationPath & "\jpg\" & word & ".JPG".
// resolvePath turns such a path into a real one: both '\' and '/' separate folders, and
// every component that exists on disk under another letter case is found anyway
// (the program asks for "jpg\GRANDE.jpg" and the file is "grande.jpg").
// Components that do not exist are kept as written, so the result of a path to a
// missing file is still a usable path (for example to create the file).
QString resolvePath(const QString &programPath);

// Joins a folder and a name with '/', adding no separator when the folder already ends in one.
QString joinPath(const QString &folder, const QString &name);

} // namespace platform
