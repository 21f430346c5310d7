#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace platform {

namespace {
void installSubstitutions()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QStringList families = QFontDatabase::families();
    const struct
    {
        const char *wanted;
        const char *standIn;
    } pairs[] = {{"Comic Sans MS", "Comic Neue"}, {"Arial", "Liberation Sans"}};
    for (const auto &p : pairs)
        if (!families.contains(QLatin1String(p.wanted)) && families.contains(QLatin1String(p.standIn)))
            QFont::insertSubstitution(QLatin1String(p.wanted), QLatin1String(p.standIn));
}
} // namespace

QFont makeFont(const QString &family, double points, bool bold)
{
    installSubstitutions();
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

} // namespace platform
