#pragma once

#include <QFont>
#include <QString>

namespace platform {

// The windows ask for "Comic Sans MS" and "Arial"; where those are not installed, the closest
// metric-compatible faces stand in (Comic Neue, Liberation Sans), bold included.
QFont makeFont(const QString &family, double points, bool bold);

} // namespace platform
