#include "platform/Label.h"

#include "platform/Units.h"
#include "platform/Widgets.h"

namespace platform {

Label::Label(Form *form, const QString &name, int index, QWidget *parent) : PositionedControl(form, name, index)
{
    setWidget(new detail::LabelWidget(parent));
}

QString Label::caption() const
{
    return m_widget ? widgetAs<detail::LabelWidget>()->text() : QString();
}

void Label::setCaption(const QString &caption)
{
    if (m_widget)
        widgetAs<detail::LabelWidget>()->setText(caption);
}

void Label::setBackColor(uint bbggrr)
{
    m_backColor = bbggrr;
    m_opaque = true;
    if (!m_widget)
        return;
    QPalette pal = m_widget->palette();
    pal.setColor(QPalette::Window, toQColor(bbggrr));
    m_widget->setPalette(pal);
    m_widget->setAutoFillBackground(!m_rounded);
    widgetAs<detail::LabelWidget>()->setBadge(m_rounded);
}

void Label::setRounded(bool rounded)
{
    m_rounded = rounded;
    if (m_opaque)
        setBackColor(m_backColor);
}

void Label::setForeColor(uint bbggrr)
{
    m_foreColor = bbggrr;
    if (!m_widget)
        return;
    QPalette pal = m_widget->palette();
    pal.setColor(QPalette::WindowText, toQColor(bbggrr));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, toQColor(bbggrr));
    m_widget->setPalette(pal);
}

void Label::setAlignment(Align align, bool verticallyCentred)
{
    if (!m_widget)
        return;
    Qt::Alignment a = align == Align::Left ? Qt::AlignLeft : align == Align::Center ? Qt::AlignHCenter : Qt::AlignRight;
    a |= verticallyCentred ? Qt::AlignVCenter : Qt::AlignTop;
    widgetAs<detail::LabelWidget>()->setAlignment(a);
}

} // namespace platform
