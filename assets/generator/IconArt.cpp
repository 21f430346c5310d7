#include "IconArt.h"

#include <QtMath>
#include <cmath>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

namespace art {

namespace {

QImage transparent(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void prepare(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
}

// A transparent picture of w x h canvas units, and a painter that draws in those units.
QImage canvas(int w, int h)
{
    return transparent(w * IconScale, h * IconScale);
}

void prepareCanvas(QPainter &p)
{
    prepare(p);
    p.scale(IconScale, IconScale);
}

// Round face with a light from the top left; features are drawn by the caller.
void paintFaceDisc(QPainter &p, QColor fill, QColor outline)
{
    QRadialGradient light(QPointF(24, 22), 34);
    light.setColorAt(0.0, fill.lighter(125));
    light.setColorAt(0.7, fill);
    light.setColorAt(1.0, fill.darker(110));
    p.setBrush(light);
    p.setPen(QPen(outline, 3.0));
    p.drawEllipse(QPointF(32, 32), 28.5, 28.5);
}

QPen featurePen(QColor colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

QImage drawHappyFace()
{
    QImage img = canvas(64, 64);
    QPainter p(&img);
    prepareCanvas(p);
    paintFaceDisc(p, QColor(255, 212, 40), QColor(176, 124, 0));
    const QColor ink(70, 44, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 140, 110, 110)); // rosy cheeks
    p.drawEllipse(QPointF(16.5, 37), 5.0, 3.5);
    p.drawEllipse(QPointF(47.5, 37), 5.0, 3.5);
    p.setBrush(ink);
    p.drawEllipse(QPointF(23, 25), 3.2, 4.6);
    p.drawEllipse(QPointF(41, 25), 3.2, 4.6);
    QPainterPath smile;
    smile.moveTo(19, 38);
    smile.cubicTo(24, 50, 40, 50, 45, 38);
    p.setBrush(Qt::NoBrush);
    p.setPen(featurePen(ink, 4.0));
    p.drawPath(smile);
    return img;
}

QImage drawSadFace()
{
    QImage img = canvas(64, 64);
    QPainter p(&img);
    prepareCanvas(p);
    paintFaceDisc(p, QColor(234, 64, 54), QColor(132, 26, 20));
    const QColor ink(64, 10, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(23, 27), 3.2, 4.2);
    p.drawEllipse(QPointF(41, 27), 3.2, 4.2);
    p.setBrush(Qt::NoBrush);
    p.setPen(featurePen(ink, 3.0));
    p.drawLine(QPointF(17, 20), QPointF(26, 16.5)); // brows raised in the middle: sorry,
    p.drawLine(QPointF(47, 20), QPointF(38, 16.5)); // not angry
    QPainterPath frown;
    frown.moveTo(21, 48);
    frown.cubicTo(26, 39.5, 38, 39.5, 43, 48);
    p.setPen(featurePen(ink, 4.0));
    p.drawPath(frown);
    return img;
}

QImage drawArrow()
{
    QImage img = canvas(96, 64);
    QPainter p(&img);
    prepareCanvas(p);
    QPolygonF arrow;
    arrow << QPointF(8, 22) << QPointF(50, 22) << QPointF(50, 7) << QPointF(89, 32) << QPointF(50, 57)
          << QPointF(50, 42) << QPointF(8, 42);
    QLinearGradient fill(QPointF(0, 8), QPointF(0, 56));
    fill.setColorAt(0.0, QColor(110, 214, 110));
    fill.setColorAt(1.0, QColor(36, 156, 62));
    p.setBrush(fill);
    p.setPen(QPen(QColor(22, 104, 42), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(arrow);
    return img;
}

QImage drawHelpIcon()
{
    QImage img = canvas(64, 64);
    QPainter p(&img);
    prepareCanvas(p);
    // Handle: a dark edge under a warm brown grip.
    p.setPen(featurePen(QColor(70, 40, 20), 13.0));
    p.drawLine(QPointF(40, 40), QPointF(56, 56));
    p.setPen(featurePen(QColor(176, 108, 52), 8.0));
    p.drawLine(QPointF(41, 41), QPointF(55.5, 55.5));
    // Lens with a glint.
    QRadialGradient glass(QPointF(21, 20), 20);
    glass.setColorAt(0.0, QColor(240, 250, 255, 235));
    glass.setColorAt(1.0, QColor(170, 214, 250, 215));
    p.setBrush(glass);
    p.setPen(QPen(QColor(52, 76, 112), 6.0));
    p.drawEllipse(QPointF(26, 26), 17.5, 17.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(featurePen(QColor(255, 255, 255, 230), 3.0));
    p.drawArc(QRectF(15, 15, 22, 22), 100 * 16, 70 * 16);
    return img;
}

QImage drawRestartIcon()
{
    QImage img = canvas(64, 64);
    QPainter p(&img);
    prepareCanvas(p);
    // Most of a circle, clockwise from the top, with its head just short of where it began.
    const QRectF ring(12, 12, 40, 40);
    const double startDeg = 75, spanDeg = -290; // Qt counts degrees anticlockwise from 3 o'clock
    p.setBrush(Qt::NoBrush);
    p.setPen(featurePen(QColor(150, 70, 10), 12.0));
    p.drawArc(ring, int(startDeg * 16), int(spanDeg * 16));
    p.setPen(featurePen(QColor(250, 150, 40), 7.0));
    p.drawArc(ring, int(startDeg * 16), int(spanDeg * 16));
    // The head, pointing along the circle where the arc ends.
    const double end = qDegreesToRadians(startDeg + spanDeg);
    const QPointF tip(32 + 20 * std::cos(end), 32 - 20 * std::sin(end));
    const QPointF along(std::sin(end), std::cos(end));   // clockwise direction
    const QPointF across(std::cos(end), -std::sin(end)); // away from the centre
    QPolygonF head;
    head << tip + along * 11 << tip + across * 11 - along * 3 << tip - across * 11 - along * 3;
    p.setBrush(QColor(250, 150, 40));
    p.setPen(QPen(QColor(150, 70, 10), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(head);
    return img;
}

QImage drawPointer()
{
    QImage img = transparent(32, 32);
    QPainter p(&img);
    prepare(p);
    // One outline, clockwise from the fingertip at (10.5, 1): the pointing finger, the
    // knuckles of the three bent fingers, the palm, and the thumb on the left.
    QPainterPath hand;
    hand.moveTo(8, 3.5);
    hand.arcTo(QRectF(8, 1, 5, 5), 180, -180);
    hand.lineTo(13, 12.5);
    hand.arcTo(QRectF(13, 10.5, 4.4, 4.4), 180, -180);
    hand.arcTo(QRectF(17.4, 11.5, 4.4, 4.4), 180, -180);
    hand.arcTo(QRectF(21.8, 12.5, 4.2, 4.2), 180, -180);
    hand.lineTo(26, 22);
    hand.cubicTo(26, 27, 23.5, 30, 19.5, 30);
    hand.lineTo(14.5, 30);
    hand.cubicTo(11.5, 30, 10, 28.5, 9, 26.5);
    hand.lineTo(3.6, 19.8);
    hand.cubicTo(2.2, 18, 4.6, 15.6, 6.4, 17.2);
    hand.lineTo(8, 19);
    hand.closeSubpath();
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(hand);
    p.setPen(QPen(QColor(0, 0, 0, 190), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13, 13), QPointF(13, 17));
    p.drawLine(QPointF(17.4, 14), QPointF(17.4, 17.5));
    p.drawLine(QPointF(21.8, 15), QPointF(21.8, 18));
    return img;
}

} // namespace art
