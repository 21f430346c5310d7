// "trova il blocco": what the window adds to the frame.

#include "shell/ProgramFixture.h"

#include "activities/single_block/FormTrova.h"
#include "platform/Random.h"
#include "platform/Shape.h"
#include "shell/BlockRules.h"

using testkit::click;
using testkit::ProgramFixture;

namespace {

FormTrova *open()
{
    return ProgramFixture::open<FormTrova>(QStringLiteral("FormTrova"));
}

bool allPictures(FormTrova *w, bool enabled)
{
    bool all = true;
    w->Image1.forEach([&](platform::Image *i) { all = all && i->widget()->isEnabled() == enabled; });
    return all;
}
bool searching(FormTrova *w)
{
    return allPictures(w, true) && !testkit::shown(w->Shape1) && !w->bottoneavanti->widget()->isEnabled();
}
bool solvedAt(FormTrova *w, int index)
{
    return allPictures(w, false) && testkit::shown(w->Shape1) && w->bottoneavanti->widget()->isEnabled() &&
           w->Shape1->widget()->geometry() == w->Image1(index)->widget()->geometry();
}

} // namespace

class TstFormTrova : public QObject
{
    Q_OBJECT

    ProgramFixture f;

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // Each turn: a colour, the target, then twelve blocks, each named by its words; the
    // target's words in capitals, one a line. A block that differs even in one word is wrong,
    // counts and beeps (only while the sounds are on) and changes nothing; any copy of the
    // described block is right and gets a thick red outline. Then the pictures rest, whatever
    // is clicked or typed, and the outline stays on the picture found through a reset and a new
    // window size, until "avanti". The hand shows over every picture.
    void turns()
    {
        FormTrova *w = open();
        QVERIFY(w && searching(w));
        w->Image1.forEach(
            [](platform::Image *i) { QCOMPARE(i->widget()->cursor().shape(), Qt::BitmapCursor); });
        click(w->Image1(w->TargetIndex));
        platform::seedRandom(0);
        click(w->bottoneavanti);
        bool copied = false, oneWordOff = false;
        for (int turn = 0; turn < 20 || !copied || !oneWordOff; ++turn) {
            platform::seedRandom(turn);
            QCOMPARE(w->backColor(), Modulo1::kBackColours[platform::drawIndex(18)]);
            QCOMPARE(int(w->TargetIndex), platform::drawIndex(12));
            const QString target = w->Image1(w->TargetIndex)->description();
            for (int i = 0; i < FormTrova::kPictures; ++i) {
                Modulo1::PickRandomBlock();
                const BlockAttributes &b = Modulo1::CurrentBlock;
                QCOMPARE(w->Image1(i)->picture() + w->Image1(i)->description(),
                         b.PicturePath + BlockRules::describe(b));
                if (i == w->TargetIndex)
                    QCOMPARE(w->EtFrase2->caption(),
                             QStringList({b.Shape, b.Colour, b.Size, b.Thickness}).join(u"\r\n").toUpper());
            }

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
            QVERIFY(searching(w) && testkit::board(w) == turnBoard);
            copied |= found != w->TargetIndex;
            click(w->Image1(found));
            QCOMPARE(Modulo1::RightCount, std::int16_t(1));
            QVERIFY(solvedAt(w, found));
            if (turn == 0) {
                QVERIFY(w->Shape1->borderWidth() >= 5);
                QCOMPARE(w->Shape1->borderColor(), 0x0000FFu);
                const QString solved = testkit::snapshot(w);
                w->Image1.forEach([](platform::Image *i) {
                    click(i);
                    QTest::keyClick(i->widget(), Qt::Key_Space);
                });
                QCOMPARE(testkit::snapshot(w), solved);
                w->resetMenu->trigger();
                w->setWidth(w->width() * 3 / 4);
                QVERIFY(solvedAt(w, found));
            }
            platform::seedRandom(turn + 1);
            click(w->bottoneavanti);
            QVERIFY(searching(w));
        }
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstFormTrova)

#include "tst_FormTrova.moc"
