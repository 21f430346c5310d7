#include "platform/Shape.h"

#include "platform/Units.h"
#include "platform/Widgets.h"

namespace platform {

Shape::Shape(Form *form, const QString &name, int index, QWidget *parent) : PositionedControl(form, name, index)
{
    setWidget(new detail::ShapeWidget(parent));
}

void Shape::setBorderColor(uint bbggrr)
{
    m_borderColor = bbggrr;
    applyBorder();
}

void Shape::setBorderWidth(int pixels)
{
    m_borderWidth = pixels;
    applyBorder();
}

void Shape::applyTextScale(double scale)
{
    PositionedControl::applyTextScale(scale);
    applyBorder();
}

void Shape::applyBorder()
{
    if (m_widget)
        widgetAs<detail::ShapeWidget>()
            ->setBorder(int(std::lround(m_borderWidth * textScale())), toQColor(m_borderColor));
}

} // namespace platform
