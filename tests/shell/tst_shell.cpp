// The shell, on a classroom whiteboard of 1024 x 768, driven through its windows: the splash,
// the main menu and the shared messages; the language files against the windows; the shared
// block state (random blocks, feedback sounds, counters, block rules); the frame of every
// activity (counters and faces, reset, about, leaving by the menu or the close button);
// readable texts and buttons on every background colour; no caption cut off anywhere.

#include "shell/ProgramFixture.h"

#include "platform/CheckBox.h"
#include "shell/BlockRules.h"
#include "shell/Colours.h"
#include "shell/FormAvvio.h"
#include "shell/Messages.h"

#include <QAction>
#include <QScopeGuard>
#include <QSet>
#include <QSettings>

using platform::contrastRatio;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::toQColor;
using testkit::captionOf;
using testkit::click;
using testkit::keyOf;
using testkit::ProgramFixture;

namespace {

// Every message asked to leave (the text of the given identifier, yes or no, as a question).
void verifyLeaveQuestions(const ProgramFixture &f, const char *id)
{
    for (const platform::MessageRequest &m : std::as_const(f.messages))
        QVERIFY(m.text == f.lng(QStringLiteral("Strings"), QLatin1String(id)) &&
                m.buttons == MsgButtons::YesNo && m.icon == MsgIcon::Question &&
                m.title == QLatin1String("Zorvelli"));
}

// The smallest activity there is: the frame, "avanti" and a question.
class TenthActivity : public ActivityFrame
{
public:
    TenthActivity() : ActivityFrame(QStringLiteral("formProva"), {}) {}
    int questions = 0;

protected:
    void createWindowControls() override
    {
        setDesignSize(9000, 6000);
        addNextButton(6000, 4800, 2400, 900, 20);
    }
    FramePlacement framePlacement() const override
    {
        return {QRectF(600, 600, 2400, 600), QRectF(600, 1320, 2400, 600), QPointF(3600, 600)};
    }
    void firstQuestion() override { ++questions; }
};

// Menu buttons that overlap one another, the sound switch or the exit button, or stick out of
// the window.
void verifyMenuButtonsApart(formMenu *menu)
{
    QList<QRect> places{menu->Command5->widget()->geometry(), menu->Check1->widget()->geometry()};
    for (platform::CommandButton *b : menu->activityButtons()) {
        const QRect r = b->widget()->geometry();
        QVERIFY(b->widget()->parentWidget()->rect().contains(r));
        for (const QRect &other : std::as_const(places))
            QVERIFY2(!r.intersects(other), qPrintable(b->name()));
        places << r;
    }
}

// The ink of a painted control: the pixel that stands out most from the given colour.
QColor strongestInk(const QImage &shot, const QColor &face)
{
    QColor best = face;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (contrastRatio(shot.pixelColor(x, y), face) > contrastRatio(best, face))
                best = shot.pixelColor(x, y);
    return best;
}

} // namespace

class TstShell : public QObject
{
    Q_OBJECT

    ProgramFixture f;

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // A splash that does not fill the screen or cannot be left: a click on it, its blocks too,
    // opens the menu, except on the date (its pictures: tst_screens).
    void splash_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("opensMenu");
        QTest::newRow("background") << QString() << true;
        QTest::newRow("a block") << QStringLiteral("Image3") << true;
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
        verifyLeaveQuestions(f, "0001");
    }

    // Two activities open at once after a quick double click: a click on the menu that is
    // leaving does nothing.
    void clickOnLeavingMenu()
    {
        formMenu *menu = ProgramFixture::menu();
        QPointer<QWidget> other = menu->buttonFor(QStringLiteral("FORM2"))->widget();
        click(menu->buttonFor(QStringLiteral("form1")));
        QVERIFY(!menu->isLoaded() && other);
        QTest::mouseClick(other, Qt::LeftButton);
        QCOMPARE(platform::Form::loadedForms(), QList<platform::Form *>{Forms::get(QStringLiteral("form1"))});
    }

    // A language switch that misses the tick or the saved setting: the menu lists the languages
    // the program comes with, only the current one ticked and the others plain entries ("*"
    // ticked, "+" checkable); the one picked is kept in LangSetting.ini.
    void languageMenu()
    {
        formMenu *menu = ProgramFixture::menu();
        for (const QString &language : {QStringLiteral("Italiano"), QStringLiteral("English")}) {
            if (language != QLatin1String("Italiano"))
                testkit::languageEntry(menu, language)->trigger();
            QStringList listed, expected;
            for (platform::Control *c : menu->controlArray(QStringLiteral("mnuLanguage"))) {
                auto *entry = qobject_cast<platform::Menu *>(c);
                listed << QStringLiteral("%1%2%3").arg(
                    entry->checked() ? "*" : "", entry->action()->isCheckable() ? "+" : "", entry->caption());
            }
            for (const QString &name : ProgramFixture::languages())
                expected << (name == language ? QStringLiteral("*+") : QString()) + name;
            QCOMPARE(listed, expected);
        }
        QCOMPARE(modLanguageSupport::GetIniValue(f.path(QStringLiteral("LangSetting.ini")),
                                                 QStringLiteral("Language"),
                                                 QStringLiteral("CurrentLanguage")),
                 QStringLiteral("English"));
    }

    // A text left in Italian after a switch, or a translation that lands nowhere: every design
    // caption has its key in the language files (the Italian one giving it back unchanged), and every
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
                if (design.trimmed().isEmpty() || c->name() == QLatin1String("mnuLanguage") ||
                    captions[keyOf(c)].size() > 1)
                    continue;
                needed << keyOf(c) + QStringLiteral(".Caption");
                QCOMPARE(f.lng(e.name, needed.last()), design);
            }
            w->Unload();
            known += needed;
            // Every language has the Italian file's keys (tst_assets): each names a text of the
            // window, and gives one.
            QSettings file(f.path(QStringLiteral("Italiano.lng")), QSettings::IniFormat);
            file.beginGroup(e.name);
            for (const QString &key : file.childKeys())
                for (const QString &language : ProgramFixture::languages())
                    QVERIFY2(known.contains(key) && !f.lng(e.name, key, language).isEmpty(),
                             qPrintable(language + u' ' + e.name + u' ' + key));
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
        QCOMPARE(f.messages.value(0).text,
                 "riga 1\r\nriga 4\r\n\r\n-----------------------\r\n" + Messages::kCredits);
        QVERIFY(f.messages[0].buttons == MsgButtons::Ok && f.messages[0].icon == MsgIcon::Information);
    }

    // A wrong picture, or a block that never comes up: colour, shape, size, thickness, one draw
    // each, name each of the 48 pictures. The names need no language file: without one the
    // pictures are found all the same, and the names are the words shown.
    void pickRandomBlock()
    {
        const QStringList shapes{"rotondo", "quadrato", "rettangolo", "triangolo"},
            colours{"rosso", "giallo", "blu"}, sizes{"grande", "piccolo"}, thicknesses{"spesso", "sottile"};
        for (const bool languageFile : {true, false}) {
            if (!languageFile)
                platform::ApplicationPath = f.path(QStringLiteral("elsewhere"));
            QSet<QString> seen;
            for (int seed = 0; seed < 400; ++seed) {
                platform::seedRandom(seed);
                const int c = platform::drawIndex(3), s = platform::drawIndex(4), z = platform::drawIndex(2),
                          t = platform::drawIndex(2);
                platform::seedRandom(seed);
                const std::uint64_t before = platform::randomDrawCount();
                Modulo1::PickRandomBlock();
                const BlockAttributes &b = Modulo1::CurrentBlock;
                QCOMPARE(QStringList({b.Colour, b.Shape, b.Size, b.Thickness}),
                         QStringList({colours[c], shapes[s], sizes[z], thicknesses[t]}));
                QCOMPARE(
                    b.PicturePath,
                    platform::ApplicationPath +
                        QStringLiteral("\\jpg\\%1\\%2%3%4.JPG").arg(b.Colour, b.Shape, b.Size, b.Thickness));
                QCOMPARE(platform::randomDrawCount(), before + 4);
                seen.insert(b.PicturePath);
            }
            QCOMPARE(seen.size(), 48);
        }
        const BlockAttributes &b = Modulo1::CurrentBlock; // without a language file, the words are the names
        QCOMPARE(Modulo1::describe(b), QStringList({b.Shape, b.Colour, b.Size, b.Thickness}).join(u' '));
        QVERIFY(f.messages.isEmpty());
    }

    // Sounds with the switch off, the wrong file, or one jingle that never plays: no sound and
    // no draw when off, no.wav for a wrong answer, one draw among si1..si4 for a right one.
    void feedbackSounds()
    {
        Modulo1::SoundEnabled = false;
        Modulo1::PlayRightSound();
        Modulo1::PlayWrongSound();
        QVERIFY(f.sounds.isEmpty());
        Modulo1::SoundEnabled = true;
        Modulo1::PlayWrongSound();
        QCOMPARE(f.sounds, QStringList{platform::ApplicationPath + QStringLiteral("\\suoni\\no.wav")});
        for (int seed = 0; seed < 20; ++seed) {
            platform::seedRandom(seed);
            const QString jingle = platform::ApplicationPath +
                                   QStringLiteral("\\suoni\\si%1.wav").arg(platform::drawIndex(4) + 1);
            platform::seedRandom(seed);
            const std::uint64_t before = platform::randomDrawCount();
            Modulo1::PlayRightSound();
            QVERIFY(f.sounds.takeLast() == jingle && platform::randomDrawCount() == before + 1);
        }
    }

    // A background that never comes up, or a colour not in the table: over many draws every one
    // of the 18 entries is drawn, and nothing else. Two entries hold the same pink, which comes
    // up about twice as often as any other colour.
    void everyBackgroundDrawn()
    {
        const QSet<std::uint32_t> table(std::begin(Modulo1::kBackColours), std::end(Modulo1::kBackColours));
        const std::uint32_t pink = Colours::rgb(255, 192, 255);
        platform::seedRandom(7);
        QHash<std::uint32_t, int> drawn;
        const int calls = 18 * 400;
        for (int call = 0; call < calls; ++call)
            ++drawn[Modulo1::PickRandomBackColor()];
        QCOMPARE(QSet<std::uint32_t>(drawn.keyBegin(), drawn.keyEnd()), table);
        for (auto it = drawn.cbegin(); it != drawn.cend(); ++it) {
            const int expected = (it.key() == pink ? 2 : 1) * calls / 18;
            QVERIFY2(qAbs(it.value() - expected) < expected / 4, qPrintable(QString::number(it.key(), 16)));
        }
    }

    // Questions about the wrong attribute, flips that do not flip, a table cell swapped, a
    // counter that wraps round to a negative number after 32767 right answers.
    void blockRulesAndCounters()
    {
        using namespace BlockRules;
        const BlockAttributes b{"blu", "triangolo", "piccolo", "spesso", {}};
        QCOMPARE(QStringList({attributeWord(b, 0), attributeWord(b, Shape), attributeWord(b, Colour),
                              attributeWord(b, Size), attributeWord(b, Thickness), attributeWord(b, 5)}),
                 QStringList({"", "triangolo", "blu", "piccolo", "spesso", ""}));
        QCOMPARE(Modulo1::describe(b), QStringLiteral("triangolo blu piccolo spesso"));
        QCOMPARE(QStringList({flipSize("grande"), flipSize("piccolo"), flipSize({}), flipThickness("spesso"),
                              flipThickness("sottile"), flipThickness("thin", "thick", "thin"),
                              flipThickness("spesso", "thick", "thin"), flipSize("Grande"),
                              flipThickness("SOTTILE"), flipThickness("Thin", "thick", "thin")}),
                 // A word that differs only in letter case is another word.
                 QStringList({"piccolo", "grande", "grande", "sottile", "spesso", "thick", "thick", "grande",
                              "spesso", "thick"}));
        QCOMPARE(QList<int>({tableCell(true, true), tableCell(true, false), tableCell(false, true),
                             tableCell(false, false)}),
                 QList<int>({0, 1, 2, 3}));
        const int rows[][3] = {{0, -1, -1}, {32766, 1, 32767}, {32767, 1, 32767}, {-5, -100000, -32768}};
        for (const auto &[start, delta, expected] : rows) {
            auto counter = std::int16_t(start);
            Modulo1::addToCount(counter, delta);
            QCOMPARE(int(counter), expected);
        }
    }

    // A window registered twice, or an activity missing from the menu or out of its place:
    // the one list gives every window once, and the nine activities their buttons in this order.
    void windowList()
    {
        QStringList seen, activities;
        for (const ProgramWindows::Entry &e : ProgramWindows::all()) {
            QVERIFY2(!seen.contains(e.name), qPrintable(e.name));
            seen << e.name;
            QVERIFY(e.menuButton.name.isEmpty() || !e.menuButton.caption.isEmpty());
            if (!e.menuButton.name.isEmpty())
                activities << e.name + u' ' + e.menuButton.name;
        }
        QCOMPARE(Forms::registeredNames(), seen);
        // The nine, in this order; an activity added later may stand anywhere among them.
        const QStringList nine{"form1 Command1",     "FORM2 Command2",       "pagl3 Command3",
                               "pagl7 Command4",     "pagl9 Command7",       "pagl8 Command9",
                               "FormTrova Command8", "FormDomino Command10", "FormDomino2 Command11"};
        activities.removeIf([&](const QString &a) { return !nine.contains(a); });
        QCOMPARE(activities, nine);
    }

    // A tenth activity gets a button of its own that fits beside the others, opens from it and
    // has the whole frame.
    void tenthActivity()
    {
        const QString name = QStringLiteral("formProva");
        Forms::registerForm(name, [] { return new TenthActivity; },
                            {QStringLiteral("Command12"), QStringLiteral("prova"), Colours::kWhite, {}});
        const auto forget = qScopeGuard([&] { Forms::unregisterForm(name); });
        formMenu *menu = ProgramFixture::menu();
        const QList<platform::CommandButton *> buttons = menu->activityButtons();
        QCOMPARE(buttons.size(), 10);
        QCOMPARE(buttons.last()->caption(), QStringLiteral("prova"));
        verifyMenuButtonsApart(menu);
        auto *w = static_cast<TenthActivity *>(ProgramFixture::open(name));
        QVERIFY(w);
        QCOMPARE(w->questions, 1);
        w->ShowRightAnswer();
        QCOMPARE(w->etEsatti->caption(), testkit::count("0011", 1));
        QVERIFY(w->bottoneavanti && !w->bottoneavanti->enabled());
        f.leave(w);
        QVERIFY(menu->isShown());
    }

    // The frame on every activity of the window list, as each window's settings ask.
    void frame_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("closeButton"); // how the window is finally left
        for (const QString &name : ProgramWindows::activityNames())
            for (const bool closeButton : {false, true})
                QTest::addRow("%s, %s", qPrintable(name), closeButton ? "close button" : "menu")
                    << name << closeButton;
    }
    void frame()
    {
        QFETCH(QString, name);
        QFETCH(bool, closeButton);

        // A background drawn from the table where the window has none of its own (a game started
        // at load may draw another).
        auto *w = ProgramFixture::window<ActivityFrame>(name);
        platform::seedRandom(11);
        w->Load();
        platform::seedRandom(11);
        if (w->settings().frameSetsBackColour &&
            w->settings().firstQuestionAt != ActivitySettings::When::AtLoad)
            QCOMPARE(w->backColor(), Modulo1::kBackColours[platform::drawIndex(18)]);
        w->Unload();

        // Opened from the menu: full screen, counters at 0 showing their captions, no face.
        Modulo1::RightCount = 7; // left over from another activity
        Modulo1::WrongCount = 3;
        w = ProgramFixture::open(name);
        QVERIFY(w);
        testkit::verifyCoversScreen(w);
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 0);
        QCOMPARE(w->etEsatti->caption(), f.lng(name, QStringLiteral("etEsatti.Caption")));
        QCOMPARE(w->etErrati->caption(), f.lng(name, QStringLiteral("etErrati.Caption")));
        QVERIFY(!testkit::shown(w->ComandoIconaSi) && !testkit::shown(w->ComandoIconaNo));

        // Each answer shows its face and counts, with a sound; the other counter stays as it is.
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
        QVERIFY(f.messages[0].text == Messages::aboutText() &&
                f.messages[0].icon == platform::MsgIcon::Information);
        w->etEsatti->setCaption(right);
        w->etErrati->setCaption(wrong);
        QCOMPARE(testkit::snapshot(w), shown);

        // Leaving asks, by the close button as by the menu; No leaves everything as it is.
        f.messages.clear();
        w->window()->close();
        w->leaveMenu->trigger();
        QCOMPARE(f.messages.size(), 2);
        verifyLeaveQuestions(f, "0017");
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

    // Every text on every activity window, the counters first, reads on all background colours.
    void textReadableOnEveryBackground()
    {
        QStringList problems;
        // The splash's name, large, reads at 3:1; its date at 4.5:1.
        auto *splash = ProgramFixture::window<FormAvvio>(QStringLiteral("FormAvvio"));
        QSet<std::uint32_t> seen;
        for (int seed = 0; seen.size() < 17 && seed < 1000; ++seed) {
            platform::seedRandom(seed);
            splash->Load();
            const QColor ground = toQColor(splash->backColor());
            seen << splash->backColor();
            if (contrastRatio(toQColor(splash->Label1->foreColor()), ground) < 3 ||
                contrastRatio(toQColor(splash->Label2->foreColor()), ground) < 4.5)
                problems << QStringLiteral("FormAvvio ") + QString::number(splash->backColor(), 16);
            splash->Unload();
        }
        QCOMPARE(seen.size(), 17);
        for (const ProgramWindows::Entry &e : ProgramWindows::all()) {
            if (e.menuButton.name.isEmpty())
                continue; // the splash (above) and the menu (its switches: below)
            platform::Form *w = Forms::get(e.name);
            w->Show();
            for (const std::uint32_t colour : Modulo1::kBackColours) {
                w->setBackColor(colour);
                for (platform::Control *c : w->controls()) {
                    auto *label = qobject_cast<platform::Label *>(c);
                    if (!label || label->caption().trimmed().isEmpty())
                        continue;
                    const QColor ground = toQColor(label->isOpaque() ? label->backColor() : colour);
                    if (contrastRatio(toQColor(label->foreColor()), ground) < 4.5)
                        problems << e.name + u' ' + label->name() + u' ' + QString::number(colour, 16);
                }
            }
            w->Unload();
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));

        auto *w = ProgramFixture::open(QStringLiteral("form1"));
        QVERIFY(w);
        w->setBackColor(Modulo1::kBackColours[0]);
        for (platform::Label *counter : {w->etEsatti.data(), w->etErrati.data()}) {
            // As painted: the badge behind the text is there.
            const QImage shot = counter->widget()->grab().toImage();
            QCOMPARE(shot.pixelColor(shot.width() / 2, 2), toQColor(counter->backColor()));
        }
    }

    // Resting buttons that look pressable, or look focused; a right answer's button that is
    // not plainly red, is hard to read, or vanishes on a red background.
    void restingAndChosenButtons()
    {
        auto *w = ProgramFixture::open<form1>(QStringLiteral("form1"));
        QVERIFY(w);
        const auto look = [](platform::CommandButton *b) { return b->widget()->grab().toImage(); };
        const auto inkContrast = [](const QImage &shot, const QColor &face) {
            return contrastRatio(strongestInk(shot.copy(shot.rect().adjusted(8, 8, -8, -8)), face), face);
        };
        // How colourful the most colourful pixel is.
        const auto colourfulness = [](const QImage &shot) {
            int most = 0;
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x) {
                    const QColor c = shot.pixelColor(x, y);
                    most = qMax(most, qMax(c.red(), qMax(c.green(), c.blue())) -
                                          qMin(c.red(), qMin(c.green(), c.blue())));
                }
            return most;
        };
        const QImage resting = look(w->bottoneavanti);
        const QColor restingFace = resting.pixelColor(resting.width() / 2, 6);
        // Grey all over: face, caption and arrow; the caption there but faint.
        QVERIFY2(colourfulness(resting) < 24, qPrintable(QString::number(colourfulness(resting))));
        QVERIFY(inkContrast(resting, restingFace) > 1.5 && inkContrast(resting, restingFace) < 3.5);
        // Its edge is one plain line, nothing like the dashed focus mark.
        QSet<QRgb> edge;
        for (int x = resting.width() / 4; x < resting.width() * 3 / 4; ++x)
            edge << resting.pixel(x, 0);
        QCOMPARE(edge.size(), 1);

        const bool equal = w->ComparedValue[1] == w->ComparedValue[2];
        platform::CommandButton *chosen = equal ? w->UGUALI : w->DIVERSI,
                                *other = equal ? w->DIVERSI : w->UGUALI;
        click(chosen);
        const QImage awake = look(w->bottoneavanti);
        QVERIFY(colourfulness(awake) > 100 && inkContrast(awake, toQColor(Colours::kAvanti)) >= 7);
        QVERIFY(w->bottoneavanti->hasFocus()); // what to press next
        const QImage otherLook = look(other);
        QVERIFY(!other->widget()->isEnabled() &&
                inkContrast(otherLook, otherLook.pixelColor(otherLook.width() / 2, 8)) < 3.5);

        // Plainly red, and readable, while it rests.
        QVERIFY(!chosen->widget()->isEnabled());
        const QImage shot = look(chosen);
        const QColor face = shot.pixelColor(shot.width() / 2, shot.height() / 4);
        QCOMPARE(face, toQColor(Colours::kRed));
        QVERIFY(inkContrast(shot, face) >= 4.5);
        // Its rim stands out on every background, the red one too.
        for (const std::uint32_t colour : Modulo1::kBackColours) {
            w->setBackColor(colour);
            const QImage rim = look(chosen);
            double best = 0;
            for (int y = 0; y < 6; ++y)
                best = qMax(best, contrastRatio(rim.pixelColor(rim.width() / 2, y), toQColor(colour)));
            QVERIFY2(best >= 3, qPrintable(QString::number(colour, 16)));
        }
    }

    // A sound switch that lies, or is lost on the menu's colour: it shows the sounds on after
    // start-up, on the menu's colour, whatever that is.
    void soundSwitchShowsOnEveryBackground()
    {
        formMenu *menu = ProgramFixture::menu();
        QVERIFY(menu->Check1->value() == 1 && menu->Check1->backColor() == menu->backColor());
        auto *box = qobject_cast<QCheckBox *>(menu->Check1->widget());
        for (const std::uint32_t colour : Modulo1::kBackColours)
            for (const int ticked : {0, 1}) {
                menu->Check1->setBackColor(colour);
                menu->Check1->setValue(ticked);
                const QImage shot = box->grab().toImage();
                const QColor ground = toQColor(colour);
                // The box: a light inside and a dark edge, one of which stands out from the colour.
                const int side = QFontMetrics(box->font()).height();
                const QColor inside = shot.pixelColor(4 + side / 5, box->height() / 2 - side / 3);
                const QColor edge = shot.pixelColor(5, box->height() / 2);
                QVERIFY2(qMax(contrastRatio(inside, ground), contrastRatio(edge, ground)) >= 3,
                         qPrintable(QString::number(colour, 16)));
                QVERIFY(contrastRatio(strongestInk(shot, ground), ground) >= 4.5);
            }
    }

    // Nothing cut off and nothing off the screen, in every window of the program; no two of the
    // menu's buttons on top of each other.
    void nothingClips()
    {
        QStringList problems;
        for (const ProgramWindows::Entry &e : ProgramWindows::all()) {
            platform::Form *w = Forms::get(e.name);
            w->Show();
            problems += testkit::clipped(w);
            w->Unload();
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        verifyMenuButtonsApart(ProgramFixture::menu());
    }
};

ZORVELLI_WINDOW_TEST_MAIN_AT(TstShell, 1024, 768)

#include "tst_shell.moc"
