#include "platform/Pictures.h"

#include "platform/Paths.h"

#include <QFileInfo>
#include <QCache>
#include <QCoreApplication>
#include <QImageReader>
#include <QHash>
#include <QMutex>
#include <QThread>
#include <QThreadPool>
#include <QFuture>
#include <QFutureInterface>
#include <QRunnable>
#include <QPainter>

#include <cstdlib>
#include <cstring>
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
        if (bytes > kKeptBytes) {
            std::free(memory);
            return;
        }
        QMutexLocker lock(&m_mutex);
        // Past the bound, the oldest block goes back to the system first.
        while (!m_free.empty() && m_keptBytes + bytes > kKeptBytes) {
            std::free(m_free.front().memory);
            m_keptBytes -= m_free.front().bytes;
            m_free.erase(m_free.begin());
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

// What a worker hands back: the picture drawn at the size asked for, or nothing.
struct Decoded
{
    QImage image;
    bool fileExists = false;
    qsizetype bytes = 0;
};

// Two pixels of four 8-bit channels mixed, w/256 of the second: two channels at a time.
inline quint32 mix(quint32 a, quint32 b, quint32 w)
{
    const quint32 rb = ((((a & 0x00ff00ffu) * (256 - w) + (b & 0x00ff00ffu) * w) >> 8) & 0x00ff00ffu);
    const quint32 ag = ((((a >> 8) & 0x00ff00ffu) * (256 - w) + ((b >> 8) & 0x00ff00ffu) * w) & 0xff00ff00u);
    return rb | ag;
}

// Where a picture can be made smaller in the memory it was decoded into: not larger either way,
// and of a format whose channels mix linearly.
bool shrinksInPlace(const QImage &img, QSize target)
{
    return target.width() <= img.width() && target.height() <= img.height() &&
           (img.format() == QImage::Format_RGB32 || img.format() == QImage::Format_ARGB32_Premultiplied);
}

// Scales a decoded picture down, bilinearly (as painting it scaled smoothly would), in its own
// memory: row by row from the top, each finished row written where no row still to be read
// lies. A screen of pictures so needs half the fresh memory, and fresh memory costs a page fault
// per 4 KiB at its first touch. The result shares (and keeps) the decoded picture's memory.
QImage shrunkInPlace(QImage img, QSize target)
{
    const int inW = img.width(), inH = img.height(), outW = target.width(), outH = target.height();
    const qsizetype inStride = img.bytesPerLine(), outStride = qsizetype(outW) * 4;
    uchar *const base = img.bits(); // the only holder: no copy is made
    // Each output column and row: the first source pixel it mixes and the weight of the next
    // one, sampled at the pixel centres.
    const auto sampling = [](int in, int out, std::vector<int> &first, std::vector<quint32> &weight) {
        first.resize(out);
        weight.resize(out);
        for (int i = 0; i < out; ++i) {
            const qint64 at = ((2 * qint64(i) + 1) * in * 256) / (2 * out) - 128; // in 1/256 pixels
            const int f = int(qBound(qint64(0), at >> 8, qint64(in - 1)));
            first[i] = f;
            weight[i] = f + 1 < in && at > 0 ? quint32(at - (qint64(f) << 8)) : 0;
        }
    };
    std::vector<int> firstX, firstY;
    std::vector<quint32> weightX, weightY;
    sampling(inW, outW, firstX, weightX);
    sampling(inH, outH, firstY, weightY);
    std::vector<quint32> column(inW), row(outW);
    for (int y = 0; y < outH; ++y) {
        const auto *top = reinterpret_cast<const quint32 *>(base + firstY[y] * inStride);
        const auto *bottom = firstY[y] + 1 < inH ? reinterpret_cast<const quint32 *>(base + (firstY[y] + 1) * inStride) : top;
        const quint32 wy = weightY[y];
        for (int x = 0; x < inW; ++x)
            column[x] = mix(top[x], bottom[x], wy);
        for (int x = 0; x < outW; ++x) {
            const int fx = firstX[x];
            row[x] = mix(column[fx], column[fx + 1 < inW ? fx + 1 : fx], weightX[x]);
        }
        // Rows below this one start at or after (y + 1) source rows, past the end of this row.
        std::memcpy(base + y * outStride, row.data(), size_t(outStride));
    }
    const QImage::Format format = img.format();
    auto *keeper = new QImage(std::move(img));
    return QImage(base, outW, outH, outStride, format, [](void *held) { delete static_cast<QImage *>(held); }, keeper);
}

// Decodes a picture for a place of `box` pixels (an empty box: its own size, at most kMaxSide).
// A JPEG is decoded at the smallest half, quarter or eighth of its size that still covers the
// place, several times faster than whole, and then scaled once to exactly the size it is drawn.
// Runs on any thread: it touches nothing shared but the picture memory, which locks.
Decoded decodePicture(const QString &programPath, QSize box, bool keepProportions, qreal dpr)
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
    int denominator = 1;
    while (full.isValid() && denominator < 8 && full.width() / (denominator * 2) >= target.width() &&
           full.height() / (denominator * 2) >= target.height())
        denominator *= 2;
    if (denominator > 1)
        reader.setScaledSize(full / denominator);
    QImage img = PictureMemory::image(full.isValid() ? full / denominator : QSize(), reader.imageFormat());
    if (!reader.read(&img) || img.isNull())
        return d;
    d.bytes = img.sizeInBytes(); // what the picture keeps, also once made smaller in place
    if (!target.isEmpty() && img.size() != target) {
        if (shrinksInPlace(img, target)) {
            img = shrunkInPlace(std::move(img), target);
        } else {
            // A bilinear pass into memory of its own, as smooth as painting the picture scaled,
            // done once here instead of at every paint.
            const bool opaque = !img.hasAlphaChannel();
            QImage drawn = PictureMemory::image(target, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
            if (drawn.isNull())
                return d;
            if (!opaque)
                drawn.fill(Qt::transparent);
            QPainter p(&drawn);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(drawn.rect(), img);
            p.end();
            img = std::move(drawn);
            d.bytes = img.sizeInBytes();
        }
    }
    img.setDevicePixelRatio(dpr);
    d.image = std::move(img);
    return d;
}

QThreadPool &decodingThreads()
{
    static QThreadPool pool;
    static const bool configured = [] {
        pool.setMaxThreadCount(qMax(1, QThread::idealThreadCount()));
        pool.setExpiryTimeout(-1); // a screen's pictures come in bursts; keep the threads ready
        // Nothing is decoded once the application is going: the image plugins go with it.
        qAddPostRoutine([] {
            pool.clear();
            pool.waitForDone();
        });
        return true;
    }();
    Q_UNUSED(configured);
    return pool;
}

// One picture to decode on a worker thread. Whoever waits for it before a worker has taken it
// up decodes it in its own thread (the future knows its job and pool).
class DecodeJob : public QRunnable
{
public:
    DecodeJob(const QString &programPath, QSize box, bool keepProportions, qreal dpr)
        : m_path(programPath), m_box(box), m_keep(keepProportions), m_dpr(dpr)
    {
        m_promise.setRunnable(this);
        m_promise.setThreadPool(&decodingThreads());
        m_promise.reportStarted();
    }
    QFuture<Decoded> future() { return m_promise.future(); }
    void run() override
    {
        if (!m_promise.isCanceled())
            m_promise.reportAndMoveResult(decodePicture(m_path, m_box, m_keep, m_dpr));
        m_promise.reportFinished();
    }

private:
    QFutureInterface<Decoded> m_promise;
    QString m_path;
    QSize m_box;
    bool m_keep;
    qreal m_dpr;
};

QString cacheKey(const QString &programPath, QSize box, bool keepProportions, qreal dpr)
{
    return programPath + u'#' + QString::number(box.width()) + u'x' + QString::number(box.height()) +
           (keepProportions ? u'k' : u's') + QString::number(dpr);
}
} // namespace

struct Picture::State
{
    // A picture nobody waits for any more is not decoded, unless a thread is at it already.
    ~State()
    {
        if (!resolved && pending.isValid())
            pending.cancel();
    }

    QSize drawnSize;
    QString key;
    QFuture<Decoded> pending;
    bool resolved = false;
    QPixmap pixmap;
};

namespace {
// Pictures on their way, by cache key, so that two places asking for the same picture at once
// share one decode.
QHash<QString, std::weak_ptr<Picture::State>> &onTheWay()
{
    static QHash<QString, std::weak_ptr<Picture::State>> states;
    return states;
}

// Takes a finished (or waited for) decode into the cache; a failure is remembered only for a
// file that exists, as a missing one may still appear.
void settle(Picture::State &s)
{
    if (s.resolved)
        return;
    Decoded d = s.pending.result();
    s.pending = {};
    s.resolved = true;
    if (!d.image.isNull())
        s.pixmap = QPixmap::fromImage(std::move(d.image));
    if (!s.pixmap.isNull() || d.fileExists)
        cache().pixmaps.insert(s.key, new QPixmap(s.pixmap), qMax(costKiB(s.pixmap), int(d.bytes / 1024)));
    auto it = onTheWay().find(s.key);
    if (it != onTheWay().end() && (it->expired() || it->lock().get() == &s))
        onTheWay().erase(it);
}
} // namespace

QSize Picture::drawnSize() const
{
    return m_state ? m_state->drawnSize : QSize();
}

const QPixmap &Picture::decoded() const
{
    static const QPixmap none;
    if (!m_state)
        return none;
    settle(*m_state);
    return m_state->pixmap;
}

const QPixmap &Picture::pixmap() const
{
    const QPixmap &pm = decoded();
    return pm.isNull() && m_state ? placeholderPicture() : pm;
}

Picture requestPicture(const QString &programPath, QSize box, bool keepProportions, qreal devicePixelRatio)
{
    Picture picture;
    if (programPath.isEmpty())
        return picture;
    if (box.isEmpty())
        box = QSize();
    const QString key = cacheKey(programPath, box, keepProportions, devicePixelRatio);
    if (std::shared_ptr<Picture::State> shared = onTheWay().value(key).lock()) {
        picture.m_state = std::move(shared);
        return picture;
    }
    auto state = std::make_shared<Picture::State>();
    state->key = key;
    state->drawnSize = box;
    auto &c = cache();
    if (const QPixmap *known = c.pixmaps.object(key)) {
        state->pixmap = *known;
        state->resolved = true;
    } else {
        ++c.decodes;
        auto *job = new DecodeJob(programPath, box, keepProportions, devicePixelRatio);
        state->pending = job->future();
        decodingThreads().start(job);
        onTheWay().insert(key, state);
    }
    picture.m_state = std::move(state);
    return picture;
}

QPixmap loadPicture(const QString &programPath)
{
    return requestPicture(programPath, QSize(), false).decoded();
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
