// "quanti sono ?", played the way a child plays it: what the window adds to the frame.

#include "shell/ProgramFixture.h"

#include "activities/comparison/pagl3.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"
#include "shell/Colours.h"

#include <QAccessible>
#include <functional>

using testkit::click;
using testkit::ProgramFixture;

namespace {

pagl3 *open()
{
    return ProgramFixture::open<pagl3>(QStringLiteral("pagl3"));
}

QList<int> matching(pagl3 *w, bool wanted = true)
{
    QList<int> ks;
    for (int k = 0; k < pagl3::kBlocks; ++k)
        if ((w->AttributeValues[k + 1] == w->AttributeValues[0]) == wanted)
            ks << k;
    return ks;
}

// Answers the turn on screen and goes on with "avanti", the next draws fixed by the seed.
void nextTurn(pagl3 *w, std::uint64_t seed)
{
    click(w->NUMERI(w->MatchCount));
    platform::seedRandom(seed);
    click(w->bottoneavanti);
}

// What a turn drawn from a seed shows, in the order the window draws: the block that gives
// the value, the background colour, the attribute, then the nine blocks.
struct Drawn
{
    std::uint32_t colour = 0;
    int attribute = 0;
    QString value;
    QList<BlockAttributes> blocks;
    int count = 0;
};

Drawn drawnFrom(std::uint64_t seed)
{
    Drawn d;
    platform::seedRandom(seed);
    Modulo1::PickRandomBlock();
    d.colour = Modulo1::kBackColours[platform::drawIndex(18)];
    d.attribute = platform::drawIndex(4) + 1;
    d.value = BlockRules::attributeWord(Modulo1::CurrentBlock, d.attribute);
    for (int k = 0; k < pagl3::kBlocks; ++k) {
        Modulo1::PickRandomBlock();
        d.blocks << Modulo1::CurrentBlock;
        d.count += BlockRules::attributeWord(Modulo1::CurrentBlock, d.attribute) == d.value ? 1 : 0;
    }
    return d;
}

// The first turn, from seed 0 on, that has what the test needs, put on screen by clicks.
std::uint64_t turnWhere(pagl3 *w, const std::function<bool(const Drawn &)> &wanted)
{
    for (std::uint64_t seed = 0; seed < 100000; ++seed)
        if (wanted(drawnFrom(seed))) {
            nextTurn(w, seed);
            w->ResetCounters(); // the way there counts nothing
            return seed;
        }
    qFatal("no such turn");
}

bool waitingForAnswer(pagl3 *w)
{
    for (int i = 0; i < pagl3::kNumbers; ++i)
        if (!w->NUMERI(i)->widget()->isEnabled() || w->NUMERI(i)->backColor() != Colours::kLightGrey)
            return false;
    return !w->bottoneavanti->widget()->isEnabled() && w->Command1->widget()->isEnabled();
}

int visibleBlocks(pagl3 *w)
{
    int n = 0;
    w->Image1.forEach([&](platform::Image *b) { n += testkit::shown(b) ? 1 : 0; });
    return n;
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

void typeKey(pagl3 *w, char key)
{
    QTest::keyClick(w->window(), key);
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
    // whatever the letter case, nine blocks with their words, any count as drawn.
    void turns()
    {
        pagl3 *w = open();
        QVERIFY(w);
        QVERIFY(waitingForAnswer(w) && visibleBlocks(w) == 9);
        QCOMPARE(w->Label2->caption(), f.lng(QStringLiteral("pagl3"), QStringLiteral("Label2.Caption")));
        QSet<QString> labels;
        QSet<int> counts;
        for (int turn = 0; turn < 150; ++turn) {
            nextTurn(w, turn);
            const Drawn d = drawnFrom(turn);
            QCOMPARE(w->backColor(), d.colour);
            QCOMPARE(int(w->ConditionAttribute), d.attribute);
            QCOMPARE(w->AttributeValues[0], d.value);
            QCOMPARE(w->Label1->caption(), d.value.toUpper());
            QVERIFY(w->Image2->picture().endsWith(QStringLiteral("\\jpg\\") + d.value.toUpper() +
                                                  QStringLiteral(".jpg")));
            QVERIFY2(w->Image2->hasPicture() && !w->Image2->showsPlaceholder(),
                     qPrintable(w->Image2->picture()));
            QCOMPARE(w->Image2->description(), d.value);
            for (int k = 0; k < pagl3::kBlocks; ++k) {
                QCOMPARE(w->Image1(k)->picture(), d.blocks[k].PicturePath);
                QCOMPARE(w->Image1(k)->description(), BlockRules::describe(d.blocks[k]));
                QVERIFY(!w->Image1(k)->showsPlaceholder());
                QCOMPARE(w->AttributeValues[k + 1], BlockRules::attributeWord(d.blocks[k], d.attribute));
            }
            const int count = d.count;
            QCOMPARE(int(w->MatchCount), count);
            QVERIFY(waitingForAnswer(w) && visibleBlocks(w) == 9);
            labels << w->Label1->caption();
            counts << count;
        }
        QCOMPARE(labels.size(), 11); // ROTONDO, GRANDE and PICCOLO among them
        QVERIFY(counts.contains(0) && counts.size() >= 8);
        QCOMPARE(Modulo1::WrongCount, std::int16_t(0));
    }

    // "0" and "9": wrong answers count and change nothing else; the right one paints its
    // button red, rests all ten and wakes "avanti", which brings everything back.
    void answering_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("no block has it") << 0;
        QTest::newRow("all nine have it") << 9;
    }
    void answering()
    {
        QFETCH(int, count);
        pagl3 *w = open();
        QVERIFY(w);
        turnWhere(w, [count](const Drawn &d) { return d.count == count; });
        QCOMPARE(int(w->MatchCount), count);
        click(w->Image1(4)); // hidden blocks still count
        const int wrong = 9 - count;
        click(w->NUMERI(wrong));
        QVERIFY(testkit::shown(w->ComandoIconaNo));
        const QString turn = testkit::snapshot(w);
        click(w->NUMERI(wrong));
        QCOMPARE(Modulo1::WrongCount, std::int16_t(2));
        QCOMPARE(w->etErrati->caption(), testkit::count("0012", 2));
        w->etErrati->setCaption(testkit::count("0012", 1));
        QCOMPARE(testkit::snapshot(w), turn); // the same turn, answerable again

        click(w->NUMERI(count));
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
        QVERIFY(testkit::shown(w->ComandoIconaSi) && !testkit::shown(w->ComandoIconaNo));
        for (int i = 0; i < pagl3::kNumbers; ++i) {
            QVERIFY(!w->NUMERI(i)->widget()->isEnabled());
            QCOMPARE(w->NUMERI(i)->backColor(), i == count ? Colours::kRed : Colours::kLightGrey);
        }
        QVERIFY(w->bottoneavanti->widget()->isEnabled() && w->Command1->widget()->isEnabled());
        // Answered: numbers take nothing, by mouse or key; blocks still hide and come back.
        click(w->NUMERI(count));
        click(w->NUMERI(wrong));
        typeKey(w, char('0' + wrong));
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 3);
        click(w->Image1(0));
        QCOMPARE(visibleBlocks(w), 7);
        click(w->Command1);
        QCOMPARE(visibleBlocks(w), 9);
        click(w->Image1(8));

        click(w->bottoneavanti);
        QVERIFY(waitingForAnswer(w));
        QCOMPARE(visibleBlocks(w), 9);
        QVERIFY(testkit::shown(w->ComandoIconaSi)); // the last face stays
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 3);
    }

    // Hiding a block that has the value does not change the answer.
    void hidingKeepsTheCount()
    {
        pagl3 *w = open();
        QVERIFY(w);
        turnWhere(w, [](const Drawn &d) { return d.count == 3; });
        const int hidden = matching(w).first();
        click(w->Image1(hidden));
        QVERIFY(!testkit::shown(w->Image1(hidden)));
        click(w->NUMERI(2));
        QCOMPARE(Modulo1::WrongCount, std::int16_t(1));
        click(w->NUMERI(3));
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
        QCOMPARE(w->NUMERI(3)->backColor(), Colours::kRed);
    }

    // "ricomincia" shows every block again and changes nothing else; a double click hides a
    // block once; a click where a block was hidden does nothing.
    void ricomincia()
    {
        pagl3 *w = open();
        QVERIFY(w);
        for (const bool answered : {false, true}) {
            if (answered)
                click(w->NUMERI(w->MatchCount));
            const QString before = testkit::snapshot(w);
            testkit::doubleClick(w->Image1(2));
            click(w->Image1(5));
            click(w->Image1(6));
            QCOMPARE(visibleBlocks(w), 6);
            const QPoint spot = w->Image1(2)->widget()->geometry().center();
            const QString hidden = testkit::snapshot(w);
            QTest::mouseClick(w->surface(), Qt::LeftButton, {}, spot);
            QCOMPARE(testkit::snapshot(w), hidden);
            click(w->Command1);
            QCOMPARE(testkit::snapshot(w), before);
            click(w->Command1); // nothing hidden: nothing changes
            QCOMPARE(testkit::snapshot(w), before);
        }
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 1);
    }

    // By keyboard: Tab in reading order, Space presses, the digit keys press the numbers,
    // and after a right answer the keyboard goes on at "avanti".
    void keyboard()
    {
        pagl3 *w = open();
        QVERIFY(w);
        w->window()->activateWindow(); // the offscreen screen activates no window by itself
        QVERIFY(QTest::qWaitForWindowActive(w->window()));
        turnWhere(w, [](const Drawn &d) { return d.count >= 1 && d.count <= 8; });
        QList<QWidget *> expected;
        for (int k = 0; k < 5; ++k)
            expected << w->Image1(k)->widget();
        expected << w->Command1->widget();
        for (int k = 5; k < 9; ++k)
            expected << w->Image1(k)->widget();
        expected << w->bottoneavanti->widget();
        for (int i = 0; i < pagl3::kNumbers; ++i)
            expected << w->NUMERI(i)->widget();
        w->bottoneavanti->setEnabled(true); // to see its place in the order
        QList<QWidget *> order{expected.first()};
        for (QWidget *next = order.last()->nextInFocusChain(); next != order.first();
             next = next->nextInFocusChain())
            if (next->focusPolicy() & Qt::TabFocus)
                order << next;
        w->bottoneavanti->setEnabled(false);
        QCOMPARE(order, expected);

        // Tab shows where the keyboard is; a block hidden by keyboard hands the focus on.
        w->Image1(0)->SetFocus();
        QVERIFY(!focusMarked(w->Image1(0))); // not for the mouse user
        QTest::keyClick(w->window(), Qt::Key_Tab);
        QTest::keyClick(w->window(), Qt::Key_Backtab);
        QVERIFY(w->Image1(0)->hasFocus() && focusMarked(w->Image1(0)) && !focusMarked(w->Image1(1)));
        QTest::keyClick(w->Image1(0)->widget(), Qt::Key_Space);
        QVERIFY(!testkit::shown(w->Image1(0)));
        QVERIFY(w->Image1(1)->hasFocus() && focusMarked(w->Image1(1)));
        w->NUMERI(4)->SetFocus();
        QVERIFY(focusMarked(w->NUMERI(4)));
        testkit::press(w->Command1);
        QCOMPARE(visibleBlocks(w), 9);
        // A digit, wherever the focus is: on a number button, or on a block.
        w->NUMERI(0)->widget()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w->NUMERI(0)->widget(), char('0' + (w->MatchCount + 1) % 10));
        QCOMPARE(Modulo1::WrongCount, std::int16_t(1));
        w->Image1(3)->widget()->setFocus(Qt::TabFocusReason);
        const int answer = w->MatchCount;
        QTest::keyClick(w->Image1(3)->widget(), char('0' + answer));
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
        QCOMPARE(w->NUMERI(answer)->backColor(), Colours::kRed);
        QVERIFY(w->bottoneavanti->hasFocus());
        QTest::keyClick(w->bottoneavanti->widget(), Qt::Key_Space);
        QVERIFY(waitingForAnswer(w));
        QVERIFY(w->Image1(0)->hasFocus());
        // Letters and other keys press nothing.
        const QString turn = testkit::snapshot(w);
        QTest::keyClicks(w->window(), QStringLiteral("a-+ "));
        QCOMPARE(testkit::snapshot(w), turn);
    }

    // The hand pointer over what can be clicked; the word and its picture are named for
    // assistive technology; the hint and the picture of the word take no clicks.
    void pointerAndNames()
    {
        pagl3 *w = open();
        QVERIFY(w);
        QList<platform::Control *> clickable{w->Command1, w->bottoneavanti};
        w->Image1.forEach([&](platform::Image *b) { clickable << b; });
        w->NUMERI.forEach([&](platform::CommandButton *b) { clickable << b; });
        for (platform::Control *c : clickable)
            QVERIFY2(c->widget()->cursor().shape() == Qt::BitmapCursor, qPrintable(c->name()));
        for (platform::Control *c : QList<platform::Control *>{w->Image2, w->Label2, w->Label1})
            QVERIFY(!(c->widget()->focusPolicy() & Qt::TabFocus));
        QCOMPARE(QAccessible::queryAccessibleInterface(w->Image2->widget())->text(QAccessible::Name),
                 w->AttributeValues[0]);
        QCOMPARE(QAccessible::queryAccessibleInterface(w->Image1(8)->widget())->text(QAccessible::Name),
                 w->Image1(8)->description());
        QCOMPARE(QAccessible::queryAccessibleInterface(w->NUMERI(7)->widget())->text(QAccessible::Name),
                 QStringLiteral("7"));
    }

    // At 1920 x 1080: large blocks in two rows, the small picture beside the word, the two
    // buttons in a column at the right, number buttons at least 1 cm wide under the blocks,
    // nothing to press near the bottom.
    void layout()
    {
        pagl3 *w = open();
        QVERIFY(w);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const auto box = [](platform::Control *c) {
            return QRect(c->widget()->mapToGlobal(QPoint(0, 0)), c->widget()->size());
        };
        const double cm = QGuiApplication::primaryScreen()->logicalDotsPerInchX() / 2.54;
        int blocksRight = 0, blocksBottom = 0;
        for (int k = 0; k < pagl3::kBlocks; ++k) {
            const QRect b = box(w->Image1(k));
            QVERIFY(b.width() >= 200 && qAbs(b.width() - b.height()) <= b.width() / 50);
            QCOMPARE(b.top(), box(w->Image1(k < 5 ? 0 : 5)).top());
            if (k != 0 && k != 5)
                QVERIFY(box(w->Image1(k - 1)).right() < b.left());
            blocksRight = qMax(blocksRight, b.right());
            blocksBottom = qMax(blocksBottom, b.bottom());
        }
        QVERIFY(box(w->Image1(0)).bottom() < box(w->Image1(5)).top());
        const QRect label = box(w->Label1), picture = box(w->Image2);
        QVERIFY(label.right() < picture.left() && picture.width() * 3 / 2 < box(w->Image1(0)).width());
        QVERIFY(picture.bottom() < box(w->Image1(0)).top());
        const QRect again = box(w->Command1), next = box(w->bottoneavanti);
        QVERIFY(again.left() > blocksRight && again.bottom() < next.top() && next.bottom() < blocksBottom);
        for (int i = 0; i < pagl3::kNumbers; ++i) {
            const QRect n = box(w->NUMERI(i));
            QVERIFY(n.width() >= cm && n.top() > blocksBottom && screen.contains(n));
            if (i > 0)
                QVERIFY(box(w->NUMERI(i - 1)).right() < n.left());
        }
        QVERIFY(box(w->etEsatti).top() > box(w->NUMERI(0)).bottom() &&
                box(w->Label2).top() > box(w->NUMERI(0)).bottom());
        // The word and the hint stand on white cards: readable on every background colour.
        for (platform::Label *l : {w->Label1.data(), w->Label2.data()}) {
            QVERIFY(l->isOpaque());
            QVERIFY(platform::contrastRatio(platform::toQColor(l->foreColor()),
                                            platform::toQColor(l->backColor())) >= 7);
        }
        for (platform::Control *c : w->controls())
            if (c->widget() && (c->widget()->focusPolicy() & Qt::TabFocus))
                QVERIFY2(box(c).bottom() < screen.height() * 0.85, qPrintable(c->name()));
    }

    // Missing pictures, the word's included: the placeholder stands in and the turn goes on.
    void missingPictures()
    {
        QVERIFY(QFile::remove(f.path(QStringLiteral("jpg"))));
        pagl3 *w = open();
        QVERIFY(w);
        QVERIFY(w->Image2->showsPlaceholder());
        w->Image1.forEach(
            [](platform::Image *b) { QVERIFY(b->showsPlaceholder() && !b->description().isEmpty()); });
        click(w->Image1(1));
        click(w->NUMERI(w->MatchCount));
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
        click(w->bottoneavanti);
        QVERIFY(waitingForAnswer(w));
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstPagl3)

#include "tst_pagl3.moc"
