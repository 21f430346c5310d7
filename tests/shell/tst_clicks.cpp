// Clicks as young children give them, on every answer of the nine activities: a double click
// answers once (also where its first click brings a new turn or a new screen), two slow clicks
// answer twice, and double clicks one after the other count one answer each.

#include "shell/ProgramFixture.h"

#include "platform/Frame.h"

using testkit::answer;
using testkit::click;
using testkit::ProgramFixture;

namespace {

// Where a child clicks the control, in its window.
QPoint middleOf(platform::Control *c)
{
    return c->widget()->mapTo(c->widget()->window(), c->widget()->rect().center());
}

// Two presses within the desktop's double-click interval, through the window as the toolkit
// gets them: the first click may bring another turn, or another screen, before the second.
void doubleClick(platform::Control *c)
{
    QWidget *top = c->widget()->window();
    QTest::mouseDClick(top->windowHandle(), Qt::LeftButton, {}, middleOf(c));
}

int answers()
{
    return Modulo1::RightCount + Modulo1::WrongCount;
}

} // namespace

class TstClicks : public QObject
{
    Q_OBJECT

    ProgramFixture f;

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // A right answer double-clicked that is also judged on the turn it brought (the sad face
    // for a right answer), or a wrong one counted twice; slow clicks that count once.
    void answerButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("right");
        // Answers that two slow clicks count: a right answer rests its button (form1, pagl3,
        // FormTrova) or brings a turn the second click is judged on.
        QTest::addColumn<int>("slowCounted");
        const struct
        {
            const char *name;
            int slowRight;
        } windows[] = {{"form1", 1}, {"FORM2", 2},     {"pagl3", 1},      {"pagl7", 2},      {"pagl9", 2},
                       {"pagl8", 2}, {"FormTrova", 1}, {"FormDomino", 2}, {"FormDomino2", 2}};
        for (const auto &w : windows) {
            QTest::addRow("%s right", w.name) << QString::fromLatin1(w.name) << true << w.slowRight;
            QTest::addRow("%s wrong", w.name) << QString::fromLatin1(w.name) << false << 2;
        }
    }
    void answerButtons()
    {
        QFETCH(QString, name);
        QFETCH(bool, right);
        QFETCH(int, slowCounted);
        for (const bool slow : {false, true}) {
            ActivityFrame *w = nullptr;
            platform::Control *target = nullptr;
            for (int seed = 1; !target; ++seed) { // a turn that has the answer asked for
                platform::seedRandom(seed);
                if (w)
                    f.leave(w);
                w = ProgramFixture::open(name);
                QVERIFY(w);
                target = answer(w, right);
            }
            const QString before = testkit::board(w);
            if (slow) { // two clicks slower than a double click, on the same spot
                QWindow *top = target->widget()->window()->windowHandle();
                const QPoint at = middleOf(target);
                QTest::mouseClick(top, Qt::LeftButton, {}, at);
                QTest::mouseClick(top, Qt::LeftButton, {}, at);
                QCOMPARE(answers(), slowCounted);
                if (!right)
                    QCOMPARE(int(Modulo1::WrongCount), 2);
            } else {
                doubleClick(target);
                QCOMPARE(int(Modulo1::RightCount), right ? 1 : 0);
                QCOMPARE(int(Modulo1::WrongCount), right ? 0 : 1);
                if (!right) {
                    QCOMPARE(testkit::board(w), before); // and nothing else happened
                    // A second double click right after is one more answer: none is swallowed.
                    doubleClick(target);
                    QCOMPARE(int(Modulo1::WrongCount), 2);
                }
            }
            f.leave(w);
        }
    }

    // "avanti" double-clicked brings one new turn, not two; "ricomincia" and the help act once.
    void avanti()
    {
        for (const char *name : {"form1", "pagl3", "pagl7", "FormTrova"}) {
            platform::seedRandom(5);
            auto *w = ProgramFixture::open(QLatin1String(name));
            QVERIFY(w);
            const auto finish = [&] {
                while (!w->bottoneavanti->widget()->isEnabled())
                    click(answer(w, true));
            };
            finish();
            std::uint64_t drawn = platform::randomDrawCount();
            click(w->bottoneavanti);
            const std::uint64_t oneTurn = platform::randomDrawCount() - drawn;
            finish();
            const int counted = answers();
            drawn = platform::randomDrawCount();
            doubleClick(w->bottoneavanti);
            QVERIFY2(platform::randomDrawCount() - drawn <= oneTurn + 2, name); // + a background redrawn
            QCOMPARE(answers(), counted);
            QVERIFY(!w->bottoneavanti->widget()->isEnabled());
            f.leave(w);
        }
    }

    // A double click on a menu button opens the activity, and its second press does nothing
    // on the activity's first screen, whatever lies there; so does one on the splash.
    void newScreen_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : ProgramWindows::activityNames())
            QTest::newRow(qPrintable(name)) << name;
    }
    void newScreen()
    {
        QFETCH(QString, name);
        formMenu *menu = ProgramFixture::menu();
        const BlockAttributes last = Modulo1::CurrentBlock; // the table's game is named after it
        platform::seedRandom(9);
        click(menu->buttonFor(name));
        auto *w = ProgramFixture::window<ActivityFrame>(name);
        QVERIFY(w->isShown());
        const QString single = testkit::snapshot(w);
        f.leave(w);

        Modulo1::CurrentBlock = last;
        platform::seedRandom(9);
        doubleClick(menu->buttonFor(name));
        w = ProgramFixture::window<ActivityFrame>(name);
        QVERIFY(w->isShown() && !menu->isLoaded());
        QCOMPARE(testkit::snapshot(w), single);
        QCOMPARE(answers(), 0);
    }
};

ZORVELLI_WINDOW_TEST_MAIN_AT(TstClicks, 1024, 768)

#include "tst_clicks.moc"
