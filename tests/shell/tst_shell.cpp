// The splash window, the main menu and the two shared messages, driven the way a child
// (or a parent reaching for the close button) would: show the window, click, look.

#include "shell/Messages.h"
#include "shell/ProgramFixture.h"

#include "platform/CheckBox.h"
#include "platform/CommandButton.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Menu.h"
#include "platform/Random.h"
#include "platform/Units.h"

#include <QRegularExpression>
#include <QSet>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using testkit::ProgramFixture;

Q_DECLARE_METATYPE(platform::MsgResult)

namespace {

void click(platform::Control *c)
{
    QVERIFY(c);
    QVERIFY(c->widget());
    QWidget *w = c->widget();
    QTest::mouseClick(w, Qt::LeftButton, {}, testkit::checkBoxHitPoint(w));
}

QStringList captionsOf(const QList<platform::Control *> &entries)
{
    QStringList out;
    for (platform::Control *c : entries)
        out << qobject_cast<platform::Menu *>(c)->caption();
    return out;
}

platform::Menu *languageEntry(formMenu *menu, const QString &language)
{
    for (platform::Control *c : menu->controlArray(QStringLiteral("mnuLanguage")))
        if (auto *m = qobject_cast<platform::Menu *>(c); m && m->caption() == language)
            return m;
    return nullptr;
}

} // namespace

class TstShell : public QObject
{
    Q_OBJECT

private:
    ProgramFixture f;

    formMenu *showMenu()
    {
        auto *menu = ProgramFixture::window<formMenu>("formMenu");
        if (menu)
            menu->Show();
        return menu;
    }
    FormAvvio *showSplash()
    {
        auto *splash = ProgramFixture::window<FormAvvio>("FormAvvio");
        if (splash)
            splash->Show();
        return splash;
    }

    // The menu's button captions as they stand in the window definition.
    static QList<std::pair<const char *, const char *>> designCaptions()
    {
        return {{"Command1", "uguale - diverso"},
                {"Command2", "insiemi"},
                {"Command3", "quanti sono ?"},
                {"Command4", "le strade 1"},
                {"Command7", "tabella"},
                {"Command9", "le strade 2"},
                {"Command8", "trova il blocco"},
                {"Command10", "Cosa cambia?"},
                {"Command11", "Cosa resta uguale?"},
                {"Command5", "FINE"},
                {"Check1", "Suoni attivati"}};
    }

private slots:
    void initTestCase() { testkit::quietRaiseWarnings(); }
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // ---- splash ---------------------------------------------------------------------------

    void splashShowsThreeRandomBlocksOverTheWholeScreen()
    {
        platform::seedRandom(2003);
        FormAvvio *splash = showSplash();
        QVERIFY(splash);
        QVERIFY(splash->isShown());
        testkit::verifyCoversScreen(splash);
        QCOMPARE(splash->Label1->caption(),
                 f.italian(QStringLiteral("FormAvvio"), QStringLiteral("Label1.Caption")));
        QCOMPARE(splash->caption(),
                 f.italian(QStringLiteral("FormAvvio"), QStringLiteral("FormAvvio.Caption")));

        // Every picture is a real block of the store: colour folder, then shape, size, thickness.
        auto words = [](std::initializer_list<const char *> ids) {
            QStringList w;
            for (const char *id : ids)
                w << QRegularExpression::escape(ProgramFixture::text(id));
            return w.join(u'|');
        };
        const QRegularExpression blockPicture(
            u'^' + QRegularExpression::escape(platform::ApplicationPath + QStringLiteral("\\jpg\\")) + u'(' +
            words({"0006", "0007", "0008"}) + QStringLiteral(")\\\\(") +
            words({"0002", "0003", "0004", "0005"}) + QStringLiteral(")(grande|piccolo)(") +
            words({"0009", "0010"}) + QStringLiteral(")\\.JPG$"));
        QVERIFY(blockPicture.isValid());
        const QList<platform::Image *> images{splash->Image1, splash->Image2, splash->Image3};
        for (platform::Image *image : images) {
            QVERIFY2(blockPicture.match(image->picture()).hasMatch(), qPrintable(image->picture()));
            QVERIFY2(image->hasPicture(), qPrintable(image->picture()));
            QVERIFY(image->widget()->isVisible());
        }

        // The background colour is drawn first, then one new block for each picture, in order.
        platform::seedRandom(2003);
        const quint32 colour = Modulo1::kBackColours[platform::drawIndex(18)];
        QCOMPARE(splash->backColor(), colour);
        for (platform::Image *image : images) {
            Modulo1::PickRandomBlock();
            QCOMPARE(image->picture(), Modulo1::CurrentBlock.PicturePath);
        }
    }

    void splashClick_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("opensMenu");
        QTest::newRow("background") << QString() << true;
        QTest::newRow("title") << QStringLiteral("Label1") << true;
        QTest::newRow("left picture") << QStringLiteral("Image1") << true;
        QTest::newRow("middle picture") << QStringLiteral("Image2") << true;
        QTest::newRow("right picture") << QStringLiteral("Image3") << true;
        QTest::newRow("date") << QStringLiteral("Label2") << false;
    }

    void splashClick()
    {
        QFETCH(QString, target);
        QFETCH(bool, opensMenu);
        FormAvvio *splash = showSplash();
        QVERIFY(splash);
        if (target.isEmpty()) {
            QTest::mouseClick(splash->surface(), Qt::LeftButton, {}, QPoint(3, 3));
        } else {
            click(splash->control(target));
            if (QTest::currentTestFailed())
                return;
        }

        QCOMPARE(ProgramFixture::isLoaded("FormAvvio"), !opensMenu);
        QCOMPARE(ProgramFixture::isLoaded("formMenu"), opensMenu);
        if (opensMenu) {
            formMenu *menu = ProgramFixture::window<formMenu>("formMenu");
            QVERIFY(menu->isShown());
            testkit::verifyCoversScreen(menu);
        } else {
            QVERIFY(splash->isShown());
            QCOMPARE(splash->Label2->caption(),
                     f.italian(QStringLiteral("FormAvvio"), QStringLiteral("Label2.Caption")));
        }
        QVERIFY(f.messages.isEmpty());
    }

    // ---- menu -----------------------------------------------------------------------------

    void menuShowsTranslatedCaptions()
    {
        formMenu *menu = showMenu();
        QVERIFY(menu);
        testkit::verifyCoversScreen(menu);
        for (const auto &[name, design] : designCaptions()) {
            const QString expected =
                f.italian(QStringLiteral("formMenu"), QLatin1String(name) + QStringLiteral(".Caption"));
            QVERIFY2(!expected.isEmpty(), name);
            QCOMPARE(menu->control(QLatin1String(name))->propertyByName("Caption")->toString(), expected);
            QVERIFY(menu->control(QLatin1String(name))->widget()->isVisible());
        }
        QCOMPARE(menu->mnuLanguages->caption(),
                 f.italian(QStringLiteral("formMenu"), QStringLiteral("mnuLanguages.Caption")));
    }

    void menuWithoutSettingsKeepsDesignCaptions()
    {
        QVERIFY(QFile::remove(f.path(QStringLiteral("LangSetting.ini"))));
        formMenu *menu = showMenu();
        QVERIFY(menu);
        for (const auto &[name, design] : designCaptions())
            QCOMPARE(menu->control(QLatin1String(name))->propertyByName("Caption")->toString(),
                     QString::fromUtf8(design));
        QCOMPARE(menu->mnuLanguages->caption(), QStringLiteral("Lingua"));
        // The languages are still offered; none of them is ticked.
        const QList<platform::Control *> entries = menu->controlArray(QStringLiteral("mnuLanguage"));
        QCOMPARE(captionsOf(entries), (QStringList{QStringLiteral("English"), QStringLiteral("Italiano")}));
        for (platform::Control *c : entries)
            QVERIFY(!qobject_cast<platform::Menu *>(c)->checked());
        QVERIFY(f.messages.isEmpty());
    }

    void menuWithoutLanguageFilesSaysSo()
    {
        QVERIFY(QFile::remove(f.path(QStringLiteral("Italiano.lng"))));
        QVERIFY(QFile::remove(f.path(QStringLiteral("English.lng"))));
        formMenu *menu = showMenu();
        QVERIFY(menu);
        QVERIFY(menu->isShown());
        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, modLanguageSupport::kNoLanguageFileMessage);
        QCOMPARE(f.messages[0].buttons, MsgButtons::Ok);
        QCOMPARE(f.messages[0].icon, MsgIcon::None);
        QCOMPARE(menu->controlArray(QStringLiteral("mnuLanguage")).size(), 1);
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
        formMenu *menu = showMenu();
        QVERIFY(menu);
        const uint colour = menu->backColor();
        f.answers.push_back(answer);
        if (closeButton)
            menu->window()->close();
        else
            click(menu->Command5);

        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, ProgramFixture::text("0001"));
        QVERIFY(!f.messages[0].text.isEmpty());
        QCOMPARE(f.messages[0].buttons, MsgButtons::YesNo);
        QCOMPARE(f.messages[0].icon, MsgIcon::Question);
        QCOMPARE(f.messages[0].title, QStringLiteral("Zorvelli"));
        if (answer == MsgResult::Yes) {
            QCOMPARE(f.endCount, 1);
            QVERIFY(!Modulo1::FormResizer);
        } else {
            QCOMPARE(f.endCount, 0);
            QVERIFY(Modulo1::FormResizer);
            QVERIFY(menu->isShown());
            QCOMPARE(menu->backColor(), colour);
            testkit::verifyCoversScreen(menu);
        }
    }

    void soundSwitchShowsAndSetsTheSwitch_data()
    {
        QTest::addColumn<bool>("soundOn");
        QTest::newRow("sounds on") << true;
        QTest::newRow("sounds off") << false;
    }

    void soundSwitchShowsAndSetsTheSwitch()
    {
        QFETCH(bool, soundOn);
        Modulo1::SoundEnabled = soundOn;
        formMenu *menu = showMenu();
        QVERIFY(menu);
        QCOMPARE(menu->Check1->value(), soundOn ? 1 : 0);
        click(menu->Check1);
        QCOMPARE(menu->Check1->value(), soundOn ? 0 : 1);
        QCOMPARE(Modulo1::SoundEnabled, !soundOn);
        click(menu->Check1);
        QCOMPARE(menu->Check1->value(), soundOn ? 1 : 0);
        QCOMPARE(Modulo1::SoundEnabled, soundOn);
    }

    void soundsOffSurviveAnActivity()
    {
        formMenu *menu = showMenu();
        QVERIFY(menu);
        QCOMPARE(menu->Check1->value(), 1);
        click(menu->Check1);
        QVERIFY(!Modulo1::SoundEnabled);

        for (int round = 0; round < 2; ++round) {
            click(menu->Command1);
            auto *activity = ProgramFixture::window<form1>("form1");
            QVERIFY(activity && activity->isShown());
            QVERIFY(!menu->isLoaded());
            f.answers.push_back(MsgResult::Yes);
            activity->leaveMenu->trigger();
            QVERIFY(!activity->isLoaded());
            QVERIFY(menu->isShown());
            QCOMPARE(menu->Check1->value(), 0);
            QVERIFY(!Modulo1::SoundEnabled);
        }
    }

    void activityButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("opens");
        for (const auto &[button, window] : formMenu::activityButtons())
            QTest::newRow(qPrintable(button)) << button << window << (window == QStringLiteral("form1"));
    }

    void activityButtons()
    {
        QFETCH(QString, button);
        QFETCH(QString, window);
        QFETCH(bool, opens);
        formMenu *menu = showMenu();
        QVERIFY(menu);
        click(menu->control(button));
        if (opens) {
            QVERIFY(!menu->isLoaded());
            platform::Form *activity = Forms::get(window);
            QVERIFY(activity && activity->isShown());
            testkit::verifyCoversScreen(activity);
        } else {
            // Not in this build yet: the menu stays as it was.
            QVERIFY(menu->isShown());
            QVERIFY(!Forms::exists(window));
            QCOMPARE(platform::Form::loadedForms(), QList<platform::Form *>{menu});
        }
        QVERIFY(f.messages.isEmpty());
    }

    void everyLoadPicksABackgroundColour()
    {
        formMenu *menu = ProgramFixture::window<formMenu>("formMenu");
        QVERIFY(menu);
        QSet<uint> seen;
        for (int seed = 1; seed <= 24; ++seed) {
            platform::seedRandom(seed);
            menu->Show();
            platform::seedRandom(seed);
            const quint32 drawn = Modulo1::kBackColours[platform::drawIndex(18)];
            QCOMPARE(menu->backColor(), drawn);
            QCOMPARE(menu->Check1->backColor(), drawn);
            // What the child sees: the bare window and the switch's background in that colour.
            QCOMPARE(menu->surface()->grab().toImage().pixelColor(2, 2), platform::toQColor(drawn));
            QCOMPARE(menu->Check1->widget()->palette().color(QPalette::Window), platform::toQColor(drawn));
            seen.insert(menu->backColor());
            menu->Unload();
        }
        QVERIFY2(seen.size() >= 6, "the menu keeps coming back in the same few colours");
    }

    void languageMenu()
    {
        const QByteArray runSettings = [] {
            QFile in(QDir(testkit::runDir()).filePath(QStringLiteral("LangSetting.ini")));
            return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
        }();
        formMenu *menu = showMenu();
        QVERIFY(menu);
        QCOMPARE(captionsOf(menu->controlArray(QStringLiteral("mnuLanguage"))),
                 (QStringList{QStringLiteral("English"), QStringLiteral("Italiano")}));
        platform::Menu *english = languageEntry(menu, QStringLiteral("English"));
        platform::Menu *italian = languageEntry(menu, QStringLiteral("Italiano"));
        QVERIFY(english && italian);
        QVERIFY(italian->checked());
        QVERIFY(!english->checked());

        english->trigger();
        auto englishText = [this](const QString &key) {
            return f.windowText(QStringLiteral("English"), QStringLiteral("formMenu"), key);
        };
        QVERIFY(englishText(QStringLiteral("Command1.Caption")) !=
                f.italian(QStringLiteral("formMenu"), QStringLiteral("Command1.Caption")));
        QCOMPARE(menu->Command1->caption(), englishText(QStringLiteral("Command1.Caption")));
        QCOMPARE(menu->Command5->caption(), englishText(QStringLiteral("Command5.Caption")));
        QCOMPARE(menu->Check1->caption(), englishText(QStringLiteral("Check1.Caption")));
        QCOMPARE(menu->mnuLanguages->caption(), englishText(QStringLiteral("mnuLanguages.Caption")));
        QVERIFY(english->checked());
        QVERIFY(!italian->checked());
        QCOMPARE(modLanguageSupport::GetIniValue(f.path(QStringLiteral("LangSetting.ini")),
                                                 QStringLiteral("Language"),
                                                 QStringLiteral("CurrentLanguage")),
                 QStringLiteral("English"));

        // The menu comes back in English, and so does the exit question.
        menu->Unload();
        menu->Show();
        QCOMPARE(menu->Command1->caption(), englishText(QStringLiteral("Command1.Caption")));
        QVERIFY(languageEntry(menu, QStringLiteral("English"))->checked());
        QVERIFY(!languageEntry(menu, QStringLiteral("Italiano"))->checked());
        click(menu->Command5);
        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text,
                 f.windowText(QStringLiteral("English"), QStringLiteral("Strings"), QStringLiteral("0001")));

        // The program's own folder is left alone.
        QFile in(QDir(testkit::runDir()).filePath(QStringLiteral("LangSetting.ini")));
        QVERIFY(in.open(QIODevice::ReadOnly));
        QCOMPARE(in.readAll(), runSettings);
    }

    void aboutText_data()
    {
        QTest::addColumn<QStringList>("kept");  // identifiers that keep their text
        QTest::addColumn<QStringList>("blank"); // identifiers present with an empty text
        const QStringList all{QStringLiteral("9996"), QStringLiteral("9997"), QStringLiteral("9998"),
                              QStringLiteral("9999")};
        QTest::newRow("all four lines") << all << QStringList();
        QTest::newRow("no lines") << QStringList() << QStringList();
        QTest::newRow("all four blank") << QStringList() << all;
        QTest::newRow("only 9997") << QStringList{QStringLiteral("9997")} << QStringList();
        QTest::newRow("first and last, one blank")
            << QStringList{QStringLiteral("9996"), QStringLiteral("9999")}
            << QStringList{QStringLiteral("9998")};
    }

    void aboutText()
    {
        QFETCH(QStringList, kept);
        QFETCH(QStringList, blank);
        // A language file of our own, made from the Italian one.
        const QList<QByteArray> lines = f.readFile(QStringLiteral("Italiano.lng")).split('\n');
        QByteArray out;
        for (const QByteArray &line : lines) {
            const QString id = QString::fromLatin1(line.left(4));
            const bool about = line.size() > 4 && line.at(4) == '=' && id.startsWith(QStringLiteral("999"));
            if (about && blank.contains(id))
                out += id.toLatin1() + "=\r\n";
            else if (!about || kept.contains(id))
                out += line + '\n';
        }
        f.writeFile(QStringLiteral("Prova.lng"), out);
        f.writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=Prova\r\n");

        QString expected;
        for (const QString &id : kept) {
            const QString line = ProgramFixture::text(qPrintable(id));
            QVERIFY(!line.isEmpty());
            QCOMPARE(line, f.italian(QStringLiteral("Strings"), id));
            expected += line + QStringLiteral("\r\n");
        }
        if (!kept.isEmpty())
            expected += QStringLiteral("\r\n") + QString(23, u'-') + QStringLiteral("\r\n");
        expected += Messages::kCredits;
        QCOMPARE(Messages::aboutText(), expected);
        if (kept.isEmpty())
            QVERIFY(!Messages::aboutText().startsWith(QStringLiteral("\r\n")));

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
