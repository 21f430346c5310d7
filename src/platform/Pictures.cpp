#include "platform/Pictures.h"

#include "platform/Paths.h"

#include <QFileInfo>
#include <QHash>
#include <QImageReader>

namespace platform {

namespace {
struct PictureCache
{
    QHash<QString, QPixmap> pixmaps; // by resolved path; null pixmap = known unreadable
    int decodes = 0;
};

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
    auto it = c.pixmaps.constFind(path);
    if (it != c.pixmaps.constEnd())
        return *it;
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
        c.pixmaps.insert(path, pm);
    return pm;
}

int pictureDecodeCount()
{
    return cache().decodes;
}

void clearPictureCache()
{
    cache().pixmaps.clear();
}

} // namespace platform
