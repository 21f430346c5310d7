// "uguale - diverso", "insiemi" and "quanti sono ?": what each window adds to the frame.

#include "shell/ProgramFixture.h"

#include "platform/Pictures.h"
#include "shell/BlockRules.h"
#include "shell/Colours.h"

#include <functional>

using testkit::click;
using testkit::ProgramFixture;
using testkit::shown;

namespace {

template <class T> T *open()
{
    return ProgramFixture::open<T>(QString::fromLatin1(T::staticMetaObject.className()));
}

// Every answer light grey and clickable, "avanti" asleep.
bool waitingForAnswer(ActivityFrame *w)
{
    QList<platform::Control *> answers = w->controlArray(QStringLiteral("NUMERI"));
    if (auto *f = qobject_cast<form1 *>(w))
        answers = {f->UGUALI, f->DIVERSI};
    for (platform::Control *c : answers)
        if (auto *b = qobject_cast<platform::CommandButton *>(c);
            !b->widget()->isEnabled() || b->backColor() != Colours::kLightGrey)
            return false;
    return !w->bottoneavanti->widget()->isEnabled();
}

// "insiemi": the blocks that have (or lack) the value.
QList<int> matching(FORM2 *w, bool wanted = true)
{
    QList<int> ks;
    for (int k = 0; k < 4; ++k)
        if ((w->AttributeValues[k + 1] == w->AttributeValues[0]) == wanted)
            ks << k;
    return ks;
}
int shownPlaces(FORM2 *w)
{
    int n = 0;
    w->insieme.forEach([&](platform::Image *p) { n += p->hasPicture() ? 1 : 0; });
    return n;
}
// Finishes the turn as a child would, in either mode, the draws of the next turn fixed by
// the seed.
void nextTurn(FORM2 *w, std::uint64_t seed)
{
    QList<platform::Control *> left;
    for (int k : matching(w))
        if (w->Image1(k)->hasPicture())
            left << w->Image1(k);
    if (!w->AutoCheck)
        left << w->Command1;
    for (platform::Control *c : left) {
        if (c == left.last())
            platform::seedRandom(seed);
        click(c);
    }
}
void nextTurn(pagl3 *w, std::uint64_t seed)
{
    click(w->NUMERI(w->MatchCount));
    platform::seedRandom(seed);
    click(w->bottoneavanti);
}
// On from seed 0 until a turn has what the test needs, counting nothing; its seed.
template <class W> std::uint64_t turnWhere(W *w, const std::function<bool(W *)> &wanted)
{
    for (std::uint64_t seed = 0; seed < 5000; ++seed) {
        nextTurn(w, seed);
        if (wanted(w)) {
            w->ResetCounters();
            return seed;
        }
    }
    qFatal("no such turn");
}

// "insiemi" and "quanti sono ?", turn after turn: the value in capitals, the blocks' words of
// its attribute and how many have the value; every value of every attribute comes up. "insiemi"
// never sets an empty task and starts with an empty set; "quanti sono ?" shows the value's
// picture, found whatever the letter case, and asks for 0 too.
template <class W> void turns(W *w, int blocks)
{
    QSet<QString> labels;
    QSet<int> counts;
    for (int turn = 0; turn < 150; ++turn) {
        nextTurn(w, turn);
        const int a = w->ConditionAttribute;
        const QString value = w->AttributeValues[0];
        int n = 0;
        for (int k = 0; k < blocks; ++k) {
            QCOMPARE(w->AttributeValues[k + 1], w->Image1(k)->description().section(u' ', a - 1, a - 1));
            n += w->AttributeValues[k + 1] == value ? 1 : 0;
        }
        QCOMPARE(int(w->MatchCount), n);
        QCOMPARE(w->Label1->caption(), value.toUpper());
        if constexpr (std::is_same_v<W, FORM2>) {
            QVERIFY(n >= 1);
            QCOMPARE(int(w->MovedCount) + shownPlaces(w), 0);
        } else {
            QVERIFY(w->Image2->picture().endsWith(QStringLiteral("\\jpg\\") + value.toUpper() +
                                                  QStringLiteral(".jpg")));
            QVERIFY2(!w->Image2->showsPlaceholder(), qPrintable(w->Image2->picture()));
        }
        labels << w->Label1->caption();
        counts << n;
    }
    QCOMPARE(labels.size(), 11); // ROTONDO, GRANDE and PICCOLO among them
    QVERIFY((std::is_same_v<W, FORM2> || (counts.contains(0) && counts.size() >= 8)));
}

} // namespace

class TstComparison : public QObject
{
    Q_OBJECT

    ProgramFixture f;

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // "uguale - diverso" compares the words exactly: a child told "equal" for "rosso" and
    // "ROSSO" would be misled. A wrong answer counts at every click and keeps the pair; the
    // right one, and only it, is painted red (how the answers then rest and "avanti" wakes is
    // tst_shell's restingAndChosenButtons).
    void form1_judging_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<bool>("saysEqual");
        QTest::addColumn<bool>("isRight");
        QTest::newRow("same, UGUALE") << "quadrato"
                                      << "quadrato" << true << true;
        QTest::newRow("letter case, UGUALE") << "rosso"
                                             << "ROSSO" << true << false;
        QTest::newRow("trailing blank, DIVERSI") << "rotondo"
                                                 << "rotondo " << false << true;
    }
    void form1_judging()
    {
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(bool, saysEqual);
        QFETCH(bool, isRight);
        form1 *w = open<form1>();
        QVERIFY(w);
        w->ComparedValue[1] = left;
        w->ComparedValue[2] = right;
        platform::CommandButton *clicked = saysEqual ? w->UGUALI : w->DIVERSI;
        platform::CommandButton *other = saysEqual ? w->DIVERSI : w->UGUALI;
        if (!isRight) {
            const QString turn = testkit::board(w);
            click(clicked);
            click(clicked);
            QCOMPARE(Modulo1::WrongCount, std::int16_t(2));
            QCOMPARE(testkit::board(w) + w->ComparedValue[1], turn + left);
            std::swap(clicked, other);
        }
        click(clicked);
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
        QVERIFY(clicked->backColor() == Colours::kRed && other->backColor() == Colours::kLightGrey);
    }

    // Turn after turn: the two blocks' words of the attribute asked are the ones judged,
    // "Aiuto" shows exactly the values of that attribute, and "avanti" clears the help and
    // makes both answers grey and clickable again.
    void form1_turns()
    {
        QString BlockAttributes::*const words[5] = {nullptr, &BlockAttributes::Shape, &BlockAttributes::Size,
                                                    &BlockAttributes::Thickness, &BlockAttributes::Colour};
        const QStringList help[5] = {{},
                                     {"cerchio", "quadrato", "rettangolo", "triangolo"},
                                     {"grande", "piccolo"},
                                     {"spesso", "sottile"},
                                     {"rosso", "giallo", "blu"}};
        form1 *w = open<form1>();
        QVERIFY(w && waitingForAnswer(w));
        for (int turn = 0; turn < 40; ++turn) {
            click(w->ComparedValue[1] == w->ComparedValue[2] ? w->UGUALI : w->DIVERSI);
            platform::seedRandom(turn);
            click(w->bottoneavanti);
            QVERIFY(waitingForAnswer(w) && !w->Image3->hasPicture() && !w->Image4->hasPicture());

            const int a = w->AskedAttribute;
            for (platform::Image *image : {w->Image1.data(), w->Image2.data()}) {
                const QStringList d = image->description().split(u' ');
                const BlockAttributes b{d.value(1), d[0], d.value(2), d.value(3), {}};
                QCOMPARE(image->picture(), Modulo1::blockPicturePath(b));
                QCOMPARE(w->ComparedValue[image == w->Image1 ? 1 : 2], b.*words[a]);
            }

            click(w->Command1);
            const QList<platform::Image *> helpImages{w->Image3, w->Image4, w->Image5, w->Image6};
            for (int i = 0; i < 4; ++i) {
                const QString file = help[a].value(i);
                QCOMPARE(helpImages[i]->picture(),
                         file.isEmpty() ? QString() : Modulo1::attributePicturePath(file));
                QCOMPARE(helpImages[i]->description(), file == QLatin1String("cerchio") ? "rotondo" : file);
            }
        }
        QCOMPARE(Modulo1::WrongCount, std::int16_t(0));
    }

    void FORM2_turns()
    {
        FORM2 *w = open<FORM2>();
        QVERIFY(w && !w->AutoCheck && w->mnuControlloNo->checked() && !w->mnuControlloSi->checked());
        // The keyboard starts on the first block, not on "Fatto": a first Space is no answer.
        QCOMPARE(w->window()->focusWidget(), w->Image1(0)->widget());
        QTest::keyClick(w->window()->focusWidget(), Qt::Key_Space);
        QCOMPARE(Modulo1::RightCount, std::int16_t(0));
        w->ResetCounters();
        turns(w, 4);
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 150);
    }

    // A turn of two or three matching blocks, in either mode: a block without the value counts
    // wrong at every click and stays; the others are handed over with their pictures and
    // descriptions into the set from the left, and their empty places take no clicks and no Tab;
    // "Fatto" before the set is complete is wrong; the complete set is judged by "Fatto" or by
    // itself, and a new turn begins.
    void FORM2_aTurn_data()
    {
        QTest::addColumn<bool>("automatic");
        QTest::newRow("usa bottone FATTO") << false;
        QTest::newRow("controlla automaticamente") << true;
    }
    void FORM2_aTurn()
    {
        QFETCH(bool, automatic);
        FORM2 *w = open<FORM2>();
        QVERIFY(w);
        if (automatic)
            w->mnuControlloSi->trigger();
        QCOMPARE(shown(w->Command1), !automatic);
        turnWhere<FORM2>(w, [](FORM2 *t) { return t->MatchCount >= 2 && t->MatchCount <= 3; });
        const int wrong = matching(w, false).first();
        const QString start = testkit::board(w);
        click(w->Image1(wrong));
        click(w->Image1(wrong));
        if (!automatic)
            click(w->Command1);
        QCOMPARE(int(Modulo1::WrongCount), automatic ? 2 : 3);
        QCOMPARE(testkit::board(w), start);

        QList<int> ks = matching(w);
        std::reverse(ks.begin(), ks.end());
        for (int i = 0; i < ks.size(); ++i) {
            const QString picture = w->Image1(ks[i])->picture() + w->Image1(ks[i])->description();
            click(w->Image1(ks[i]));
            if (automatic && i + 1 == ks.size())
                break;
            QCOMPARE(w->insieme(i)->picture() + w->insieme(i)->description(), picture);
            QCOMPARE(shownPlaces(w), i + 1);
            QVERIFY(!(w->Image1(ks[i])->widget()->focusPolicy() & Qt::TabFocus));
            const QString moved = testkit::board(w);
            click(w->Image1(ks[i]));
            click(w->insieme(i));
            if (!automatic && i + 1 < ks.size())
                click(w->Command1);
            QCOMPARE(testkit::board(w), moved);
        }
        QCOMPARE(int(Modulo1::WrongCount), automatic ? 2 : 2 + ks.size());
        if (!automatic)
            click(w->Command1);
        QCOMPARE(int(Modulo1::RightCount), 1);
        QCOMPARE(int(w->MovedCount) + shownPlaces(w), 0);
        for (int k = 0; k < 4; ++k)
            QVERIFY(w->Image1(k)->widget()->focusPolicy() & Qt::TabFocus);
    }

    // The mode menu: choosing automatic checking when the set is complete already judges it
    // (with four matching blocks nothing would be left to click); otherwise switching judges
    // nothing and changes nothing of the turn. A window opened again asks for "Fatto".
    void FORM2_switchingModes()
    {
        FORM2 *w = open<FORM2>();
        QVERIFY(w);
        const std::uint64_t seed = turnWhere<FORM2>(w, [](FORM2 *t) { return t->MatchCount == 4; });
        for (int k = 0; k < 4; ++k)
            click(w->Image1(k));
        QCOMPARE(int(Modulo1::RightCount), 0);
        w->mnuControlloSi->trigger();
        QVERIFY(w->AutoCheck && w->mnuControlloSi->checked() && !w->mnuControlloNo->checked());
        QVERIFY(!shown(w->Command1));
        QCOMPARE(int(Modulo1::RightCount), 1);
        QCOMPARE(int(w->MovedCount) + shownPlaces(w), 0);

        w->mnuControlloNo->trigger();
        nextTurn(w, seed);
        click(w->Image1(0));
        const QString turn = testkit::board(w);
        w->mnuControlloSi->trigger();
        w->mnuControlloNo->trigger();
        QVERIFY(!w->AutoCheck && !w->mnuControlloSi->checked() && w->mnuControlloNo->checked());
        QCOMPARE(testkit::board(w), turn);
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 2);

        w->mnuControlloSi->trigger();
        f.leave(w);
        w = open<FORM2>();
        QVERIFY(w && !w->AutoCheck && w->mnuControlloNo->checked() && shown(w->Command1));
    }

    void pagl3_turns()
    {
        pagl3 *w = open<pagl3>();
        QVERIFY(w && waitingForAnswer(w));
        turns(w, pagl3::kBlocks);
    }

    // Hidden blocks still count; "ricomincia" brings exactly the same turn back. Hiding the
    // focused block hands the focus on. A wrong number counts at every click or digit key,
    // wherever the focus is, and other keys do nothing; the right one paints its button red,
    // rests all ten (by mouse and by digit key) and sends the keyboard to "avanti", which
    // brings grey numbers and every block back, the keyboard at the first block.
    void pagl3_answering_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("wrong"); // the blocks still in sight that have the value
        QTest::newRow("no block has it") << 0 << 9;
        QTest::newRow("all nine have it, one hidden") << 9 << 8;
    }
    void pagl3_answering()
    {
        QFETCH(int, count);
        QFETCH(int, wrong);
        pagl3 *w = open<pagl3>();
        QVERIFY(w);
        w->window()->activateWindow(); // the offscreen screen activates no window by itself
        QVERIFY(QTest::qWaitForWindowActive(w->window()));
        turnWhere<pagl3>(w, [count](pagl3 *t) { return t->MatchCount == count; });
        const QString turn = testkit::snapshot(w);
        click(w->Image1(5));
        click(w->Image1(6));
        QVERIFY(!shown(w->Image1(5)) && !shown(w->Image1(6)));
        click(w->Command1);
        QCOMPARE(testkit::snapshot(w), turn);

        w->Image1(0)->SetFocus();
        QTest::keyClick(w->Image1(0)->widget(), Qt::Key_Space);
        QVERIFY(!shown(w->Image1(0)) && w->Image1(1)->hasFocus());
        const QString hiddenOne = testkit::board(w);
        QTest::keyClicks(w->Image1(1)->widget(), QStringLiteral("a-+"));
        click(w->NUMERI(wrong));
        w->NUMERI(0)->widget()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w->NUMERI(0)->widget(), char('0' + wrong));
        QCOMPARE(Modulo1::WrongCount, std::int16_t(2));
        QCOMPARE(testkit::board(w), hiddenOne);

        if (count == 0)
            click(w->NUMERI(count));
        else
            QTest::keyClick(w->Image1(3)->widget(), char('0' + count));
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
        for (int i = 0; i < pagl3::kNumbers; ++i) {
            QVERIFY(!w->NUMERI(i)->widget()->isEnabled());
            QCOMPARE(w->NUMERI(i)->backColor(), i == count ? Colours::kRed : Colours::kLightGrey);
        }
        QVERIFY(w->bottoneavanti->widget()->isEnabled() && w->bottoneavanti->hasFocus());
        QTest::keyClick(w->window(), char('0' + wrong));
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 3);

        QTest::keyClick(w->bottoneavanti->widget(), Qt::Key_Space);
        QVERIFY(waitingForAnswer(w) && shown(w->Image1(0)) && w->Image1(0)->hasFocus());
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstComparison)

#include "tst_comparison.moc"
