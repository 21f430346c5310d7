// Where a window stands and how big it is: outer position and size, the client area below the
// menu bar, full-screen placement, and the resize event that follows every change.

#include "platform/Form.h"

#include "platform/Control.h"
#include "platform/FormWindow.h"
#include "platform/Units.h"
#include "platform/Widgets.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <algorithm>

namespace platform {

double Form::left() const
{
    return m_window ? pixelsToTwips(outerPos().x()) : 0;
}
double Form::top() const
{
    return m_window ? pixelsToTwips(outerPos().y()) : 0;
}
double Form::width() const
{
    return m_window ? pixelsToTwips(outerSize().width()) : 0;
}
double Form::height() const
{
    return m_window ? pixelsToTwips(outerSize().height()) : 0;
}

QPoint Form::outerPos() const
{
    return m_onScreen ? m_window->pos() : m_geometry.topLeft();
}

QSize Form::outerSize() const
{
    return m_onScreen ? m_window->size() : m_geometry.size();
}

void Form::setLeft(double twips)
{
    moveTo(QPoint(twipsToPixels(twips), outerPos().y()));
}
void Form::setTop(double twips)
{
    moveTo(QPoint(outerPos().x(), twipsToPixels(twips)));
}
void Form::setWidth(double twips)
{
    resizeTo(QSize(qMax(1, twipsToPixels(twips)), outerSize().height()));
}
void Form::setHeight(double twips)
{
    resizeTo(QSize(outerSize().width(), qMax(1, twipsToPixels(twips))));
}

void Form::moveTo(QPoint at)
{
    if (!m_window)
        return;
    if (m_onScreen)
        m_window->move(at);
    else
        m_geometry.moveTopLeft(at);
    m_placed = true;
}

void Form::resizeTo(QSize size)
{
    if (!m_window)
        return;
    if (m_onScreen)
        m_window->resize(size);
    else
        m_geometry.setSize(size);
    geometryChanged();
}

void Form::geometryChanged()
{
    // A window placed over the whole screen also asks the window manager for full screen,
    // so that no title bar or border hangs off the screen's edges.
    if (m_onScreen) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        const bool covers = screen && m_window->geometry() == screen->geometry();
        const bool isFull = m_window->windowState().testFlag(Qt::WindowFullScreen);
        if (covers != isFull)
            m_window->setWindowState(covers ? (m_window->windowState() | Qt::WindowFullScreen)
                                            : (m_window->windowState() & ~Qt::WindowFullScreen));
    }
    layoutChildren();
    notifyResize();
}

double Form::scaleWidth() const
{
    return m_surface ? pixelsToTwips(m_surface->width()) : 0;
}

double Form::scaleHeight() const
{
    return m_surface ? pixelsToTwips(m_surface->height()) : 0;
}

int Form::windowState() const
{
    if (!m_window)
        return Normal;
    if (m_window->isMinimized())
        return Minimized;
    if (m_window->isMaximized())
        return Maximized;
    return Normal;
}

void Form::freezeDrawing(bool frozen)
{
    if (!m_page)
        return;
    m_page->setUpdatesEnabled(!frozen);
    if (!frozen)
        m_page->update();
}

void Form::updateTextScale()
{
    const double scale = textScaleFor(outerSize());
    // The window's widgets draw their rims and marks at the scale of the form they show now.
    if (m_window && m_window->property("textScale").toDouble() != scale)
        m_window->setProperty("textScale", scale);
    if (scale == m_textScale)
        return;
    m_textScale = scale;
    if (m_menuBar)
        m_menuBar->setFont(menuFont(scale));
    for (Control *c : std::as_const(m_controls))
        c->applyTextScale(scale);
}

void Form::layoutChildren()
{
    if (!m_page)
        return;
    updateTextScale();
    const int mbh = menuBarHeight();
    const QSize size = outerSize();
    m_page->setGeometry(0, 0, size.width(), size.height());
    if (m_menuBar) {
        m_menuBar->setGeometry(0, 0, size.width(), mbh);
        m_menuBar->setVisible(mbh > 0);
    }
    m_surface->setGeometry(0, mbh, size.width(), qMax(0, size.height() - mbh));
}

void Form::notifyResize()
{
    if (!m_loaded || !m_surface || m_inResize)
        return;
    if (m_surface->width() == m_lastInnerW && m_surface->height() == m_lastInnerH)
        return;
    m_lastInnerW = m_surface->width();
    m_lastInnerH = m_surface->height();
    m_inResize = true;
    Form_Resize();
    m_inResize = false;
}
void Form::setFirstFocus(Control *control)
{
    m_firstFocus = control ? control->widget() : nullptr;
}

QWidget *Form::setReadingTabOrder()
{
    struct Stop
    {
        QWidget *widget;
        QRect box; // in the window
    };
    QList<Stop> stops;
    for (QWidget *w : m_page->findChildren<QWidget *>())
        if (w->focusPolicy() & Qt::TabFocus)
            stops.append({w, QRect(w->mapTo(m_page, QPoint(0, 0)), w->size())});
    std::stable_sort(stops.begin(), stops.end(), [](const Stop &a, const Stop &b) { return a.box.top() < b.box.top(); });
    // A control whose middle lies within the height of the row's first control joins that row.
    QList<Stop> ordered;
    for (qsizetype i = 0; i < stops.size();) {
        const QRect first = stops[i].box;
        qsizetype j = i + 1;
        while (j < stops.size() && stops[j].box.center().y() <= first.bottom())
            ++j;
        QList<Stop> row = stops.mid(i, j - i);
        std::stable_sort(row.begin(), row.end(), [](const Stop &a, const Stop &b) { return a.box.left() < b.box.left(); });
        ordered += row;
        i = j;
    }
    for (qsizetype i = 1; i < ordered.size(); ++i)
        QWidget::setTabOrder(ordered[i - 1].widget, ordered[i].widget);
    if (m_firstFocus && m_firstFocus->window() == m_page->window() && (m_firstFocus->focusPolicy() & Qt::TabFocus))
        return m_firstFocus;
    return ordered.isEmpty() ? nullptr : ordered.first().widget;
}

} // namespace platform
