// A window's own properties (caption, background), and finding its controls by name.

#include "platform/Form.h"

#include "platform/Control.h"
#include "platform/FormWindow.h"
#include "platform/Units.h"
#include "platform/Widgets.h"

#include <algorithm>

namespace platform {

QString Form::caption() const
{
    return m_window ? m_caption : m_designCaption;
}

void Form::setCaption(const QString &caption)
{
    if (!m_window)
        return;
    m_caption = caption;
    if (m_onScreen)
        m_window->setWindowTitle(caption);
}

void Form::setBackColor(uint bbggrr)
{
    m_backColor = bbggrr;
    if (m_surface)
        m_surface->setBackground(toQColor(bbggrr));
}

Control *Form::control(const QString &name, int index) const
{
    for (Control *c : m_controls)
        if (c->index() == index && c->name().compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

QList<Control *> Form::controlArray(const QString &name) const
{
    QList<Control *> out;
    for (Control *c : m_controls)
        if (c->isArrayElement() && c->name().compare(name, Qt::CaseInsensitive) == 0)
            out.append(c);
    std::sort(out.begin(), out.end(), [](Control *a, Control *b) { return a->index() < b->index(); });
    return out;
}
} // namespace platform
