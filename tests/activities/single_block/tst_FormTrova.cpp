// "trova il blocco", played the way a child plays it: what the window adds to the frame.

#include "shell/ProgramFixture.h"

#include "activities/single_block/FormTrova.h"
#include "platform/Random.h"
#include "platform/Shape.h"
#include "shell/BlockRules.h"

#include <functional>

using testkit::click;
using testkit::ProgramFixture;

namespace {

FormTrova *open()
{
    return ProgramFixture::open<FormTrova>(QStringLiteral("FormTrova"));
}

QStringList words(platform::Image *image)
{
    return image->description().split(u' ');
}

// The first picture other than the described one that passes the test; -1 if none.
int otherPicture(FormTrova *w, const std::function<bool(const QStringList &, const QStringList &)> &test)
{
    const QStringList target = words(w->Image1(w->TargetIndex));
    for (int i = 0; i < FormTrova::kPictures; ++i)
        if (i != w->TargetIndex && test(words(w->Image1(i)), target))
            return i;
    return -1;
}
bool sameBlock(const QStringList &a, const QStringList &b)
{
    return a == b;
}
bool onlySizeDiffers(const QStringList &a, const QStringList &b)
{
    return a[0] == b[0] && a[1] == b[1] && a[2] != b[2] && a[3] == b[3];
}
bool differentBlock(const QStringList &a, const QStringList &b)
{
    return a != b;
}

// Plays turns until one has a picture that passes the test.
int turnWith(FormTrova *w, bool (*test)(const QStringList &, const QStringList &))
{
    for (int turn = 0; turn < 1000; ++turn) {
        if (const int i = otherPicture(w, test); i >= 0)
            return i;
        click(w->Image1(w->TargetIndex));
        click(w->bottoneavanti);
    }
    return -1;
}

bool searching(FormTrova *w)
{
    bool enabled = true;
    w->Image1.forEach([&](platform::Image *i) { enabled = enabled && i->widget()->isEnabled(); });
    return enabled && !testkit::shown(w->Shape1) && !w->bottoneavanti->widget()->isEnabled();
}

bool solvedAt(FormTrova *w, int index)
{
    bool disabled = true;
    w->Image1.forEach([&](platform::Image *i) { disabled = disabled && !i->widget()->isEnabled(); });
    return disabled && testkit::shown(w->Shape1) && w->bottoneavanti->widget()->isEnabled() &&
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
        FormTrova *w = open();
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
        QTest::addColumn<int>("kind"); // 0 the described picture, 1 a copy, 2 size differs, 3 another
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
        FormTrova *w = open();
        QVERIFY(w);
        bool (*const tests[])(const QStringList &, const QStringList &) = {nullptr, sameBlock,
                                                                           onlySizeDiffers, differentBlock};
        const int index = kind == 0 ? w->TargetIndex : turnWith(w, tests[kind]);
        QVERIFY(index >= 0);
        Modulo1::RightCount = Modulo1::WrongCount = 0;
        Modulo1::SoundEnabled = sound;
        f.sounds.clear();
        const bool right = kind < 2;

        if (!right) {
            // Every wrong click beeps (while sounds are on) and counts; the turn goes on.
            const QString turn = w->EtFrase2->caption() + w->Image1(index)->picture();
            for (int n = 1; n <= 2; ++n) {
                click(w->Image1(index));
                QCOMPARE(int(Modulo1::WrongCount), n);
                QCOMPARE(f.beeps, sound ? n : 0);
                QCOMPARE(f.sounds.size(), sound ? n : 0);
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

        // Solved: neither clicks nor keys on the pictures change anything until "avanti", and
        // the reset keeps the outline.
        const QString solved = testkit::snapshot(w);
        w->Image1.forEach([](platform::Image *i) {
            click(i);
            QTest::keyClick(i->widget(), Qt::Key_Space);
        });
        QCOMPARE(testkit::snapshot(w), solved);
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 1);
        w->resetMenu->trigger();
        QVERIFY(solvedAt(w, index));
        // The outline stays on the picture found when the window changes size.
        w->setWidth(w->width() * 3 / 4);
        QVERIFY(solvedAt(w, index));
        click(w->bottoneavanti);
        QVERIFY(searching(w));
    }

    // Tab reaches the pictures row by row, Space answers, and the hand shows over them.
    void keyboardAndPointer()
    {
        FormTrova *w = open();
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
        FormTrova *w = open();
        QVERIFY(w);
        w->Image1.forEach([](platform::Image *i) { QVERIFY(i->showsPlaceholder()); });
        click(w->Image1(w->TargetIndex));
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstFormTrova)

#include "tst_FormTrova.moc"
