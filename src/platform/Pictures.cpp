#include "platform/Pictures.h"

#include "platform/Paths.h"

#include <QFileInfo>
#include <QCache>
#include <QImageReader>
#include <QPainter>

namespace platform {

namespace {
// Decoded pictures, by resolved path, least recently used first out. The budget holds the
// fullest screen (twelve blocks of 1 MiB each, decoded, with the faces and icons); past it, a
// picture is decoded again, which takes about a millisecond. A null pixmap marks a file known
// unreadable.
constexpr int kBudgetKiB = 16 * 1024;

struct PictureCache
{
    QCache<QString, QPixmap> pixmaps{kBudgetKiB};
    int decodes = 0;
};

int costKiB(const QPixmap &pm)
{
    return qMax(1, int(qint64(pm.width()) * pm.height() * pm.depth() / 8 / 1024));
}

PictureCache &cache()
{
    static PictureCache c;
    return c;
}

// Pictures are never shown larger than the screen; keeping them at most this big keeps the
// cache small and stretching cheap.
constexpr int kMaxSide = 1024;
} // namespace

QPixmap loadPicture(const QString &programPath)
{
    if (programPath.isEmpty())
        return {};
    const QString path = resolvePath(programPath);
    auto &c = cache();
    if (const QPixmap *known = c.pixmaps.object(path))
        return *known;
    QPixmap pm;
    QFileInfo fi(path);
    if (fi.isFile()) {
        QImageReader reader(path);
        reader.setAutoTransform(false);
        const QSize s = reader.size();
        if (s.isValid() && (s.width() > kMaxSide || s.height() > kMaxSide))
            reader.setScaledSize(s.scaled(kMaxSide, kMaxSide, Qt::KeepAspectRatio));
        const QImage img = reader.read();
        ++c.decodes;
        if (!img.isNull())
            pm = QPixmap::fromImage(img);
    }
    // Remember failures only for files that exist; a missing file may still appear.
    if (!pm.isNull() || fi.isFile())
        c.pixmaps.insert(path, new QPixmap(pm), costKiB(pm));
    return pm;
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
