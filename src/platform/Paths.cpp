#include "Paths.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QStringList>

#include <algorithm>

#include <sys/stat.h>

namespace platform {

namespace {

// Listing a folder costs far more than one stat, and the program asks for the same
// pictures and language files again and again, so listings are kept per folder until
// the folder's modification time changes.
struct Listing
{
    qint64 mtimeNs = 0;
    QHash<QString, QStringList> byFolded; // case-folded name -> the names on disk, in byte order
};

constexpr qsizetype MaxCachedFolders = 256;
// A folder changed less than this long before it was listed may change again within the
// same timestamp tick (the kernel's clock is coarse), so such a listing is not trusted later.
constexpr qint64 RacyWindowNs = 2'000'000'000;

// Pictures are decoded on worker threads, which find their files here too.
QMutex cacheMutex;
QHash<QString, Listing> listingCache;

// Modification time in nanoseconds, or -1 when the folder cannot be examined.
qint64 folderMtimeNs(const QString &folder)
{
    struct stat st;
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return -1;
    return qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
}

Listing listFolderNow(const QString &folder, qint64 mtimeNs)
{
    Listing listing{mtimeNs, {}};
    QStringList names = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(names.begin(), names.end());
    for (const QString &name : std::as_const(names))
        listing.byFolded[name.toCaseFolded()].append(name);
    return listing;
}

// The names in folder that equal name without regard to letter case, in byte order.
QStringList caseInsensitiveMatches(const QString &folder, const QString &name)
{
    const qint64 mtime = folderMtimeNs(folder);
    if (mtime < 0)
        return {};
    const QString folded = name.toCaseFolded();
    // A relative folder means something else once the working folder changes.
    const QString key = QDir::isAbsolutePath(folder) ? folder : QDir::current().absoluteFilePath(folder);

    QMutexLocker lock(&cacheMutex);
    if (auto it = listingCache.constFind(key); it != listingCache.constEnd() && it->mtimeNs == mtime)
        return it->byFolded.value(folded);
    lock.unlock();
    const qint64 listedAt = QDateTime::currentMSecsSinceEpoch() * 1'000'000;
    Listing fresh = listFolderNow(folder, mtime);
    const QStringList matches = fresh.byFolded.value(folded);
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

// The name on disk for one path component inside folder (kept as written when it is there so),
// or an empty string when none. A folder is wanted for every component but the last, so among
// several spellings a folder wins there.
QString resolveComponent(const QString &folder, const QString &name, bool wantFolder)
{
    if (name == QLatin1String(".") || name == QLatin1String("..") || QFileInfo::exists(folder + name))
        return name;
    const QStringList matches = caseInsensitiveMatches(folder.isEmpty() ? QStringLiteral(".") : folder, name);
    if (wantFolder)
        for (const QString &match : matches)
            if (QFileInfo(folder + match).isDir())
                return match;
    return matches.value(0);
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
            onDisk = !found.isEmpty();
            if (onDisk)
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
