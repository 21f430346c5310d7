#include "MenuArt.h"

#include "BlockArt.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <functional>

namespace art {

namespace {

using S = Shape;
using C = Colour;

const QColor Ink(70, 60, 50);
const QColor Green(40, 168, 76);
const QColor Red(214, 48, 40);

QImage blankMenuPicture()
{
    QImage img(MenuPictureWidth, MenuPictureHeight, QImage::Format_RGB32);
    img.fill(backgroundColour());
    return img;
}

void prepare(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

// A block exactly as its own picture shows it, in a square of `side` around `centre`.
void paintBlock(QPainter &p, const Block &block, QPointF centre, double side)
{
    static QHash<int, QImage> drawn;
    const int key = int(block.shape) * 16 + int(block.colour) * 4 + (block.big ? 2 : 0) + (block.thick ? 1 : 0);
    if (!drawn.contains(key))
        drawn.insert(key, drawBlockAlone(block));
    p.drawImage(QRectF(centre.x() - side / 2, centre.y() - side / 2, side, side), drawn.value(key));
}

// A place blocks go into: a rounded box with a strong edge.
void paintBox(QPainter &p, const QRectF &box, const QColor &edge, double width = 6)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(edge, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawRoundedRect(box, 18, 18);
    p.restore();
}

// A road: a grey band with a dashed white middle, along the points given.
void paintRoad(QPainter &p, const QList<QPointF> &points, double width)
{
    QPainterPath path;
    path.moveTo(points.first());
    for (qsizetype i = 1; i < points.size(); ++i)
        path.lineTo(points[i]);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(96, 96, 100), width + 6, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(QColor(150, 150, 156), width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(Qt::white, width / 8, Qt::CustomDashLine, Qt::FlatCap));
    QPen dashes = p.pen();
    dashes.setDashPattern({3, 3});
    p.setPen(dashes);
    p.drawPath(path);
    p.restore();
}

// "=" or, crossed, "not equal", drawn as bars.
void paintEquals(QPainter &p, QPointF centre, double size, bool crossed)
{
    p.save();
    const QColor colour = crossed ? Red : Green;
    p.setPen(QPen(colour, size / 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(-size / 2, -size / 5), centre + QPointF(size / 2, -size / 5));
    p.drawLine(centre + QPointF(-size / 2, size / 5), centre + QPointF(size / 2, size / 5));
    if (crossed)
        p.drawLine(centre + QPointF(size / 4, -size / 2), centre + QPointF(-size / 4, size / 2));
    p.restore();
}

// A link of the domino chain: a white badge with a mark in it.
void paintLink(QPainter &p, QPointF centre, const std::function<void(QPointF)> &mark)
{
    p.save();
    p.setPen(QPen(Ink, 4));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(centre.x() - 30, centre.y() - 30, 60, 60), 14, 14);
    p.restore();
    mark(centre);
}

QImage equalOrDifferent()
{
    QImage img = blankMenuPicture();
    QPainter p(&img);
    prepare(p);
    paintBlock(p, {S::Square, C::Red, true, true}, QPointF(150, 200), 300);
    paintBlock(p, {S::Square, C::Blue, true, true}, QPointF(450, 200), 300);
    paintEquals(p, QPointF(300, 150), 60, false);
    paintEquals(p, QPointF(300, 250), 60, true);
    return img;
}

QImage sets()
{
    QImage img = blankMenuPicture();
    QPainter p(&img);
    prepare(p);
    // The set holds the red blocks; a yellow one stays out.
    paintBox(p, QRectF(24, 60, 372, 280), Green, 8);
    paintBlock(p, {S::Square, C::Red, true, true}, QPointF(120, 200), 230);
    paintBlock(p, {S::Triangle, C::Red, true, false}, QPointF(290, 200), 230);
    paintBlock(p, {S::Round, C::Yellow, true, true}, QPointF(500, 200), 230);
    return img;
}

QImage howMany()
{
    QImage img = blankMenuPicture();
    QPainter p(&img);
    prepare(p);
    // Five blocks; a dot under each red one, counting them.
    const Block row[5] = {{S::Round, C::Red, true, true},
                          {S::Square, C::Blue, true, true},
                          {S::Triangle, C::Red, true, false},
                          {S::Square, C::Yellow, false, true},
                          {S::Square, C::Red, false, true}};
    for (int i = 0; i < 5; ++i) {
        const QPointF at(66 + i * 117, 170);
        paintBlock(p, row[i], at, 170);
        if (row[i].colour == C::Red) {
            p.setPen(QPen(Green.darker(130), 3));
            p.setBrush(Green);
            p.drawEllipse(at + QPointF(0, 140), 20, 20);
        }
    }
    return img;
}

QImage roads(bool twice)
{
    QImage img = blankMenuPicture();
    QPainter p(&img);
    prepare(p);
    // A road rises from the foot and forks (twice, for the second game) into boxes at the top.
    const QPointF foot(300, 400), fork(300, 270);
    QList<QPointF> ends;
    if (twice) {
        const QPointF left(160, 190), right(440, 190);
        paintRoad(p, {foot, fork}, 34);
        paintRoad(p, {fork, left}, 30);
        paintRoad(p, {fork, right}, 30);
        for (const QPointF &second : {left, right}) {
            paintRoad(p, {second, second + QPointF(-80, -80)}, 26);
            paintRoad(p, {second, second + QPointF(80, -80)}, 26);
            ends << second + QPointF(-80, -80) << second + QPointF(80, -80);
        }
    } else {
        paintRoad(p, {foot, fork}, 40);
        paintRoad(p, {fork, QPointF(130, 140)}, 36);
        paintRoad(p, {fork, QPointF(470, 140)}, 36);
        ends << QPointF(130, 140) << QPointF(470, 140);
    }
    const double w = twice ? 120 : 200, h = twice ? 76 : 110;
    const Block inBoxes[4] = {{S::Round, C::Red, false, true},
                              {S::Square, C::Blue, false, true},
                              {S::Triangle, C::Red, false, false},
                              {S::Square, C::Yellow, false, false}};
    for (int i = 0; i < ends.size(); ++i) {
        const QRectF box(ends[i].x() - w / 2, ends[i].y() - h + 6, w, h);
        p.setPen(Qt::NoPen);
        p.setBrush(backgroundColour());
        p.drawRoundedRect(box, 14, 14);
        paintBox(p, box, Ink, 5);
        paintBlock(p, inBoxes[i], box.center(), h * 1.3);
    }
    // The block that waits at the foot of the road.
    paintBlock(p, {S::Round, C::Red, true, true}, QPointF(420, 330), 150);
    return img;
}

QImage table()
{
    QImage img = blankMenuPicture();
    QPainter p(&img);
    prepare(p);
    // Two rows and two columns, a block in each cell.
    const QRectF grid(120, 40, 440, 320);
    const Block cells[4] = {{S::Square, C::Red, true, true},
                            {S::Square, C::Blue, true, true},
                            {S::Triangle, C::Red, true, false},
                            {S::Triangle, C::Blue, true, false}};
    for (int k = 0; k < 4; ++k) {
        const QRectF cell(grid.left() + (k % 2) * grid.width() / 2, grid.top() + (k / 2) * grid.height() / 2,
                          grid.width() / 2, grid.height() / 2);
        paintBlock(p, cells[k], cell.center(), 190);
    }
    p.setPen(QPen(Ink, 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawRect(grid);
    p.drawLine(QPointF(grid.center().x(), grid.top()), QPointF(grid.center().x(), grid.bottom()));
    p.drawLine(QPointF(grid.left(), grid.center().y()), QPointF(grid.right(), grid.center().y()));
    // The headings: short bars in front of the rows and above the columns.
    p.setPen(QPen(QColor(120, 110, 100), 12, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 2; ++i) {
        const double y = grid.top() + grid.height() / 4 + i * grid.height() / 2;
        p.drawLine(QPointF(40, y), QPointF(96, y));
    }
    return img;
}

QImage findTheBlock()
{
    QImage img = blankMenuPicture();
    QPainter p(&img);
    prepare(p);
    // Six blocks, the one found framed in red as the game frames it.
    const Block blocks[6] = {{S::Round, C::Blue, true, true},   {S::Triangle, C::Yellow, true, true},
                             {S::Square, C::Red, true, false},  {S::Rectangle, C::Red, true, true},
                             {S::Square, C::Yellow, true, true}, {S::Round, C::Red, false, false}};
    for (int i = 0; i < 6; ++i)
        paintBlock(p, blocks[i], QPointF(100 + (i % 3) * 200, 105 + (i / 3) * 190), 190);
    p.setPen(QPen(Red, 9, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(30, 210, 150, 170));
    return img;
}

QImage domino(bool stays)
{
    QImage img = blankMenuPicture();
    QPainter p(&img);
    prepare(p);
    // Three blocks in a chain with a link between each two. What changes: one thing at a time,
    // an arrow in each link; what stays: one thing kept, an equals sign in each link.
    const std::array<Block, 3> changes{{{S::Square, C::Red, true, true},
                                        {S::Square, C::Blue, true, true},
                                        {S::Square, C::Blue, false, true}}};
    const std::array<Block, 3> keeps{{{S::Square, C::Red, true, true},
                                      {S::Triangle, C::Red, false, false},
                                      {S::Round, C::Red, true, true}}};
    const std::array<Block, 3> &chain = stays ? keeps : changes;
    for (int i = 0; i < 3; ++i)
        paintBlock(p, chain[i], QPointF(90 + i * 210, 200), 200);
    for (int i = 0; i < 2; ++i)
        paintLink(p, QPointF(195 + i * 210, 200), [&](QPointF at) {
            if (stays) {
                paintEquals(p, at, 34, false);
                return;
            }
            p.save();
            p.setPen(QPen(QColor(230, 120, 20), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(at + QPointF(-16, 0), at + QPointF(14, 0));
            p.drawLine(at + QPointF(4, -10), at + QPointF(15, 0));
            p.drawLine(at + QPointF(4, 10), at + QPointF(15, 0));
            p.restore();
        });
    return img;
}

} // namespace

QImage drawActivityPicture(const QString &window)
{
    if (window == QLatin1String("form1"))
        return equalOrDifferent();
    if (window == QLatin1String("FORM2"))
        return sets();
    if (window == QLatin1String("pagl3"))
        return howMany();
    if (window == QLatin1String("pagl7"))
        return roads(false);
    if (window == QLatin1String("pagl9"))
        return table();
    if (window == QLatin1String("pagl8"))
        return roads(true);
    if (window == QLatin1String("FormTrova"))
        return findTheBlock();
    if (window == QLatin1String("FormDomino"))
        return domino(false);
    if (window == QLatin1String("FormDomino2"))
        return domino(true);
    return {};
}

QStringList activityPictureWindows()
{
    return {QStringLiteral("form1"),     QStringLiteral("FORM2"),      QStringLiteral("pagl3"),
            QStringLiteral("pagl7"),     QStringLiteral("pagl9"),      QStringLiteral("pagl8"),
            QStringLiteral("FormTrova"), QStringLiteral("FormDomino"), QStringLiteral("FormDomino2")};
}

QImage drawSpeakerIcon()
{
    QImage img(128, 128, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    prepare(p);
    // The box and the cone, dark blue, turned to the right.
    QPolygonF cone;
    cone << QPointF(14, 48) << QPointF(38, 48) << QPointF(70, 20) << QPointF(70, 108) << QPointF(38, 80)
         << QPointF(14, 80);
    QLinearGradient fill(QPointF(0, 20), QPointF(0, 108));
    fill.setColorAt(0.0, QColor(84, 132, 220));
    fill.setColorAt(1.0, QColor(34, 74, 160));
    p.setBrush(fill);
    p.setPen(QPen(QColor(18, 40, 96), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(cone);
    // Three waves of sound, growing.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const double r = 16 + i * 14;
        p.setPen(QPen(QColor(255, 150, 30), 8, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(70 - r, 64 - r, 2 * r, 2 * r), -50 * 16, 100 * 16);
    }
    return img;
}

} // namespace art
