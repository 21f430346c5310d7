#pragma once

#include <QPixmap>
#include <QString>

namespace platform {

// Loads a picture from a program path ('\' separators, any letter case). An empty path
// gives an empty picture (clearing an image); so does a missing or undecodable file. Decoded
// pictures are kept in a cache keyed by the real file, so showing a block again costs nothing.
QPixmap loadPicture(const QString &programPath);

// How many files were actually decoded so far (the cache's misses).
int pictureDecodeCount();
void clearPictureCache();

} // namespace platform
