#pragma once

#include "platform/Form.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

// Every window exists at most once: it is created on first use and lives for the rest of the
// run. Windows are reached by name, so the menu can open activities that are built above the
// shell without the shell knowing their classes.
namespace Forms {

using Factory = std::function<platform::Form *()>;

// The main menu's button that opens an activity: its control name (the key of its texts in the
// language files, "Command1"), its design caption, its colour (0xBBGGRR) and the picture of the
// activity shown above the caption (a program path below the runnable folder, such as
// "img\\menu\\form1.jpg"; none when empty).
struct MenuButton
{
    QString name;
    QString caption;
    std::uint32_t colour = 0;
    QString window; // the activity it opens
    QString picture;
};

// button: the main menu's button that opens the window (activities only; empty name: none).
void registerForm(const QString &name, Factory factory, const MenuButton &button = {});
// Forgets a window that was registered (destroying its object, if made) and its menu button.
void unregisterForm(const QString &name);
// The window the menu button opens; empty when no window of this build answers it.
QString windowOpenedBy(const QString &menuButton);
// The menu's buttons, one per activity, in the order of registration.
QList<MenuButton> menuButtons();
// Every registered window, in the order of registration.
QStringList registeredNames();
// The window of that name, created on first use; null when no such window is known.
platform::Form *get(const QString &name);
// Whether the window object was created already.
bool exists(const QString &name);
// Destroys every window object (tests start afresh from here).
void destroyAll();

} // namespace Forms
