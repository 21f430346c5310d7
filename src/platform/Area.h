#pragma once

#include "platform/Control.h"

#include <QPolygonF>

namespace platform {

// A clickable place of any outline that draws nothing: a road a child may tap. It lies where its
// outline's bounding box lies and follows the layout like any other control; a click beside the
// outline, within the box, goes to what lies below. It is never a Tab stop: the keyboard goes
// to what the place stands for.
class Area : public PositionedControl
{
    Q_OBJECT

public:
    Area(Form *form, const QString &name, int index, QWidget *parent);

    // The outline in twips of the container; the control takes its bounding box.
    void setOutline(const QPolygonF &twips);
    QPolygonF outline() const { return m_outline; }

private:
    QPolygonF m_outline; // as designed
};

} // namespace platform
