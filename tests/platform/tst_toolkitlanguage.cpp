// The Yes and No of a question follow the language the child picked.

#include "platform/ToolkitLanguage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTest>

class TstToolkitLanguage : public QObject
{
    Q_OBJECT

private slots:
    // The language file's name picks the toolkit's translation; an unknown name picks none.
    void languageNamesMapToLocales()
    {
        for (const auto &[name, locale] :
             {std::pair{"italiano", "it"}, {"English", "en"}, {"Français", "fr"}, {"Klingon", ""}, {"", ""}})
            QCOMPARE(platform::localeForLanguageName(QString::fromUtf8(name)), QLatin1String(locale));
    }

    // Yes is "Sì" in Italian, "Yes" again after a switch to English or to a language the
    // toolkit does not know.
    void buttonWordsFollowTheLanguage()
    {
        if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_it.qm"))
            QSKIP("the toolkit's Italian translation is not installed");
        QString language;
        platform::setLanguageNameProvider([&] { return language; });
        for (const auto &[name, yes] :
             {std::pair{"Italiano", "&Sì"}, {"English", "&Yes"}, {"Klingon", "&Yes"}}) {
            language = QString::fromUtf8(name);
            platform::applyToolkitLanguage();
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString::fromUtf8(yes));
        }
        platform::setLanguageNameProvider({});
    }
};

QTEST_GUILESS_MAIN(TstToolkitLanguage)
#include "tst_toolkitlanguage.moc"
