#pragma once

#include <QPixmap>
#include <QString>

namespace platform {

// Loads a picture from a program path ('\' separators, any letter case). An empty path
// gives an empty picture (clearing an image); so does a missing or undecodable file. Decoded
// pictures are kept in a cache keyed by the real file, so showing a block again costs nothing.
QPixmap loadPicture(const QString &programPath);

// What stands in, everywhere, for a picture that should be shown but cannot be: a grey card
// with a question mark, so the child sees that something is there and the activity goes on.
const QPixmap &placeholderPicture();
// loadPicture, with the placeholder for a non-empty path that gives nothing.
QPixmap pictureOrPlaceholder(const QString &programPath);

// How many files were actually decoded so far (the cache's misses).
int pictureDecodeCount();
void clearPictureCache();
// What the decoded pictures kept for showing again take, in KiB; it stays within a fixed budget.
int pictureCacheKiB();
int pictureCacheBudgetKiB();

} // namespace platform
