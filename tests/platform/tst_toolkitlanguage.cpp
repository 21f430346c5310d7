#include "platform/ToolkitLanguage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTest>

// The Yes and No of a question follow the language the child picked.
class TstToolkitLanguage : public QObject
{
    Q_OBJECT

private slots:
    void languageNamesMapToLocales_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("locale");
        QTest::newRow("Italiano") << "Italiano" << "it";
        QTest::newRow("lower case") << "italiano" << "it";
        QTest::newRow("English") << "English" << "en";
        QTest::newRow("accented") << QString::fromUtf8("Français") << "fr";
        QTest::newRow("unknown") << "Klingon" << "";
        QTest::newRow("empty") << "" << "";
    }
    void languageNamesMapToLocales()
    {
        QFETCH(QString, name);
        QFETCH(QString, locale);
        QCOMPARE(platform::localeForLanguageName(name), locale);
    }

    void buttonWordsFollowTheLanguage()
    {
        if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_it.qm"))
            QSKIP("the toolkit's Italian translation is not installed");
        QString language = QStringLiteral("Italiano");
        platform::setLanguageNameProvider([&] { return language; });
        platform::applyToolkitLanguage();
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString::fromUtf8("&Sì"));
        language = QStringLiteral("English");
        platform::applyToolkitLanguage();
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
        // A language the toolkit does not know keeps the words it has.
        language = QStringLiteral("Klingon");
        platform::applyToolkitLanguage();
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
        platform::setLanguageNameProvider({});
    }
};

QTEST_GUILESS_MAIN(TstToolkitLanguage)
#include "tst_toolkitlanguage.moc"
