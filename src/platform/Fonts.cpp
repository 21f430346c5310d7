#include "platform/Fonts.h"

namespace platform {

namespace {
void installSubstitutions()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // A substitute is only consulted when the wanted family is missing, so there is no need
    // to ask the font database (whose full listing costs a good part of start-up) first.
    const struct
    {
        const char *wanted;
        const char *standIn;
    } pairs[] = {{"Comic Sans MS", "Comic Neue"}, {"Arial", "Liberation Sans"}};
    for (const auto &p : pairs)
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
