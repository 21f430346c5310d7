// "trova il blocco", played the way a child plays it: what the window adds to the frame.

#include "shell/ProgramFixture.h"

#include "activities/single_block/FormTrova.h"
#include "platform/Random.h"
#include "platform/Shape.h"
#include "shell/BlockRules.h"

using testkit::click;
using testkit::ProgramFixture;

namespace {

using Test = bool (*)(const QStringList &block, const QStringList &target);

// Plays turns until a picture other than the described one passes the test; its index, or -1.
int turnWith(FormTrova *w, Test test)
{
    for (int turn = 0; turn < 1000; ++turn) {
        const QStringList target = w->Image1(w->TargetIndex)->description().split(u' ');
        for (int i = 0; i < FormTrova::kPictures; ++i)
            if (i != w->TargetIndex && test(w->Image1(i)->description().split(u' '), target))
                return i;
        click(w->Image1(w->TargetIndex));
        click(w->bottoneavanti);
    }
    return -1;
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
    // target's words in capitals, one a line.
    void turns()
    {
        auto *w = ProgramFixture::open<FormTrova>(QStringLiteral("FormTrova"));
        QVERIFY(w && searching(w));
        for (int turn = 0; turn < 40; ++turn) {
            click(w->Image1(w->TargetIndex));
            platform::seedRandom(turn);
            click(w->bottoneavanti);
            QVERIFY(searching(w));
            platform::seedRandom(turn);
            QCOMPARE(w->backColor(), Modulo1::kBackColours[platform::drawIndex(18)]);
            QCOMPARE(int(w->TargetIndex), platform::drawIndex(12));
            for (int i = 0; i < FormTrova::kPictures; ++i) {
                Modulo1::PickRandomBlock();
                const BlockAttributes &b = Modulo1::CurrentBlock;
                QCOMPARE(w->Image1(i)->picture(), b.PicturePath);
                QVERIFY(w->Image1(i)->hasPicture() && !w->Image1(i)->showsPlaceholder());
                QCOMPARE(w->Image1(i)->description(), BlockRules::describe(b));
                QCOMPARE(w->Image1(i)->tag(), b.Shape + b.Colour + b.Size + b.Thickness);
                if (i == w->TargetIndex)
                    QCOMPARE(w->EtFrase2->caption(), QStringList({b.Shape, b.Colour, b.Size, b.Thickness})
                                                         .join(QStringLiteral("\r\n"))
                                                         .toUpper());
            }
        }
    }

    void judging_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("sound");
        QTest::newRow("the described picture") << 0 << true;
        QTest::newRow("a copy of the described block") << 1 << true;
        QTest::newRow("only the size differs") << 2 << true;
        QTest::newRow("another block") << 3 << true;
        QTest::newRow("another block, sounds off") << 3 << false;
    }
    void judging()
    {
        QFETCH(int, kind);
        QFETCH(bool, sound);
        platform::seedRandom(7);
        auto *w = ProgramFixture::open<FormTrova>(QStringLiteral("FormTrova"));
        QVERIFY(w);
        const Test tests[] = {[](const QStringList &, const QStringList &) { return false; },
                              [](const QStringList &b, const QStringList &t) { return b == t; },
                              [](const QStringList &b, const QStringList &t) { // words 0, 1, 3 agree
                                  return b[2] != t[2] && QStringList{b[0], b[1], t[2], b[3]} == t;
                              },
                              [](const QStringList &b, const QStringList &t) { return b != t; }};
        const int index = kind == 0 ? int(w->TargetIndex) : turnWith(w, tests[kind]);
        QVERIFY(index >= 0);
        Modulo1::RightCount = Modulo1::WrongCount = 0;
        Modulo1::SoundEnabled = sound;
        if (kind >= 2) {
            // Every wrong click beeps (only while sounds are on) and counts; the turn goes on.
            const QString turn = w->EtFrase2->caption() + w->Image1(index)->picture();
            for (int n = 1; n <= 2; ++n) {
                click(w->Image1(index));
                QCOMPARE(int(Modulo1::WrongCount), n);
                QCOMPARE(f.beeps, sound ? n : 0);
                QVERIFY(searching(w) && testkit::shown(w->ComandoIconaNo));
                QCOMPARE(w->EtFrase2->caption() + w->Image1(index)->picture(), turn);
            }
            return;
        }
        click(w->Image1(index));
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
        QCOMPARE(f.beeps, 0);
        QVERIFY(solvedAt(w, index));
        QVERIFY(w->Shape1->borderWidth() >= 5);
        QCOMPARE(w->Shape1->borderColor(), 0x0000FFu);

        // Solved: neither clicks nor keys change anything until "avanti"; the reset and a new
        // window size keep the outline on the picture found.
        const QString solved = testkit::snapshot(w);
        w->Image1.forEach([](platform::Image *i) {
            click(i);
            QTest::keyClick(i->widget(), Qt::Key_Space);
        });
        QCOMPARE(testkit::snapshot(w), solved);
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 1);
        w->resetMenu->trigger();
        w->setWidth(w->width() * 3 / 4);
        QVERIFY(solvedAt(w, index));
        click(w->bottoneavanti);
        QVERIFY(searching(w));
    }

    // Tab reaches the pictures row by row, Space answers, and the hand shows over them.
    void keyboardAndPointer()
    {
        auto *w = ProgramFixture::open<FormTrova>(QStringLiteral("FormTrova"));
        QVERIFY(w);
        QWidget *widget = w->Image1(0)->widget();
        for (int i = 0; i < FormTrova::kPictures; ++i) {
            QCOMPARE(widget, w->Image1(i)->widget());
            QCOMPARE(widget->cursor().shape(), Qt::BitmapCursor);
            do
                widget = widget->nextInFocusChain();
            while (!(widget->focusPolicy() & Qt::TabFocus));
        }
        testkit::press(w->Image1(w->TargetIndex));
        QVERIFY(solvedAt(w, w->TargetIndex));
        testkit::press(w->bottoneavanti);
        QVERIFY(searching(w));
    }

    void missingPicturesShowThePlaceholder()
    {
        QVERIFY(QFile::remove(f.path(QStringLiteral("jpg"))));
        auto *w = ProgramFixture::open<FormTrova>(QStringLiteral("FormTrova"));
        QVERIFY(w);
        w->Image1.forEach([](platform::Image *i) { QVERIFY(i->showsPlaceholder()); });
        click(w->Image1(w->TargetIndex));
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstFormTrova)

#include "tst_FormTrova.moc"
