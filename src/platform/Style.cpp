#include "platform/Style.h"

#include <QGuiApplication>
#include <QStyleFactory>
#include <QStyleOption>

namespace platform {

ProgramStyle::ProgramStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

// Every window's menu bar asks for its overflow arrow as it is made, and the style would decode
// the arrow's pictures anew each time. An icon depends on which one and on the direction of
// writing only.
QIcon ProgramStyle::standardIcon(StandardPixmap which, const QStyleOption *option,
                                 const QWidget *widget) const
{
    const bool rightToLeft = option ? option->direction == Qt::RightToLeft : QGuiApplication::isRightToLeft();
    const int key = int(which) * 2 + (rightToLeft ? 1 : 0);
    auto it = m_icons.constFind(key);
    if (it == m_icons.constEnd())
        it = m_icons.insert(key, QProxyStyle::standardIcon(which, option, widget));
    return *it;
}

QStyle *makeProgramStyle()
{
    return new ProgramStyle;
}

} // namespace platform
