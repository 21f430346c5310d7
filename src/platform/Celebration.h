#pragma once

#include "platform/Control.h"

#include <QRectF>

namespace platform {

// A short cheer over a window, about a second long: stars fly out of a place and a big tick
// grows on it, so that a child sees that something was finished well by shapes and motion, not
// by colour alone. Asked to, it also keeps the place in sight as it was when the cheer began
// (something that the game replaces at once, like a finished chain). It lies over everything and
// takes no clicks: whatever is clicked meanwhile acts as always. It ends by itself, when it is
// stopped, when the window changes size and when the window is left.
class Celebration : public Control
{
    Q_OBJECT

public:
    static constexpr int kDurationMs = 1200;

    Celebration(Form *form, const QString &name, QWidget *surface);
    ~Celebration() override;

    // Cheers over a place in twips of the window's client area.
    void start(const QRectF &placeTwips, bool keepInSight = false);
    void stop();
    bool running() const;
    // The place of the cheer under way, in twips; empty when none.
    QRectF place() const;
    // Whether the place is kept in sight meanwhile.
    bool keepsInSight() const;
};

} // namespace platform
