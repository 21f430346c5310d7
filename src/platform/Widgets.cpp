#include "platform/Widgets.h"

#include <QPainter>
#include <QPaintEvent>

namespace platform::detail {

LabelWidget::LabelWidget(QWidget *parent) : Clickable<QLabel>(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

PictureWidget::PictureWidget(QWidget *parent) : Clickable<QWidget>(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureWidget::setPixmap(const QPixmap &pixmap)
{
    m_pixmap = pixmap;
    update();
}

void PictureWidget::paintEvent(QPaintEvent *)
{
    if (m_pixmap.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(rect(), m_pixmap);
}

FrameWidget::FrameWidget(QWidget *parent) : Clickable<QWidget>(parent), m_background(Qt::white) {}

void FrameWidget::setBackground(const QColor &c)
{
    m_background = c;
    update();
}

void FrameWidget::setTitle(const QString &title)
{
    m_title = title;
    update();
}

void FrameWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_background);
    p.setPen(QPen(QColor(96, 96, 96), 2));
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    if (!m_title.isEmpty()) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(rect().adjusted(6, 2, -6, -2), Qt::AlignTop | Qt::AlignLeft, m_title);
    }
    if (!isEnabled()) {
        // A locked box looks a little faded, so the child sees it takes no more blocks.
        p.fillRect(rect(), QColor(255, 255, 255, 70));
    }
}

SurfaceWidget::SurfaceWidget(QWidget *parent)
    : Clickable<QWidget>(parent), m_background(QColor(0xF0, 0xF0, 0xF0))
{
}

void SurfaceWidget::setBackground(const QColor &c)
{
    m_background = c;
    update();
}

void SurfaceWidget::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    p.fillRect(e->rect(), m_background);
}

LineWidget::LineWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineWidget::setLine(QPointF from, QPointF to, int width, const QColor &colour)
{
    m_penWidth = qMax(1, width);
    m_colour = colour;
    const qreal pad = m_penWidth / 2.0 + 1;
    QRectF box = QRectF(from, to).normalized().adjusted(-pad, -pad, pad, pad);
    const QRect r = box.toAlignedRect();
    m_from = from - r.topLeft();
    m_to = to - r.topLeft();
    setGeometry(r);
    update();
}

void LineWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(m_colour, m_penWidth, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(m_from, m_to);
}

ShapeWidget::ShapeWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::setBorder(int width, const QColor &colour)
{
    m_penWidth = qMax(1, width);
    m_colour = colour;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(QPen(m_colour, m_penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    const qreal h = m_penWidth / 2.0;
    p.drawRect(QRectF(rect()).adjusted(h, h, -h, -h));
}

ButtonWidget::ButtonWidget(QWidget *parent) : QPushButton(parent)
{
    setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
}

void ButtonWidget::setBackground(const QColor &c)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Button, c);
    pal.setColor(QPalette::Disabled, QPalette::Button, c);
    setPalette(pal);
}

} // namespace platform::detail
