#include "platform/ToolkitLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {

namespace {
struct State
{
    std::function<QString()> provider;
    QString applied; // locale code of the loaded translation
    QTranslator *translator = nullptr;
};

State &state()
{
    static State s;
    return s;
}
} // namespace

void setLanguageNameProvider(std::function<QString()> provider)
{
    state().provider = std::move(provider);
}

QString localeForLanguageName(const QString &languageName)
{
    static const struct
    {
        const char *name;
        const char *locale;
    } names[] = {
        {"italiano", "it"}, {"italian", "it"}, {"english", "en"},   {"inglese", "en"},   {"deutsch", "de"},
        {"german", "de"},   {"tedesco", "de"}, {"français", "fr"},  {"francais", "fr"},  {"french", "fr"},
        {"francese", "fr"}, {"español", "es"}, {"espanol", "es"},   {"spanish", "es"},   {"spagnolo", "es"},
        {"português", "pt"}, {"portugues", "pt"}, {"nederlands", "nl"}, {"polski", "pl"}, {"slovenščina", "sl"},
    };
    // A name copied from another system may spell "ç" as "c" and a combining cedilla.
    const QString key = languageName.trimmed().normalized(QString::NormalizationForm_C).toLower();
    for (const auto &n : names)
        if (key == QString::fromUtf8(n.name))
            return QLatin1String(n.locale);
    return {};
}

void applyToolkitLanguage()
{
    State &s = state();
    if (!s.provider || !QCoreApplication::instance())
        return;
    const QString locale = localeForLanguageName(s.provider());
    if (locale.isEmpty() || locale == s.applied)
        return;
    s.applied = locale;
    if (s.translator) {
        QCoreApplication::removeTranslator(s.translator);
        delete s.translator;
        s.translator = nullptr;
    }
    if (locale == QLatin1String("en"))
        return; // the toolkit speaks English by itself
    auto *t = new QTranslator(QCoreApplication::instance());
    if (t->load(QStringLiteral("qtbase_") + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(t);
        s.translator = t;
    } else {
        delete t;
    }
}

} // namespace platform
