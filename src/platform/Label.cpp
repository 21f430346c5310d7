#include "platform/Label.h"

#include "platform/Fonts.h"
#include "platform/Units.h"
#include "platform/Widgets.h"

#include <QPointer>

namespace platform {

Label::Label(Form *form, const QString &name, int index, QWidget *parent) : PositionedControl(form, name, index)
{
    auto *w = new detail::LabelWidget(parent);
    // The widget outlives its control by a moment when a click unloads the window.
    w->onClick = [control = QPointer<Label>(this)] {
        if (control)
            control->emitClick();
    };
    setWidget(w);
}

detail::LabelWidget *Label::label() const
{
    return static_cast<detail::LabelWidget *>(m_widget.data());
}

QString Label::caption() const
{
    return m_widget ? label()->text() : QString();
}

void Label::setCaption(const QString &caption)
{
    if (m_widget)
        label()->setText(caption);
}

void Label::setBackColor(uint bbggrr)
{
    m_backColor = bbggrr;
    if (!m_widget)
        return;
    QPalette pal = m_widget->palette();
    pal.setColor(QPalette::Window, toQColor(bbggrr));
    m_widget->setPalette(pal);
    m_widget->setAutoFillBackground(true);
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
    label()->setAlignment(a);
}

} // namespace platform
