#include "platform/CheckBox.h"

#include "platform/Units.h"
#include "platform/Widgets.h"

namespace platform {

CheckBox::CheckBox(Form *form, const QString &name, int index, QWidget *parent) : PositionedControl(form, name, index)
{
    setWidget(new detail::CheckBoxWidget(parent));
    setBackColor(m_backColor);
}

QString CheckBox::caption() const
{
    const auto *box = widgetAs<detail::CheckBoxWidget>();
    return box ? box->text() : QString();
}

void CheckBox::setCaption(const QString &caption)
{
    if (auto *box = widgetAs<detail::CheckBoxWidget>())
        box->setText(caption);
}

void CheckBox::setBackColor(uint bbggrr)
{
    m_backColor = bbggrr;
    if (auto *box = widgetAs<detail::CheckBoxWidget>())
        box->setBackground(toQColor(bbggrr));
}

int CheckBox::value() const
{
    const auto *box = widgetAs<detail::CheckBoxWidget>();
    return box && box->isChecked() ? 1 : 0;
}

void CheckBox::setValue(int value)
{
    if (auto *box = widgetAs<detail::CheckBoxWidget>())
        box->setChecked(value != 0);
}

} // namespace platform
