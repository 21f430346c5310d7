#include "platform/Frame.h"

#include "platform/Units.h"
#include "platform/Widgets.h"

#include <QPointer>

namespace platform {

Frame::Frame(Form *form, const QString &name, int index, QWidget *parent) : PositionedControl(form, name, index)
{
    auto *w = new detail::FrameWidget(parent);
    // The widget outlives its control by a moment when a click unloads the window.
    w->onClick = [control = QPointer<Frame>(this)] {
        if (control)
            control->emitClick();
    };
    setWidget(w);
    setBackColor(m_backColor);
}

void Frame::setCaption(const QString &caption)
{
    m_caption = caption;
    if (m_widget)
        static_cast<detail::FrameWidget *>(m_widget.data())->setTitle(caption);
}

void Frame::setBackColor(uint bbggrr)
{
    m_backColor = bbggrr;
    if (m_widget)
        static_cast<detail::FrameWidget *>(m_widget.data())->setBackground(toQColor(bbggrr));
}

} // namespace platform
