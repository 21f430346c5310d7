#include "platform/Frame.h"

#include "platform/Units.h"
#include "platform/Widgets.h"

namespace platform {

Frame::Frame(Form *form, const QString &name, int index, QWidget *parent) : PositionedControl(form, name, index)
{
    setWidget(new detail::FrameWidget(parent));
    setBackColor(m_backColor);
}

void Frame::setCaption(const QString &caption)
{
    m_caption = caption;
    if (m_widget)
        widgetAs<detail::FrameWidget>()->setTitle(caption);
}

void Frame::setBackColor(uint bbggrr)
{
    m_backColor = bbggrr;
    if (m_widget)
        widgetAs<detail::FrameWidget>()->setBackground(toQColor(bbggrr));
}

void Frame::setMarked(bool marked)
{
    m_marked = marked;
    if (m_widget)
        widgetAs<detail::FrameWidget>()->setMarked(marked);
}

} // namespace platform
