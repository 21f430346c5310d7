// "insiemi", played the way a child plays it: what the window adds to the frame.

#include "shell/ProgramFixture.h"

#include "activities/comparison/FORM2.h"
#include "platform/Pictures.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"

#include <QAccessible>
#include <functional>

using testkit::click;
using testkit::ProgramFixture;

namespace {

FORM2 *open()
{
    return ProgramFixture::open<FORM2>(QStringLiteral("FORM2"));
}

bool matches(FORM2 *w, int k)
{
    return w->AttributeValues[k + 1] == w->AttributeValues[0];
}

QList<int> matching(FORM2 *w, bool wanted = true)
{
    QList<int> ks;
    for (int k = 0; k < 4; ++k)
        if (matches(w, k) == wanted)
            ks << k;
    return ks;
}

// Finishes the turn on screen as a child would, in either mode, the draws of the next turn
// fixed by the seed.
void nextTurn(FORM2 *w, std::uint64_t seed)
{
    QList<platform::Image *> left;
    for (int k : matching(w))
        if (w->Image1(k)->hasPicture())
            left << w->Image1(k);
    platform::Control *last =
        w->AutoCheck ? static_cast<platform::Control *>(left.takeLast()) : w->Command1.data();
    for (platform::Image *block : left)
        click(block);
    platform::seedRandom(seed);
    click(last);
}

// The first turn, from seed 0 on, that has what the test needs; its seed is then known.
std::uint64_t turnWhere(FORM2 *w, const std::function<bool(FORM2 *)> &wanted)
{
    for (std::uint64_t seed = 0; seed < 5000; ++seed) {
        nextTurn(w, seed);
        if (wanted(w)) {
            w->ResetCounters(); // the search counts nothing
            return seed;
        }
    }
    qFatal("no such turn");
}

// What the turn shows: the word, the colour, the row and the set.
QString turnState(FORM2 *w)
{
    QStringList s{w->Label1->caption(), QString::number(w->backColor(), 16), QString::number(w->MovedCount)};
    for (int k = 0; k < 4; ++k)
        s << w->Image1(k)->picture() << w->insieme(k)->picture();
    return s.join(u'|');
}

int shownPlaces(FORM2 *w)
{
    int n = 0;
    w->insieme.forEach([&](platform::Image *p) { n += p->hasPicture() ? 1 : 0; });
    return n;
}

} // namespace

class TstFORM2 : public QObject
{
    Q_OBJECT

    ProgramFixture f;

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // Turn after turn: the draws in their order, the redraw of a turn without a matching
    // block, the word in capitals, the blocks with their words, an empty set.
    void turns()
    {
        FORM2 *w = open();
        QVERIFY(w);
        QCOMPARE(w->AutoCheck, false);
        QVERIFY(w->mnuControlloNo->checked() && !w->mnuControlloSi->checked() && testkit::shown(w->Command1));
        QSet<QString> labels;
        int redrawn = 0;
        for (int turn = 0; turn < 150; ++turn) {
            nextTurn(w, turn);
            platform::seedRandom(turn);
            platform::drawIndex(4); // the jingle of the right answer
            for (int attempt = 0;; ++attempt) {
                const std::uint32_t colour = Modulo1::kBackColours[platform::drawIndex(18)];
                Modulo1::PickRandomBlock();
                const int a = platform::drawIndex(4) + 1;
                const QString value = BlockRules::attributeWord(Modulo1::CurrentBlock, a);
                QStringList pictures, words, descriptions;
                int matchCount = 0;
                for (int k = 0; k < 4; ++k) {
                    Modulo1::PickRandomBlock();
                    pictures << Modulo1::CurrentBlock.PicturePath;
                    descriptions << BlockRules::describe(Modulo1::CurrentBlock);
                    words << BlockRules::attributeWord(Modulo1::CurrentBlock, a);
                    matchCount += words.last() == value ? 1 : 0;
                }
                if (matchCount == 0)
                    continue;
                redrawn += attempt > 0 ? 1 : 0;
                QCOMPARE(w->backColor(), colour);
                QCOMPARE(int(w->ConditionAttribute), a);
                QCOMPARE(w->Label1->caption(), value.toUpper());
                QCOMPARE(w->AttributeValues[0], value);
                QCOMPARE(int(w->MatchCount), matchCount);
                for (int k = 0; k < 4; ++k) {
                    QCOMPARE(w->Image1(k)->picture(), pictures[k]);
                    QVERIFY(!w->Image1(k)->showsPlaceholder());
                    QCOMPARE(w->Image1(k)->description(), descriptions[k]);
                    QCOMPARE(w->AttributeValues[k + 1], words[k]);
                }
                break;
            }
            QCOMPARE(int(w->MovedCount), 0);
            QCOMPARE(shownPlaces(w), 0);
            labels << w->Label1->caption();
        }
        QVERIFY(redrawn > 0);
        QVERIFY(labels.contains(QStringLiteral("GRANDE")) && labels.contains(QStringLiteral("PICCOLO")));
        QCOMPARE(labels.size(), 11); // every value of every attribute
        QCOMPARE(Modulo1::RightCount, std::int16_t(150));
        QCOMPARE(Modulo1::WrongCount, std::int16_t(0));
    }

    // Four matching blocks need four moves, in either mode; places fill from the left.
    void allFourMatch()
    {
        FORM2 *w = open();
        QVERIFY(w);
        const std::uint64_t seed = turnWhere(w, [](FORM2 *t) { return t->MatchCount == 4; });
        for (const bool automatic : {false, true}) {
            if (automatic)
                w->mnuControlloSi->trigger();
            nextTurn(w, seed);
            QCOMPARE(int(w->MatchCount), 4);
            const int right = Modulo1::RightCount;
            QStringList moved;
            for (int k : {2, 0, 3, 1}) {
                moved << w->Image1(k)->picture();
                click(w->Image1(k));
                if (moved.size() == 4)
                    break;
                QVERIFY(!w->Image1(k)->hasPicture());
                QCOMPARE(shownPlaces(w), moved.size());
                QCOMPARE(w->insieme(moved.size() - 1)->picture(), moved.last());
            }
            if (!automatic) {
                // Complete, and nothing is judged until "Fatto".
                QCOMPARE(int(Modulo1::RightCount), right);
                QCOMPARE(shownPlaces(w), 4);
                for (int p = 0; p < 4; ++p)
                    QCOMPARE(w->insieme(p)->picture(), moved[p]);
                click(w->Command1);
            }
            QCOMPARE(int(Modulo1::RightCount), right + 1);
            QVERIFY(testkit::shown(w->ComandoIconaSi));
            QCOMPARE(shownPlaces(w), 0); // the next turn
            QCOMPARE(int(w->MovedCount), 0);
        }
        QCOMPARE(Modulo1::WrongCount, std::int16_t(0));
    }

    // "Fatto" before the set is complete is wrong and changes nothing else; after, right.
    void fattoBeforeAndAfter()
    {
        FORM2 *w = open();
        QVERIFY(w);
        turnWhere(w, [](FORM2 *t) { return t->MatchCount >= 2; });
        const QList<int> ks = matching(w);
        click(w->Command1); // nothing moved yet
        QCOMPARE(Modulo1::WrongCount, std::int16_t(1));
        QVERIFY(testkit::shown(w->ComandoIconaNo));
        for (int i = 0; i < ks.size(); ++i) {
            click(w->Image1(ks[i]));
            const QString before = turnState(w);
            if (i + 1 < ks.size()) {
                click(w->Command1);
                QCOMPARE(Modulo1::WrongCount, std::int16_t(2 + i));
                QCOMPARE(w->etErrati->caption(), testkit::count("0012", 2 + i));
                QCOMPARE(turnState(w), before);
            }
        }
        // The last block moved: nothing judged yet, and the set stays.
        QCOMPARE(Modulo1::RightCount, std::int16_t(0));
        QCOMPARE(shownPlaces(w), ks.size());
        platform::seedRandom(1);
        click(w->Command1);
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
        QVERIFY(testkit::shown(w->ComandoIconaSi) && !testkit::shown(w->ComandoIconaNo));
        QCOMPARE(shownPlaces(w), 0);
        QVERIFY(w->MatchCount >= 1);
        // A second "Fatto" on the fresh turn is wrong again.
        click(w->Command1);
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
    }

    // Wrong blocks count at every click; a double click acts once; an emptied place and the
    // set's places take no clicks at all.
    void clicksOnBlocks()
    {
        FORM2 *w = open();
        QVERIFY(w);
        turnWhere(w, [](FORM2 *t) { return t->MatchCount >= 2 && t->MatchCount <= 3; });
        const int wrong = matching(w, false).first();
        const QList<int> right = matching(w);
        const QString picture = w->Image1(wrong)->picture();
        click(w->Image1(wrong));
        click(w->Image1(wrong));
        QCOMPARE(Modulo1::WrongCount, std::int16_t(2));
        testkit::doubleClick(w->Image1(wrong));
        QCOMPARE(Modulo1::WrongCount, std::int16_t(3));
        QCOMPARE(w->Image1(wrong)->picture(), picture); // it stays where it is
        QCOMPARE(shownPlaces(w), 0);

        testkit::doubleClick(w->Image1(right[0]));
        QCOMPARE(int(w->MovedCount), 1);
        QCOMPARE(shownPlaces(w), 1);
        const QString after = testkit::snapshot(w);
        click(w->Image1(right[0]));
        testkit::doubleClick(w->Image1(right[0]));
        w->insieme.forEach([](platform::Image *p) { click(p); });
        click(w->Frame1);
        QCOMPARE(testkit::snapshot(w), after);
        QCOMPARE(int(w->MovedCount), 1);
        QCOMPARE(Modulo1::WrongCount, std::int16_t(3));
        QCOMPARE(Modulo1::RightCount, std::int16_t(0));
        click(w->Command1); // one block of two or three in the set: still wrong
        QCOMPARE(Modulo1::WrongCount, std::int16_t(4));
    }

    // The set keeps the order of moving, whatever the order of the row; the pictures move
    // with their words and are not read again.
    void placesFillFromTheLeft()
    {
        FORM2 *w = open();
        QVERIFY(w);
        turnWhere(w, [](FORM2 *t) { return t->MatchCount >= 3; });
        QList<int> ks = matching(w);
        std::reverse(ks.begin(), ks.end());
        const int decodes = platform::pictureDecodeCount();
        for (int i = 0; i < ks.size(); ++i) {
            const QString picture = w->Image1(ks[i])->picture(), words = w->Image1(ks[i])->description();
            click(w->Image1(ks[i]));
            QCOMPARE(w->insieme(i)->picture(), picture);
            QCOMPARE(w->insieme(i)->description(), words);
            QCOMPARE(QAccessible::queryAccessibleInterface(w->insieme(i)->widget())->text(QAccessible::Name),
                     words);
            QVERIFY(w->Image1(ks[i])->description().isEmpty());
            for (int p = i + 1; p < 4; ++p)
                QVERIFY(!w->insieme(p)->hasPicture());
        }
        QCOMPARE(platform::pictureDecodeCount(), decodes);
    }

    // Choosing automatic checking: "Fatto" goes; a complete set is judged at once, an
    // incomplete one when its last block comes; back to "Fatto" judges nothing.
    void switchingModes()
    {
        FORM2 *w = open();
        QVERIFY(w);
        const std::uint64_t seed = turnWhere(w, [](FORM2 *t) { return t->MatchCount == 4; });

        // The dead end: every block moved, nothing left to click, and then no "Fatto".
        for (int k = 0; k < 4; ++k)
            click(w->Image1(k));
        QCOMPARE(Modulo1::RightCount, std::int16_t(0));
        w->mnuControlloSi->trigger();
        QVERIFY(w->AutoCheck && w->mnuControlloSi->checked() && !w->mnuControlloNo->checked());
        QVERIFY(!testkit::shown(w->Command1));
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
        QVERIFY(testkit::shown(w->ComandoIconaSi));
        QCOMPARE(shownPlaces(w), 0);
        QCOMPARE(int(w->MovedCount), 0);

        // An incomplete set: the switch judges nothing; its last block does.
        w->mnuControlloNo->trigger();
        nextTurn(w, seed);
        click(w->Image1(0));
        const QString before = turnState(w);
        w->mnuControlloSi->trigger();
        w->mnuControlloSi->trigger(); // again: still nothing
        QCOMPARE(Modulo1::RightCount, std::int16_t(2));
        QCOMPARE(turnState(w), before);
        QVERIFY(!testkit::shown(w->Command1));
        click(w->Image1(1));
        click(w->Image1(2));
        QCOMPARE(Modulo1::RightCount, std::int16_t(2));
        click(w->Image1(3));
        QCOMPARE(Modulo1::RightCount, std::int16_t(3));

        // Back to "Fatto": shown again, checks swapped, the turn untouched.
        const QString turn = turnState(w);
        w->mnuControlloNo->trigger();
        QVERIFY(!w->AutoCheck && !w->mnuControlloSi->checked() && w->mnuControlloNo->checked());
        QVERIFY(testkit::shown(w->Command1));
        QCOMPARE(turnState(w), turn);
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 3);

        // Leaving and opening again starts in the mode "usa bottone FATTO".
        w->mnuControlloSi->trigger();
        f.answers.push_back(platform::MsgResult::Yes);
        w->leaveMenu->trigger();
        w = open();
        QVERIFY(w);
        QVERIFY(!w->AutoCheck && w->mnuControlloNo->checked() && !w->mnuControlloSi->checked());
        QVERIFY(testkit::shown(w->Command1));
    }

    // By keyboard: Tab in reading order ("Fatto" on the top row, then the blocks), Space and
    // Enter press; a block moved away is no stop any more.
    void keyboard()
    {
        FORM2 *w = open();
        QVERIFY(w);
        w->window()->activateWindow(); // the offscreen screen activates no window by itself
        QVERIFY(QTest::qWaitForWindowActive(w->window()));
        turnWhere(w, [](FORM2 *t) { return t->MatchCount >= 2 && t->MatchCount <= 3; });
        QList<QWidget *> order{w->Command1->widget()};
        for (QWidget *next = order.last()->nextInFocusChain(); next != order.first();
             next = next->nextInFocusChain())
            if (next->focusPolicy() & Qt::TabFocus)
                order << next;
        QList<QWidget *> expected{w->Command1->widget()};
        for (int k = 0; k < 4; ++k)
            expected << w->Image1(k)->widget();
        QCOMPARE(order, expected);

        const int k = matching(w).first();
        w->Image1(k)->widget()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w->Image1(k)->widget(), Qt::Key_Return);
        QCOMPARE(int(w->MovedCount), 1);
        QVERIFY(!(w->Image1(k)->widget()->focusPolicy() & Qt::TabFocus));
        QVERIFY(!w->Image1(k)->hasFocus());
        const int wrong = matching(w, false).first();
        testkit::press(w->Image1(wrong));
        QCOMPARE(Modulo1::WrongCount, std::int16_t(1));
        for (int m : matching(w))
            if (w->Image1(m)->hasPicture())
                testkit::press(w->Image1(m));
        testkit::press(w->Command1);
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
        // The new turn's blocks are stops again.
        for (int b = 0; b < 4; ++b)
            QVERIFY(w->Image1(b)->widget()->focusPolicy() & Qt::TabFocus);
    }

    // The hand pointer over what can be clicked; nothing else takes the keyboard.
    void pointer()
    {
        FORM2 *w = open();
        QVERIFY(w);
        const QList<platform::Control *> clickable{w->Image1(0), w->Image1(1), w->Image1(2), w->Image1(3),
                                                   w->Command1};
        for (platform::Control *c : clickable)
            QCOMPARE(c->widget()->cursor().shape(), Qt::BitmapCursor);
        for (platform::Control *c : QList<platform::Control *>{w->Label1, w->Frame1, w->insieme(0)})
            QVERIFY(!(c->widget()->focusPolicy() & Qt::TabFocus) &&
                    c->widget()->cursor().shape() != Qt::BitmapCursor);
    }

    // At 1920 x 1080: large blocks, the set's places clearly smaller, the word at the top
    // left, the set at the top right with "Fatto" beside it, nothing to press near the bottom.
    void layout()
    {
        FORM2 *w = open();
        QVERIFY(w);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const auto box = [](platform::Control *c) {
            return QRect(c->widget()->mapToGlobal(QPoint(0, 0)), c->widget()->size());
        };
        for (int k = 0; k < 4; ++k) {
            const QRect block = box(w->Image1(k)), place = box(w->insieme(k));
            QVERIFY(block.width() >= 300 && qAbs(block.width() - block.height()) <= block.width() / 50);
            QVERIFY(place.width() * 2 <= block.width());
            QVERIFY(screen.contains(block));
            if (k > 0)
                QVERIFY(box(w->Image1(k - 1)).right() < block.left());
        }
        const QRect label = box(w->Label1), set = box(w->Frame1), fatto = box(w->Command1);
        QVERIFY(label.right() < set.left() && set.right() < fatto.left() && screen.contains(fatto));
        // The word stands on a white card: readable on every background colour.
        QVERIFY(w->Label1->isOpaque() &&
                platform::contrastRatio(platform::toQColor(w->Label1->foreColor()),
                                        platform::toQColor(w->Label1->backColor())) >= 7);
        QVERIFY(set.bottom() < box(w->Image1(0)).top() &&
                box(w->Image1(0)).bottom() < box(w->etEsatti).top());
        for (platform::Control *c : w->controls())
            if (c->widget() && (c->widget()->focusPolicy() & Qt::TabFocus))
                QVERIFY2(box(c).bottom() < screen.height() * 0.85, qPrintable(c->name()));
    }

    // Missing pictures: the placeholder stands in, moves into the set and the turn goes on.
    void missingPictures()
    {
        QVERIFY(QFile::remove(f.path(QStringLiteral("jpg"))));
        FORM2 *w = open();
        QVERIFY(w);
        for (int k = 0; k < 4; ++k)
            QVERIFY(w->Image1(k)->showsPlaceholder() && !w->Image1(k)->description().isEmpty());
        for (int k : matching(w))
            click(w->Image1(k));
        QVERIFY(w->insieme(0)->showsPlaceholder());
        click(w->Command1);
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstFORM2)

#include "tst_FORM2.moc"
