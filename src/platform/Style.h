#pragma once

#include <QHash>
#include <QIcon>
#include <QProxyStyle>

namespace platform {

// The look of every window: Qt's Fusion style, which draws the same on every desktop. The
// standard icons it makes from its picture files (the arrow of every menu bar, the icons of the
// message boxes) are made once for the run instead of once for every widget that shows them.
class ProgramStyle : public QProxyStyle
{
public:
    ProgramStyle();
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option,
                       const QWidget *widget) const override;

private:
    mutable QHash<int, QIcon> m_icons;
};

QStyle *makeProgramStyle();

} // namespace platform
