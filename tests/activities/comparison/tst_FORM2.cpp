// "insiemi": what the window adds to the frame.

#include "shell/ProgramFixture.h"

#include "activities/comparison/FORM2.h"
#include "platform/Pictures.h"
#include "platform/Random.h"

#include <functional>

using testkit::click;
using testkit::ProgramFixture;

namespace {

FORM2 *open()
{
    return ProgramFixture::open<FORM2>(QStringLiteral("FORM2"));
}

QList<int> matching(FORM2 *w, bool wanted = true)
{
    QList<int> ks;
    for (int k = 0; k < 4; ++k)
        if ((w->AttributeValues[k + 1] == w->AttributeValues[0]) == wanted)
            ks << k;
    return ks;
}

// Finishes the turn as a child would, in either mode, the draws of the next turn fixed by
// the seed; then, for turnWhere, on until a turn has what the test needs, counting nothing.
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
std::uint64_t turnWhere(FORM2 *w, const std::function<bool(FORM2 *)> &wanted)
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

    // Turn after turn: the value in capitals, the four blocks' words of its attribute, at least
    // one block with the value (a child never meets an empty task), the set empty; every value
    // of every attribute comes up.
    void turns()
    {
        FORM2 *w = open();
        QVERIFY(w && !w->AutoCheck && w->mnuControlloNo->checked() && !w->mnuControlloSi->checked());
        QSet<QString> labels;
        for (int turn = 0; turn < 150; ++turn) {
            nextTurn(w, turn);
            const int a = w->ConditionAttribute;
            for (int k = 0; k < 4; ++k)
                QCOMPARE(w->AttributeValues[k + 1], w->Image1(k)->description().section(u' ', a - 1, a - 1));
            QVERIFY(w->MatchCount >= 1 && w->MatchCount == matching(w).size());
            QCOMPARE(w->Label1->caption(), w->AttributeValues[0].toUpper());
            QCOMPARE(int(w->MovedCount) + shownPlaces(w), 0);
            labels << w->Label1->caption();
        }
        QCOMPARE(labels.size(), 11); // GRANDE and PICCOLO among them
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 150);
    }

    // A turn of two or three matching blocks, in either mode: a block without the value counts
    // wrong at every click and stays; the others are handed over as they are (nothing is read
    // again) into the set from the left, and their empty places take no clicks and no Tab;
    // "Fatto" before the set is complete is wrong; the complete set is judged by "Fatto" or by
    // itself, and a new turn begins.
    void aTurn_data()
    {
        QTest::addColumn<bool>("automatic");
        QTest::newRow("usa bottone FATTO") << false;
        QTest::newRow("controlla automaticamente") << true;
    }
    void aTurn()
    {
        QFETCH(bool, automatic);
        FORM2 *w = open();
        QVERIFY(w);
        if (automatic)
            w->mnuControlloSi->trigger();
        QCOMPARE(testkit::shown(w->Command1), !automatic);
        turnWhere(w, [](FORM2 *t) { return t->MatchCount >= 2 && t->MatchCount <= 3; });
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
            platform::clearPictureCache();
            const int decodes = platform::pictureDecodeCount();
            click(w->Image1(ks[i]));
            if (automatic && i + 1 == ks.size())
                break;
            QCOMPARE(platform::pictureDecodeCount(), decodes);
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
    void switchingModes()
    {
        FORM2 *w = open();
        QVERIFY(w);
        const std::uint64_t seed = turnWhere(w, [](FORM2 *t) { return t->MatchCount == 4; });
        for (int k = 0; k < 4; ++k)
            click(w->Image1(k));
        QCOMPARE(int(Modulo1::RightCount), 0);
        w->mnuControlloSi->trigger();
        QVERIFY(w->AutoCheck && w->mnuControlloSi->checked() && !w->mnuControlloNo->checked());
        QVERIFY(!testkit::shown(w->Command1));
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
        w = open();
        QVERIFY(w && !w->AutoCheck && w->mnuControlloNo->checked() && testkit::shown(w->Command1));
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstFORM2)

#include "tst_FORM2.moc"
