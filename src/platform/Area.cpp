#include "platform/Area.h"

#include "platform/Widgets.h"

namespace platform {

Area::Area(Form *form, const QString &name, int index, QWidget *parent) : PositionedControl(form, name, index)
{
    setWidget(new detail::AreaWidget(parent));
    setTabStop(false);
}

void Area::setOutline(const QPolygonF &twips)
{
    m_outline = twips;
    const QRectF box = twips.boundingRect();
    // In fractions of the box, so that the outline follows the control's size.
    QPolygonF fractions;
    for (const QPointF &p : twips)
        fractions << QPointF(box.width() > 0 ? (p.x() - box.left()) / box.width() : 0,
                             box.height() > 0 ? (p.y() - box.top()) / box.height() : 0);
    if (m_widget)
        widgetAs<detail::AreaWidget>()->setOutline(fractions);
    move(box.left(), box.top(), box.width(), box.height());
}

} // namespace platform
