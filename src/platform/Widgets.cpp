#include "platform/Widgets.h"

#include <QPainter>
#include <QKeyEvent>
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
    // It paints every pixel itself, so nothing below it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
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
    update();
}

void ButtonWidget::keyPressEvent(QKeyEvent *event)
{
    // Enter presses a button just like Space does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        animateClick();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void ButtonWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool enabled = isEnabled();
    const bool down = isDown();
    QColor face = palette().color(QPalette::Button);
    if (down)
        face = face.darker(115);
    const QRectF box = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const qreal radius = qMin(box.height(), box.width()) * 0.12;
    p.setPen(QPen(enabled ? face.darker(160) : face.darker(125), 2));
    p.setBrush(face);
    p.drawRoundedRect(box, radius, radius);
    // The focus ring shows only for keyboard users, as the style would do.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        p.setPen(QPen(QColor(40, 90, 200), 3, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(box.adjusted(4, 4, -4, -4), radius * 0.8, radius * 0.8);
    }

    // Picture and caption side by side, centred as one.
    const QString label = text().remove(u'&');
    const QFontMetrics fm(font());
    // The picture grows with the button, up to the size it was drawn at.
    const int iconHeight = qBound(16, height() / 2, 96);
    const QPixmap pm = icon().isNull() ? QPixmap()
                                       : icon().pixmap(QSize(iconHeight * 3 / 2, iconHeight),
                                                       enabled ? QIcon::Normal : QIcon::Disabled);
    const int gap = pm.isNull() || label.isEmpty() ? 0 : fm.height() / 3;
    const int textWidth = label.isEmpty() ? 0 : fm.horizontalAdvance(label);
    const int pmWidth = pm.isNull() ? 0 : int(pm.width() / pm.devicePixelRatio());
    const int total = qMin(width() - 8, pmWidth + gap + textWidth);
    int x = (width() - total) / 2;
    if (!pm.isNull()) {
        const int pmHeight = int(pm.height() / pm.devicePixelRatio());
        p.drawPixmap(x, (height() - pmHeight) / 2, pm);
        x += pmWidth + gap;
    }
    if (!label.isEmpty()) {
        const QColor ink = enabled ? QColor(20, 20, 20) : QColor(20, 20, 20, 90);
        p.setPen(ink);
        p.drawText(QRect(x, 0, width() - x - 4, height()), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, label);
    }
    if (!enabled) {
        // Resting buttons fade, so the child sees at once which ones can be pressed.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawRoundedRect(box, radius, radius);
    }
}

} // namespace platform::detail
