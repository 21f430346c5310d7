#include "platform/Accessibility.h"

#include "platform/Widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace platform {

namespace {

// A picture or a box: its name comes from the program, and a click goes where a mouse click goes.
class PressableAccessible : public QAccessibleWidget
{
public:
    PressableAccessible(QWidget *w, QAccessible::Role role, detail::ClickSource *source)
        : QAccessibleWidget(w, role), m_source(source)
    {
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (m_source->pressable() && widget()->isEnabled())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction() && widget()->isEnabled())
            m_source->press();
        else
            QAccessibleWidget::doAction(action);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (!widget()->isEnabled())
            s.disabled = true;
        return s;
    }

private:
    detail::ClickSource *m_source;
};

QAccessibleInterface *factory(const QString &, QObject *object)
{
    if (auto *picture = dynamic_cast<detail::PictureWidget *>(object))
        return new PressableAccessible(picture, QAccessible::Graphic, picture);
    if (auto *frame = dynamic_cast<detail::FrameWidget *>(object))
        return new PressableAccessible(frame, QAccessible::Grouping, frame);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(factory);
}

} // namespace platform
