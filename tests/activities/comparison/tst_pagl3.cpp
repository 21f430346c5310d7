// "quanti sono ?": what the window adds to the frame.

#include "shell/ProgramFixture.h"

#include "activities/comparison/pagl3.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"
#include "shell/Colours.h"

#include <functional>

using testkit::click;
using testkit::ProgramFixture;

namespace {

pagl3 *open()
{
    return ProgramFixture::open<pagl3>(QStringLiteral("pagl3"));
}

// What a turn drawn from a seed shows, in the order the window draws: the block that gives
// the value, the background colour, the attribute, then the nine blocks.
struct Drawn
{
    std::uint32_t colour = 0;
    QString value;
    QStringList blocks, words;
    int count = 0;
};
Drawn drawnFrom(std::uint64_t seed)
{
    Drawn d;
    platform::seedRandom(seed);
    Modulo1::PickRandomBlock();
    d.colour = Modulo1::kBackColours[platform::drawIndex(18)];
    const int attribute = platform::drawIndex(4) + 1;
    d.value = BlockRules::attributeWord(Modulo1::CurrentBlock, attribute);
    for (int k = 0; k < pagl3::kBlocks; ++k) {
        Modulo1::PickRandomBlock();
        d.blocks << Modulo1::CurrentBlock.PicturePath + BlockRules::describe(Modulo1::CurrentBlock);
        d.words << BlockRules::attributeWord(Modulo1::CurrentBlock, attribute);
    }
    d.count = int(d.words.count(d.value));
    return d;
}

// Answers the turn and goes on with "avanti", the next draws fixed by the seed.
void nextTurn(pagl3 *w, std::uint64_t seed)
{
    click(w->NUMERI(w->MatchCount));
    platform::seedRandom(seed);
    click(w->bottoneavanti);
}
// The first turn, from seed 0 on, that has what the test needs, put on screen; counts nothing.
void turnWhere(pagl3 *w, const std::function<bool(const Drawn &)> &wanted)
{
    std::uint64_t seed = 0;
    while (!wanted(drawnFrom(seed)))
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

// The focus mark: a blue dashed line just inside the left edge of the control.
bool focusMarked(platform::Control *c)
{
    const QImage shot = c->widget()->grab().toImage();
    int blue = 0;
    for (int y = 0; y < shot.height(); ++y) {
        const QColor p = shot.pixelColor(4, y);
        blue += p.blue() > 150 && p.red() < 90 && p.green() < 130 ? 1 : 0;
    }
    return blue > shot.height() / 4;
}

} // namespace

class TstPagl3 : public QObject
{
    Q_OBJECT

    ProgramFixture f;

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // Turn after turn: the draws in their order, the word in capitals with its picture found
    // whatever the letter case, nine blocks with their words, any count as drawn (0 too); the
    // word and the hint on white cards that read on every background.
    void turns()
    {
        pagl3 *w = open();
        QVERIFY(w && waitingForAnswer(w));
        for (platform::Label *l : {w->Label1.data(), w->Label2.data()}) // white cards
            QVERIFY(l->isOpaque() && platform::contrastRatio(platform::toQColor(l->foreColor()),
                                                             platform::toQColor(l->backColor())) >= 7);
        QSet<QString> labels;
        QSet<int> counts;
        for (int turn = 0; turn < 150; ++turn) {
            nextTurn(w, turn);
            const Drawn d = drawnFrom(turn);
            QCOMPARE(w->backColor(), d.colour);
            QCOMPARE(w->AttributeValues[0], d.value);
            QCOMPARE(w->Label1->caption(), d.value.toUpper());
            QVERIFY(w->Image2->picture().endsWith(QStringLiteral("\\jpg\\") + d.value.toUpper() +
                                                  QStringLiteral(".jpg")));
            QVERIFY2(!w->Image2->showsPlaceholder(), qPrintable(w->Image2->picture()));
            QCOMPARE(w->Image2->description(), d.value);
            for (int k = 0; k < pagl3::kBlocks; ++k) {
                QCOMPARE(w->Image1(k)->picture() + w->Image1(k)->description(), d.blocks[k]);
                QCOMPARE(w->AttributeValues[k + 1], d.words[k]);
            }
            QCOMPARE(int(w->MatchCount), d.count);
            labels << w->Label1->caption();
            counts << d.count;
        }
        QCOMPARE(labels.size(), 11); // ROTONDO, GRANDE and PICCOLO among them
        QVERIFY(counts.contains(0) && counts.size() >= 8);
        QCOMPARE(Modulo1::WrongCount, std::int16_t(0));
    }

    // Hidden blocks still count ("0", "9", and three of which one is hidden); "ricomincia"
    // brings exactly the same turn back. A wrong number counts at every click; the right one
    // paints its button red, rests all ten (by mouse and by digit key) and wakes "avanti",
    // which brings grey numbers and every block back.
    void answering_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("wrong"); // the blocks still in sight that have the value
        QTest::newRow("no block has it") << 0 << 9;
        QTest::newRow("all nine have it") << 9 << 8;
        QTest::newRow("three have it") << 3 << 2;
    }
    void answering()
    {
        QFETCH(int, count);
        QFETCH(int, wrong);
        pagl3 *w = open();
        QVERIFY(w);
        turnWhere(w, [count](const Drawn &d) { return d.count == count; });
        const QString turn = testkit::snapshot(w);
        click(w->Image1(5));
        click(w->Image1(6));
        QVERIFY(!testkit::shown(w->Image1(5)) && !testkit::shown(w->Image1(6)));
        click(w->Command1);
        QCOMPARE(testkit::snapshot(w), turn);

        int hidden = 4; // the first block that has the value, if any
        for (int k = pagl3::kBlocks - 1; k >= 0; --k)
            hidden = w->AttributeValues[k + 1] == w->AttributeValues[0] ? k : hidden;
        click(w->Image1(hidden));
        QVERIFY(!testkit::shown(w->Image1(hidden)));
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
        click(w->Command1);
        QVERIFY(testkit::shown(w->Image1(hidden)));
        click(w->Image1(8));

        click(w->bottoneavanti);
        QVERIFY(waitingForAnswer(w) && testkit::shown(w->Image1(8)));
        QVERIFY(testkit::shown(w->ComandoIconaSi)); // the last face stays
    }

    // By keyboard: Tab shows a focus mark, hiding the focused block hands the focus on, a
    // digit key answers wherever the focus is and letters do nothing; after a right answer the
    // keyboard goes on at "avanti" and, after it, at the first block. The hand shows over
    // everything that can be clicked.
    void keyboard()
    {
        pagl3 *w = open();
        QVERIFY(w);
        QList<platform::Control *> clickable{w->Command1, w->bottoneavanti, w->Image1(8), w->NUMERI(9)};
        for (platform::Control *c : clickable)
            QVERIFY2(c->widget()->cursor().shape() == Qt::BitmapCursor, qPrintable(c->name()));
        w->window()->activateWindow(); // the offscreen screen activates no window by itself
        QVERIFY(QTest::qWaitForWindowActive(w->window()));
        turnWhere(w, [](const Drawn &d) { return d.count >= 1 && d.count <= 8; });

        w->Image1(0)->SetFocus();
        QVERIFY(!focusMarked(w->Image1(0))); // not for the mouse user
        QTest::keyClick(w->window(), Qt::Key_Tab);
        QTest::keyClick(w->window(), Qt::Key_Backtab);
        QVERIFY(w->Image1(0)->hasFocus() && focusMarked(w->Image1(0)) && !focusMarked(w->Image1(1)));
        QTest::keyClick(w->Image1(0)->widget(), Qt::Key_Space);
        QVERIFY(!testkit::shown(w->Image1(0)) && w->Image1(1)->hasFocus());

        const QString turn = testkit::snapshot(w);
        QTest::keyClicks(w->Image1(1)->widget(), QStringLiteral("a-+"));
        QCOMPARE(testkit::snapshot(w), turn);
        w->NUMERI(0)->widget()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w->NUMERI(0)->widget(), char('0' + (w->MatchCount + 1) % 10));
        QCOMPARE(Modulo1::WrongCount, std::int16_t(1));
        const int answer = w->MatchCount;
        QTest::keyClick(w->Image1(3)->widget(), char('0' + answer));
        QCOMPARE(w->NUMERI(answer)->backColor(), Colours::kRed);
        QVERIFY(w->bottoneavanti->hasFocus());
        QTest::keyClick(w->bottoneavanti->widget(), Qt::Key_Space);
        QVERIFY(waitingForAnswer(w) && w->Image1(0)->hasFocus());
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstPagl3)

#include "tst_pagl3.moc"
