#pragma once

#include <QPixmap>
#include <QString>

namespace platform {

// Loads a picture from a program path ('\' separators, any letter case). An empty path
// gives an empty picture (clearing an image); so does a missing or undecodable file. Decoded
// pictures are kept in a cache keyed by the real file, so showing a block again costs nothing.
// shownSide: the largest side, in pixels, the picture will be shown at; it is then decoded at
// the smallest half or quarter of its size that is at least that big (0: its full size).
QPixmap loadPicture(const QString &programPath, int shownSide = 0);

// What stands in, everywhere, for a picture that should be shown but cannot be: a grey card
// with a question mark, so the child sees that something is there and the activity goes on.
const QPixmap &placeholderPicture();
// loadPicture, with the placeholder for a non-empty path that gives nothing.
QPixmap pictureOrPlaceholder(const QString &programPath, int shownSide = 0);

// How many files were actually decoded so far (the cache's misses).
int pictureDecodeCount();
void clearPictureCache();
// Forgets the decoded pictures that no window shows any more (those of a window that went).
void releaseUnshownPictures();
// What the decoded pictures kept for showing again take, in KiB; it stays within a fixed budget.
int pictureCacheKiB();
int pictureCacheBudgetKiB();

} // namespace platform
