#include "platform/CheckBox.h"

#include "platform/Fonts.h"
#include "platform/Units.h"
#include "platform/Widgets.h"

namespace platform {

CheckBox::CheckBox(Form *form, const QString &name, int index, QWidget *parent) : PositionedControl(form, name, index)
{
    setWidget(new detail::CheckBoxWidget(parent));
    setBackColor(m_backColor);
}

detail::CheckBoxWidget *CheckBox::box() const
{
    return static_cast<detail::CheckBoxWidget *>(m_widget.data());
}

QString CheckBox::caption() const
{
    return m_widget ? box()->text() : QString();
}

void CheckBox::setCaption(const QString &caption)
{
    if (m_widget)
        box()->setText(caption);
}

void CheckBox::setBackColor(uint bbggrr)
{
    m_backColor = bbggrr;
    if (m_widget)
        box()->setBackground(toQColor(bbggrr));
}

int CheckBox::value() const
{
    return m_widget && box()->isChecked() ? 1 : 0;
}

void CheckBox::setValue(int value)
{
    if (m_widget)
        box()->setChecked(value != 0);
}

} // namespace platform
