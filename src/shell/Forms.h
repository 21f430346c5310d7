#pragma once

#include "platform/Form.h"

#include <QString>
#include <QStringList>
#include <functional>

// Every window exists at most once: it is created on first use and lives for the rest of the
// run. Windows are reached by name, so the menu can open activities that are built above the
// shell without the shell knowing their classes.
namespace Forms {

using Factory = std::function<platform::Form *()>;

// menuButton: the main menu's button that opens the window (activities only).
void registerForm(const QString &name, Factory factory, const QString &menuButton = {});
// The window the menu button opens; empty when no window of this build answers it.
QString windowOpenedBy(const QString &menuButton);
// Every registered window, in the order of registration.
QStringList registeredNames();
// The window of that name, created on first use; null when no such window is known.
platform::Form *get(const QString &name);
// Whether the window object was created already.
bool exists(const QString &name);
// Destroys every window object (tests start afresh from here).
void destroyAll();

} // namespace Forms
