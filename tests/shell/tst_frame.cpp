// The frame every activity window shares, on every window the program registers: when the
// counters reset and the first question is set up, menus, counters and faces, reset, about,
// and leaving by the menu or the close button.

#include "shell/ProgramFixture.h"

#include "platform/Random.h"
#include "shell/Messages.h"

using platform::MsgResult;
using testkit::ProgramFixture;

namespace {

struct Expected
{
    const char *window, *button, *reset, *about, *leave;
    bool backColourAtLoad, startsAtLoad; // counters reset and first question at load, not at activation
};

const Expected kWindows[] = {
    {"form1", "Command1", "mnu1", "mnu3", "mnuEsci", true, false},
    {"FORM2", "Command2", "mnu1", "mnu3", "mnuFine", true, false},
    {"pagl3", "Command3", "mnu1", "mnu3", "mnuEsci", true, false},
    {"pagl7", "Command4", "mnu1", "mnu3", "mnuFine", false, true},
    {"pagl9", "Command7", "mnu1", "mnu3", "mnuEsci", false, true},
    {"pagl8", "Command9", "mnu1", "mnu3", "mnuEsci", false, true},
    {"FormTrova", "Command8", "MenuAzzera", "MenuInformazioni", "mnuEsci", true, true},
    {"FormDomino", "Command10", "MenuAzzera", "MenuInformazioni", "mnuEsci", true, true},
    {"FormDomino2", "Command11", "MenuAzzera", "MenuInformazioni", "mnuEsci", true, true},
};

} // namespace

class TstFrame : public QObject
{
    Q_OBJECT

    ProgramFixture f;

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // A window registered twice, or an activity without its menu button or frame settings:
    // the one list gives every window once, and each activity its button.
    void windowList()
    {
        QStringList seen, activities, expected;
        for (const ProgramWindows::Entry &e : ProgramWindows::all()) {
            QVERIFY2(!seen.contains(e.name), qPrintable(e.name));
            seen << e.name;
            QCOMPARE(ActivitySettings::exists(e.name), !e.menuButton.isEmpty());
            if (!e.menuButton.isEmpty())
                activities << e.name + u' ' + e.menuButton;
        }
        QCOMPARE(Forms::registeredNames(), seen);
        for (const Expected &x : kWindows)
            expected << QLatin1String(x.window) + u' ' + QLatin1String(x.button);
        QCOMPARE(activities, expected);
    }

    void frame_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("closeButton"); // how the window is finally left
        for (int row = 0; row < int(std::size(kWindows)); ++row)
            for (const bool closeButton : {false, true})
                QTest::addRow("%s, %s", kWindows[row].window, closeButton ? "close button" : "menu") << row << closeButton;
    }
    void frame()
    {
        QFETCH(int, row);
        QFETCH(bool, closeButton);
        const Expected &x = kWindows[row];
        const QString name = QLatin1String(x.window);

        // Loaded but not yet active: only the windows that start at load have reset and asked
        // (beyond the one draw of the background colour, where the frame sets it).
        Modulo1::RightCount = 7; // left over from another activity
        Modulo1::WrongCount = 3;
        auto *w = ProgramFixture::window<ActivityFrame>(name);
        platform::seedRandom(11);
        const std::uint64_t before = platform::randomDrawCount();
        w->Load();
        QCOMPARE(Modulo1::RightCount == 0, x.startsAtLoad);
        QCOMPARE(int(platform::randomDrawCount() - before) > int(x.backColourAtLoad), x.startsAtLoad);
        platform::seedRandom(11);
        if (x.backColourAtLoad && !x.startsAtLoad)
            QCOMPARE(w->backColor(), Modulo1::kBackColours[platform::drawIndex(18)]);
        w->Unload();

        // Opened from the menu: full screen, counters at 0 showing their captions, no face, the
        // frame's menus named and translated.
        Modulo1::RightCount = 7;
        w = ProgramFixture::open(name);
        QVERIFY(w);
        testkit::verifyCoversScreen(w);
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 0);
        QCOMPARE(w->etEsatti->caption(), f.lng(name, QStringLiteral("etEsatti.Caption")));
        QCOMPARE(w->etErrati->caption(), f.lng(name, QStringLiteral("etErrati.Caption")));
        QVERIFY(!testkit::shown(w->ComandoIconaSi) && !testkit::shown(w->ComandoIconaNo));
        QCOMPARE(QStringList({w->resetMenu->name(), w->aboutMenu->name(), w->leaveMenu->name()}),
                 QStringList({x.reset, x.about, x.leave}));
        for (platform::Menu *m : {w->resetMenu.data(), w->aboutMenu.data(), w->leaveMenu.data()})
            QVERIFY(!m->caption().isEmpty() && m->caption() == f.lng(name, m->name() + QStringLiteral(".Caption")));

        // Each answer shows its face on the one spot and counts, with a sound; the other
        // counter stays as it is.
        QCOMPARE(w->ComandoIconaSi->widget()->geometry(), w->ComandoIconaNo->widget()->geometry());
        const QString design = w->etErrati->caption();
        w->ShowRightAnswer();
        QVERIFY(testkit::shown(w->ComandoIconaSi) && !testkit::shown(w->ComandoIconaNo));
        QCOMPARE(w->etEsatti->caption(), testkit::count("0011", 1));
        QCOMPARE(w->etErrati->caption(), design);
        w->ShowWrongAnswer();
        w->ShowWrongAnswer();
        QVERIFY(testkit::shown(w->ComandoIconaNo) && !testkit::shown(w->ComandoIconaSi));
        QCOMPARE(w->etErrati->caption(), testkit::count("0012", 2));
        QCOMPARE(w->etEsatti->caption(), testkit::count("0011", 1));
        QVERIFY2(f.sounds.size() == 3 && f.sounds[0].contains(QStringLiteral("\\suoni\\si")) &&
                     f.sounds[2].endsWith(QStringLiteral("\\suoni\\no.wav")),
                 qPrintable(f.sounds.join(u' ')));

        // Reset touches the counters only; about shows the about text and nothing else.
        const QString shown = testkit::snapshot(w);
        const QString right = w->etEsatti->caption(), wrong = w->etErrati->caption();
        w->resetMenu->trigger();
        QCOMPARE(w->etEsatti->caption(), testkit::count("0011", 0));
        QCOMPARE(w->etErrati->caption(), testkit::count("0012", 0));
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 0);
        w->aboutMenu->trigger();
        QCOMPARE(f.messages.size(), 1);
        QVERIFY(f.messages[0].text == Messages::aboutText() && f.messages[0].icon == platform::MsgIcon::Information);
        w->etEsatti->setCaption(right);
        w->etErrati->setCaption(wrong);
        QCOMPARE(testkit::snapshot(w), shown);

        // Leaving asks, by the close button as by the menu; No leaves everything as it is.
        f.messages.clear();
        w->window()->close();
        w->leaveMenu->trigger();
        QCOMPARE(f.messages.size(), 2);
        for (const platform::MessageRequest &m : std::as_const(f.messages))
            QVERIFY(m.text == f.lng(QStringLiteral("Strings"), QStringLiteral("0017")) &&
                    m.buttons == platform::MsgButtons::YesNo && m.icon == platform::MsgIcon::Question &&
                    m.title == QLatin1String("Zorvelli"));
        auto *menu = ProgramFixture::window<formMenu>(QStringLiteral("formMenu"));
        QVERIFY(w->isShown() && !menu->isLoaded());
        QCOMPARE(testkit::snapshot(w), shown);

        // Yes: a freshly loaded menu with a colour drawn now, the activity gone with its state,
        // and clicks still on their way to its controls reach nothing.
        QList<QPointer<QWidget>> stale;
        for (platform::Control *c : w->controls())
            if (c->widget())
                stale << c->widget();
        f.answers.push_back(MsgResult::Yes);
        platform::seedRandom(4242);
        if (closeButton)
            w->window()->close();
        else
            w->leaveMenu->trigger();
        QVERIFY(!w->isLoaded());
        QCOMPARE(f.endCount, 0);
        testkit::verifyCoversScreen(menu);
        platform::seedRandom(4242);
        QCOMPARE(menu->backColor(), Modulo1::kBackColours[platform::drawIndex(18)]);
        for (const QPointer<QWidget> &widget : std::as_const(stale))
            if (widget) {
                QTest::mouseClick(widget, Qt::LeftButton);
                QTest::mouseDClick(widget, Qt::LeftButton);
            }
        QCOMPARE(platform::Form::loadedForms(), QList<platform::Form *>{menu});
        QCOMPARE(f.messages.size(), 3);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        w = ProgramFixture::open(name);
        QVERIFY(w);
        QCOMPARE(w->etEsatti->caption(), f.lng(name, QStringLiteral("etEsatti.Caption")));
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstFrame)

#include "tst_frame.moc"
