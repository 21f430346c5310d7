#include "platform/Fonts.h"

#include <dlfcn.h>

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

FontSetupAhead::FontSetupAhead()
{
    // The library Qt draws its fonts with; reading its configuration twice (here and, should
    // this thread still be at it, in Qt) is harmless, as fontconfig keeps only one.
    m_thread = std::thread([] {
        if (void *library = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL)) {
            if (auto init = reinterpret_cast<int (*)()>(dlsym(library, "FcInit")))
                init();
            dlclose(library);
        }
    });
}

FontSetupAhead::~FontSetupAhead()
{
    wait();
}

void FontSetupAhead::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace platform
