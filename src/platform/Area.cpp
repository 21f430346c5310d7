#include "platform/Area.h"

#include "platform/Widgets.h"

namespace platform {

Area::Area(Form *form, const QString &name, int index, QWidget *parent) : PositionedControl(form, name, index)
{
    auto *w = new detail::AreaWidget(parent);
    setWidget(w);
    w->onClick = clickRelay();
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
        static_cast<detail::AreaWidget *>(m_widget.data())->setOutline(fractions);
    move(box.left(), box.top(), box.width(), box.height());
}

bool Area::contains(QPointF twips) const
{
    if (!m_widget || width() <= 0 || height() <= 0)
        return false;
    auto *w = static_cast<detail::AreaWidget *>(m_widget.data());
    return w->hits(QPointF((twips.x() - left()) / width() * w->width(), (twips.y() - top()) / height() * w->height()));
}

} // namespace platform
