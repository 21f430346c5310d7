#include "Paths.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QStringList>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <time.h>
#endif

namespace platform {

namespace {

// Listing a folder costs far more than one stat, and the program asks for the same
// pictures and language files again and again, so listings are kept per folder until
// the folder's modification time changes.
struct Listing
{
    qint64 mtimeNs = 0;
    QStringList names;                         // sorted by byte order
    QHash<QString, QList<qsizetype>> byFolded; // case-folded name -> indexes into names
};

constexpr qsizetype MaxCachedFolders = 256;
// A folder changed less than this long before it was listed may change again within the
// same timestamp tick (the kernel's clock is coarse), so such a listing is not trusted later.
constexpr qint64 RacyWindowNs = 2'000'000'000;

QMutex cacheMutex;
QHash<QString, Listing> listingCache;

// Modification time in nanoseconds, or -1 when the folder cannot be examined.
qint64 folderMtimeNs(const QString &folder)
{
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return -1;
    return qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
#else
    const QFileInfo info(folder);
    if (!info.isDir())
        return -1;
    return info.lastModified().toMSecsSinceEpoch() * 1'000'000;
#endif
}

qint64 nowNs()
{
    return QDateTime::currentMSecsSinceEpoch() * 1'000'000;
}

Listing listFolderNow(const QString &folder, qint64 mtimeNs)
{
    Listing listing;
    listing.mtimeNs = mtimeNs;
    listing.names = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(listing.names.begin(), listing.names.end());
    for (qsizetype i = 0; i < listing.names.size(); ++i)
        listing.byFolded[listing.names.at(i).toCaseFolded()].append(i);
    return listing;
}

// The names in folder that equal name without regard to letter case, in sorted order.
// folderExists (optional) tells whether folder is a folder at all.
QStringList caseInsensitiveMatches(const QString &folder, const QString &name, bool *folderExists = nullptr)
{
    const qint64 mtime = folderMtimeNs(folder);
    if (folderExists)
        *folderExists = mtime >= 0;
    if (mtime < 0)
        return {};
    const QString folded = name.toCaseFolded();
    // A relative folder means something else once the working folder changes.
    const QString key = QDir::isAbsolutePath(folder) ? folder : QDir::current().absoluteFilePath(folder);

    QMutexLocker lock(&cacheMutex);
    auto it = listingCache.constFind(key);
    if (it == listingCache.constEnd() || it->mtimeNs != mtime) {
        lock.unlock();
        const qint64 listedAt = nowNs();
        Listing fresh = listFolderNow(folder, mtime);
        QStringList matches;
        for (qsizetype i : fresh.byFolded.value(folded))
            matches.append(fresh.names.at(i));
        lock.relock();
        if (listedAt - mtime >= RacyWindowNs) {
            if (listingCache.size() >= MaxCachedFolders)
                listingCache.clear();
            listingCache.insert(key, std::move(fresh));
        } else {
            listingCache.remove(key);
        }
        return matches;
    }
    QStringList matches;
    for (qsizetype i : it->byFolded.value(folded))
        matches.append(it->names.at(i));
    return matches;
}

// The name on disk for one path component inside folder, or an empty string when none.
// A folder is wanted for every component but the last, so among several spellings
// a folder wins there.
QString findComponent(const QString &folder, const QString &name, bool wantFolder,
                      bool *folderExists = nullptr)
{
    const QStringList matches =
        caseInsensitiveMatches(folder.isEmpty() ? QStringLiteral(".") : folder, name, folderExists);
    if (matches.isEmpty())
        return {};
    if (wantFolder && matches.size() > 1) {
        for (const QString &match : matches) {
            if (QFileInfo(joinPath(folder, match)).isDir())
                return match;
        }
    }
    return matches.first();
}

QString resolveComponent(const QString &prefix, const QString &name, bool wantFolder)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return name;
    if (QFileInfo::exists(prefix + name))
        return name;
    return findComponent(prefix, name, wantFolder);
}

} // namespace

QString resolvePath(const QString &programPath)
{
    if (programPath.isEmpty())
        return {};
    QString path = programPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));

    // The common case: the program spelled the path as it is on disk.
    if (QFileInfo::exists(path))
        return path;

    // Next most common: the folder is right and only the file name differs in case.
    const qsizetype lastSlash = path.lastIndexOf(QLatin1Char('/'));
    if (lastSlash >= 0 && lastSlash + 1 < path.size()) {
        const QString folder = path.left(lastSlash + 1);
        const QString name = path.mid(lastSlash + 1);
        if (name != QLatin1String(".") && name != QLatin1String("..")) {
            bool folderExists = false;
            const QString found = findComponent(folder, name, false, &folderExists);
            if (folderExists)
                return folder + (found.isEmpty() ? name : found);
        }
    }

    // Walk from the root, fixing each component's case until one is missing;
    // the rest is kept as written.
    const bool absolute = path.startsWith(QLatin1Char('/'));
    const bool trailingSlash = path.endsWith(QLatin1Char('/'));
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString result = absolute ? QStringLiteral("/") : QString();
    bool onDisk = true;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        QString name = parts.at(i);
        if (onDisk) {
            const QString found = resolveComponent(result, name, !last);
            if (found.isEmpty())
                onDisk = false;
            else
                name = found;
        }
        result += name;
        if (!last || trailingSlash)
            result += QLatin1Char('/');
    }
    return result;
}

QString joinPath(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

} // namespace platform
