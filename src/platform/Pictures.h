#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

#include <memory>

namespace platform {

// Loads a picture from a program path ('\' separators, any letter case), at its own size (at
// most 1024 pixels a side). An empty path gives an empty picture (clearing an image); so does a
// missing or undecodable file. Decoded pictures are kept in a cache, so showing a block again
// costs nothing.
QPixmap loadPicture(const QString &programPath);

// What stands in, everywhere, for a picture that should be shown but cannot be: a grey card
// with a question mark, so the child sees that something is there and the activity goes on.
const QPixmap &placeholderPicture();
// loadPicture, with the placeholder for a non-empty path that gives nothing.
QPixmap pictureOrPlaceholder(const QString &programPath);

// A picture asked for at the size it will be drawn. It is decoded and scaled on a worker
// thread while the screen is being built, and only waited for when it is first needed
// (normally at the first paint): a screen of blocks decodes on every core instead of one
// after another, and painting it is a plain copy. Copies share the one picture.
class Picture
{
public:
    Picture() = default;
    // True when nothing is to be shown (an empty path); answered without waiting.
    bool isEmpty() const { return !m_state; }
    // The size in device pixels the picture was asked for (or has, when given ready).
    QSize drawnSize() const;
    // The picture as decoded, null when the file could not be shown; waits if still on its way.
    const QPixmap &decoded() const;
    // The picture, or the placeholder when the file could not be shown.
    const QPixmap &pixmap() const;

    struct State; // how far the picture has come; only Pictures.cpp knows it

private:
    friend Picture requestPicture(const QString &, QSize, bool, qreal);
    std::shared_ptr<State> m_state;
};

// Starts a picture for a place of `box` device pixels: drawn stretched to the box, or with
// keepProportions as large as fits in it. An empty box asks for the picture at its own size.
Picture requestPicture(const QString &programPath, QSize box, bool keepProportions, qreal devicePixelRatio = 1.0);

// How many files were actually decoded so far (the cache's misses).
int pictureDecodeCount();
void clearPictureCache();
// Forgets the decoded pictures that no window shows any more (those of a window that went).
void releaseUnshownPictures();
// What the decoded pictures kept for showing again take, in KiB; it stays within a fixed budget.
int pictureCacheKiB();
int pictureCacheBudgetKiB();

} // namespace platform
