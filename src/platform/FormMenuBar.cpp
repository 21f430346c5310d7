// The menu bar of a window, made when its first menu is created, with titles big enough for
// a child to read and hit.

#include "platform/Form.h"

#include "platform/FormWindow.h"

#include <QMenuBar>

namespace platform {

QMenuBar *Form::menuBar()
{
    if (!m_menuBar) {
        m_menuBar = new QMenuBar(m_window);
        m_menuBar->setNativeMenuBar(false);
        // Menu titles big enough for a child to read and hit.
        m_menuBar->setStyleSheet(QStringLiteral("QMenuBar { font-size: 15pt; } QMenuBar::item { padding: 4px 14px; }"
                                                " QMenu { font-size: 15pt; }"));
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
