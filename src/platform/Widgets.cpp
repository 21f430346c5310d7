#include "platform/Widgets.h"

#include "platform/Paths.h"
#include "platform/Pictures.h"
#include "platform/Units.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QTextLayout>

namespace platform::detail {

qreal scaleOf(const QWidget *widget)
{
    const QVariant scale = widget->window()->property("textScale");
    return scale.isValid() ? qMax(1.0, scale.toDouble()) : 1.0;
}

namespace {
// The picture store's ordinary pictures are drawn for places up to kOrdinarySide pixels, which
// decode fast; a larger drawing of a picture, where the store has one, lies at the same place
// below "jpg\large\". For a place that much larger (a classroom screen shows a block over
// 1000 pixels wide) the larger drawing is asked for, so that the picture stays crisp.
constexpr int kOrdinarySide = 512;

QString largerDrawing(const QString &programPath, QSize place)
{
    // Up to a tenth larger than drawn shows no softness.
    const int most = kOrdinarySide * 11 / 10;
    if (place.width() <= most && place.height() <= most)
        return programPath;
    const QLatin1String store("\\jpg\\");
    const qsizetype at = programPath.lastIndexOf(store, -1, Qt::CaseInsensitive);
    if (at < 0)
        return programPath;
    const QString large = programPath.left(at + store.size()) + QStringLiteral("large\\") + programPath.mid(at + store.size());
    return QFileInfo::exists(resolvePath(large)) ? large : programPath;
}

// The one focus mark of the program: a thick blue dashed outline inside the widget, shown
// only to keyboard users (as the style does for its own widgets).
void paintFocusMark(QWidget *widget, QPainter &p, qreal radius = 0)
{
    if (!widget->hasFocus() || !widget->window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    const qreal s = scaleOf(widget);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    const QRectF box = QRectF(widget->rect()).adjusted(3 * s, 3 * s, -3 * s, -3 * s);
    // White under blue: the mark shows on light and dark colours alike.
    p.setPen(QPen(Qt::white, 6 * s));
    p.drawRoundedRect(box, radius, radius);
    p.setPen(QPen(QColor(20, 70, 200), 4 * s, Qt::DashLine));
    p.drawRoundedRect(box, radius, radius);
    p.restore();
}
} // namespace

void paintTick(QPainter &p, QPointF centre, qreal radius)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 20), qMax(2.0, radius * 0.09)));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, radius, radius);
    QPen tick(QColor(0, 120, 40), radius * 0.26, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(tick);
    p.setBrush(Qt::NoBrush);
    const QPolygonF mark{centre + QPointF(-0.5, 0.02) * radius, centre + QPointF(-0.14, 0.38) * radius,
                         centre + QPointF(0.52, -0.36) * radius};
    p.drawPolyline(mark);
    p.restore();
}

LabelWidget::LabelWidget(QWidget *parent) : Clickable<QLabel>(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QStringList fittedLines(const QString &text, const QFont &font, const QSize &box)
{
    const QFontMetrics fm(font);
    const int width = qMax(1, box.width());
    const int room = qMax(1, (box.height() + fm.leading()) / qMax(1, fm.lineSpacing()));
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const QStringList parts = plain.split(u'\n');

    // Each part as lines, with where each line starts in the part.
    QList<QList<std::pair<qsizetype, QString>>> wrapped;
    for (const QString &part : parts) {
        QTextLayout layout(part, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        QList<std::pair<qsizetype, QString>> lines;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines.append({line.textStart(), part.mid(line.textStart(), line.textLength()).trimmed()});
        }
        layout.endLayout();
        if (lines.isEmpty())
            lines.append({0, QString()});
        wrapped.append(lines);
    }

    // Every part a line; the lines left over go to the first parts that want them (all of them,
    // when there is room), and a part cut short ends with an ellipsis.
    QStringList out;
    const QChar ellipsis(0x2026);
    qsizetype spare = room - qMin<qsizetype>(room, parts.size());
    for (qsizetype p = 0; p < parts.size() && out.size() < room; ++p) {
        const auto &lines = wrapped[p];
        const qsizetype take = 1 + qMin(spare, lines.size() - 1);
        spare -= take - 1;
        for (qsizetype i = 0; i < take; ++i)
            out << (i + 1 < take || take == lines.size()
                        ? lines[i].second
                        : fm.elidedText(parts[p].mid(lines[i].first).simplified(), Qt::ElideRight, width));
    }
    if (parts.size() > room) // parts left out: the last line says so
        out.last() = fm.elidedText(out.last(), Qt::ElideRight, width - fm.horizontalAdvance(ellipsis)) + ellipsis;
    return out;
}

void LabelWidget::setBadge(bool badge)
{
    m_badge = badge;
    update();
}

void LabelWidget::paintEvent(QPaintEvent *e)
{
    if (m_badge) {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(palette().color(QPalette::Window));
        const qreal r = qMin(width(), height()) * 0.3;
        p.drawRoundedRect(QRectF(rect()), r, r);
    }
    // A text too long for the label (a language file's word may be anything) is cut to fit:
    // it never runs beyond the label's card, half a line included.
    const QRect box = contentsRect();
    const int flags = int(alignment()) | (wordWrap() ? int(Qt::TextWordWrap) : 0);
    if (box.contains(fontMetrics().boundingRect(box, flags, text()))) {
        QLabel::paintEvent(e);
    } else {
        QPainter p(this);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
        const QStringList lines = fittedLines(text(), font(), box.size());
        const int step = fontMetrics().lineSpacing();
        const int height = int(lines.size()) * step;
        int y = box.top();
        if (alignment() & Qt::AlignVCenter)
            y += (box.height() - height) / 2;
        else if (alignment() & Qt::AlignBottom)
            y += box.height() - height;
        const int across = int(alignment() & Qt::AlignHorizontal_Mask);
        for (const QString &line : lines) {
            p.drawText(QRect(box.left(), y, box.width(), step), across | Qt::AlignVCenter, line);
            y += step;
        }
    }
    if (pressable()) {
        QPainter p(this);
        paintFocusMark(this, p);
    }
}

PictureWidget::PictureWidget(QWidget *parent) : Clickable<QWidget>(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureWidget::showPicture(const QString &programPath)
{
    m_path = programPath;
    m_pixmap = {};
    m_pixmapBox = {};
    prepare();
    update();
}

void PictureWidget::setKeepsProportions(bool keep)
{
    if (keep == m_keepProportions)
        return;
    m_keepProportions = keep;
    m_pixmapBox = {};
    prepare();
    update();
}

void PictureWidget::showEvent(QShowEvent *e)
{
    Clickable<QWidget>::showEvent(e);
    if (m_pixmapBox != pictureBox())
        prepare();
}

void PictureWidget::prepare()
{
    // Only a place on screen has its final size.
    if (hasPicture() && isVisible()) {
        m_drawnFrom = largerDrawing(m_path, pictureBox());
        preparePicture(m_drawnFrom, pictureBox(), m_keepProportions, devicePixelRatioF());
    }
}

QPixmap PictureWidget::picture()
{
    const QSize box = pictureBox();
    if (hasPicture() && box != m_pixmapBox) {
        m_drawnFrom = largerDrawing(m_path, box);
        m_pixmap = pictureForBox(m_drawnFrom, box, m_keepProportions, devicePixelRatioF());
        m_pixmapBox = box;
    }
    return m_pixmap;
}

void PictureWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (hasPicture()) {
        const QPixmap pm = picture();
        if (!pm.isNull()) {
            // Made for this place: copied as it is, centred when it keeps its proportions.
            QRect target(QPoint(0, 0), pm.deviceIndependentSize().toSize());
            target.moveCenter(rect().center());
            p.drawPixmap(target.topLeft(), pm);
        } else {
            const QPixmap &card = placeholderPicture();
            QRect target = rect();
            if (m_keepProportions) {
                target.setSize(card.size().scaled(size(), Qt::KeepAspectRatio));
                target.moveCenter(rect().center());
            }
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawPixmap(target, card);
        }
    }
    paintFocusMark(this, p, 6);
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

namespace {
// The tick in the corner of a marked box, above the blocks in it.
class TickWidget : public QWidget
{
public:
    explicit TickWidget(QWidget *parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const qreal r = qMin(width(), height()) / 2.0;
        paintTick(p, QRectF(rect()).center(), r - 1);
    }
};
} // namespace

void FrameWidget::setMarked(bool marked)
{
    if (marked == m_marked)
        return;
    m_marked = marked;
    if (marked && !m_tick)
        m_tick = new TickWidget(this);
    if (m_tick) {
        placeTick();
        m_tick->setVisible(marked);
        m_tick->raise();
    }
    update();
}

void FrameWidget::placeTick()
{
    if (!m_tick)
        return;
    const int side = qMax(16, qMin(width(), height()) * 3 / 10);
    const int margin = qMax(2, side / 10);
    m_tick->setGeometry(width() - side - margin, margin, side, side);
}

void FrameWidget::resizeEvent(QResizeEvent *e)
{
    Clickable<QWidget>::resizeEvent(e);
    placeTick();
}

void FrameWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const qreal s = scaleOf(this);
    p.fillRect(rect(), m_background);
    p.setPen(QPen(QColor(96, 96, 96), 2 * s));
    p.drawRect(QRectF(rect()).adjusted(s, s, -s, -s));
    if (!m_title.isEmpty()) {
        p.setPen(readableInk(m_background));
        p.drawText(rect().adjusted(6, 2, -6, -2), Qt::AlignTop | Qt::AlignLeft, m_title);
    }
    if (m_marked) {
        // A full box: a thick rim, dark green under light green, seen on every background.
        const qreal rim = 6 * s;
        p.setPen(QPen(QColor(0, 100, 30), rim, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawRect(QRectF(rect()).adjusted(rim / 2, rim / 2, -rim / 2, -rim / 2));
        p.setPen(QPen(QColor(120, 220, 120), rim / 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawRect(QRectF(rect()).adjusted(rim * 1.25, rim * 1.25, -rim * 1.25, -rim * 1.25));
    } else if (!isEnabled()) {
        // A locked box looks a little faded, so the child sees it takes no more blocks.
        p.fillRect(rect(), QColor(255, 255, 255, 70));
    }
    paintFocusMark(this, p);
}

AreaWidget::AreaWidget(QWidget *parent) : Clickable<QWidget>(parent) {}

bool AreaWidget::hits(QPointF at) const
{
    if (width() <= 0 || height() <= 0)
        return false;
    return m_outline.containsPoint(QPointF(at.x() / width(), at.y() / height()), Qt::OddEvenFill);
}

void AreaWidget::mousePressEvent(QMouseEvent *e)
{
    if (!hits(e->position())) {
        e->ignore(); // beside the outline: for what lies below
        return;
    }
    Clickable<QWidget>::mousePressEvent(e);
}

void AreaWidget::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (!hits(e->position())) {
        e->ignore();
        return;
    }
    Clickable<QWidget>::mouseDoubleClickEvent(e);
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
    // Round ends drawn as dots: the raster engine strokes a round-capped line many times
    // slower than a flat one, and a road is drawn at every paint.
    if (m_colour.alpha() < 255) {
        // Seen through: one stroke, so that no part is laid over another.
        p.setPen(QPen(m_colour, m_penWidth, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(m_from, m_to);
        return;
    }
    p.setPen(QPen(m_colour, m_penWidth, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(m_from, m_to);
    if (m_penWidth > 2) {
        const qreal r = m_penWidth / 2.0;
        p.setPen(Qt::NoPen);
        p.setBrush(m_colour);
        p.drawEllipse(m_from, r, r);
        p.drawEllipse(m_to, r, r);
    }
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

void ButtonWidget::setMarked(bool marked)
{
    m_marked = marked;
    update();
}

void ButtonWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A young child double-clicks what is meant to be clicked once: the second press is
    // swallowed, here as on every other clickable widget, also when the first click brought a
    // new screen and another button now lies under the pointer. Two slow clicks are two clicks.
    event->accept();
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

namespace {
// A resting button's face: its colour drained to a light grey.
QColor restingFace(const QColor &face)
{
    const int grey = qBound(200, qGray(face.rgb()) + 40, 232);
    return QColor(grey, grey, grey);
}

QColor mixed(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}
} // namespace

void ButtonWidget::paintFace(QPainter &p, const QColor &face, Look look) const
{
    // The rim and the face are filled shapes, not strokes: the raster engine fills a rounded
    // rectangle several times faster than it strokes one.
    const qreal s = scaleOf(this);
    QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    qreal radius = qMin(box.height(), box.width()) * 0.12;
    p.setPen(Qt::NoPen);
    const auto ring = [&](const QColor &colour, qreal width) {
        p.setBrush(colour);
        p.drawRoundedRect(box, radius, radius);
        box.adjust(width, width, -width, -width);
        radius = qMax(0.0, radius - width);
    };
    switch (look) {
    case Look::Raised:
        ring(face.darker(170), 2 * s);
        break;
    case Look::Resting:
        ring(face.darker(125), s);
        break;
    case Look::Marked:
        // White, then near-black: one of the two stands out from any background colour.
        ring(Qt::white, 3 * s);
        ring(QColor(20, 20, 20), 3 * s);
        break;
    }
    p.setBrush(face);
    p.drawRoundedRect(box, radius, radius);
    if (look == Look::Raised) {
        // A raised edge: a shadow along the bottom invites a press.
        p.fillRect(QRectF(box.left() + radius, box.bottom() - 3 * s, box.width() - 2 * radius, 3 * s), face.darker(135));
    }
}

QString ButtonWidget::caption() const
{
    return text().remove(u'&');
}

int ButtonWidget::margin() const
{
    return qMax(3, qMin(width(), height()) / 14);
}

QRect ButtonWidget::captionRect() const
{
    if (m_abovePath.isEmpty())
        return rect();
    const QString label = caption();
    if (label.isEmpty())
        return {};
    const int m = margin();
    const QRect room(6, 0, qMax(0, width() - 12), height());
    const int need = QFontMetrics(font()).boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, label).height();
    return QRect(room.left(), height() - m - need, room.width(), need);
}

QRect ButtonWidget::pictureAboveRect() const
{
    const int m = margin();
    const QRect text = captionRect();
    const int bottom = text.isNull() ? height() - m : text.top() - m / 2;
    return QRect(m, m, qMax(0, width() - 2 * m), qMax(0, bottom - m));
}

void ButtonWidget::setPictureAbove(const QString &programPath)
{
    m_abovePath = programPath;
    m_above = {};
    m_aboveBox = {};
    if (isVisible())
        askForPictureAbove();
    update();
}

void ButtonWidget::askForPictureAbove()
{
    const QSize box = pictureAboveRect().size() * devicePixelRatioF();
    if (!m_abovePath.isEmpty() && !box.isEmpty() && box != m_aboveBox)
        preparePicture(m_abovePath, box, true, devicePixelRatioF());
}

QPixmap ButtonWidget::pictureAbove()
{
    const QSize box = pictureAboveRect().size() * devicePixelRatioF();
    if (!m_abovePath.isEmpty() && !box.isEmpty() && box != m_aboveBox) {
        m_above = pictureForBox(m_abovePath, box, true, devicePixelRatioF());
        m_aboveBox = box;
    }
    return m_above;
}

void ButtonWidget::resizeEvent(QResizeEvent *e)
{
    QPushButton::resizeEvent(e);
    if (isVisible())
        askForPictureAbove();
}

void ButtonWidget::showEvent(QShowEvent *e)
{
    QPushButton::showEvent(e);
    askForPictureAbove();
}

void ButtonWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const Look look = m_marked ? Look::Marked : isEnabled() ? Look::Raised : Look::Resting;
    QColor face = palette().color(QPalette::Button);
    if (look == Look::Resting)
        face = restingFace(face);
    if (isDown())
        face = face.darker(115);
    const qreal radius = qMin(height(), width()) * 0.12;
    paintFace(p, face, look);
    paintFocusMark(this, p, radius * 0.8);

    const QString label = caption();
    // A resting caption is grey, half-way to the face, and a resting picture faded: still there,
    // plainly not for now.
    const QColor ink = readableInk(face);
    p.setPen(look == Look::Resting ? mixed(ink, face, 0.6) : ink);
    const qreal pictureOpacity = look == Look::Resting ? 0.45 : 1;
    if (!m_abovePath.isEmpty()) {
        // The picture over the caption, the caption at the foot of the button.
        const QRect room = pictureAboveRect();
        const QPixmap pm = pictureAbove(); // for the room the caption leaves now
        if (!pm.isNull() && !room.isEmpty()) {
            QRect target(QPoint(), pm.deviceIndependentSize().toSize().scaled(room.size(), Qt::KeepAspectRatio));
            target.moveCenter(room.center());
            p.setOpacity(pictureOpacity);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawPixmap(target, pm);
            p.setOpacity(1);
        }
        if (!label.isEmpty())
            p.drawText(captionRect(), Qt::AlignCenter | Qt::TextWordWrap, label);
        return;
    }

    // Picture and caption side by side, centred as one; a caption that needs two lines
    // keeps each line centred.
    const QFontMetrics fm(font());
    // The picture grows with the button, up to the size it was drawn at.
    const int iconHeight = qBound(16, height() / 2, int(96 * scaleOf(this)));
    const QPixmap pm = icon().isNull() ? QPixmap()
                                       : icon().pixmap(QSize(iconHeight * 3 / 2, iconHeight),
                                                       look == Look::Resting ? QIcon::Disabled : QIcon::Normal);
    const int pmWidth = pm.isNull() ? 0 : int(pm.width() / pm.devicePixelRatio());
    const int gap = pm.isNull() || label.isEmpty() ? 0 : fm.height() / 3;
    const int room = qMax(0, width() - 12 - pmWidth - gap);
    const QRect textBox = label.isEmpty() ? QRect()
                                          : fm.boundingRect(QRect(0, 0, room, height()),
                                                            Qt::AlignCenter | Qt::TextWordWrap, label);
    int x = (width() - (pmWidth + gap + textBox.width())) / 2;
    if (!pm.isNull()) {
        const int pmHeight = int(pm.height() / pm.devicePixelRatio());
        p.setOpacity(pictureOpacity);
        p.drawPixmap(x, (height() - pmHeight) / 2, pm);
        p.setOpacity(1);
        x += pmWidth + gap;
    }
    if (!label.isEmpty())
        p.drawText(QRect(x, 0, textBox.width(), height()), Qt::AlignCenter | Qt::TextWordWrap, label);
}

CheckBoxWidget::CheckBoxWidget(QWidget *parent) : QCheckBox(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void CheckBoxWidget::setBackground(const QColor &c)
{
    m_background = c;
    update();
}

QRect CheckBoxWidget::boxRect() const
{
    const int side = qMin(QFontMetrics(font()).height(), height() - 4);
    return QRect(4, (height() - side) / 2, side, side);
}

QRect CheckBoxWidget::captionRect() const
{
    const QRect box = boxRect();
    const int left = box.right() + 1 + box.width() / 2;
    return QRect(left, 0, qMax(0, width() - left - 2), height());
}

void CheckBoxWidget::keyPressEvent(QKeyEvent *event)
{
    // Enter ticks or clears the box just like Space does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        click();
        return;
    }
    QCheckBox::keyPressEvent(event);
}

void CheckBoxWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    // As on the buttons: a double click ticks or clears the box once.
    event->accept();
}

bool CheckBoxWidget::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

void CheckBoxWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), m_background);
    const QRectF box = QRectF(boxRect()).adjusted(1, 1, -1, -1);
    // White inside, near-black edge: seen on every background, ticked or not.
    p.setPen(QPen(QColor(30, 30, 30), 3));
    p.setBrush(isDown() ? QColor(220, 220, 220) : QColor(Qt::white));
    p.drawRoundedRect(box, 3, 3);
    if (isChecked()) {
        QPen tick(QColor(0, 110, 0), qMax(3.0, box.width() / 6), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(tick);
        const QPolygonF mark{box.topLeft() + QPointF(box.width() * 0.2, box.height() * 0.52),
                             box.topLeft() + QPointF(box.width() * 0.42, box.height() * 0.75),
                             box.topLeft() + QPointF(box.width() * 0.8, box.height() * 0.25)};
        p.drawPolyline(mark);
    }
    p.setPen(readableInk(m_background));
    p.drawText(captionRect(), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, text());
    paintFocusMark(this, p, 4);
}

} // namespace platform::detail
