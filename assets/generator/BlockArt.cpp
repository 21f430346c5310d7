#include "BlockArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace art {

namespace {

struct Palette
{
    QColor face;
    QColor side;
    QColor outline;
    QColor pattern; // unused for the plain colour
};

// Saturated, friendly colours; the side is a darker shade of the face.
Palette paletteOf(Colour colour)
{
    switch (colour) {
    case Colour::Red:
        return {QColor(232, 52, 48), QColor(178, 34, 30), QColor(120, 22, 18), QColor()};
    case Colour::Yellow:
        return {QColor(255, 208, 36), QColor(222, 158, 8), QColor(160, 112, 0), QColor(236, 168, 0)};
    case Colour::Blue:
        return {QColor(38, 118, 222), QColor(24, 80, 166), QColor(14, 52, 116), QColor(96, 160, 240)};
    }
    return {};
}

// Grey used where colour must not carry meaning (shape, size and thickness help pictures).
Palette neutralPalette()
{
    return {QColor(156, 164, 176), QColor(114, 122, 136), QColor(74, 80, 92), QColor()};
}

const QColor MarkGreen(40, 168, 76);

// Sizes of the faces of the big blocks; a small block is exactly half as large.
constexpr double BigUnit = 300.0;
// Depth of the side: the thickness of the block as the picture shows it, the same for big
// and small blocks, as in a real set where every thick block is equally thick.
constexpr double ThickDepth = 56.0;
constexpr double ThinDepth = 14.0;
// The side shows towards the bottom right: the child looks from above and a little left.
const QPointF SideDirection(0.6, 0.8);

// Face outline centred on the origin, listed clockwise as seen on screen.
QPolygonF faceOutline(Shape shape, double unit)
{
    QPolygonF poly;
    switch (shape) {
    case Shape::Round: {
        const int n = 180;
        const double r = unit / 2.0;
        for (int i = 0; i < n; ++i) {
            const double a = 2.0 * std::numbers::pi * i / n;
            poly << QPointF(r * std::cos(a), r * std::sin(a));
        }
        break;
    }
    case Shape::Square: {
        const double h = unit * 0.88 / 2.0;
        poly << QPointF(-h, -h) << QPointF(h, -h) << QPointF(h, h) << QPointF(-h, h);
        break;
    }
    case Shape::Rectangle: {
        const double w = unit * 1.25 / 2.0;
        const double h = unit * 0.6 / 2.0;
        poly << QPointF(-w, -h) << QPointF(w, -h) << QPointF(w, h) << QPointF(-w, h);
        break;
    }
    case Shape::Triangle: {
        const double s = unit * 1.1;
        const double h = s * std::sqrt(3.0) / 2.0;
        poly << QPointF(0, -h / 2.0) << QPointF(s / 2.0, h / 2.0) << QPointF(-s / 2.0, h / 2.0);
        break;
    }
    }
    return poly;
}

double cross(const QPointF &o, const QPointF &a, const QPointF &b)
{
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

// Convex hull (monotone chain) of a set of points.
QPolygonF convexHull(QList<QPointF> pts)
{
    std::sort(pts.begin(), pts.end(), [](const QPointF &a, const QPointF &b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    QList<QPointF> hull(2 * pts.size());
    qsizetype k = 0;
    for (qsizetype i = 0; i < pts.size(); ++i) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0)
            --k;
        hull[k++] = pts[i];
    }
    for (qsizetype i = pts.size() - 1, t = k + 1; i > 0; --i) {
        while (k >= t && cross(hull[k - 2], hull[k - 1], pts[i - 1]) <= 0)
            --k;
        hull[k++] = pts[i - 1];
    }
    hull.resize(k - 1);
    return QPolygonF(hull);
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(
        float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

// The colour's own texture, so that colour is never the only cue: red stays plain,
// yellow has fine dots, blue has diagonal stripes. Drawn in picture coordinates so the
// pattern has the same scale on every picture.
void paintPattern(QPainter &p, Colour colour, const Palette &pal, const QRectF &area)
{
    p.save();
    p.setPen(Qt::NoPen);
    if (colour == Colour::Yellow) {
        p.setBrush(pal.pattern);
        const double step = 24.0;
        const double radius = 4.5;
        int row = 0;
        for (double y = std::floor(area.top() / step) * step; y < area.bottom() + step; y += step, ++row) {
            const double shift = (row % 2) ? step / 2.0 : 0.0;
            for (double x = std::floor(area.left() / step) * step - step; x < area.right() + step; x += step)
                p.drawEllipse(QPointF(x + shift, y), radius, radius);
        }
    } else if (colour == Colour::Blue) {
        QPen pen(pal.pattern, 7.0, Qt::SolidLine, Qt::FlatCap);
        p.setPen(pen);
        const double period = 26.0;
        const double span = area.height() + area.width();
        for (double c = std::floor((area.left() - area.height()) / period) * period;
             c < area.right() + period; c += period)
            p.drawLine(QPointF(c, area.bottom()), QPointF(c + span, area.bottom() - span));
    }
    p.restore();
}

// Fills a face: the colour with a gentle light from the top left, the pattern, a soft outline.
void paintFace(QPainter &p, const QPainterPath &face, const Palette &pal, std::optional<Colour> pattern,
               double outlineWidth)
{
    const QRectF box = face.boundingRect();
    QLinearGradient light(box.topLeft(), box.bottomRight());
    light.setColorAt(0.0, pal.face.lighter(114));
    light.setColorAt(0.55, pal.face);
    light.setColorAt(1.0, pal.face.darker(106));
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawPath(face);
    if (pattern) {
        p.save();
        p.setClipPath(face);
        paintPattern(p, *pattern, pal, box);
        p.restore();
    }
    QColor line = pal.outline;
    line.setAlpha(210);
    p.setPen(QPen(line, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(face);
}

// A soft shadow on the table under a shape, drawn as a few widening transparent strokes.
void paintShadow(QPainter &p, const QPainterPath &shape, QPointF offset)
{
    p.save();
    p.translate(offset);
    p.setBrush(Qt::NoBrush);
    for (int i = 6; i >= 1; --i) {
        p.setPen(QPen(QColor(70, 56, 30, 9), i * 4.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(shape);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 56, 30, 34));
    p.drawPath(shape);
    p.restore();
}

QPainterPath closedPath(const QPolygonF &poly)
{
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    return path;
}

// Geometry of one extruded block ready to be painted at a given place.
struct Solid
{
    QPolygonF face; // front face, around the origin
    QPointF depth;  // offset of the back face
    QRectF bounds;  // of face and back face together
};

Solid makeSolid(Shape shape, double unit, double depth)
{
    Solid s;
    s.face = faceOutline(shape, unit);
    s.depth = SideDirection * depth;
    s.bounds = s.face.boundingRect().united(s.face.translated(s.depth).boundingRect());
    return s;
}

// Paints a solid so that its bounds start at topLeft.
void paintSolid(QPainter &p, const Solid &solid, QPointF topLeft, const Palette &pal,
                std::optional<Colour> pattern, bool shadow = true)
{
    const QPointF origin = topLeft - solid.bounds.topLeft();
    const QPolygonF face = solid.face.translated(origin);
    const QPolygonF back = face.translated(solid.depth);

    QList<QPointF> all(face.begin(), face.end());
    all.append(QList<QPointF>(back.begin(), back.end()));
    const QPolygonF hull = convexHull(all);
    const QPainterPath hullPath = closedPath(hull);
    if (shadow)
        paintShadow(p, hullPath, QPointF(7, 9));

    // The side: first the whole silhouette in the side colour (so no seam lets the
    // background through), then every side strip facing the viewer in its own shade.
    p.setPen(Qt::NoPen);
    p.setBrush(pal.side);
    p.drawPath(hullPath);
    const QPointF dir = solid.depth / std::hypot(solid.depth.x(), solid.depth.y());
    const qsizetype n = face.size();
    std::vector<bool> visible(n);
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF a = face[i];
        const QPointF b = face[(i + 1) % n];
        const QPointF e = b - a;
        const double len = std::hypot(e.x(), e.y());
        const QPointF normal(e.y() / len, -e.x() / len);
        visible[i] = normal.x() * dir.x() + normal.y() * dir.y() > 1e-6;
        if (!visible[i])
            continue;
        // Sides turned to the right are darker, sides turned to the lower left lighter.
        const double nx = normal.x();
        const QColor shade = nx > 0 ? mix(pal.side, pal.side.darker(135), nx * nx)
                                    : mix(pal.side, pal.side.lighter(118), nx * nx);
        QPolygonF strip;
        strip << a << b << b + solid.depth << a + solid.depth;
        p.setPen(QPen(shade, 1.0));
        p.setBrush(shade);
        p.drawPolygon(strip);
    }
    QColor edge = pal.outline;
    edge.setAlpha(150);
    // Edges between two visible sides (the corners of square, rectangle and triangle).
    if (n < 10) {
        p.setPen(QPen(edge, 2.0, Qt::SolidLine, Qt::RoundCap));
        for (qsizetype i = 0; i < n; ++i) {
            if (visible[i] && visible[(i + n - 1) % n])
                p.drawLine(face[i], face[i] + solid.depth);
        }
    }
    edge.setAlpha(210);
    p.setPen(QPen(edge, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hullPath);

    paintFace(p, closedPath(face), pal, pattern, 3.0);
}

QImage blankPicture(int side)
{
    QImage img(side, side, QImage::Format_RGB32);
    img.fill(backgroundColour());
    return img;
}

void prepare(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

// A painter on a picture of `side` pixels that draws in canvas units.
void prepareCanvas(QPainter &p, int side)
{
    prepare(p);
    p.scale(side / CanvasSide, side / CanvasSide);
}

// A rounded green frame that tells which of two things the picture means.
void paintMark(QPainter &p, const QRectF &around)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(MarkGreen, 10.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawRoundedRect(around, 22, 22);
    p.restore();
}

} // namespace

QColor backgroundColour()
{
    return QColor(250, 246, 236);
}

QImage drawBlock(const Block &block, int side)
{
    QImage img = blankPicture(side);
    QPainter p(&img);
    prepareCanvas(p, side);
    const double unit = block.big ? BigUnit : BigUnit / 2.0;
    const Solid solid = makeSolid(block.shape, unit, block.thick ? ThickDepth : ThinDepth);
    const QPointF topLeft((CanvasSide - solid.bounds.width()) / 2.0, (CanvasSide - solid.bounds.height()) / 2.0);
    paintSolid(p, solid, topLeft, paletteOf(block.colour), block.colour);
    return img;
}

QImage drawBlockAlone(const Block &block)
{
    QImage img(PictureSide, PictureSide, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    prepare(p);
    const double unit = block.big ? BigUnit : BigUnit / 2.0;
    const Solid solid = makeSolid(block.shape, unit, block.thick ? ThickDepth : ThinDepth);
    paintSolid(p, solid, QPointF((PictureSide - solid.bounds.width()) / 2.0, (PictureSide - solid.bounds.height()) / 2.0),
               paletteOf(block.colour), block.colour);
    return img;
}

QImage drawSilhouette(Shape shape, int side)
{
    QImage img = blankPicture(side);
    QPainter p(&img);
    prepareCanvas(p, side);
    const QPolygonF poly = faceOutline(shape, 340.0);
    const QRectF box = poly.boundingRect();
    const QPointF origin = QPointF(CanvasSide / 2.0, CanvasSide / 2.0) - box.center();
    const QPainterPath path = closedPath(poly.translated(origin));
    paintShadow(p, path, QPointF(7, 9));
    paintFace(p, path, neutralPalette(), std::nullopt, 5.0);
    return img;
}

QImage drawSizeChoice(bool bigMeant, int side)
{
    QImage img = blankPicture(side);
    QPainter p(&img);
    prepareCanvas(p, side);
    const Palette pal = neutralPalette();
    const double depth = 26.0;
    const Solid big = makeSolid(Shape::Square, 262.0, depth);
    const Solid small = makeSolid(Shape::Square, 131.0, depth);
    const double margin = 16.0;
    const double baseline = 372.0;
    const QRectF bigBox(QPointF(34, baseline - big.bounds.height()), big.bounds.size());
    const QRectF smallBox(QPointF(348, baseline - small.bounds.height()), small.bounds.size());

    const auto paintOne = [&](const Solid &s, const QRectF &box, bool meant) {
        p.save();
        if (!meant)
            p.setOpacity(0.35);
        paintSolid(p, s, box.topLeft(), pal, std::nullopt);
        p.restore();
        if (meant)
            paintMark(p, box.adjusted(-margin, -margin, margin, margin));
    };
    paintOne(big, bigBox, bigMeant);
    paintOne(small, smallBox, !bigMeant);
    return img;
}

QImage drawThicknessChoice(bool thickMeant, int side)
{
    QImage img = blankPicture(side);
    QPainter p(&img);
    prepareCanvas(p, side);
    const Palette pal = neutralPalette();
    const double width = 165.0;
    const QPointF back(40.0, -46.0); // how far the top reaches back, seen from low in front
    const double baseline = 316.0;

    // One square slab: front face, top and right side, the front as high as the slab is thick.
    const auto slabBox = [&](double left, double thickness) {
        return QRectF(left, baseline - thickness + back.y(), width + back.x(), thickness - back.y());
    };
    const auto paintSlab = [&](double left, double thickness, bool meant) {
        const QPointF fl(left, baseline - thickness); // front top left
        const QPointF fr(left + width, baseline - thickness);
        const QPointF bl(left, baseline);
        const QPointF br(left + width, baseline);
        QPolygonF top, front, side;
        top << fl << fr << fr + back << fl + back;
        front << fl << fr << br << bl;
        side << fr << fr + back << br + back << br;
        QPainterPath whole;
        whole.addPolygon(top.united(front).united(side));
        whole.closeSubpath();

        p.save();
        if (!meant)
            p.setOpacity(0.35);
        paintShadow(p, whole, QPointF(7, 6));
        QColor line = pal.outline;
        line.setAlpha(210);
        const QPen pen(line, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        p.setBrush(pal.face.lighter(118));
        p.drawPolygon(top);
        p.setBrush(pal.face);
        p.drawPolygon(front);
        p.setBrush(pal.side);
        p.drawPolygon(side);
        p.restore();
        if (meant)
            paintMark(p, slabBox(left, thickness).adjusted(-18, -18, 18, 18));
    };
    paintSlab(30.0, 74.0, thickMeant);
    paintSlab(278.0, 20.0, !thickMeant);
    return img;
}

QImage drawSwatch(Colour colour, int side)
{
    QImage img = blankPicture(side);
    QPainter p(&img);
    prepareCanvas(p, side);
    QPainterPath path;
    path.addRoundedRect(QRectF(62, 62, 388, 388), 64, 64);
    paintShadow(p, path, QPointF(8, 10));
    paintFace(p, path, paletteOf(colour), colour, 6.0);
    return img;
}

QImage drawAppIcon(int side)
{
    QImage img(side, side, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    prepare(p);
    // Drawn on the pictures' own canvas, scaled to the icon's size. Small icons leave out the
    // colour patterns: they would only blur the colours there.
    p.scale(side / CanvasSide, side / CanvasSide);
    const bool patterns = side >= 128;
    const auto pattern = [patterns](Colour c) { return patterns ? std::optional<Colour>(c) : std::nullopt; };

    QPainterPath tile;
    tile.addRoundedRect(QRectF(24, 24, 464, 464), 92, 92);
    paintShadow(p, tile, QPointF(0, 8));
    p.setPen(QPen(QColor(196, 176, 140), 8.0));
    p.setBrush(backgroundColour());
    p.drawPath(tile);

    // Back to front: a big thick red disc, a small thin blue square, a big thick yellow triangle.
    const Solid disc = makeSolid(Shape::Round, 236.0, ThickDepth);
    const Solid square = makeSolid(Shape::Square, 150.0, ThinDepth * 1.5);
    const Solid triangle = makeSolid(Shape::Triangle, 212.0, ThickDepth);
    paintSolid(p, disc, QPointF(58, 52), paletteOf(Colour::Red), pattern(Colour::Red));
    paintSolid(p, square, QPointF(300, 80), paletteOf(Colour::Blue), pattern(Colour::Blue));
    paintSolid(p, triangle, QPointF(170, 212), paletteOf(Colour::Yellow), pattern(Colour::Yellow));
    return img;
}

} // namespace art
