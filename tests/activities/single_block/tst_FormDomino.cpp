// "Cosa cambia?" and "Cosa resta uguale?": the two chain rules over every block and answer, and
// the windows played the way a child plays them.

#include "shell/ProgramFixture.h"

#include "activities/single_block/FormDomino.h"
#include "activities/single_block/FormDomino2.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"
#include "shell/Colours.h"

using testkit::click;
using testkit::ProgramFixture;

namespace {

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
int expectedChange(bool stays, int answer)
{
    const int named = answer == ChainRules::Nothing ? 0 : 1 << answer;
    return stays ? 0b1111 & ~named : named;
}

// Keys typed where the keyboard is: on the focused control, or the bare window.
void type(FormDomino *w, const QString &text)
{
    QWidget *target = w->window()->focusWidget();
    QTest::keyClicks(target ? target : w->window(), text);
}

// The chain as a child sees it: colour, pictures, links.
QString chain(FormDomino *w)
{
    QStringList s{QString::number(w->backColor(), 16)};
    w->Image1.forEach([&](platform::Image *i) { s << i->picture() + i->description(); });
    w->Label1.forEach([&](platform::Label *l) { s << QString::number(testkit::shown(l)) + l->caption(); });
    return s.join(u'|');
}

// What is wrong with the chain while link k is asked; empty when all is well.
QString checkLink(FormDomino *w, int k, const QString &letters, bool stays)
{
    for (int i = 0; i < FormDomino::kPictures; ++i)
        if (w->Image1(i)->hasPicture() != (i <= k + 1))
            return QStringLiteral("picture %1").arg(i);
    for (int i = 0; i < FormDomino::kLinks; ++i)
        if (testkit::shown(w->Label1(i)) != (i <= k) ||
            w->Label1(i)->caption() != letters.mid(i, i < k ? 1 : 0))
            return QStringLiteral("link %1: \"%2\"").arg(i).arg(w->Label1(i)->caption());
    if (w->Image1(k + 1)->picture() != Modulo1::CurrentBlock.PicturePath ||
        w->Image1(k + 1)->description() != BlockRules::describe(Modulo1::CurrentBlock))
        return QStringLiteral("the last picture is not CurrentBlock");
    if (changed(w->Image1(k)->description().split(u' '), words(Modulo1::CurrentBlock)) !=
        expectedChange(stays, w->ExpectedAnswer))
        return QStringLiteral("rule, answer %1").arg(w->ExpectedAnswer);
    return {};
}

} // namespace

class TstFormDomino : public QObject
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

    // Exactly the named attribute changes, or all but it; new shapes and colours differ from the
    // old and every one can come; the words stay the picture store's.
    void rules_data() { addRules(); }
    void rules()
    {
        QFETCH(QString, name);
        const bool stays = name == QLatin1String("FormDomino2");
        const ChainRules::Rule rule = stays ? ChainRules::oneStays : ChainRules::oneChanges;
        const QStringList sizes{BlockRules::kBig, BlockRules::kSmall},
            thicknesses{BlockRules::kThick, BlockRules::kThin};
        for (int n = 0; n < 48; ++n) {
            const BlockAttributes before{BlockRules::kColourWords[n / 16],
                                         BlockRules::kShapeWords[n / 4 % 4],
                                         sizes[n / 2 % 2],
                                         thicknesses[n % 2],
                                         {}};
            for (int answer = 0; answer < ChainRules::kAnswers; ++answer) {
                const int expected = expectedChange(stays, answer);
                QSet<QString> shapes, colours;
                for (int seed = 0; seed < 24; ++seed) {
                    platform::seedRandom(seed);
                    BlockAttributes after = before;
                    rule(after, answer, {BlockRules::kThick, BlockRules::kThin});
                    const QString what =
                        BlockRules::describe(before) + QStringLiteral(" -> ") + BlockRules::describe(after);
                    QVERIFY2(changed(words(before), words(after)) == expected, qPrintable(what));
                    QVERIFY2(sizes.contains(after.Size) && thicknesses.contains(after.Thickness),
                             qPrintable(what));
                    QCOMPARE(after.PicturePath, Modulo1::blockPicturePath(after));
                    // The shape is drawn after the colour, and the last draw is kept.
                    if (expected & 1 << ChainRules::Shape)
                        QCOMPARE(BlockRules::kShapeWords[Modulo1::LastRandomIndex - 1], after.Shape);
                    else if (expected & 1 << ChainRules::Colour)
                        QCOMPARE(BlockRules::kColourWords[Modulo1::LastRandomIndex - 1], after.Colour);
                    shapes << after.Shape;
                    colours << after.Colour;
                }
                QCOMPARE(shapes.size(), expected & 1 << ChainRules::Shape ? 3 : 1);
                QCOMPARE(colours.size(), expected & 1 << ChainRules::Colour ? 2 : 1);
            }
        }
    }

    // Two whole chains, each link answered wrongly first (which reveals and changes nothing),
    // then rightly by mouse, by Space or by its letter in turn.
    void chains_data() { addRules(); }
    void chains()
    {
        QFETCH(QString, name);
        const bool stays = name == QLatin1String("FormDomino2");
        platform::seedRandom(3);
        auto *w = ProgramFixture::open<FormDomino>(name);
        QVERIFY(w);
        QCOMPARE(bool(qobject_cast<FormDomino2 *>(w)), stays);
        QCOMPARE(w->Label2->caption(), f.lng(name, QStringLiteral("Label2.Caption")));
        QString letters;
        for (int link = 0; link < 2 * FormDomino::kLinks; ++link) {
            const int k = link % FormDomino::kLinks;
            QCOMPARE(int(w->CurrentLink), k);
            const QString problem = checkLink(w, k, letters, stays);
            QVERIFY2(problem.isEmpty(), qPrintable(QString::number(k) + u' ' + problem));
            const QString before = chain(w);
            click(w->Command1((w->ExpectedAnswer + 1 + k % 4) % 5));
            QCOMPARE(chain(w), before);
            QVERIFY(testkit::shown(w->ComandoIconaNo));

            platform::CommandButton *button = w->Command1(w->ExpectedAnswer);
            letters += button->caption();
            platform::seedRandom(100 + link);
            if (link % 3 == 0)
                click(button);
            else if (link % 3 == 1)
                testkit::press(button);
            else
                type(w, button->caption().toLower());
            QVERIFY(testkit::shown(w->ComandoIconaSi));
            if (k < FormDomino::kLinks - 1)
                continue;
            // The eleventh right answer starts a new chain at once, in a new colour.
            platform::seedRandom(100 + link);
            platform::drawIndex(4); // the jingle of the right answer comes first
            QCOMPARE(w->backColor(), Modulo1::kBackColours[platform::drawIndex(18)]);
            letters.clear();
        }
        QCOMPARE(int(Modulo1::RightCount), 22);
        QCOMPARE(int(Modulo1::WrongCount), 22);
    }

    // The link copies the caption as it reads, translated or changed, and the letter keys follow
    // it; the answers show the hand and Tab goes down their column.
    void captionsAsTheyRead_data() { addRules(); }
    void captionsAsTheyRead()
    {
        QFETCH(QString, name);
        f.writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=English\r\n");
        auto *w = ProgramFixture::open<FormDomino>(name);
        QVERIFY(w);
        const QString english = f.lng(name, QStringLiteral("Command1(2).Caption"), "English");
        QVERIFY(english != f.lng(name, QStringLiteral("Command1(2).Caption")));
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(w->Command1(i)->widget()->cursor().shape(), Qt::BitmapCursor);
            if (i > 0)
                QCOMPARE(w->Command1(i - 1)->widget()->nextInFocusChain(), w->Command1(i)->widget());
        }
        // A letter on no button, and a letter on two buttons, press nothing.
        const QString before = testkit::snapshot(w);
        const QString first = w->Command1(0)->caption();
        w->Command1(0)->setCaption(w->Command1(1)->caption());
        type(w, QStringLiteral("x") + w->Command1(1)->caption());
        w->Command1(0)->setCaption(first);
        QCOMPARE(testkit::snapshot(w), before);

        w->ExpectedAnswer = 2;
        type(w, english.toLower());
        QCOMPARE(w->Label1(0)->caption(), english);
        w->ExpectedAnswer = 1;
        w->Command1(1)->setCaption(QStringLiteral("K"));
        type(w, QStringLiteral("k"));
        QCOMPARE(w->Label1(1)->caption(), QStringLiteral("K"));
    }

    // On every background colour the link letters stand dark on white, and the lines and the
    // names of the answers take an ink that reads on the background.
    void readableOnEveryBackground()
    {
        auto *w = ProgramFixture::open<FormDomino>(QStringLiteral("FormDomino"));
        QVERIFY(w);
        QSet<std::uint32_t> seen;
        for (int chainNo = 0; chainNo < 400 && seen.size() < 17; ++chainNo) {
            const QColor ground = platform::toQColor(w->backColor());
            seen << w->backColor();
            QVERIFY(platform::contrastRatio(platform::toQColor(w->Label5->foreColor()), ground) >= 4.5);
            QCOMPARE(w->Line1(0)->borderColor(), w->Label5->foreColor());
            for (int k = 0; k < FormDomino::kLinks; ++k)
                w->Command1(w->ExpectedAnswer)->press();
        }
        QCOMPARE(seen.size(), 17);
        platform::Label *link = w->Label1(0);
        QVERIFY(link->isOpaque() && link->backColor() == Colours::kWhite);
        QVERIFY(platform::contrastRatio(platform::toQColor(link->foreColor()), Qt::white) >= 7);
        QVERIFY(QFontInfo(link->widget()->font()).pixelSize() >= 32);
    }

    // A language whose thickness words are not the picture store's: a kept shape flips the
    // thickness between the language's words, every other flip writes the store's; the chain
    // goes on over placeholders.
    void foreignThicknessWords()
    {
        QFile lng(f.path(QStringLiteral("Italiano.lng")));
        QVERIFY(lng.open(QIODevice::ReadOnly));
        f.writeFile(lng.fileName().section(u'/', -1),
                    lng.readAll().replace("0009=spesso", "0009=thick").replace("0010=sottile", "0010=thin"));
        for (const QString name : {QStringLiteral("FormDomino"), QStringLiteral("FormDomino2")}) {
            auto *w = ProgramFixture::open<FormDomino>(name);
            QVERIFY(w);
            bool keptShape = false;
            for (int n = 0; n < 40; ++n) {
                const QString from = w->Image1(w->CurrentLink)->description().section(u' ', 3);
                const QString to = w->Image1(w->CurrentLink + 1)->description().section(u' ', 3);
                const bool flips = from != to;
                QCOMPARE(flips,
                         bool(expectedChange(name == QLatin1String("FormDomino2"), w->ExpectedAnswer) & 8));
                if (name == QLatin1String("FormDomino2") && w->ExpectedAnswer == ChainRules::Shape) {
                    keptShape = true;
                    QCOMPARE(to, from == QLatin1String("thick") ? QStringLiteral("thin")
                                                                : QStringLiteral("thick"));
                } else if (flips) {
                    QCOMPARE(to, from == QLatin1String("spesso") ? QStringLiteral("sottile")
                                                                 : QStringLiteral("spesso"));
                }
                QCOMPARE(w->Image1(w->CurrentLink + 1)->showsPlaceholder(),
                         to != QLatin1String("spesso") && to != QLatin1String("sottile"));
                click(w->Command1(w->ExpectedAnswer));
            }
            QCOMPARE(keptShape, name == QLatin1String("FormDomino2"));
            f.answers.push_back(platform::MsgResult::Yes);
            w->LeaveActivity();
        }
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstFormDomino)

#include "tst_FormDomino.moc"
