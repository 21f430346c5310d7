// "trova il blocco", "Cosa cambia?" and "Cosa resta uguale?": the two chain rules over every
// block and answer, and what the windows add to the frame.

#include "shell/ProgramFixture.h"

#include "platform/Shape.h"
#include "shell/BlockRules.h"

#include <bit>

using namespace Qt::StringLiterals;
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

// One bit per attribute in which two blocks differ, in the order of the answers.
int changed(const QStringList &a, const QStringList &b)
{
    int bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= a.value(i) != b.value(i) ? 1 << i : 0;
    return bits;
}
QStringList words(const BlockAttributes &b)
{
    return {b.Shape, b.Colour, b.Size, b.Thickness};
}
// What the answer lets change: only the named attribute, or all but the named one.
int expectedChange(const QString &name, int answer)
{
    const int named = answer == ChainRules::Nothing ? 0 : 1 << answer;
    return name == u"FormDomino2" ? 0b1111 & ~named : named;
}

// Keys typed where the keyboard is: on the focused control, or the bare window.
void type(FormDomino *w, const QString &text)
{
    QWidget *target = w->window()->focusWidget();
    QTest::keyClicks(target ? target : w->window(), text);
}

} // namespace

class TstSingleBlock : public QObject
{
    Q_OBJECT

    ProgramFixture f;

    static void addRules()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Cosa cambia?") << "FormDomino";
        QTest::newRow("Cosa resta uguale?") << "FormDomino2";
    }

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // Each turn: twelve blocks and the target's words in capitals, one a line. A block that differs even in
    // one word is wrong, counts and beeps (only while the sounds are on) and changes nothing; any copy of the
    // described block is right and gets the outline. Then the pictures rest (no clicks or keys reach
    // them), and the outline stays on the picture found through a reset and a new window size, until
    // "avanti".
    void FormTrova_turns()
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
            QCOMPARE(w->EtFrase2->caption(), target.split(u' ').join(u"\r\n").toUpper());

            w->ResetCounters();
            f.beeps = 0;
            Modulo1::SoundEnabled = turn % 2 == 0;
            const QString turnBoard = testkit::board(w);
            int found = w->TargetIndex, wrong = 0;
            for (int i = 0; i < FormTrova::kPictures; ++i) {
                const int differing = changed(w->Image1(i)->description().split(u' '), target.split(u' '));
                oneWordOff |= std::popcount(unsigned(differing)) == 1;
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
            QVERIFY(w->bottoneavanti->hasFocus()); // the keyboard goes on where the child goes on
            if (turn == 0) {
                w->resetMenu->trigger();
                w->setWidth(w->width() * 3 / 4);
                QVERIFY(state(w, found));
            }
        }
    }

    // From every block and for every answer, exactly the named attribute changes, or all but
    // it; a new shape or colour differs from the old and every other one can come; every block
    // made is one of the picture store's.
    void FormDomino_rules_data() { addRules(); }
    void FormDomino_rules()
    {
        QFETCH(QString, name);
        const ChainRules::Rule rule = name == u"FormDomino2" ? ChainRules::oneStays : ChainRules::oneChanges;
        const QStringList sizes{BlockRules::kBig, BlockRules::kSmall},
            thick{BlockRules::kThick, BlockRules::kThin};
        for (int n = 0; n < 48; ++n) {
            const BlockAttributes before{BlockRules::kColourWords[n / 16],
                                         BlockRules::kShapeWords[n / 4 % 4],
                                         sizes[n / 2 % 2],
                                         thick[n % 2],
                                         {}};
            for (int answer = 0; answer < ChainRules::kAnswers; ++answer) {
                const int expected = expectedChange(name, answer);
                QSet<QString> shapes, colours;
                for (int seed = 0; seed < 24; ++seed) {
                    platform::seedRandom(seed);
                    BlockAttributes after = before;
                    rule(after, answer);
                    QCOMPARE(changed(words(before), words(after)), expected);
                    QVERIFY(sizes.contains(after.Size) && thick.contains(after.Thickness));
                    QCOMPARE(after.PicturePath, Modulo1::blockPicturePath(after));
                    shapes << after.Shape;
                    colours << after.Colour;
                }
                QCOMPARE(shapes.size(), expected & 1 << ChainRules::Shape ? 3 : 1);
                QCOMPARE(colours.size(), expected & 1 << ChainRules::Colour ? 2 : 1);
            }
        }
    }

    // Two whole chains: the pictures and links appear one by one, each link answered wrongly
    // first (which changes nothing), then rightly by mouse or by its letter; the eleventh right
    // answer starts a new chain at once, and the finished one stays in sight under a cheer (a
    // sound, stars and a tick) for about a second, until the next answer ends it and counts.
    void FormDomino_chains_data() { addRules(); }
    void FormDomino_chains()
    {
        QFETCH(QString, name);
        auto *w = ProgramFixture::open<FormDomino>(name);
        QVERIFY(w);
        const auto corner = [w] { // the chain's third picture, which a new chain does not show yet
            const QWidget *place = w->Image1(2)->widget();
            return w->window()->grab(QRect(place->mapTo(w->window(), QPoint(0, 0)), place->size())).toImage();
        };
        QImage finished;
        QString letters;
        for (int link = 0; link < 2 * FormDomino::kLinks; ++link) {
            const int k = link % FormDomino::kLinks;
            QCOMPARE(int(w->CurrentLink), k);
            for (int i = 0; i < FormDomino::kPictures; ++i)
                QCOMPARE(w->Image1(i)->hasPicture(), i <= k + 1);
            for (int i = 0; i < FormDomino::kLinks; ++i)
                QCOMPARE(QString::number(testkit::shown(w->Label1(i))) + w->Label1(i)->caption(),
                         QString::number(i <= k) + letters.mid(i, i < k ? 1 : 0));
            QCOMPARE(w->Image1(k + 1)->picture() + w->Image1(k + 1)->description(),
                     Modulo1::CurrentBlock.PicturePath + Modulo1::describe(Modulo1::CurrentBlock));
            QCOMPARE(changed(w->Image1(k)->description().split(u' '), words(Modulo1::CurrentBlock)),
                     expectedChange(name, w->ExpectedAnswer));
            QCOMPARE(w->celebration->running(), link == FormDomino::kLinks);
            QCOMPARE(f.sounds.filter(QStringLiteral("festa")).size(), link < FormDomino::kLinks ? 0 : 1);
            if (link == FormDomino::kLinks - 1)
                finished = corner();
            if (link == FormDomino::kLinks) {
                QVERIFY(w->celebration->keepsInSight() &&
                        f.sounds.last().endsWith(QStringLiteral("festa.wav")));
                QRect chain;
                w->Image1.forEach([&chain](platform::Image *i) { chain |= i->widget()->geometry(); });
                const QRectF place = w->celebration->place();
                QVERIFY(QRectF(place.topLeft() / 15, place.size() / 15)
                            .toRect()
                            .adjusted(-1, -1, 1, 1)
                            .contains(chain));
                QCOMPARE(corner(), finished);
            }
            const QString before = testkit::board(w);
            click(w->Command1((w->ExpectedAnswer + 1 + k % 4) % 5));
            QCOMPARE(testkit::board(w), before);
            QVERIFY(!w->celebration->running() && (link != FormDomino::kLinks || corner() != finished));

            platform::CommandButton *button = w->Command1(w->ExpectedAnswer);
            letters = k == FormDomino::kLinks - 1 ? QString() : letters + button->caption();
            if (link % 2 == 0)
                click(button);
            else
                type(w, button->caption().toLower());
            QVERIFY(testkit::shown(w->ComandoIconaSi));
        }
        QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, 44);
    }

    // The link copies the answer's caption as it reads, changed too, and the letter keys follow
    // it; a letter on no button, or on two, presses nothing.
    void FormDomino_captionsAsTheyRead_data() { addRules(); }
    void FormDomino_captionsAsTheyRead()
    {
        QFETCH(QString, name);
        auto *w = ProgramFixture::open<FormDomino>(name);
        QVERIFY(w);
        const QString before = testkit::snapshot(w);
        const QString first = w->Command1(0)->caption();
        w->Command1(0)->setCaption(w->Command1(1)->caption());
        type(w, QStringLiteral("x") + w->Command1(1)->caption());
        w->Command1(0)->setCaption(first);
        QCOMPARE(testkit::snapshot(w), before);

        w->ExpectedAnswer = 1;
        w->Command1(1)->setCaption(QStringLiteral("K"));
        type(w, QStringLiteral("k"));
        QCOMPARE(w->Label1(0)->caption(), QStringLiteral("K"));
    }

    // An old language file whose thickness words are not the picture store's: a kept shape
    // flips the block's names like every other answer, so each link has its picture, and the
    // file's words are what a child reads.
    void FormDomino_foreignThicknessWords()
    {
        QFile lng(f.path(QStringLiteral("Italiano.lng")));
        QVERIFY(lng.open(QIODevice::ReadOnly));
        f.writeFile(lng.fileName().section(u'/', -1),
                    lng.readAll().replace("0009=spesso", "0009=thick").replace("0010=sottile", "0010=thin"));
        auto *w = ProgramFixture::open<FormDomino>(QStringLiteral("FormDomino2"));
        QVERIFY(w);
        while (w->ExpectedAnswer != ChainRules::Shape)
            click(w->Command1(w->ExpectedAnswer));
        platform::Image *kept = w->Image1(w->CurrentLink), *next = w->Image1(w->CurrentLink + 1);
        const QString flipped = kept->description().endsWith(u"thick") ? u"thin"_s : u"thick"_s;
        QCOMPARE(next->description().section(u' ', 3), flipped);
        QVERIFY(!kept->showsPlaceholder() && !next->showsPlaceholder());
        QVERIFY(Modulo1::CurrentBlock.Thickness == BlockRules::kThick ||
                Modulo1::CurrentBlock.Thickness == BlockRules::kThin);
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstSingleBlock)

#include "tst_single_block.moc"
