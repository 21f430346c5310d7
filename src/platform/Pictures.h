#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace platform {

// Loads a picture from a program path ('\' separators, any letter case), at its own size (at
// most 1024 pixels a side). An empty path gives an empty picture (clearing an image); so does a
// missing or undecodable file. Decoded pictures are kept in a cache, so showing a block again
// costs nothing.
QPixmap loadPicture(const QString &programPath);

// The picture decoded for a place of `box` device pixels: exactly the box, or with
// keepProportions as large as fits in it. It is decoded at that size (a JPEG first at the
// nearest half, quarter or eighth of its own size, then scaled smoothly), so painting it is a
// plain copy and it is crisp whatever the screen. Null when the file cannot be shown. An empty
// box gives the picture at its own size, as loadPicture.
QPixmap pictureForBox(const QString &programPath, QSize box, bool keepProportions,
                      qreal devicePixelRatio = 1.0);

// Starts decoding that picture on a worker thread, so that it is ready (or on its way) when
// pictureForBox asks for it: a screen's pictures decode side by side while it is being built.
void preparePicture(const QString &programPath, QSize box, bool keepProportions,
                    qreal devicePixelRatio = 1.0);

// What stands in, everywhere, for a picture that should be shown but cannot be: a grey card
// with a question mark, so the child sees that something is there and the activity goes on.
const QPixmap &placeholderPicture();
// loadPicture, with the placeholder for a non-empty path that gives nothing.
QPixmap pictureOrPlaceholder(const QString &programPath);

void clearPictureCache();
// What the decoded pictures kept for showing again take, in KiB; it stays within a budget of half
// a screen of pixels.
int pictureCacheKiB();
int pictureCacheBudgetKiB();

} // namespace platform
