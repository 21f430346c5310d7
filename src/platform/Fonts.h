#pragma once

#include <QFont>
#include <QString>

#include <thread>

namespace platform {

// The windows ask for "Comic Sans MS" and "Arial"; where those are not installed, the closest
// metric-compatible faces stand in (Comic Neue, Liberation Sans), bold included.
QFont makeFont(const QString &family, double points, bool bold);

// Has the system's font configuration read (fontconfig: its settings and font caches, a few
// milliseconds) on a thread of its own, beside the connection to the display, instead of when
// the first text is measured. Made before the application object; wait() before the first window.
class FontSetupAhead
{
public:
    FontSetupAhead();
    ~FontSetupAhead();
    void wait();
    FontSetupAhead(const FontSetupAhead &) = delete;
    FontSetupAhead &operator=(const FontSetupAhead &) = delete;

private:
    std::thread m_thread;
};

} // namespace platform
