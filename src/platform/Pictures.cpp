#include "platform/Pictures.h"

#include "platform/Paths.h"

#include <QCache>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace platform {

namespace {
// Decoded pictures by path and drawn size, least recently used first out. The budget holds the
// fullest screens (twelve blocks, the faces and icons) several times over; past it, a picture
// is decoded again, which takes about a millisecond. A null pixmap marks a file known
// unreadable.
constexpr int kBudgetKiB = 16 * 1024;
// A picture asked for at its own size is kept at most this big.
constexpr int kMaxSide = 1024;

struct PictureCache
{
    QCache<QString, QPixmap> pixmaps{kBudgetKiB};
    int decodes = 0;
};

PictureCache &cache()
{
    static PictureCache c;
    return c;
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

// The file's picture at the size it is drawn; null when it is missing or cannot be decoded.
QImage decode(const QString &path, QSize box, bool keepProportions)
{
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
    // A JPEG decodes straight at a half, a quarter or an eighth of its size, several times
    // faster than whole: the smallest of those that still covers the place.
    int denominator = 1;
    if (full.isValid() && !target.isEmpty() && reader.supportsOption(QImageIOHandler::ScaledSize))
        while (denominator < 8 && full.width() / (denominator * 2) >= target.width() &&
               full.height() / (denominator * 2) >= target.height())
            denominator *= 2;
    if (denominator > 1)
        reader.setScaledSize(full / denominator);
    QImage img = reader.read();
    if (!img.isNull() && !target.isEmpty() && img.size() != target)
        img = img.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return img;
}
} // namespace

QPixmap pictureForBox(const QString &programPath, QSize box, bool keepProportions, qreal devicePixelRatio)
{
    if (programPath.isEmpty())
        return {};
    if (box.isEmpty())
        box = QSize();
    auto &c = cache();
    const QString key = cacheKey(programPath, box, keepProportions, devicePixelRatio);
    if (const QPixmap *known = c.pixmaps.object(key))
        return *known;
    const QString path = resolvePath(programPath);
    // A missing file is not remembered: it may still appear.
    if (!QFileInfo(path).isFile())
        return {};
    ++c.decodes;
    QPixmap pm = QPixmap::fromImage(decode(path, box, keepProportions));
    pm.setDevicePixelRatio(devicePixelRatio);
    c.pixmaps.insert(key, new QPixmap(pm), costKiB(pm));
    return pm;
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

int pictureDecodeCount()
{
    return cache().decodes;
}

int pictureCacheKiB()
{
    return int(cache().pixmaps.totalCost());
}

int pictureCacheBudgetKiB()
{
    return kBudgetKiB;
}

void clearPictureCache()
{
    cache().pixmaps.clear();
}

} // namespace platform
