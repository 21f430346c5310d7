#include "shell/Forms.h"

#include <QHash>
#include <algorithm>
#include <memory>

namespace Forms {

namespace {
struct Registry
{
    QStringList names;
    QHash<QString, Factory> factories;
    QList<MenuButton> buttons;
    QHash<QString, platform::Form *> forms;
};

Registry &registry()
{
    static Registry r;
    return r;
}
} // namespace

void registerForm(const QString &name, Factory factory, const MenuButton &button)
{
    auto &r = registry();
    if (!r.names.contains(name))
        r.names.append(name);
    r.factories.insert(name, std::move(factory));
    if (button.name.isEmpty())
        return;
    MenuButton b = button;
    b.window = name;
    // A window registered again keeps its place in the menu; a button name names one window.
    const auto same = [&](const MenuButton &old) { return old.window == name || old.name == b.name; };
    const auto it = std::find_if(r.buttons.begin(), r.buttons.end(), same);
    if (it != r.buttons.end()) {
        *it = b;
        r.buttons.erase(std::remove_if(it + 1, r.buttons.end(), same), r.buttons.end());
    } else {
        r.buttons.append(b);
    }
}

void unregisterForm(const QString &name)
{
    auto &r = registry();
    if (platform::Form *f = r.forms.take(name)) {
        f->Unload();
        delete f;
    }
    r.names.removeAll(name);
    r.factories.remove(name);
    r.buttons.removeIf([&](const MenuButton &b) { return b.window == name; });
}

QString windowOpenedBy(const QString &menuButton)
{
    for (const MenuButton &b : registry().buttons)
        if (b.name == menuButton)
            return b.window;
    return {};
}

QList<MenuButton> menuButtons()
{
    return registry().buttons;
}

QStringList registeredNames()
{
    return registry().names;
}

platform::Form *get(const QString &name)
{
    auto &r = registry();
    if (platform::Form *f = r.forms.value(name))
        return f;
    const Factory factory = r.factories.value(name);
    if (!factory)
        return nullptr;
    platform::Form *f = factory();
    r.forms.insert(name, f);
    return f;
}

bool exists(const QString &name)
{
    return registry().forms.contains(name);
}

void destroyAll()
{
    auto &r = registry();
    const auto forms = std::exchange(r.forms, {});
    for (platform::Form *f : forms) {
        f->Unload();
        delete f;
    }
    platform::Form::closeWindow();
}

} // namespace Forms
