// The splash window, the main menu and the shared messages, driven through their windows.

#include "shell/ProgramFixture.h"

#include "platform/CheckBox.h"
#include "platform/Random.h"
#include "shell/FormAvvio.h"
#include "shell/Messages.h"

#include <QAction>
#include <QSet>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using testkit::click;
using testkit::ProgramFixture;

class TstShell : public QObject
{
    Q_OBJECT

    ProgramFixture f;

    // Every caption of the menu in the given language, and only that language ticked.
    void verifyMenuIn(formMenu *menu, const char *language)
    {
        for (platform::Control *c : menu->controls())
            if (!c->isArrayElement())
                QCOMPARE(c->propertyByName("Caption")->toString(),
                         f.lng(QStringLiteral("formMenu"), c->name() + QStringLiteral(".Caption"), language));
        QStringList listed;
        for (platform::Control *c : menu->controlArray(QStringLiteral("mnuLanguage"))) {
            auto *entry = qobject_cast<platform::Menu *>(c);
            listed << entry->caption();
            const bool current = entry->caption() == QLatin1String(language);
            QCOMPARE(entry->checked(), current);
            // Entries without a tick look like plain entries, before and after a switch.
            QCOMPARE(entry->action()->isCheckable(), current);
        }
        QCOMPARE(listed, QStringList({"English", "Italiano"}));
    }

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    void splash_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("opensMenu");
        QTest::newRow("background") << QString() << true;
        for (const char *name : {"Label1", "Image1", "Image2", "Image3"})
            QTest::newRow(name) << QString::fromLatin1(name) << true;
        QTest::newRow("date") << QStringLiteral("Label2") << false;
    }
    void splash()
    {
        QFETCH(QString, target);
        QFETCH(bool, opensMenu);
        platform::seedRandom(2003);
        auto *splash = ProgramFixture::window<FormAvvio>(QStringLiteral("FormAvvio"));
        splash->Show();
        testkit::verifyCoversScreen(splash);
        QCOMPARE(splash->caption(), f.lng(QStringLiteral("FormAvvio"), QStringLiteral("FormAvvio.Caption")));
        // The background colour first, then one new block for each picture, in order.
        platform::seedRandom(2003);
        QCOMPARE(splash->backColor(), Modulo1::kBackColours[platform::drawIndex(18)]);
        for (platform::Image *image : {splash->Image1.data(), splash->Image2.data(), splash->Image3.data()}) {
            Modulo1::PickRandomBlock();
            QCOMPARE(image->picture(), Modulo1::CurrentBlock.PicturePath);
            QVERIFY(image->hasPicture() && !image->showsPlaceholder() && testkit::shown(image));
        }

        if (target.isEmpty())
            QTest::mouseClick(splash->surface(), Qt::LeftButton, {}, QPoint(3, 3));
        else
            click(splash->control(target));
        QCOMPARE(splash->isShown(), !opensMenu);
        QCOMPARE(ProgramFixture::isLoaded(QStringLiteral("formMenu")), opensMenu);
        if (opensMenu)
            testkit::verifyCoversScreen(ProgramFixture::window(QStringLiteral("formMenu")));
        QVERIFY(f.messages.isEmpty());
    }

    void exitQuestion_data()
    {
        QTest::addColumn<bool>("closeButton");
        QTest::addColumn<MsgResult>("answer");
        for (const bool closeButton : {false, true})
            for (const MsgResult answer : {MsgResult::No, MsgResult::Yes})
                QTest::addRow("%s, %s", closeButton ? "close button" : "FINE", answer == MsgResult::Yes ? "yes" : "no")
                    << closeButton << answer;
    }
    void exitQuestion()
    {
        QFETCH(bool, closeButton);
        QFETCH(MsgResult, answer);
        formMenu *menu = ProgramFixture::menu();
        const QString before = testkit::snapshot(menu);
        f.answers.push_back(answer);
        if (closeButton)
            menu->window()->close();
        else
            click(menu->Command5);

        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, f.lng(QStringLiteral("Strings"), QStringLiteral("0001")));
        QCOMPARE(f.messages[0].buttons, MsgButtons::YesNo);
        QCOMPARE(f.messages[0].icon, MsgIcon::Question);
        QCOMPARE(f.messages[0].title, QStringLiteral("Zorvelli"));
        QCOMPARE(f.endCount, answer == MsgResult::Yes ? 1 : 0);
        QCOMPARE(bool(Modulo1::FormResizer), answer == MsgResult::No);
        if (answer == MsgResult::No) {
            testkit::verifyCoversScreen(menu);
            QCOMPARE(testkit::snapshot(menu), before);
        }
    }

    // Each activity button opens its window (or, not built yet, does nothing); a quick second
    // click on the button of a menu that is leaving does nothing more.
    void activityButtons()
    {
        QStringList buttons;
        for (platform::CommandButton *b : ProgramFixture::menu()->activityButtons())
            buttons << b->name();
        for (const QString &name : buttons) {
            const QString window = Forms::windowOpenedBy(name);
            formMenu *menu = ProgramFixture::menu();
            QPointer<QWidget> button = menu->control(name)->widget();
            click(menu->control(name));
            if (window.isEmpty()) {
                QCOMPARE(platform::Form::loadedForms(), QList<platform::Form *>{menu});
                continue;
            }
            QVERIFY(!menu->isLoaded());
            testkit::verifyCoversScreen(Forms::get(window));
            if (button)
                QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(platform::Form::loadedForms(), QList<platform::Form *>{Forms::get(window)});
            Forms::get(window)->Unload();
        }
        QVERIFY(f.messages.isEmpty());
    }

    void soundSwitch()
    {
        for (const bool startOn : {true, false}) {
            Modulo1::SoundEnabled = startOn;
            formMenu *menu = ProgramFixture::menu();
            QCOMPARE(menu->Check1->value(), startOn ? 1 : 0);
            click(menu->Check1);
            QCOMPARE(Modulo1::SoundEnabled, !startOn);
            // The switch survives an activity and the menu's coming back.
            auto *activity = ProgramFixture::open(QStringLiteral("form1"));
            QVERIFY(activity);
            f.answers.push_back(MsgResult::Yes);
            activity->leaveMenu->trigger();
            QVERIFY(menu->isShown());
            QCOMPARE(menu->Check1->value(), startOn ? 0 : 1);
            QCOMPARE(Modulo1::SoundEnabled, !startOn);
            // The switch wears the window's colour, drawn anew at every load.
            QCOMPARE(menu->Check1->backColor(), menu->backColor());
            menu->Unload();
        }
    }

    void languageMenu()
    {
        formMenu *menu = ProgramFixture::menu();
        verifyMenuIn(menu, "Italiano");
        qobject_cast<platform::Menu *>(menu->control(QStringLiteral("mnuLanguage"), 0))->trigger();
        verifyMenuIn(menu, "English");
        QCOMPARE(modLanguageSupport::GetIniValue(f.path(QStringLiteral("LangSetting.ini")), QStringLiteral("Language"),
                                                 QStringLiteral("CurrentLanguage")),
                 QStringLiteral("English"));
        // The menu comes back in English, and so does the exit question.
        menu->Unload();
        menu = ProgramFixture::menu();
        verifyMenuIn(menu, "English");
        click(menu->Command5);
        QCOMPARE(f.messages.value(0).text, f.lng(QStringLiteral("Strings"), QStringLiteral("0001"), "English"));
    }

    // Every key of a window's section names a real control and a text it has; every design
    // caption is in both files, the Italian one giving it back unchanged.
    void languageFilesFitTheWindows()
    {
        modLanguageSupport::CurrentLanguageName = QStringLiteral("Nessuna"); // design texts stay
        for (const char *language : {"Italiano", "English"}) {
            QHash<QString, QStringList> keys; // section -> keys in the file
            QFile file(f.path(QLatin1String(language) + QStringLiteral(".lng")));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QString section;
            for (const QString &line : QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"))) {
                if (line.startsWith(u'['))
                    section = line.mid(1, line.indexOf(u']') - 1);
                else if (line.contains(u'='))
                    keys[section] << line.left(line.indexOf(u'='));
            }
            for (const ProgramWindows::Entry &e : ProgramWindows::all()) {
                platform::Form *w = Forms::get(e.name);
                const auto keyOf = [](platform::Control *c) {
                    return c->isArrayElement() ? QStringLiteral("%1(%2)").arg(c->name()).arg(c->index()) : c->name();
                };
                // What a window writes as it opens (a question, a description, names taken from
                // the current block) changes from one opening to the next: no design caption.
                QHash<QString, QString> opened;
                QSet<QString> madeWhenOpening;
                for (int seed = 1; seed <= 4; ++seed) {
                    platform::seedRandom(seed);
                    const QString word = QStringLiteral("w%1").arg(seed);
                    Modulo1::CurrentBlock = {word, word, word, word, {}};
                    w->Load();
                    for (platform::Control *c : w->controls()) {
                        const QString caption = c->propertyByName("Caption").value_or(QString()).toString();
                        if (opened.contains(keyOf(c)) && opened[keyOf(c)] != caption)
                            madeWhenOpening << keyOf(c);
                        opened[keyOf(c)] = caption;
                    }
                    w->Unload();
                }
                w->Load();
                QStringList captions; // the keys the design captions need
                for (platform::Control *c : w->controls()) {
                    const QString base = keyOf(c);
                    const QString design = c->propertyByName("Caption").value_or(QString()).toString();
                    if (!design.trimmed().isEmpty() && c->name() != QLatin1String("mnuLanguage") &&
                        !madeWhenOpening.contains(base)) {
                        captions << base + QStringLiteral(".Caption");
                        if (QLatin1String(language) == QLatin1String("Italiano"))
                            QCOMPARE(f.lng(e.name, base + QStringLiteral(".Caption")), design);
                    }
                }
                for (const QString &key : captions)
                    QVERIFY2(keys[e.name].contains(key), qPrintable(QStringLiteral("%1 [%2] %3 missing").arg(language, e.name, key)));
                for (const QString &key : keys[e.name]) {
                    const QString property = key.section(u'.', -1);
                    const QString base = key.section(u'.', 0, -2);
                    const bool title = base == e.name && property == QLatin1String("Caption");
                    const bool known = (property == QLatin1String("Caption") && captions.contains(key)) ||
                                       (property == QLatin1String("ToolTipText") &&
                                        std::any_of(w->controls().begin(), w->controls().end(), [&](platform::Control *c) {
                                            return (c->isArrayElement() ? QStringLiteral("%1(%2)").arg(c->name()).arg(c->index())
                                                                        : c->name()) == base &&
                                                   c->hasProperty("ToolTipText");
                                        }));
                    QVERIFY2(known || (title && !w->caption().isEmpty()),
                             qPrintable(QStringLiteral("%1 [%2] %3 names no text of the window").arg(language, e.name, key)));
                    QVERIFY2(!f.lng(e.name, key, language).isEmpty(), qPrintable(key));
                }
                w->Unload();
            }
        }
    }

    void aboutText_data()
    {
        QTest::addColumn<QStringList>("kept");  // identifiers that keep their text
        QTest::addColumn<QStringList>("blank"); // identifiers present with an empty text
        const QStringList all{"9996", "9997", "9998", "9999"};
        QTest::newRow("all four lines") << all << QStringList();
        QTest::newRow("all four blank") << QStringList() << all;
        QTest::newRow("9998 blank, 9997 missing") << QStringList{"9996", "9999"} << QStringList{"9998"};
    }
    void aboutText()
    {
        QFETCH(QStringList, kept);
        QFETCH(QStringList, blank);
        QByteArray lng = "[Strings]\r\n";
        for (const QString &id : blank)
            lng += id.toLatin1() + "=\r\n";
        for (const QString &id : kept)
            lng += id.toLatin1() + "=riga " + id.toLatin1() + "\r\n";
        f.writeFile(QStringLiteral("Prova.lng"), lng);
        f.writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=Prova\r\n");

        QString expected;
        for (const QString &id : kept)
            expected += QStringLiteral("riga ") + id + QStringLiteral("\r\n");
        if (!kept.isEmpty())
            expected += QStringLiteral("\r\n") + QString(23, u'-') + QStringLiteral("\r\n");
        Messages::ShowAboutBox();
        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, expected + Messages::kCredits);
        QCOMPARE(f.messages[0].buttons, MsgButtons::Ok);
        QCOMPARE(f.messages[0].icon, MsgIcon::Information);
        QCOMPARE(f.messages[0].title, QStringLiteral("Zorvelli"));
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstShell)

#include "tst_shell.moc"
