#pragma once

// The small Qt widgets behind the controls. Only the platform layer sees them.

#include <QFrame>
#include <QMouseEvent>
#include <functional>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

namespace platform::detail {

// Emits clicked() for a left-button press and release inside the widget, the way a
// control's Click event comes about.
template <class Base>
class Clickable : public Base
{
public:
    using Base::Base;
    std::function<void()> onClick;

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

private:
    bool m_pressed = false;
};

class LabelWidget : public Clickable<QLabel>
{
public:
    explicit LabelWidget(QWidget *parent);
};

// Shows its picture stretched to its own size.
class PictureWidget : public Clickable<QWidget>
{
public:
    explicit PictureWidget(QWidget *parent);
    void setPixmap(const QPixmap &pixmap);
    const QPixmap &pixmap() const { return m_pixmap; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QPixmap m_pixmap;
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
// gradients cost a millisecond per large button).
class ButtonWidget : public QPushButton
{
public:
    explicit ButtonWidget(QWidget *parent);
    void setBackground(const QColor &c);

protected:
    void paintEvent(QPaintEvent *) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace platform::detail
