// Creating a window's controls: each factory makes the control in its container, places it in
// twips and appends it to the window's control order.

#include "platform/Form.h"

#include "platform/Area.h"
#include "platform/Celebration.h"
#include "platform/CheckBox.h"
#include "platform/CommandButton.h"
#include "platform/FormWindow.h"
#include "platform/Frame.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Line.h"
#include "platform/Menu.h"
#include "platform/Shape.h"
#include "platform/Widgets.h"

namespace platform {

Menu *Form::loadMenuElement(Menu *sibling, int index)
{
    if (!m_loaded || !sibling || control(sibling->name(), index))
        return nullptr;
    auto *m = new Menu(this, sibling->name(), index, menuBar(), sibling->parentMenu());
    registerControl(m);
    return m;
}

void Form::registerControl(Control *control)
{
    control->setParent(this);
    m_controls.append(control);
    if (m_textScale != 1.0)
        control->applyTextScale(m_textScale);
    if (control->widget() && m_page && m_page->isVisible() && control->visible())
        control->widget()->show();
}

QWidget *Form::containerWidget(Frame *container) const
{
    return container ? container->widget() : m_surface;
}

template <class T> T *Form::place(T *control, double left, double top, double width, double height)
{
    control->move(left, top, width, height);
    registerControl(control);
    return control;
}

Label *Form::addLabel(const QString &name, double left, double top, double width, double height,
                      const QString &caption, Frame *container, int index)
{
    auto *c = place(new Label(this, name, index, containerWidget(container)), left, top, width, height);
    c->setCaption(caption);
    return c;
}

CommandButton *Form::addButton(const QString &name, double left, double top, double width, double height,
                               const QString &caption, Frame *container, int index)
{
    auto *c = place(new CommandButton(this, name, index, containerWidget(container)), left, top, width, height);
    c->setCaption(caption);
    return c;
}

CheckBox *Form::addCheckBox(const QString &name, double left, double top, double width, double height,
                            const QString &caption, Frame *container, int index)
{
    auto *c = place(new CheckBox(this, name, index, containerWidget(container)), left, top, width, height);
    c->setCaption(caption);
    return c;
}

Image *Form::addImage(const QString &name, double left, double top, double width, double height,
                      Frame *container, int index)
{
    return place(new Image(this, name, index, containerWidget(container)), left, top, width, height);
}

Frame *Form::addFrame(const QString &name, double left, double top, double width, double height,
                      Frame *container, int index)
{
    return place(new Frame(this, name, index, containerWidget(container)), left, top, width, height);
}

Shape *Form::addShape(const QString &name, double left, double top, double width, double height,
                      Frame *container, int index)
{
    return place(new Shape(this, name, index, containerWidget(container)), left, top, width, height);
}

Line *Form::addLine(const QString &name, double x1, double y1, double x2, double y2, Frame *container, int index)
{
    auto *c = new Line(this, name, index, containerWidget(container));
    c->setPoints(x1, y1, x2, y2);
    registerControl(c);
    return c;
}

Area *Form::addArea(const QString &name, const QPolygonF &outline, int index)
{
    auto *c = new Area(this, name, index, m_surface);
    c->setOutline(outline);
    registerControl(c);
    return c;
}

Celebration *Form::addCelebration(const QString &name)
{
    auto *c = new Celebration(this, name, m_surface);
    registerControl(c);
    return c;
}

Menu *Form::addMenu(const QString &name, const QString &caption, Menu *parent, int index)
{
    auto *c = new Menu(this, name, index, menuBar(), parent);
    c->setCaption(caption);
    registerControl(c);
    return c;
}
} // namespace platform
