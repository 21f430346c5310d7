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
    // Yes is "Sì" with "italiano" (any letter case), "Yes" again after a switch to English or
    // on to a language the toolkit does not know; a name is no locale unless it is one known.
    void buttonWordsFollowTheLanguage()
    {
        QCOMPARE(platform::localeForLanguageName(QString::fromUtf8("Français")), "fr");
        QCOMPARE(platform::localeForLanguageName(QStringLiteral("Klingon")), QString());
        if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_it.qm"))
            QSKIP("the toolkit's Italian translation is not installed");
        QString language;
        platform::setLanguageNameProvider([&] { return language; });
        for (const auto &[name, yes] :
             {std::pair{"iTaliano", "&Sì"}, {"English", "&Yes"}, {"Klingon", "&Yes"}}) {
            language = QString::fromUtf8(name);
            platform::applyToolkitLanguage();
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString::fromUtf8(yes));
        }
        platform::setLanguageNameProvider({});
    }
};

QTEST_GUILESS_MAIN(TstToolkitLanguage)
#include "tst_toolkitlanguage.moc"
