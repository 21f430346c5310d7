#include "shell/Forms.h"

#include <QHash>
#include <memory>

namespace Forms {

namespace {
struct Registry
{
    QStringList names;
    QHash<QString, Factory> factories;
    QHash<QString, QString> windowByButton;
    QHash<QString, platform::Form *> forms;
};

Registry &registry()
{
    static Registry r;
    return r;
}
} // namespace

void registerForm(const QString &name, Factory factory, const QString &menuButton)
{
    auto &r = registry();
    if (!r.names.contains(name))
        r.names.append(name);
    r.factories.insert(name, std::move(factory));
    if (!menuButton.isEmpty())
        r.windowByButton.insert(menuButton, name);
}

QString windowOpenedBy(const QString &menuButton)
{
    return registry().windowByButton.value(menuButton);
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
