// "trova il blocco": what the window adds to the frame.

#include "shell/ProgramFixture.h"

#include "activities/single_block/FormTrova.h"
#include "platform/Random.h"
#include "platform/Shape.h"

using testkit::click;
using testkit::ProgramFixture;

namespace {

// Searching: every picture clickable, no outline, "avanti" asleep; solved: the reverse, with
// the outline on the picture found.
bool state(FormTrova *w, int found)
{
    bool ok =
        testkit::shown(w->Shape1) == (found >= 0) && w->bottoneavanti->widget()->isEnabled() == (found >= 0);
    w->Image1.forEach([&](platform::Image *i) { ok = ok && i->widget()->isEnabled() == (found < 0); });
    return ok && (found < 0 || w->Shape1->widget()->geometry() == w->Image1(found)->widget()->geometry());
}

} // namespace

class TstFormTrova : public QObject
{
    Q_OBJECT

    ProgramFixture f;

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // Each turn: twelve blocks, each named by its words, and the target's words in capitals,
    // one a line. A block that differs even in one word is wrong, counts and beeps (only while
    // the sounds are on) and changes nothing; any copy of the described block is right and gets
    // the outline. Then the pictures rest, whatever is clicked or typed, and the outline stays
    // on the picture found through a reset and a new window size, until "avanti".
    void turns()
    {
        FormTrova *w = ProgramFixture::open<FormTrova>(QStringLiteral("FormTrova"));
        QVERIFY(w && state(w, -1));
        bool copied = false, oneWordOff = false;
        for (int turn = 0; turn < 20 || !copied || !oneWordOff; ++turn) {
            click(w->Image1(w->TargetIndex));
            platform::seedRandom(turn);
            click(w->bottoneavanti);
            QVERIFY(state(w, -1));
            const QString target = w->Image1(w->TargetIndex)->description();
            for (int i = 0; i < FormTrova::kPictures; ++i) {
                const QStringList d = w->Image1(i)->description().split(u' ');
                QCOMPARE(w->Image1(i)->picture(),
                         Modulo1::blockPicturePath({d.value(1), d[0], d.value(2), d.value(3), {}}));
            }
            QCOMPARE(w->EtFrase2->caption(), target.split(u' ').join(u"\r\n").toUpper());

            w->ResetCounters();
            f.beeps = 0;
            Modulo1::SoundEnabled = turn % 2 == 0;
            const QString turnBoard = testkit::board(w);
            int found = w->TargetIndex, wrong = 0;
            for (int i = 0; i < FormTrova::kPictures; ++i) {
                const QStringList words = w->Image1(i)->description().split(u' ');
                int differing = 0;
                for (int n = 0; n < 4; ++n)
                    differing += words[n] != target.section(u' ', n, n) ? 1 : 0;
                oneWordOff |= differing == 1;
                if (differing > 0 && ++wrong)
                    click(w->Image1(i));
                else if (i != w->TargetIndex)
                    found = i;
            }
            QCOMPARE(int(Modulo1::WrongCount), wrong);
            QCOMPARE(f.beeps, Modulo1::SoundEnabled ? wrong : 0);
            QVERIFY(state(w, -1) && testkit::board(w) == turnBoard);
            copied |= found != w->TargetIndex;
            click(w->Image1(found));
            QCOMPARE(Modulo1::RightCount, std::int16_t(1));
            QVERIFY(state(w, found));
            if (turn == 0) {
                const QString solved = testkit::snapshot(w);
                w->Image1.forEach([](platform::Image *i) {
                    click(i);
                    QTest::keyClick(i->widget(), Qt::Key_Space);
                });
                QCOMPARE(testkit::snapshot(w), solved);
                w->resetMenu->trigger();
                w->setWidth(w->width() * 3 / 4);
                QVERIFY(state(w, found));
            }
        }
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstFormTrova)

#include "tst_FormTrova.moc"
