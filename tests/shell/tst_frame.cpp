// The frame every activity window shares, checked on every window the program registers:
// menus, counters and faces, reset, about, leave, the close button, and when each window
// resets its counters and sets up its first question.

#include "shell/ProgramFixture.h"

#include "platform/Random.h"
#include "shell/Messages.h"

#include <QRegularExpression>

using platform::MsgResult;
using testkit::ProgramFixture;
using When = ActivitySettings::When;

namespace {

struct Expected
{
    const char *window, *button, *reset, *about, *leave;
    bool backColourAtLoad;
    When resetAt, firstQuestionAt;
};

// What each window's frame must be, row by row.
const Expected kWindows[] = {
    {"form1", "Command1", "mnu1", "mnu3", "mnuEsci", true, When::AtActivation, When::AtActivation},
    {"FORM2", "Command2", "mnu1", "mnu3", "mnuFine", true, When::AtActivation, When::AtActivation},
    {"pagl3", "Command3", "mnu1", "mnu3", "mnuEsci", true, When::AtActivation, When::AtActivation},
    {"pagl7", "Command4", "mnu1", "mnu3", "mnuFine", false, When::AtLoad, When::AtLoad},
    {"pagl9", "Command7", "mnu1", "mnu3", "mnuEsci", false, When::AtLoad, When::AtLoad},
    {"pagl8", "Command9", "mnu1", "mnu3", "mnuEsci", false, When::AtLoad, When::AtLoad},
    {"FormTrova", "Command8", "MenuAzzera", "MenuInformazioni", "mnuEsci", true, When::AtLoad, When::AtLoad},
    {"FormDomino", "Command10", "MenuAzzera", "MenuInformazioni", "mnuEsci", true, When::AtLoad, When::AtLoad},
    {"FormDomino2", "Command11", "MenuAzzera", "MenuInformazioni", "mnuEsci", true, When::AtLoad, When::AtLoad},
};

const Expected *expected(const QString &window)
{
    for (const Expected &e : kWindows)
        if (window == QLatin1String(e.window))
            return &e;
    return nullptr;
}

} // namespace

class TstFrame : public QObject
{
    Q_OBJECT

    ProgramFixture f;

    static void addWindowRows()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : ProgramWindows::activityNames())
            QTest::newRow(qPrintable(name)) << name;
    }

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // Every activity of the list has its frame row and its menu button, and no other window does.
    void windowList()
    {
        QStringList seen;
        for (const ProgramWindows::Entry &e : ProgramWindows::all()) {
            QVERIFY2(!seen.contains(e.name), qPrintable(e.name));
            seen << e.name;
            const Expected *x = expected(e.name);
            QCOMPARE(bool(x), !e.menuButton.isEmpty());
            QCOMPARE(ActivitySettings::exists(e.name), bool(x));
            if (x)
                QCOMPARE(e.menuButton, QLatin1String(x->button));
        }
        QCOMPARE(Forms::registeredNames(), seen);
        for (const Expected &x : kWindows) {
            const ActivitySettings s = ActivitySettings::forWindow(QLatin1String(x.window));
            QCOMPARE(s.resetMenuName, QLatin1String(x.reset));
            QCOMPARE(s.aboutMenuName, QLatin1String(x.about));
            QCOMPARE(s.leaveMenuName, QLatin1String(x.leave));
            QCOMPARE(s.frameSetsBackColour, x.backColourAtLoad);
            QCOMPARE(s.resetCountersAt, x.resetAt);
            QCOMPARE(s.firstQuestionAt, x.firstQuestionAt);
        }
    }

    void opening_data() { addWindowRows(); }
    void opening()
    {
        QFETCH(QString, name);
        const Expected *x = expected(name);
        Modulo1::RightCount = 7; // left over from another activity
        Modulo1::WrongCount = 3;

        // Loaded but not yet active: only the windows that start at load have reset and asked.
        auto *w = ProgramFixture::window<ActivityFrame>(name);
        const std::uint64_t before = platform::randomDrawCount();
        w->Load();
        const int backDraws = x->backColourAtLoad ? 1 : 0;
        const bool atLoad = x->firstQuestionAt == When::AtLoad;
        QCOMPARE(Modulo1::RightCount == 0, x->resetAt == When::AtLoad);
        QCOMPARE(int(platform::randomDrawCount() - before) > backDraws, atLoad);
        if (!atLoad && x->backColourAtLoad) { // the one draw is the colour
            platform::seedRandom(11);
            w->Unload();
            w->Load();
            platform::seedRandom(11);
            QCOMPARE(w->backColor(), Modulo1::kBackColours[platform::drawIndex(18)]);
        }
        w->Unload();

        // Opened from the menu: full screen, counters at 0 and showing their captions, no face,
        // the frame's menus translated.
        Modulo1::RightCount = 7;
        w = ProgramFixture::open(name);
        QVERIFY(w);
        testkit::verifyCoversScreen(w);
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 0);
        QCOMPARE(w->etEsatti->caption(), f.lng(name, QStringLiteral("etEsatti.Caption")));
        QCOMPARE(w->etErrati->caption(), f.lng(name, QStringLiteral("etErrati.Caption")));
        QVERIFY(!testkit::shown(w->ComandoIconaSi) && !testkit::shown(w->ComandoIconaNo));
        for (platform::Menu *m : {w->resetMenu.data(), w->aboutMenu.data(), w->leaveMenu.data()}) {
            QCOMPARE(m->caption(), f.lng(name, m->name() + QStringLiteral(".Caption")));
            QVERIFY(!m->caption().isEmpty());
        }
        QCOMPARE(w->resetMenu->name(), QLatin1String(x->reset));
        QCOMPARE(w->aboutMenu->name(), QLatin1String(x->about));
        QCOMPARE(w->leaveMenu->name(), QLatin1String(x->leave));
        // The faces lie on one spot.
        QCOMPARE(w->ComandoIconaSi->widget()->geometry(), w->ComandoIconaNo->widget()->geometry());
    }

    void countersAndFaces_data() { addWindowRows(); }
    void countersAndFaces()
    {
        QFETCH(QString, name);
        auto *w = ProgramFixture::open(name);
        QVERIFY(w);
        const QString design = w->etEsatti->caption();
        w->ShowWrongAnswer();
        w->ShowWrongAnswer();
        QVERIFY(testkit::shown(w->ComandoIconaNo) && !testkit::shown(w->ComandoIconaSi));
        QCOMPARE(w->etErrati->caption(), testkit::count("0012", 2));
        QCOMPARE(w->etEsatti->caption(), design);
        w->ShowRightAnswer();
        QVERIFY(testkit::shown(w->ComandoIconaSi) && !testkit::shown(w->ComandoIconaNo));
        QCOMPARE(w->etEsatti->caption(), testkit::count("0011", 1));

        // Reset touches the counters only; about shows the about text; neither touches the rest.
        const QString before = testkit::snapshot(w);
        const QString right = w->etEsatti->caption(), wrong = w->etErrati->caption();
        w->resetMenu->trigger();
        QCOMPARE(w->etEsatti->caption(), testkit::count("0011", 0));
        QCOMPARE(w->etErrati->caption(), testkit::count("0012", 0));
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 0);
        w->aboutMenu->trigger();
        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, Messages::aboutText());
        QCOMPARE(f.messages[0].icon, platform::MsgIcon::Information);
        w->etEsatti->setCaption(right);
        w->etErrati->setCaption(wrong);
        QCOMPARE(testkit::snapshot(w), before);
        w->ShowRightAnswer();
        QCOMPARE(w->etEsatti->caption(), testkit::count("0011", 1));

        // The counters stop at the top of their 16-bit range.
        Modulo1::WrongCount = 32766;
        w->ShowWrongAnswer();
        w->ShowWrongAnswer();
        QCOMPARE(w->etErrati->caption(), testkit::count("0012", 32767));

        // One jingle for a right answer, the gentle sound for a wrong one; none with sounds off.
        const QRegularExpression jingle(QStringLiteral(R"(\\suoni\\si[1-4]\.wav$)"));
        QVERIFY2(f.sounds.size() == 6 && jingle.match(f.sounds[2]).hasMatch(), qPrintable(f.sounds.join(u' ')));
        QVERIFY(f.sounds[0].endsWith(QStringLiteral("\\suoni\\no.wav")));
        Modulo1::SoundEnabled = false;
        f.sounds.clear();
        w->ShowRightAnswer();
        w->ShowWrongAnswer();
        QVERIFY(f.sounds.isEmpty());
    }

    void leaving_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("closeButton");
        QTest::addColumn<MsgResult>("answer");
        for (const QString &name : ProgramWindows::activityNames())
            for (const bool closeButton : {false, true})
                for (const MsgResult answer : {MsgResult::No, MsgResult::Yes})
                    QTest::addRow("%s, %s, %s", qPrintable(name), closeButton ? "close button" : "menu",
                                  answer == MsgResult::Yes ? "yes" : "no")
                        << name << closeButton << answer;
    }
    void leaving()
    {
        QFETCH(QString, name);
        QFETCH(bool, closeButton);
        QFETCH(MsgResult, answer);
        auto *w = ProgramFixture::open(name);
        QVERIFY(w);
        w->ShowRightAnswer();
        const QString before = testkit::snapshot(w);
        f.answers.push_back(answer);
        platform::seedRandom(4242);
        if (closeButton)
            w->window()->close();
        else
            w->leaveMenu->trigger();

        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, f.lng(QStringLiteral("Strings"), QStringLiteral("0017")));
        QCOMPARE(f.messages[0].buttons, platform::MsgButtons::YesNo);
        QCOMPARE(f.messages[0].icon, platform::MsgIcon::Question);
        QCOMPARE(f.messages[0].title, QStringLiteral("Zorvelli"));
        QCOMPARE(f.endCount, 0);
        auto *menu = ProgramFixture::window<formMenu>(QStringLiteral("formMenu"));
        if (answer == MsgResult::No) {
            QVERIFY(w->isShown() && !menu->isLoaded());
            QCOMPARE(testkit::snapshot(w), before);
            return;
        }
        // A freshly loaded menu with a colour drawn now; the activity is gone with its state.
        QVERIFY(!w->isLoaded());
        QCOMPARE(platform::Form::loadedForms(), QList<platform::Form *>{menu});
        testkit::verifyCoversScreen(menu);
        platform::seedRandom(4242);
        QCOMPARE(menu->backColor(), Modulo1::kBackColours[platform::drawIndex(18)]);
        w = ProgramFixture::open(name);
        QVERIFY(w);
        QCOMPARE(w->etEsatti->caption(), f.lng(name, QStringLiteral("etEsatti.Caption")));
        QCOMPARE(Modulo1::RightCount, std::int16_t(0));
    }

    // A click that arrives while a window is on its way out reaches nothing.
    void clicksAfterLeaving_data() { addWindowRows(); }
    void clicksAfterLeaving()
    {
        QFETCH(QString, name);
        auto *w = ProgramFixture::open(name);
        QVERIFY(w);
        QList<QPointer<QWidget>> stale;
        for (platform::Control *c : w->controls())
            if (c->widget())
                stale << c->widget();
        f.answers.push_back(MsgResult::Yes);
        w->leaveMenu->trigger();
        QVERIFY(!w->isLoaded());
        for (const QPointer<QWidget> &widget : std::as_const(stale))
            if (widget) {
                QTest::mouseClick(widget, Qt::LeftButton);
                QTest::mouseDClick(widget, Qt::LeftButton);
            }
        QCOMPARE(platform::Form::loadedForms(),
                 QList<platform::Form *>{ProgramFixture::window(QStringLiteral("formMenu"))});
        QCOMPARE(f.messages.size(), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstFrame)

#include "tst_frame.moc"
