#pragma once

// The small Qt widgets behind the controls. Only the platform layer sees them.

#include <QCheckBox>
#include <QMouseEvent>
#include <QLabel>
#include <QPixmap>
#include <QPolygonF>
#include <QPushButton>
#include <QWidget>
#include <functional>

namespace platform::detail {

// What every clickable widget shares, whatever Qt class it grows from: the relay to its
// control, and whether anybody listens (only then can it be pressed by keyboard, and
// assistive technology offers it as pressable).
class ClickSource
{
public:
    virtual ~ClickSource() = default;
    std::function<void()> onClick;
    bool pressable() const { return m_pressable && onClick; }
    void setPressable(bool pressable)
    {
        m_pressable = pressable;
        applyFocusPolicy();
    }
    // Whether Tab stops here while it can be pressed (a window may take a stop away, say from
    // a place that was emptied).
    bool tabStop() const { return m_tabStop; }
    void setTabStop(bool tabStop)
    {
        m_tabStop = tabStop;
        applyFocusPolicy();
    }
    void press() const
    {
        if (pressable())
            onClick();
    }

protected:
    virtual void applyFocusPolicy() = 0;

private:
    bool m_pressable = false;
    bool m_tabStop = true;
};

// How much larger than designed the window of the widget draws texts, rims and marks now (see
// textScaleFor).
qreal scaleOf(const QWidget *widget);

// A white disc with a thick green tick and a dark edge: "done", told by its shape as much as by
// its colour, on every background.
void paintTick(QPainter &painter, QPointF centre, qreal radius);

// Emits a click for a left-button press and release inside the widget, the way a control's
// Click event comes about. The second press of a double click is not a second click: no
// window handles double clicks, so a child's double click on a block acts once. Space and
// Enter press it when it has the keyboard focus.
template <class Base>
class Clickable : public Base, public ClickSource
{
public:
    using Base::Base;

protected:
    void mousePressEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::LeftButton) {
            m_pressed = true;
            e->accept();
            return;
        }
        Base::mousePressEvent(e);
    }
    void mouseDoubleClickEvent(QMouseEvent *e) override
    {
        m_pressed = false;
        e->accept();
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        const bool wasPressed = m_pressed;
        m_pressed = false;
        if (e->button() == Qt::LeftButton && wasPressed && this->rect().contains(e->position().toPoint())) {
            e->accept();
            if (onClick)
                onClick();
            return;
        }
        Base::mouseReleaseEvent(e);
    }
    void keyPressEvent(QKeyEvent *e) override
    {
        const int k = e->key();
        if (pressable() && e->modifiers() == Qt::NoModifier &&
            (k == Qt::Key_Space || k == Qt::Key_Return || k == Qt::Key_Enter)) {
            e->accept();
            onClick();
            return;
        }
        Base::keyPressEvent(e);
    }
    // Only the focus mark shows the focus, and only once the keyboard has moved it (see
    // paintFocusMark): the focus that comes with a window becoming active repaints nothing. The
    // base classes' handling is left out on purpose: it repaints the whole widget, and a label's
    // sets up text selection, which these labels do not offer.
    void focusInEvent(QFocusEvent *e) override
    {
        e->accept();
        updateFocusMark();
    }
    void focusOutEvent(QFocusEvent *e) override
    {
        e->accept();
        updateFocusMark();
    }

private:
    void updateFocusMark()
    {
        if (this->window()->testAttribute(Qt::WA_KeyboardFocusChange))
            this->update();
    }
    void applyFocusPolicy() override
    {
        this->setFocusPolicy(pressable() && tabStop() ? Qt::StrongFocus : Qt::NoFocus);
    }

    bool m_pressed = false;
};

// The lines of a text that fit into a box: wrapped at blanks, or inside a word too long for a
// line; each line break of the text starts a new line. When they are too many, every part
// between line breaks keeps a line at least, and a part cut short ends with an ellipsis.
QStringList fittedLines(const QString &text, const QFont &font, const QSize &box);

class LabelWidget : public Clickable<QLabel>
{
public:
    explicit LabelWidget(QWidget *parent);
    // A badge: the background is drawn as a rounded box around the text.
    void setBadge(bool badge);

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    bool m_badge = false;
};

// Shows its whole picture as large as fits, centred, keeping its proportions (a square stays a
// square whatever the shape of the place), or, when asked to, stretched to its own size. The
// picture is decoded for the size the widget has on screen: started when the widget is shown
// (or given a picture while shown), taken when it is painted. A window built at one size and
// shown at another decodes only for the size it is shown at.
class PictureWidget : public Clickable<QWidget>
{
public:
    explicit PictureWidget(QWidget *parent);
    // The picture at a program path; an empty path clears it.
    void showPicture(const QString &programPath);
    bool hasPicture() const { return !m_path.isEmpty(); }
    // The picture for the widget's present size; null when the file cannot be shown (the
    // placeholder is painted then).
    QPixmap picture();
    bool keepsProportions() const { return m_keepProportions; }
    void setKeepsProportions(bool keep);
    // The file the picture was asked from: the program's path, or a larger drawing of the same
    // picture for a large place (see largerDrawing).
    QString drawnFrom() const { return m_drawnFrom; }

protected:
    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *e) override;

private:
    QSize pictureBox() const { return size() * devicePixelRatioF(); }
    void prepare();

    QString m_path;
    QString m_drawnFrom;
    bool m_keepProportions = true;
    // The picture last found for m_path, and the place it was found for.
    QPixmap m_pixmap;
    QSize m_pixmapBox;
};

// A container with a background colour and a thin border. A marked one (a box that is full)
// has a thick green rim and a tick in its corner, above what it holds.
class FrameWidget : public Clickable<QWidget>
{
public:
    explicit FrameWidget(QWidget *parent);
    void setBackground(const QColor &c);
    void setTitle(const QString &title);
    void setMarked(bool marked);

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void placeTick();

    QColor m_background;
    QString m_title;
    bool m_marked = false;
    QWidget *m_tick = nullptr; // made when first marked
};

// A clickable place of any outline, drawn as nothing: a press outside the outline goes to what
// lies below.
class AreaWidget : public Clickable<QWidget>
{
public:
    explicit AreaWidget(QWidget *parent);
    // The outline in fractions of the widget's size, so that it follows the widget's size.
    void setOutline(const QPolygonF &fractions) { m_outline = fractions; }
    bool hits(QPointF at) const;

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    QPolygonF m_outline;
};

// The window's client area: background colour and clicks on the bare window.
class SurfaceWidget : public Clickable<QWidget>
{
public:
    explicit SurfaceWidget(QWidget *parent);
    void setBackground(const QColor &c);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QColor m_background;
};

// A straight line drawn over its container; it never takes clicks.
class LineWidget : public QWidget
{
public:
    explicit LineWidget(QWidget *parent);
    void setLine(QPointF from, QPointF to, int width, const QColor &colour); // pixels in the parent

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QPointF m_from, m_to; // in own coordinates
    int m_penWidth = 1;
    QColor m_colour = Qt::black;
};

// A rectangle outline without fill; it never takes clicks.
class ShapeWidget : public QWidget
{
public:
    explicit ShapeWidget(QWidget *parent);
    void setBorder(int width, const QColor &colour);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int m_penWidth = 1;
    QColor m_colour = Qt::black;
};

// A push button drawn flat in its own colour: big, bright and cheap to paint (the style's
// gradients cost a millisecond per large button). A resting (disabled) button is plainly
// greyed: a grey face, a grey caption and picture, a thin flat edge. A marked one (the answer
// the child gave) keeps its colour and its readable caption while it rests, inside a rim of
// white and near-black that stands out on every background. The second press of a double click
// is no second click.
class ButtonWidget : public QPushButton
{
public:
    explicit ButtonWidget(QWidget *parent);
    void setBackground(const QColor &c);
    void setMarked(bool marked);
    // A picture above the caption, as large as the button leaves room for (keeping its
    // proportions), instead of a small one beside it; an empty path shows none. Like a picture
    // control's, it is decoded for the size it is drawn at.
    void setPictureAbove(const QString &programPath);
    // Where the caption is drawn.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    enum class Look { Raised, Resting, Marked };
    void paintFace(QPainter &p, const QColor &face, Look look) const;
    QString caption() const;
    int margin() const;
    QRect pictureAboveRect() const;
    void askForPictureAbove();
    // The picture above for the room there is now.
    QPixmap pictureAbove();

    bool m_marked = false;
    QString m_abovePath;
    QPixmap m_above;
    QSize m_aboveBox;
};

// A check box drawn by the program: a white box with a dark edge and a bold tick, so it
// shows on every background, and a caption that wraps rather than runs off its control.
class CheckBoxWidget : public QCheckBox
{
public:
    explicit CheckBoxWidget(QWidget *parent);
    void setBackground(const QColor &c);
    // The tick box and the caption, as drawn (also where a click counts).
    QRect boxRect() const;
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QColor m_background = QColor(0xF0, 0xF0, 0xF0);
};

} // namespace platform::detail
