#include "ContactSheet.h"

#include <QFont>
#include <QPainter>

namespace art {

namespace {

constexpr int Margin = 40;
constexpr int Cell = 240;       // width of one column
constexpr int Thumb = 216;      // picture size inside a cell
constexpr int CaptionRows = 44; // room for two lines of text
constexpr int TitleHeight = 70;
constexpr int SectionGap = 24;
constexpr int SectionTitle = 44;
constexpr int SheetWidth = 2 * Margin + 8 * Cell;

int rowsOf(const SheetSection &s)
{
    return int((s.entries.size() + s.columns - 1) / s.columns);
}

QFont sheetFont(int pixelSize, bool bold)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void paintCheckerboard(QPainter &p, const QRect &r)
{
    const int step = 12;
    p.save();
    p.setClipRect(r);
    for (int y = r.top(); y <= r.bottom(); y += step)
        for (int x = r.left(); x <= r.right(); x += step)
            p.fillRect(QRect(x, y, step, step), ((x - r.left()) / step + (y - r.top()) / step) % 2
                                                    ? QColor(204, 204, 204)
                                                    : QColor(244, 244, 244));
    p.restore();
}

// Fits the picture into the thumbnail square, keeping its proportions; small icons are
// enlarged by whole factors so their pixels stay sharp.
QRect fitRect(const QSize &size, const QRect &box)
{
    QSize s = size;
    if (s.width() <= Thumb / 2 && s.height() <= Thumb / 2) {
        const int factor = std::min(box.width() / s.width(), box.height() / s.height());
        s *= factor;
    } else {
        s.scale(box.size(), Qt::KeepAspectRatio);
    }
    return QRect(box.x() + (box.width() - s.width()) / 2, box.y() + (box.height() - s.height()) / 2,
                 s.width(), s.height());
}

} // namespace

QImage makeContactSheet(const QString &title, const QList<SheetSection> &sections)
{
    int height = Margin + TitleHeight;
    for (const SheetSection &s : sections)
        height += SectionTitle + rowsOf(s) * (Thumb + CaptionRows + 16) + SectionGap;
    height += Margin;

    QImage sheet(SheetWidth, height, QImage::Format_RGB32);
    sheet.fill(QColor(255, 255, 255));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);

    p.setPen(QColor(40, 40, 40));
    p.setFont(sheetFont(34, true));
    p.drawText(QRect(Margin, Margin, SheetWidth - 2 * Margin, TitleHeight), Qt::AlignLeft, title);

    int y = Margin + TitleHeight;
    for (const SheetSection &s : sections) {
        p.setPen(QColor(60, 60, 60));
        p.setFont(sheetFont(24, true));
        p.drawText(QRect(Margin, y, SheetWidth - 2 * Margin, SectionTitle), Qt::AlignLeft, s.title);
        y += SectionTitle;
        for (qsizetype i = 0; i < s.entries.size(); ++i) {
            const SheetEntry &e = s.entries[i];
            const int col = int(i % s.columns);
            const int row = int(i / s.columns);
            const int x = Margin + col * Cell + (Cell - Thumb) / 2;
            const int top = y + row * (Thumb + CaptionRows + 16);
            const QRect box(x, top, Thumb, Thumb);
            if (e.showsAlpha)
                paintCheckerboard(p, box);
            const QRect target = e.showsAlpha ? fitRect(e.image.size(), box) : box;
            if (e.showsAlpha && e.image.width() <= Thumb / 2)
                p.setRenderHint(QPainter::SmoothPixmapTransform, false);
            p.drawImage(target, e.image);
            p.setRenderHint(QPainter::SmoothPixmapTransform, true);
            p.setPen(QPen(QColor(190, 190, 190), 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(box.adjusted(0, 0, -1, -1));
            p.setPen(QColor(30, 30, 30));
            p.setFont(sheetFont(16, true));
            p.drawText(QRect(x - 10, top + Thumb + 3, Thumb + 20, 20), Qt::AlignHCenter, e.caption);
            p.setFont(sheetFont(15, false));
            p.drawText(QRect(x - 10, top + Thumb + 23, Thumb + 20, 20), Qt::AlignHCenter, e.detail);
        }
        y += rowsOf(s) * (Thumb + CaptionRows + 16) + SectionGap;
    }
    return sheet;
}

} // namespace art
