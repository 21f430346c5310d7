#pragma once

// The small Qt widgets behind the controls. Only the platform layer sees them.

#include "platform/Pictures.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QLabel>
#include <QPixmap>
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
    virtual void setPressable(bool pressable) { m_pressable = pressable; }
    // Whether Tab stops here while it can be pressed (a window may take a stop away, say from
    // a place that was emptied).
    bool tabStop() const { return m_tabStop; }
    virtual void setTabStop(bool tabStop) { m_tabStop = tabStop; }
    void press() const
    {
        if (pressable())
            onClick();
    }

private:
    bool m_pressable = false;
    bool m_tabStop = true;
};

// Moves the keyboard focus from the widget to the next Tab stop of its window that can take
// it, or nowhere.
void moveFocusOn(QWidget *from);

// The one focus mark of the program: a thick blue dashed outline inside the widget, shown
// only to keyboard users (as the style does for its own widgets).
void paintFocusMark(QWidget *widget, QPainter &painter, qreal radius = 0);

// Emits a click for a left-button press and release inside the widget, the way a control's
// Click event comes about. The second press of a double click is not a second click: no
// window handles double clicks, so a child's double click on a block acts once. Space and
// Enter press it when it has the keyboard focus.
template <class Base>
class Clickable : public Base, public ClickSource
{
public:
    using Base::Base;

    void setPressable(bool pressable) override
    {
        ClickSource::setPressable(pressable);
        applyFocusPolicy();
    }
    void setTabStop(bool tabStop) override
    {
        ClickSource::setTabStop(tabStop);
        applyFocusPolicy();
    }

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
    void applyFocusPolicy()
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

// Shows its picture stretched to its own size (or, keeping proportions, as large as fits). The
// picture is asked for once the widget is on screen at its final size, and decoded for exactly
// that size: a window built at one size and shown at another decodes nothing twice.
class PictureWidget : public Clickable<QWidget>
{
public:
    explicit PictureWidget(QWidget *parent);
    // The picture at a program path; an empty path clears it.
    void showPicture(const QString &programPath);
    // Shows what another shows, sharing its decoded picture.
    void showPictureOf(const PictureWidget &other);
    bool hasPicture() const { return !m_path.isEmpty(); }
    // What is shown, asked for now if it was not yet.
    const Picture &picture();
    bool keepsProportions() const { return m_keepProportions; }
    void setKeepsProportions(bool keep);

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    QSize pictureBox() const;
    void askForPicture();
    // Asks again when the place outgrew the size the picture was asked for.
    void askIfOutgrown();

    QString m_path;
    Picture m_picture;
    bool m_asked = false; // m_picture belongs to m_path
    bool m_keepProportions = false;
};

// A container with a background colour and a thin border.
class FrameWidget : public Clickable<QWidget>
{
public:
    explicit FrameWidget(QWidget *parent);
    void setBackground(const QColor &c);
    void setTitle(const QString &title);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QColor m_background;
    QString m_title;
};

// The window's client area: background colour and clicks on the bare window.
class SurfaceWidget : public Clickable<QWidget>
{
public:
    explicit SurfaceWidget(QWidget *parent);
    void setBackground(const QColor &c);
    QColor background() const { return m_background; }

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
// gradients cost a millisecond per large button). A resting (disabled) button keeps its
// colour and its readable caption; it shows that it rests by a dashed, flat edge.
class ButtonWidget : public QPushButton
{
public:
    explicit ButtonWidget(QWidget *parent);
    void setBackground(const QColor &c);
    // A picture above the caption, as large as the button leaves room for (keeping its
    // proportions), instead of a small one beside it; an empty path shows none. Like a picture
    // control's, it is decoded for the size it is drawn at.
    void setPictureAbove(const QString &programPath);
    // Where the caption is drawn.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    static void paintFace(QPainter &p, QSize size, const QColor &face, bool enabled);
    QString caption() const;
    int margin() const;
    QRect pictureAboveRect() const;
    void askForPictureAbove();

    QString m_abovePath;
    Picture m_above;
};

// A check box drawn by the program: a white box with a dark edge and a bold tick, so it
// shows on every background, and a caption that wraps rather than runs off its control.
class CheckBoxWidget : public QCheckBox
{
public:
    explicit CheckBoxWidget(QWidget *parent);
    void setBackground(const QColor &c);
    QColor background() const { return m_background; }
    // The tick box and the caption, as drawn (also where a click counts).
    QRect boxRect() const;
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QColor m_background = QColor(0xF0, 0xF0, 0xF0);
};

} // namespace platform::detail
