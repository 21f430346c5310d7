// "uguale - diverso", played the way a child plays it: what the window adds to the frame.

#include "shell/ProgramFixture.h"

#include "activities/comparison/form1.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"
#include "shell/Colours.h"

#include <QSet>

using testkit::click;
using testkit::ProgramFixture;

namespace {

form1 *open()
{
    return ProgramFixture::open<form1>(QStringLiteral("form1"));
}
platform::CommandButton *rightButton(form1 *w)
{
    return w->ComparedValue[1] == w->ComparedValue[2] ? w->UGUALI : w->DIVERSI;
}
platform::CommandButton *wrongButton(form1 *w)
{
    return w->ComparedValue[1] == w->ComparedValue[2] ? w->DIVERSI : w->UGUALI;
}
bool waitingForAnswer(form1 *w)
{
    return w->UGUALI->widget()->isEnabled() && w->DIVERSI->widget()->isEnabled() &&
           !w->bottoneavanti->widget()->isEnabled();
}

} // namespace

class TstForm1 : public QObject
{
    Q_OBJECT

    ProgramFixture f;

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    void judging_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<bool>("saysEqual");
        QTest::addColumn<bool>("isRight");
        QTest::newRow("same, UGUALE") << "quadrato" << "quadrato" << true << true;
        QTest::newRow("same, DIVERSI") << "grande" << "grande" << false << false;
        QTest::newRow("different, UGUALE") << "spesso" << "sottile" << true << false;
        QTest::newRow("different, DIVERSI") << "rosso" << "blu" << false << true;
        QTest::newRow("letter case, UGUALE") << "rosso" << "ROSSO" << true << false;
        QTest::newRow("trailing blank, DIVERSI") << "rotondo" << "rotondo " << false << true;
        QTest::newRow("both empty, UGUALE") << "" << "" << true << true;
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
        click(clicked);
        QCOMPARE(testkit::shown(w->ComandoIconaSi), isRight);
        if (!isRight) {
            // The same pair stays; every wrong click counts, a double click as two.
            QVERIFY(waitingForAnswer(w));
            QCOMPARE(clicked->backColor(), Colours::kLightGrey);
            testkit::doubleClick(clicked);
            QCOMPARE(Modulo1::WrongCount, std::int16_t(3));
            std::swap(clicked, other);
            testkit::press(clicked); // by keyboard this time
        }
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
        QCOMPARE(clicked->backColor(), Colours::kRed);
        QCOMPARE(other->backColor(), Colours::kLightGrey);
        QVERIFY(!w->UGUALI->widget()->isEnabled() && !w->DIVERSI->widget()->isEnabled());
        QVERIFY(w->bottoneavanti->widget()->isEnabled());
        click(w->UGUALI); // answered: no more clicks taken
        click(w->DIVERSI);
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, isRight ? 1 : 4);
    }

    // Turn after turn: what "avanti" draws, the question, the words judged, and the help.
    void turns()
    {
        const char *const questionIds[5] = {"", "0058", "0060", "0062", "0064"};
        const char *const differentIds[5] = {"", "0059", "0059", "0063", "0063"};
        QString BlockAttributes::*const words[5] = {nullptr, &BlockAttributes::Shape, &BlockAttributes::Size,
                                                    &BlockAttributes::Thickness, &BlockAttributes::Colour};
        const QStringList help[5] = {{},
                                     {"cerchio", "quadrato", "rettangolo", "triangolo"},
                                     {"grande", "piccolo"},
                                     {"spesso", "sottile"},
                                     {"rosso", "giallo", "blu"}};
        form1 *w = open();
        QVERIFY(w);
        QVERIFY(waitingForAnswer(w) && w->Image1->hasPicture() && !w->Image3->hasPicture());
        QSet<int> sameBlockAsked;
        for (int turn = 0; turn < 2000 && (turn < 60 || sameBlockAsked.size() < 4); ++turn) {
            click(w->Image1->picture() == w->Image2->picture() ? w->UGUALI.data() : rightButton(w));
            platform::seedRandom(turn);
            click(w->bottoneavanti);

            // The attribute first, then the background colour, then the two blocks.
            platform::seedRandom(turn);
            const int a = platform::drawIndex(4) + 1;
            QCOMPARE(int(w->AskedAttribute), a);
            QCOMPARE(w->backColor(), Modulo1::kBackColours[platform::drawIndex(18)]);
            for (platform::Image *image : {w->Image1.data(), w->Image2.data()}) {
                Modulo1::PickRandomBlock();
                QCOMPARE(image->picture(), Modulo1::CurrentBlock.PicturePath);
                QCOMPARE(image->description(), BlockRules::describe(Modulo1::CurrentBlock));
                QCOMPARE(w->ComparedValue[image == w->Image1 ? 1 : 2], Modulo1::CurrentBlock.*words[a]);
            }
            if (w->Image1->picture() == w->Image2->picture())
                sameBlockAsked.insert(a);
            QCOMPARE(w->Label1->caption(), modLanguageSupport::GetString(QLatin1String(questionIds[a])));
            QCOMPARE(w->DIVERSI->caption(), modLanguageSupport::GetString(QLatin1String(differentIds[a])));
            QCOMPARE(w->UGUALI->caption(), f.lng(QStringLiteral("form1"), QStringLiteral("UGUALI.Caption")));

            // Waiting again, light grey, the last face still showing; "avanti" asleep.
            QVERIFY(waitingForAnswer(w) && testkit::shown(w->ComandoIconaSi));
            QCOMPARE(w->UGUALI->backColor(), Colours::kLightGrey);
            QCOMPARE(w->DIVERSI->backColor(), Colours::kLightGrey);
            const QString waiting = testkit::snapshot(w);
            click(w->bottoneavanti);
            QCOMPARE(testkit::snapshot(w), waiting);

            // Help: the pictures of the attribute's values, each named by its word.
            click(w->Command1);
            const QList<platform::Image *> helpImages{w->Image3, w->Image4, w->Image5, w->Image6};
            for (int i = 0; i < 4; ++i) {
                const bool used = i < help[a].size();
                QCOMPARE(helpImages[i]->picture(), used ? Modulo1::attributePicturePath(help[a][i]) : QString());
                QCOMPARE(helpImages[i]->hasPicture() && !helpImages[i]->showsPlaceholder(), used);
                const QString word = used && help[a][i] == QLatin1String("cerchio") ? QStringLiteral("rotondo")
                                                                                     : help[a].value(i);
                QCOMPARE(helpImages[i]->description(), word);
            }
        }
        QCOMPARE(sameBlockAsked.size(), 4);
        QCOMPARE(Modulo1::WrongCount, std::int16_t(0));
        // The next "avanti" clears the help again.
        click(rightButton(w));
        click(w->bottoneavanti);
        QVERIFY(!w->Image3->hasPicture() && w->Image3->description().isEmpty());
    }

    void missingPicturesShowThePlaceholder()
    {
        QVERIFY(QFile::remove(f.path(QStringLiteral("jpg"))));
        form1 *w = open();
        QVERIFY(w);
        QVERIFY(w->Image1->showsPlaceholder() && w->Image2->showsPlaceholder());
        click(rightButton(w));
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
        click(w->Command1);
        QVERIFY(w->Image3->showsPlaceholder());
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstForm1)

#include "tst_form1.moc"
