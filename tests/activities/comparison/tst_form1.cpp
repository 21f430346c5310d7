// "uguale - diverso": what the window adds to the frame.

#include "shell/ProgramFixture.h"

#include "activities/comparison/form1.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"
#include "shell/Colours.h"

using testkit::click;
using testkit::ProgramFixture;

namespace {

form1 *open()
{
    return ProgramFixture::open<form1>(QStringLiteral("form1"));
}
// Both answers light grey and clickable, "avanti" asleep.
bool waitingForAnswer(form1 *w)
{
    return w->UGUALI->widget()->isEnabled() && w->DIVERSI->widget()->isEnabled() &&
           !w->bottoneavanti->widget()->isEnabled() && w->UGUALI->backColor() == Colours::kLightGrey &&
           w->DIVERSI->backColor() == Colours::kLightGrey;
}

} // namespace

class TstForm1 : public QObject
{
    Q_OBJECT

    ProgramFixture f;

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // The words are compared exactly: a child told "equal" for "rosso" and "ROSSO" would be
    // misled. A wrong answer counts at every click and keeps the pair; the right one paints its
    // button red, rests both answers and wakes "avanti".
    void judging_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<bool>("saysEqual");
        QTest::addColumn<bool>("isRight");
        QTest::newRow("same, UGUALE") << "quadrato"
                                      << "quadrato" << true << true;
        QTest::newRow("same, DIVERSI") << "grande"
                                       << "grande" << false << false;
        QTest::newRow("letter case, UGUALE") << "rosso"
                                             << "ROSSO" << true << false;
        QTest::newRow("trailing blank, DIVERSI") << "rotondo"
                                                 << "rotondo " << false << true;
    }
    void judging()
    {
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(bool, saysEqual);
        QFETCH(bool, isRight);
        form1 *w = open();
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
        QCOMPARE(clicked->backColor(), Colours::kRed);
        QCOMPARE(other->backColor(), Colours::kLightGrey);
        QVERIFY(!w->UGUALI->widget()->isEnabled() && !w->DIVERSI->widget()->isEnabled());
        QVERIFY(w->bottoneavanti->widget()->isEnabled());
    }

    // Turn after turn: the two blocks' words of the attribute asked are the ones judged,
    // "Aiuto" shows exactly the values of that attribute, and "avanti" clears the help and
    // makes both answers grey and clickable again.
    void turns()
    {
        QString BlockAttributes::*const words[5] = {nullptr, &BlockAttributes::Shape, &BlockAttributes::Size,
                                                    &BlockAttributes::Thickness, &BlockAttributes::Colour};
        const QStringList help[5] = {{},
                                     {"cerchio", "quadrato", "rettangolo", "triangolo"},
                                     {"grande", "piccolo"},
                                     {"spesso", "sottile"},
                                     {"rosso", "giallo", "blu"}};
        form1 *w = open();
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
};

ZORVELLI_WINDOW_TEST_MAIN(TstForm1)

#include "tst_form1.moc"
