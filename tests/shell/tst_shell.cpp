// The splash window, the main menu and the shared messages, driven through their windows.

#include "shell/Messages.h"
#include "shell/ProgramFixture.h"

#include "platform/CheckBox.h"
#include "platform/CommandButton.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Menu.h"
#include "platform/Random.h"
#include "platform/Units.h"

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using testkit::click;
using testkit::ProgramFixture;

Q_DECLARE_METATYPE(platform::MsgResult)

class TstShell : public QObject
{
    Q_OBJECT

    ProgramFixture f;

    template <class T> static T *show(const char *name)
    {
        T *w = ProgramFixture::window<T>(name);
        if (w)
            w->Show();
        return w;
    }
    // Every caption of the menu in the given language, and only that language ticked.
    void verifyMenuIn(formMenu *menu, const char *language)
    {
        for (const char *name : {"Command1", "Command2", "Command3", "Command4", "Command7", "Command9",
                                 "Command8", "Command10", "Command11", "Command5", "Check1", "mnuLanguages"})
            QCOMPARE(menu->control(QLatin1String(name))->propertyByName("Caption")->toString(),
                     f.lng("formMenu", qPrintable(name + QByteArray(".Caption")), language));
        QStringList listed;
        for (platform::Control *c : menu->controlArray(QStringLiteral("mnuLanguage"))) {
            auto *entry = qobject_cast<platform::Menu *>(c);
            listed << entry->caption();
            QCOMPARE(entry->checked(), entry->caption() == QLatin1String(language));
        }
        QCOMPARE(listed, QStringList({"English", "Italiano"}));
    }

private slots:
    void initTestCase() { testkit::quietRaiseWarnings(); }
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    void splashShowsThreeBlocks()
    {
        platform::seedRandom(2003);
        auto *splash = show<FormAvvio>("FormAvvio");
        QVERIFY(splash);
        testkit::verifyCoversScreen(splash);
        QCOMPARE(splash->caption(), f.lng("FormAvvio", "FormAvvio.Caption"));

        // The background colour first, then one new block for each picture, in order.
        platform::seedRandom(2003);
        QCOMPARE(splash->backColor(), Modulo1::kBackColours[platform::drawIndex(18)]);
        for (platform::Image *image : {splash->Image1.data(), splash->Image2.data(), splash->Image3.data()}) {
            Modulo1::PickRandomBlock();
            QCOMPARE(image->picture(), Modulo1::CurrentBlock.PicturePath);
            QVERIFY2(image->hasPicture() && image->widget()->isVisible(), qPrintable(image->picture()));
        }
    }

    void splashClick_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("opensMenu");
        QTest::newRow("background") << QString() << true;
        for (const char *name : {"Label1", "Image1", "Image2", "Image3"})
            QTest::newRow(name) << QString::fromLatin1(name) << true;
        QTest::newRow("date") << QStringLiteral("Label2") << false;
    }

    void splashClick()
    {
        QFETCH(QString, target);
        QFETCH(bool, opensMenu);
        auto *splash = show<FormAvvio>("FormAvvio");
        QVERIFY(splash);
        if (target.isEmpty())
            QTest::mouseClick(splash->surface(), Qt::LeftButton, {}, QPoint(3, 3));
        else
            click(splash->control(target));

        QCOMPARE(splash->isShown(), !opensMenu);
        QCOMPARE(ProgramFixture::isLoaded("formMenu"), opensMenu);
        if (opensMenu)
            testkit::verifyCoversScreen(ProgramFixture::window<formMenu>("formMenu"));
        QVERIFY(f.messages.isEmpty());
    }

    void exitQuestion_data()
    {
        QTest::addColumn<bool>("closeButton");
        QTest::addColumn<MsgResult>("answer");
        QTest::newRow("FINE, no") << false << MsgResult::No;
        QTest::newRow("FINE, yes") << false << MsgResult::Yes;
        QTest::newRow("close button, no") << true << MsgResult::No;
        QTest::newRow("close button, yes") << true << MsgResult::Yes;
    }

    void exitQuestion()
    {
        QFETCH(bool, closeButton);
        QFETCH(MsgResult, answer);
        auto *menu = show<formMenu>("formMenu");
        QVERIFY(menu);
        const uint colour = menu->backColor();
        f.answers.push_back(answer);
        if (closeButton)
            menu->window()->close();
        else
            click(menu->Command5);

        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, f.lng("Strings", "0001"));
        QCOMPARE(f.messages[0].buttons, MsgButtons::YesNo);
        QCOMPARE(f.messages[0].icon, MsgIcon::Question);
        QCOMPARE(f.messages[0].title, QStringLiteral("Zorvelli"));
        QCOMPARE(f.endCount, answer == MsgResult::Yes ? 1 : 0);
        QCOMPARE(bool(Modulo1::FormResizer), answer == MsgResult::No);
        if (answer == MsgResult::No) { // the same menu stays
            testkit::verifyCoversScreen(menu);
            QCOMPARE(menu->backColor(), colour);
        }
    }

    void soundSwitchSurvivesAnActivity_data()
    {
        QTest::addColumn<bool>("soundOn");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }

    void soundSwitchSurvivesAnActivity()
    {
        QFETCH(bool, soundOn);
        Modulo1::SoundEnabled = soundOn;
        auto *menu = show<formMenu>("formMenu");
        QVERIFY(menu);
        QCOMPARE(menu->Check1->value(), soundOn ? 1 : 0);
        for (int round = 0; round < 2; ++round) {
            click(menu->Check1);
            const bool now = round == 0 ? !soundOn : soundOn;
            QCOMPARE(Modulo1::SoundEnabled, now);
            click(menu->Command1);
            auto *activity = ProgramFixture::window<form1>("form1");
            QVERIFY(activity && activity->isShown() && !menu->isLoaded());
            f.answers.push_back(MsgResult::Yes);
            activity->leaveMenu->trigger();
            QVERIFY(!activity->isLoaded() && menu->isShown());
            QCOMPARE(menu->Check1->value(), now ? 1 : 0);
            QCOMPARE(Modulo1::SoundEnabled, now);
        }
    }

    void activityButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        for (const auto &[button, window] : formMenu::activityButtons())
            QTest::newRow(qPrintable(button)) << button << window;
    }

    void activityButtons()
    {
        QFETCH(QString, button);
        QFETCH(QString, window);
        auto *menu = show<formMenu>("formMenu");
        QVERIFY(menu);
        click(menu->control(button));
        if (window == QStringLiteral("form1")) {
            QVERIFY(!menu->isLoaded());
            testkit::verifyCoversScreen(Forms::get(window));
        } else { // not in this build yet: the menu stays as it was
            QVERIFY(menu->isShown() && !Forms::exists(window));
            QCOMPARE(platform::Form::loadedForms(), QList<platform::Form *>{menu});
        }
        QVERIFY(f.messages.isEmpty());
    }

    void clicksAfterLeavingAreIgnored()
    {
        // A quick second click reaches a window that is already on its way out.
        auto *splash = show<FormAvvio>("FormAvvio");
        QPointer<QWidget> stalePicture = splash->Image1->widget();
        click(splash->Label1);
        auto *menu = ProgramFixture::window<formMenu>("formMenu");
        QVERIFY(menu->isShown() && !splash->isLoaded());
        if (stalePicture)
            QTest::mouseClick(stalePicture, Qt::LeftButton);
        QPointer<QWidget> staleButton = menu->Command1->widget();
        click(menu->Command1);
        auto *activity = Forms::get(QStringLiteral("form1"));
        QVERIFY(activity->isShown() && !menu->isLoaded());
        if (staleButton)
            QTest::mouseClick(staleButton, Qt::LeftButton);
        QCOMPARE(platform::Form::loadedForms(), QList<platform::Form *>{activity});
        QVERIFY(f.messages.isEmpty());
    }

    void everyLoadPicksABackgroundColour()
    {
        auto *menu = ProgramFixture::window<formMenu>("formMenu");
        QVERIFY(menu);
        for (int seed = 1; seed <= 8; ++seed) {
            platform::seedRandom(seed);
            menu->Show();
            platform::seedRandom(seed);
            const QColor drawn = platform::toQColor(Modulo1::kBackColours[platform::drawIndex(18)]);
            // What the child sees: the bare window and the switch's background in that colour.
            QCOMPARE(menu->surface()->grab().toImage().pixelColor(2, 2), drawn);
            QCOMPARE(menu->Check1->widget()->palette().color(QPalette::Window), drawn);
            menu->Unload();
        }
    }

    void languageMenu()
    {
        auto *menu = show<formMenu>("formMenu");
        QVERIFY(menu);
        verifyMenuIn(menu, "Italiano");
        QVERIFY(f.lng("formMenu", "Command1.Caption", "English") != f.lng("formMenu", "Command1.Caption"));
        qobject_cast<platform::Menu *>(menu->control(QStringLiteral("mnuLanguage"), 0))->trigger();
        verifyMenuIn(menu, "English");
        QCOMPARE(modLanguageSupport::GetIniValue(f.path(QStringLiteral("LangSetting.ini")),
                                                 QStringLiteral("Language"),
                                                 QStringLiteral("CurrentLanguage")),
                 QStringLiteral("English"));

        // The menu comes back in English, and so does the exit question.
        menu->Unload();
        menu->Show();
        verifyMenuIn(menu, "English");
        click(menu->Command5);
        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, f.lng("Strings", "0001", "English"));
    }

    void aboutText_data()
    {
        QTest::addColumn<QStringList>("kept");  // identifiers that keep their text
        QTest::addColumn<QStringList>("blank"); // identifiers present with an empty text
        const QStringList all{"9996", "9997", "9998", "9999"};
        QTest::newRow("all four lines") << all << QStringList();
        QTest::newRow("all four blank") << QStringList() << all;
        QTest::newRow("first and last, 9998 blank, 9997 missing")
            << QStringList{"9996", "9999"} << QStringList{"9998"};
    }

    void aboutText()
    {
        QFETCH(QStringList, kept);
        QFETCH(QStringList, blank);
        // A language file of our own, made from the Italian one.
        QFile italian(f.path(QStringLiteral("Italiano.lng")));
        QVERIFY(italian.open(QIODevice::ReadOnly));
        QByteArray out;
        for (const QByteArray &line : italian.readAll().split('\n')) {
            const QString id = QString::fromLatin1(line.left(4));
            const bool about = line.size() > 4 && line.at(4) == '=' && id.startsWith(QStringLiteral("999"));
            if (about && blank.contains(id))
                out += line.left(5) + "\r\n";
            else if (!about || kept.contains(id))
                out += line + '\n';
        }
        f.writeFile(QStringLiteral("Prova.lng"), out);
        f.writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=Prova\r\n");

        QString expected;
        for (const QString &id : kept)
            expected += f.lng("Strings", qPrintable(id)) + QStringLiteral("\r\n");
        if (!kept.isEmpty())
            expected += QStringLiteral("\r\n") + QString(23, u'-') + QStringLiteral("\r\n");
        expected += Messages::kCredits;

        Messages::ShowAboutBox();
        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, expected);
        QCOMPARE(f.messages[0].buttons, MsgButtons::Ok);
        QCOMPARE(f.messages[0].icon, MsgIcon::Information);
        QCOMPARE(f.messages[0].title, QStringLiteral("Zorvelli"));
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstShell)

#include "tst_shell.moc"
