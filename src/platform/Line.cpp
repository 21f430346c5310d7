#include "platform/Line.h"

#include "platform/Form.h"
#include "platform/Units.h"
#include "platform/Widgets.h"

namespace platform {

Line::Line(Form *form, const QString &name, int index, QWidget *parent) : Control(form, name, index)
{
    setWidget(new detail::LineWidget(parent));
}

void Line::setPoints(double x1, double y1, double x2, double y2)
{
    m_x1 = x1, m_y1 = y1, m_x2 = x2, m_y2 = y2;
    apply();
}

void Line::setBorderWidth(int pixels)
{
    m_borderWidth = pixels;
    apply();
}

void Line::setBorderColor(uint bbggrr)
{
    m_borderColor = bbggrr;
    apply();
}

void Line::setSeeThrough(bool seeThrough)
{
    m_seeThrough = seeThrough;
    apply();
}

void Line::applyTextScale(double)
{
    apply();
}

void Line::apply()
{
    if (!m_widget)
        return;
    const double scale = m_form ? m_form->textScale() : 1.0;
    QColor colour = toQColor(m_borderColor);
    if (m_seeThrough)
        colour.setAlphaF(0.6f);
    widgetAs<detail::LineWidget>()
        ->setLine(QPointF(m_x1 / kTwipsPerPixel, m_y1 / kTwipsPerPixel),
                  QPointF(m_x2 / kTwipsPerPixel, m_y2 / kTwipsPerPixel), int(std::lround(m_borderWidth * scale)),
                  colour);
}

} // namespace platform
