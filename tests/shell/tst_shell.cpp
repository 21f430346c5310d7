// The splash window, the main menu and the shared messages, driven through their windows, and
// the real language files against the real windows.

#include "shell/ProgramFixture.h"

#include "platform/CheckBox.h"
#include "platform/Random.h"
#include "shell/FormAvvio.h"
#include "shell/Messages.h"

#include <QAction>
#include <QSet>
#include <QSettings>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using testkit::click;
using testkit::ProgramFixture;

namespace {

QString keyOf(platform::Control *c)
{
    return c->isArrayElement() ? QStringLiteral("%1(%2)").arg(c->name()).arg(c->index()) : c->name();
}

QString captionOf(platform::Control *c)
{
    return c->propertyByName("Caption").value_or(QString()).toString();
}

} // namespace

class TstShell : public QObject
{
    Q_OBJECT

    ProgramFixture f;

    // Every caption of the menu in the given language, and only that language ticked; the
    // others look like plain entries ("*" ticked, "+" checkable).
    void verifyMenuIn(formMenu *menu, const char *language)
    {
        for (platform::Control *c : menu->controls())
            if (!c->isArrayElement())
                QCOMPARE(captionOf(c), f.lng(QStringLiteral("formMenu"), c->name() + QStringLiteral(".Caption"), language));
        QStringList listed;
        for (platform::Control *c : menu->controlArray(QStringLiteral("mnuLanguage"))) {
            auto *entry = qobject_cast<platform::Menu *>(c);
            listed << QStringLiteral("%1%2%3").arg(entry->checked() ? "*" : "", entry->action()->isCheckable() ? "+" : "", entry->caption());
        }
        QCOMPARE(listed, *language == 'E' ? QStringList({"*+English", "Italiano"}) : QStringList({"English", "*+Italiano"}));
    }

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // A splash that does not fill the screen, shows no blocks, or cannot be left: a click on it
    // opens the menu, except on the date.
    void splash_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("opensMenu");
        QTest::newRow("background") << QString() << true;
        QTest::newRow("third block") << QStringLiteral("Image3") << true;
        QTest::newRow("date") << QStringLiteral("Label2") << false;
    }
    void splash()
    {
        QFETCH(QString, target);
        QFETCH(bool, opensMenu);
        auto *splash = ProgramFixture::window<FormAvvio>(QStringLiteral("FormAvvio"));
        splash->Show();
        testkit::verifyCoversScreen(splash);
        QVERIFY(std::ranges::count(Modulo1::kBackColours, splash->backColor()));
        for (platform::Image *image : {splash->Image1.data(), splash->Image2.data(), splash->Image3.data()})
            QVERIFY(image->picture().contains(QStringLiteral("\\jpg\\")) && image->hasPicture() &&
                    !image->showsPlaceholder() && testkit::shown(image));
        if (target.isEmpty())
            QTest::mouseClick(splash->surface(), Qt::LeftButton, {}, QPoint(3, 3));
        else
            click(splash->control(target));
        QCOMPARE(splash->isShown(), !opensMenu);
        platform::Form *menu = ProgramFixture::window(QStringLiteral("formMenu"));
        QCOMPARE(menu->isLoaded(), opensMenu);
        if (opensMenu)
            testkit::verifyCoversScreen(menu);
        QVERIFY(f.messages.isEmpty());
    }

    // The program ending without asking, or not ending on yes: the close button and FINE ask.
    void exitQuestion()
    {
        formMenu *menu = ProgramFixture::menu();
        const QString before = testkit::snapshot(menu);
        menu->window()->close(); // answered No
        QVERIFY(Modulo1::FormResizer && f.endCount == 0);
        testkit::verifyCoversScreen(menu);
        QCOMPARE(testkit::snapshot(menu), before);
        f.answers.push_back(MsgResult::Yes);
        click(menu->Command5);
        QVERIFY(!Modulo1::FormResizer && f.endCount == 1);
        QCOMPARE(f.messages.size(), 2);
        for (const platform::MessageRequest &m : std::as_const(f.messages))
            QVERIFY(m.text == f.lng(QStringLiteral("Strings"), QStringLiteral("0001")) && m.buttons == MsgButtons::YesNo &&
                    m.icon == MsgIcon::Question && m.title == QLatin1String("Zorvelli"));
    }

    // Two activities open at once after a quick double click: a click on the menu that is
    // leaving does nothing.
    void clickOnLeavingMenu()
    {
        formMenu *menu = ProgramFixture::menu();
        QPointer<QWidget> other = menu->Command2->widget();
        click(menu->Command1);
        QVERIFY(!menu->isLoaded() && other);
        QTest::mouseClick(other, Qt::LeftButton);
        QCOMPARE(platform::Form::loadedForms(), QList<platform::Form *>{Forms::get(QStringLiteral("form1"))});
    }

    // Sounds that come back on by themselves, or a switch that lies: it shows the state, flips
    // it, and keeps it across an activity, on the window's colour.
    void soundSwitch()
    {
        formMenu *menu = ProgramFixture::menu();
        QCOMPARE(menu->Check1->value(), 1); // start-up switches the sounds on
        click(menu->Check1);
        QVERIFY(!Modulo1::SoundEnabled);
        auto *activity = ProgramFixture::open(QStringLiteral("form1"));
        QVERIFY(activity);
        f.leave(activity);
        QVERIFY(menu->isShown() && menu->Check1->value() == 0 && !Modulo1::SoundEnabled);
        QCOMPARE(menu->Check1->backColor(), menu->backColor());
        click(menu->Check1);
        QVERIFY(Modulo1::SoundEnabled);
    }

    // A language switch that misses texts, ticks, the saved setting or the next start.
    void languageMenu()
    {
        formMenu *menu = ProgramFixture::menu();
        verifyMenuIn(menu, "Italiano");
        qobject_cast<platform::Menu *>(menu->control(QStringLiteral("mnuLanguage"), 0))->trigger();
        verifyMenuIn(menu, "English");
        QCOMPARE(modLanguageSupport::GetIniValue(f.path(QStringLiteral("LangSetting.ini")), QStringLiteral("Language"),
                                                 QStringLiteral("CurrentLanguage")),
                 QStringLiteral("English"));
        menu->Unload();
        menu = ProgramFixture::menu();
        verifyMenuIn(menu, "English");
        click(menu->Command5);
        QCOMPARE(f.messages.value(0).text, f.lng(QStringLiteral("Strings"), QStringLiteral("0001"), "English"));
    }

    // A text left in Italian after a switch, or a translation that lands nowhere: every design
    // caption has its key in both files (the Italian one giving it back unchanged), and every
    // key names a caption or tooltip the window has. What a window writes as it opens (a
    // question, names taken from the current block) changes between openings: no design caption.
    void languageFilesFitTheWindows()
    {
        modLanguageSupport::CurrentLanguageName = QStringLiteral("Nessuna"); // design texts stay
        for (const ProgramWindows::Entry &e : ProgramWindows::all()) {
            platform::Form *w = Forms::get(e.name);
            QHash<QString, QSet<QString>> captions; // of each control, over openings on different blocks
            for (int seed = 1; seed <= 4; ++seed) {
                platform::seedRandom(seed);
                const QString word = QStringLiteral("w%1").arg(seed);
                Modulo1::CurrentBlock = {word, word, word, word, {}};
                w->Load();
                for (platform::Control *c : w->controls())
                    captions[keyOf(c)] << captionOf(c);
                if (seed < 4)
                    w->Unload();
            }
            QStringList needed, known;
            if (!w->caption().isEmpty())
                known << e.name + QStringLiteral(".Caption");
            for (platform::Control *c : w->controls()) {
                if (c->hasProperty("ToolTipText"))
                    known << keyOf(c) + QStringLiteral(".ToolTipText");
                const QString design = captionOf(c);
                if (design.trimmed().isEmpty() || c->name() == QLatin1String("mnuLanguage") || captions[keyOf(c)].size() > 1)
                    continue;
                needed << keyOf(c) + QStringLiteral(".Caption");
                QCOMPARE(f.lng(e.name, needed.last()), design);
            }
            w->Unload();
            known += needed;
            for (const char *language : {"Italiano", "English"}) {
                QSettings file(f.path(QLatin1String(language) + QStringLiteral(".lng")), QSettings::IniFormat);
                file.beginGroup(e.name);
                const QStringList keys = file.childKeys();
                for (const QString &key : needed)
                    QVERIFY2(keys.contains(key), qPrintable(QStringLiteral("%1 [%2] %3 missing").arg(language, e.name, key)));
                for (const QString &key : keys)
                    QVERIFY2(known.contains(key) && !f.lng(e.name, key, language).isEmpty(),
                             qPrintable(QStringLiteral("%1 [%2] %3 names no text of the window").arg(language, e.name, key)));
            }
        }
    }

    // An about box with empty lines or a stray rule: the lines it has, then a rule, then the
    // credits; no rule without lines.
    void aboutText()
    {
        f.writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=Prova\r\n");
        f.writeFile(QStringLiteral("Prova.lng"), "[Strings]\r\n9996=\r\n9997=\r\n9998=\r\n9999=\r\n");
        QCOMPARE(Messages::aboutText(), Messages::kCredits);
        f.writeFile(QStringLiteral("Prova.lng"), "[Strings]\r\n9996=riga 1\r\n9998=\r\n9999=riga 4\r\n");
        Messages::ShowAboutBox();
        QCOMPARE(f.messages.value(0).text, "riga 1\r\nriga 4\r\n\r\n-----------------------\r\n" + Messages::kCredits);
        QVERIFY(f.messages[0].buttons == MsgButtons::Ok && f.messages[0].icon == MsgIcon::Information);
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstShell)

#include "tst_shell.moc"
