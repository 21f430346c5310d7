#include "platform/Pictures.h"

#include "platform/Paths.h"

#include <QFileInfo>
#include <QCache>
#include <QImageReader>
#include <QMutex>
#include <QPainter>

#include <cstdlib>
#include <vector>

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

// The memory of decoded pictures no longer shown, kept for the next ones up to a bound. Fresh
// memory costs a page fault for every 4 KiB on first touch, which on a virtual machine can take
// longer than decoding the picture itself; a new screen of pictures mostly fits in the memory of
// the last one.
class PictureMemory
{
public:
    static constexpr size_t kKeptBytes = 8u * 1024 * 1024;

    static QImage image(QSize size, QImage::Format format)
    {
        if (size.isEmpty() || format == QImage::Format_Invalid)
            return {};
        const qsizetype bytesPerLine = ((qsizetype(size.width()) * QImage::toPixelFormat(format).bitsPerPixel() + 31) >> 5) << 2;
        const size_t bytes = size_t(bytesPerLine) * size.height();
        void *block = instance().take(bytes);
        if (!block)
            return {};
        auto *info = new Block{block, bytes};
        return QImage(static_cast<uchar *>(block), size.width(), size.height(), bytesPerLine, format, &giveBack, info);
    }

private:
    struct Block
    {
        void *memory;
        size_t bytes;
    };

    static PictureMemory &instance()
    {
        static PictureMemory *memory = new PictureMemory; // lives to the end, past every picture
        return *memory;
    }

    static void giveBack(void *info)
    {
        auto *b = static_cast<Block *>(info);
        instance().keep(b->memory, b->bytes);
        delete b;
    }

    void *take(size_t bytes)
    {
        {
            QMutexLocker lock(&m_mutex);
            for (auto it = m_free.begin(); it != m_free.end(); ++it)
                if (it->bytes == bytes) {
                    void *memory = it->memory;
                    m_keptBytes -= bytes;
                    m_free.erase(it);
                    return memory;
                }
        }
        return std::malloc(bytes);
    }

    void keep(void *memory, size_t bytes)
    {
        QMutexLocker lock(&m_mutex);
        // Past the bound, the oldest block goes back to the system first.
        while (!m_free.empty() && m_keptBytes + bytes > kKeptBytes) {
            std::free(m_free.front().memory);
            m_keptBytes -= m_free.front().bytes;
            m_free.erase(m_free.begin());
        }
        if (bytes > kKeptBytes) {
            std::free(memory);
            return;
        }
        m_free.push_back({memory, bytes});
        m_keptBytes += bytes;
    }

    QMutex m_mutex;
    std::vector<Block> m_free;
    size_t m_keptBytes = 0;
};

// Pictures are never shown larger than the screen; keeping them at most this big keeps the
// cache small and stretching cheap.
constexpr int kMaxSide = 1024;
} // namespace

QPixmap loadPicture(const QString &programPath, int shownSide)
{
    if (programPath.isEmpty())
        return {};
    const QString path = resolvePath(programPath);
    QImageReader reader(path);
    reader.setAutoTransform(false);
    // A picture shown small is decoded small: a JPEG decodes at a half or a quarter of its size
    // several times faster, and takes a quarter or a sixteenth of the memory.
    const QSize full = reader.size();
    int denominator = 1;
    if (full.isValid()) {
        while (denominator < 8 && qMax(full.width(), full.height()) / (denominator * 2) >= qMax(shownSide, 1) &&
               qMax(full.width(), full.height()) / (denominator * 2) >= 64 && shownSide > 0)
            denominator *= 2;
        while (qMax(full.width(), full.height()) / denominator > kMaxSide)
            denominator *= 2;
    }
    const QString key = path + u'#' + QString::number(denominator);
    auto &c = cache();
    if (const QPixmap *known = c.pixmaps.object(key))
        return *known;
    QPixmap pm;
    QFileInfo fi(path);
    if (fi.isFile()) {
        if (denominator > 1)
            reader.setScaledSize(full / denominator);
        QImage img = PictureMemory::image(denominator > 1 ? full / denominator : full, reader.imageFormat());
        if (!reader.read(&img))
            img = QImage();
        ++c.decodes;
        if (!img.isNull())
            pm = QPixmap::fromImage(img);
    }
    // Remember failures only for files that exist; a missing file may still appear.
    if (!pm.isNull() || fi.isFile())
        c.pixmaps.insert(key, new QPixmap(pm), costKiB(pm));
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

QPixmap pictureOrPlaceholder(const QString &programPath, int shownSide)
{
    if (programPath.isEmpty())
        return {};
    const QPixmap pm = loadPicture(programPath, shownSide);
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

void releaseUnshownPictures()
{
    // A cached picture that nothing else holds is shown nowhere.
    auto &c = cache();
    for (const QString &key : c.pixmaps.keys())
        if (const QPixmap *pm = c.pixmaps.object(key); pm && pm->isDetached())
            c.pixmaps.remove(key);
}

void clearPictureCache()
{
    cache().pixmaps.clear();
}

} // namespace platform
