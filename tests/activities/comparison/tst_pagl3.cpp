// "quanti sono ?": what the window adds to the frame.

#include "shell/ProgramFixture.h"

#include "activities/comparison/pagl3.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"
#include "shell/Colours.h"

#include <functional>

using testkit::click;
using testkit::ProgramFixture;
using testkit::shown;

namespace {

pagl3 *open()
{
    return ProgramFixture::open<pagl3>(QStringLiteral("pagl3"));
}

// The answer of the turn a seed draws: the value's block, the colour, the attribute, then the
// nine blocks.
int countFrom(std::uint64_t seed)
{
    platform::seedRandom(seed);
    Modulo1::PickRandomBlock();
    platform::drawIndex(18);
    const int attribute = platform::drawIndex(4) + 1;
    const QString value = BlockRules::attributeWord(Modulo1::CurrentBlock, attribute);
    int n = 0;
    for (int k = 0; k < pagl3::kBlocks; ++k) {
        Modulo1::PickRandomBlock();
        n += BlockRules::attributeWord(Modulo1::CurrentBlock, attribute) == value ? 1 : 0;
    }
    return n;
}

// Answers the turn and goes on with "avanti", the next draws fixed by the seed.
void nextTurn(pagl3 *w, std::uint64_t seed)
{
    click(w->NUMERI(w->MatchCount));
    platform::seedRandom(seed);
    click(w->bottoneavanti);
}
// The first turn, from seed 0 on, that has what the test needs, put on screen; counts nothing.
void turnWhere(pagl3 *w, const std::function<bool(int)> &wanted)
{
    std::uint64_t seed = 0;
    while (!wanted(countFrom(seed)))
        ++seed;
    nextTurn(w, seed);
    w->ResetCounters();
}

bool waitingForAnswer(pagl3 *w)
{
    for (int i = 0; i < pagl3::kNumbers; ++i)
        if (!w->NUMERI(i)->widget()->isEnabled() || w->NUMERI(i)->backColor() != Colours::kLightGrey)
            return false;
    return !w->bottoneavanti->widget()->isEnabled();
}

} // namespace

class TstPagl3 : public QObject
{
    Q_OBJECT

    ProgramFixture f;

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // Turn after turn: the value in capitals with its picture found whatever the letter case,
    // the nine blocks' words of its attribute, and the answer as they give it, 0 too.
    void turns()
    {
        pagl3 *w = open();
        QVERIFY(w && waitingForAnswer(w));
        QSet<QString> labels;
        QSet<int> counts;
        for (int turn = 0; turn < 150; ++turn) {
            nextTurn(w, turn);
            QCOMPARE(int(w->MatchCount), countFrom(turn));
            const QString value = w->AttributeValues[0];
            QCOMPARE(w->Label1->caption(), value.toUpper());
            QVERIFY(w->Image2->picture().endsWith(QStringLiteral("\\jpg\\") + value.toUpper() +
                                                  QStringLiteral(".jpg")));
            QVERIFY2(!w->Image2->showsPlaceholder(), qPrintable(w->Image2->picture()));
            int n = 0;
            for (int k = 0; k < pagl3::kBlocks; ++k) {
                const int a = w->ConditionAttribute;
                QCOMPARE(w->AttributeValues[k + 1], w->Image1(k)->description().section(u' ', a - 1, a - 1));
                n += w->AttributeValues[k + 1] == value ? 1 : 0;
            }
            QCOMPARE(int(w->MatchCount), n);
            labels << w->Label1->caption();
            counts << n;
        }
        QCOMPARE(labels.size(), 11); // ROTONDO, GRANDE and PICCOLO among them
        QVERIFY(counts.contains(0) && counts.size() >= 8);
    }

    // Hidden blocks still count; "ricomincia" brings exactly the same turn back. A wrong number
    // counts at every click; the right one paints its button red, rests all ten (by mouse and
    // by digit key) and wakes "avanti", which brings grey numbers and every block back.
    void answering_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("wrong"); // the blocks still in sight that have the value
        QTest::newRow("no block has it") << 0 << 9;
        QTest::newRow("all nine have it, one hidden") << 9 << 8;
    }
    void answering()
    {
        QFETCH(int, count);
        QFETCH(int, wrong);
        pagl3 *w = open();
        QVERIFY(w);
        turnWhere(w, [count](int n) { return n == count; });
        const QString turn = testkit::snapshot(w);
        click(w->Image1(5));
        click(w->Image1(6));
        QVERIFY(!shown(w->Image1(5)) && !shown(w->Image1(6)));
        click(w->Command1);
        QCOMPARE(testkit::snapshot(w), turn);

        click(w->Image1(0));
        QVERIFY(!shown(w->Image1(0)));
        const QString hiddenOne = testkit::board(w);
        click(w->NUMERI(wrong));
        click(w->NUMERI(wrong));
        QCOMPARE(Modulo1::WrongCount, std::int16_t(2));
        QCOMPARE(testkit::board(w), hiddenOne);

        click(w->NUMERI(count));
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
        for (int i = 0; i < pagl3::kNumbers; ++i) {
            QVERIFY(!w->NUMERI(i)->widget()->isEnabled());
            QCOMPARE(w->NUMERI(i)->backColor(), i == count ? Colours::kRed : Colours::kLightGrey);
        }
        QVERIFY(w->bottoneavanti->widget()->isEnabled());
        QTest::keyClick(w->window(), char('0' + wrong));
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 3);

        click(w->bottoneavanti);
        QVERIFY(waitingForAnswer(w) && shown(w->Image1(0)));
    }

    // By keyboard: hiding the focused block hands the focus on, a digit key answers wherever
    // the focus is and other keys do nothing; after a right answer the keyboard goes on at
    // "avanti" and, after it, at the first block.
    void keyboard()
    {
        pagl3 *w = open();
        QVERIFY(w);
        w->window()->activateWindow(); // the offscreen screen activates no window by itself
        QVERIFY(QTest::qWaitForWindowActive(w->window()));
        turnWhere(w, [](int n) { return n >= 1 && n <= 8; });

        w->Image1(0)->SetFocus();
        QTest::keyClick(w->Image1(0)->widget(), Qt::Key_Space);
        QVERIFY(!shown(w->Image1(0)) && w->Image1(1)->hasFocus());

        const QString turn = testkit::snapshot(w);
        QTest::keyClicks(w->Image1(1)->widget(), QStringLiteral("a-+"));
        QCOMPARE(testkit::snapshot(w), turn);
        w->NUMERI(0)->widget()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w->NUMERI(0)->widget(), char('0' + (w->MatchCount + 1) % 10));
        QCOMPARE(Modulo1::WrongCount, std::int16_t(1));
        QTest::keyClick(w->Image1(3)->widget(), char('0' + w->MatchCount));
        QCOMPARE(w->NUMERI(w->MatchCount)->backColor(), Colours::kRed);
        QVERIFY(w->bottoneavanti->hasFocus());
        QTest::keyClick(w->bottoneavanti->widget(), Qt::Key_Space);
        QVERIFY(waitingForAnswer(w) && w->Image1(0)->hasFocus());
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstPagl3)

#include "tst_pagl3.moc"
