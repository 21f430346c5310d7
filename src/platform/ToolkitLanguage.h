#pragma once

#include <QString>
#include <functional>

namespace platform {

// The toolkit's own words (the Yes and No of a question, for example) follow the program's
// language: the language file's name ("Italiano", "English", "Deutsch"...) picks the toolkit
// translation, when one is installed.
void setLanguageNameProvider(std::function<QString()> provider);
// Loads the toolkit translation for the current language, if it changed since the last call.
void applyToolkitLanguage();
// The locale code for a language file's name ("Italiano" -> "it"); empty when unknown.
QString localeForLanguageName(const QString &languageName);

} // namespace platform
