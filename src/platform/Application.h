#pragma once

#include <QString>

namespace platform {

// The folder of the running program; every file the program reads lies below it.
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

} // namespace platform
