// The menu bar of a window, made when its first menu is created, with titles big enough for
// a child to read and hit.

#include "platform/Form.h"

#include "platform/FormWindow.h"
#include "platform/Style.h"
#include "platform/Widgets.h"

#include <QApplication>
#include <QMenuBar>

namespace platform {

namespace {
// Room between the titles, so small fingers hit the one they aim at. A style rather than a style
// sheet: a style sheet makes every new window's menu bar go through the slow style-sheet engine.
class MenuBarStyle : public ProgramStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        // Grown with the window's texts on a large screen.
        const qreal scale = widget ? detail::scaleOf(widget) : 1.0;
        if (metric == PM_MenuBarItemSpacing)
            return qRound(20 * scale);
        if (metric == PM_MenuBarVMargin)
            return qRound(3 * scale);
        return ProgramStyle::pixelMetric(metric, option, widget);
    }
};
} // namespace

QFont Form::menuFont(double scale)
{
    // Menu titles and entries big enough for a child to read.
    QFont f = QApplication::font();
    f.setPointSizeF(15 * scale);
    return f;
}

QMenuBar *Form::menuBar()
{
    if (!m_menuBar) {
        static MenuBarStyle *style = new MenuBarStyle;
        m_menuBar = new QMenuBar(m_page);
        m_menuBar->setNativeMenuBar(false);
        m_menuBar->setStyle(style);
        m_menuBar->setFont(menuFont(m_textScale));
    }
    return m_menuBar;
}

int Form::menuBarHeight() const
{
    if (!m_menuBar || m_menuBar->actions().isEmpty())
        return 0;
    return m_menuBar->sizeHint().height();
}
} // namespace platform
