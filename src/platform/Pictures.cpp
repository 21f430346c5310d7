#include "platform/Pictures.h"

#include "platform/Paths.h"

#include <QCache>
#include <QFileInfo>
#include <QFuture>
#include <QGuiApplication>
#include <QHash>
#include <QImageReader>
#include <QPainter>
#include <QScreen>
#include <QtConcurrent/QtConcurrentRun>

namespace platform {

namespace {
// Decoded pictures by path and drawn size, least recently used first out. Every place keeps the
// picture it shows, so the cache only spares decoding a picture asked for again: its budget is
// half a screen of pixels (at least 4 MiB), about the pictures of the last screen or two (twelve
// blocks take 2.5 MiB at 1920 x 1080). Past it, a picture is decoded again, about a millisecond
// on a worker. A null pixmap marks a file known unreadable.
int budgetKiB()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize pixels = screen ? screen->size() * screen->devicePixelRatio() : QSize();
    const qint64 screenKiB = qint64(pixels.width()) * pixels.height() * 4 / 1024;
    return int(qMax(qint64(4 * 1024), screenKiB / 2));
}

// A picture asked for at its own size is kept at most this big.
constexpr int kMaxSide = 1024;

QCache<QString, QPixmap> &cache()
{
    static QCache<QString, QPixmap> pixmaps{budgetKiB()};
    return pixmaps;
}

int costKiB(const QPixmap &pm)
{
    return qMax(1, int(qint64(pm.width()) * pm.height() * pm.depth() / 8 / 1024));
}

QString cacheKey(const QString &programPath, QSize box, bool keepProportions, qreal dpr)
{
    return programPath + u'#' + QString::number(box.width()) + u'x' + QString::number(box.height()) +
           (keepProportions ? u'k' : u's') + QString::number(dpr);
}

// What a decode gives: the picture at the size it is drawn, null when the file is missing or
// cannot be decoded.
struct Decoded
{
    QImage image;
    bool fileExists = false;
};

// Runs on any thread: it touches nothing but the file and what it returns.
Decoded decode(const QString &programPath, QSize box, bool keepProportions, qreal dpr)
{
    Decoded d;
    const QString path = resolvePath(programPath);
    d.fileExists = QFileInfo(path).isFile();
    if (!d.fileExists)
        return d;
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QSize full = reader.size();
    QSize target = box;
    if (full.isValid()) {
        if (target.isEmpty())
            target = full.scaled(QSize(kMaxSide, kMaxSide), Qt::KeepAspectRatio).boundedTo(full);
        else if (keepProportions)
            target = full.scaled(box, Qt::KeepAspectRatio);
    }
    // A reader that can scale (Qt's JPEG reader) decodes straight at the size drawn: at a half,
    // a quarter or an eighth of the file's size, smoothed the rest of the way line by line,
    // with no whole-size picture in between.
    if (full.isValid() && !target.isEmpty() && target != full &&
        reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(target);
    d.image = reader.read();
    if (!d.image.isNull() && !target.isEmpty() && d.image.size() != target)
        d.image = d.image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    d.image.setDevicePixelRatio(dpr);
    return d;
}

// Decodes started ahead, by cache key. Only the user-interface thread touches this and the cache.
QHash<QString, QFuture<Decoded>> &onTheWay()
{
    static QHash<QString, QFuture<Decoded>> futures;
    return futures;
}

// Keeps what a decode gave; a failure only for a file that exists, as a missing one may appear.
QPixmap keep(const QString &key, Decoded d)
{
    QPixmap pm = QPixmap::fromImage(std::move(d.image));
    if (!pm.isNull() || d.fileExists)
        cache().insert(key, new QPixmap(pm), costKiB(pm));
    return pm;
}
} // namespace

void preparePicture(const QString &programPath, QSize box, bool keepProportions, qreal devicePixelRatio)
{
    if (programPath.isEmpty() || box.isEmpty())
        return;
    auto &c = cache();
    auto &futures = onTheWay();
    // Decodes whose place went before it was painted are kept for the next time.
    for (auto it = futures.begin(); it != futures.end();) {
        if (it->isFinished()) {
            keep(it.key(), it->result());
            it = futures.erase(it);
        } else {
            ++it;
        }
    }
    const QString key = cacheKey(programPath, box, keepProportions, devicePixelRatio);
    if (c.contains(key) || futures.contains(key))
        return;
    futures.insert(key, QtConcurrent::run(decode, programPath, box, keepProportions, devicePixelRatio));
}

QPixmap pictureForBox(const QString &programPath, QSize box, bool keepProportions, qreal devicePixelRatio)
{
    if (programPath.isEmpty())
        return {};
    if (box.isEmpty())
        box = QSize();
    auto &c = cache();
    const QString key = cacheKey(programPath, box, keepProportions, devicePixelRatio);
    if (const QPixmap *known = c.object(key))
        return *known;
    // A decode not yet taken up by a worker is done here and now (QFuture::result() takes it).
    if (QFuture<Decoded> future = onTheWay().take(key); future.isValid())
        return keep(key, future.result());
    return keep(key, decode(programPath, box, keepProportions, devicePixelRatio));
}

QPixmap loadPicture(const QString &programPath)
{
    return pictureForBox(programPath, QSize(), false);
}

const QPixmap &placeholderPicture()
{
    static const QPixmap card = [] {
        QPixmap pm(256, 256);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(110, 110, 110), 8, Qt::DashLine));
        p.setBrush(QColor(232, 232, 232));
        p.drawRoundedRect(QRectF(8, 8, 240, 240), 28, 28);
        QFont f;
        f.setPixelSize(150);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(110, 110, 110));
        p.drawText(QRect(0, 0, 256, 256), Qt::AlignCenter, QStringLiteral("?"));
        return pm;
    }();
    return card;
}

QPixmap pictureOrPlaceholder(const QString &programPath)
{
    if (programPath.isEmpty())
        return {};
    const QPixmap pm = loadPicture(programPath);
    return pm.isNull() ? placeholderPicture() : pm;
}

int pictureCacheKiB()
{
    return int(cache().totalCost());
}

int pictureCacheBudgetKiB()
{
    return int(cache().maxCost());
}

void clearPictureCache()
{
    for (QFuture<Decoded> &future : onTheWay())
        future.waitForFinished();
    onTheWay().clear();
    cache().clear();
}

} // namespace platform
