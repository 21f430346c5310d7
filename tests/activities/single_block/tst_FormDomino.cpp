// "Cosa cambia?" and "Cosa resta uguale?", played the way a child plays them: the chain, the
// links, the answers by mouse and keyboard, and what tells the twins apart.

#include "shell/ProgramFixture.h"

#include "activities/single_block/FormDomino.h"
#include "activities/single_block/FormDomino2.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"

#include <QRegularExpression>

using testkit::click;
using testkit::ProgramFixture;

namespace {

FormDomino *open(const QString &name)
{
    return ProgramFixture::open<FormDomino>(name);
}

// Keys typed where the keyboard is: on the focused control, or the bare window.
void type(FormDomino *w, const QString &text)
{
    QWidget *target = w->window()->focusWidget();
    QTest::keyClicks(target ? target : w->window(), text);
}

// One bit per attribute in which the two pictures' blocks differ, in the order of the answers.
int changed(platform::Image *a, platform::Image *b)
{
    const QStringList x = a->description().split(u' '), y = b->description().split(u' ');
    int bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= x.value(i) != y.value(i) ? 1 << i : 0;
    return bits;
}

// The chain as a child sees it: pictures, links, colour.
QString chain(FormDomino *w)
{
    QStringList s{QString::number(w->backColor(), 16)};
    w->Image1.forEach([&](platform::Image *i) { s << i->picture() + i->description(); });
    w->Label1.forEach([&](platform::Label *l) { s << QString::number(testkit::shown(l)) + l->caption(); });
    return s.join(u'|');
}

// Checks the chain while link k is asked; an empty string when all is well.
QString checkLink(FormDomino *w, int k, const QString &letters, bool stays)
{
    for (int i = 0; i < FormDomino::kPictures; ++i)
        if (w->Image1(i)->hasPicture() != (i <= k + 1))
            return QStringLiteral("picture %1").arg(i);
    for (int i = 0; i < FormDomino::kLinks; ++i) {
        platform::Label *link = w->Label1(i);
        if (testkit::shown(link) != (i <= k) || link->caption() != (i < k ? letters.mid(i, 1) : QString()))
            return QStringLiteral("link %1: \"%2\"").arg(i).arg(link->caption());
    }
    // The last picture is CurrentBlock; it differs from the one before as the answer says.
    if (w->Image1(k + 1)->picture() != Modulo1::CurrentBlock.PicturePath ||
        w->Image1(k + 1)->description() != BlockRules::describe(Modulo1::CurrentBlock))
        return QStringLiteral("last picture");
    const int named = w->ExpectedAnswer == 4 ? 0 : 1 << w->ExpectedAnswer;
    if (changed(w->Image1(k), w->Image1(k + 1)) != (stays ? 0b1111 & ~named : named))
        return QStringLiteral("rule, answer %1").arg(w->ExpectedAnswer);
    return {};
}

} // namespace

class TstFormDomino : public QObject
{
    Q_OBJECT

    ProgramFixture f;

    static void addWindows()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Cosa cambia?") << "FormDomino";
        QTest::newRow("Cosa resta uguale?") << "FormDomino2";
    }

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // Two whole chains, each link answered wrongly first (which reveals and changes nothing),
    // then rightly by mouse, by Space or by its letter in turn.
    void chains_data() { addWindows(); }
    void chains()
    {
        QFETCH(QString, name);
        const bool stays = name == QLatin1String("FormDomino2");
        platform::seedRandom(3);
        FormDomino *w = open(name);
        QVERIFY(w);
        QCOMPARE(bool(qobject_cast<FormDomino2 *>(w)), stays);
        QCOMPARE(w->Label2->caption(), f.lng(name, QStringLiteral("Label2.Caption")));
        QString letters;
        int answers = 0;
        for (int chainNo = 0; chainNo < 2; ++chainNo)
            for (int k = 0; k < FormDomino::kLinks; ++k) {
                QCOMPARE(int(w->CurrentLink), k);
                const QString problem = checkLink(w, k, letters, stays);
                QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("link %1: ").arg(k) + problem));
                const int right = w->ExpectedAnswer;
                const QString before = chain(w);
                click(w->Command1((right + 1 + k % 4) % 5));
                QCOMPARE(chain(w), before);
                QVERIFY(testkit::shown(w->ComandoIconaNo));

                platform::CommandButton *button = w->Command1(right);
                letters += button->caption();
                if (k == FormDomino::kLinks - 1)
                    platform::seedRandom(100 + chainNo);
                switch (answers++ % 3) {
                case 0:
                    click(button);
                    break;
                case 1:
                    testkit::press(button);
                    break;
                default:
                    type(w, button->caption().toLower());
                }
                QVERIFY(testkit::shown(w->ComandoIconaSi));
                if (k < FormDomino::kLinks - 1)
                    continue;
                // The eleventh right answer starts a new chain at once: a new colour, two
                // pictures, one empty link.
                QCOMPARE(w->Label1(10)->caption(), QString()); // a new chain cleared it
                platform::seedRandom(100 + chainNo);
                platform::drawIndex(4); // the jingle of the right answer comes first
                QCOMPARE(w->backColor(), Modulo1::kBackColours[platform::drawIndex(18)]);
                letters.clear();
            }
        QCOMPARE(int(Modulo1::RightCount), 22);
        QCOMPARE(int(Modulo1::WrongCount), 22);
    }

    // The link copies the caption as it reads: translated, and the letter keys follow it.
    void captionsAsTheyRead_data() { addWindows(); }
    void captionsAsTheyRead()
    {
        QFETCH(QString, name);
        f.writeFile(QStringLiteral("LangSetting.ini"), "[Language]\r\nCurrentLanguage=English\r\n");
        FormDomino *w = open(name);
        QVERIFY(w);
        const QString english = f.lng(name, QStringLiteral("Command1(2).Caption"), "English");
        QCOMPARE(w->Command1(2)->caption(), english);
        QVERIFY(english != f.lng(name, QStringLiteral("Command1(2).Caption")));
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(w->Command1(i)->widget()->cursor().shape(), Qt::BitmapCursor);
            // Tab goes down the column of answers.
            if (i > 0)
                QCOMPARE(w->Command1(i - 1)->widget()->nextInFocusChain(), w->Command1(i)->widget());
        }
        // A letter on no button, and a letter on two buttons, press nothing.
        const QString before = testkit::snapshot(w);
        type(w, QStringLiteral("xq"));
        w->Command1(0)->setCaption(w->Command1(1)->caption());
        type(w, w->Command1(1)->caption());
        w->Command1(0)->setCaption(f.lng(name, QStringLiteral("Command1(0).Caption"), "English"));
        QCOMPARE(testkit::snapshot(w), before);

        w->ExpectedAnswer = 2;
        type(w, english.toLower());
        QCOMPARE(w->Label1(0)->caption(), english);
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
        w->ExpectedAnswer = 1;
        w->Command1(1)->setCaption(QStringLiteral("K"));
        type(w, QStringLiteral("k"));
        QCOMPARE(w->Label1(1)->caption(), QStringLiteral("K"));
    }

    // The answers and the question of "Cosa resta uguale?" stand a little higher and further
    // left than those of "Cosa cambia?"; everything else stands in the same place.
    void twinsLayout()
    {
        QHash<QString, QPointF> designed[2];
        const QString names[2] = {QStringLiteral("FormDomino"), QStringLiteral("FormDomino2")};
        for (int t = 0; t < 2; ++t) {
            QVERIFY(open(names[t]));
            for (const clsResize::ControlLayout &l : Modulo1::FormResizer->controlLayouts())
                designed[t][l.control->name() + QString::number(l.control->index())] = QPointF(l.Left, l.Top);
            f.answers.push_back(platform::MsgResult::Yes);
            ProgramFixture::window<FormDomino>(names[t])->LeaveActivity();
        }
        for (auto it = designed[0].cbegin(); it != designed[0].cend(); ++it) {
            const QString &control = it.key();
            QPointF shift(0, 0);
            static const QRegularExpression answers(QStringLiteral("^(Command1\\d|Label[3-7]-1)$"));
            if (answers.match(control).hasMatch())
                shift = QPointF(-120, -120);
            else if (control == QLatin1String("Label2-1"))
                shift = QPointF(-240, -120);
            QCOMPARE(designed[1].value(control), it.value() + shift);
        }
    }

    // A language whose thickness words name no picture: the chain goes on over placeholders,
    // and a kept shape in "Cosa resta uguale?" flips the thickness between the language's words.
    void foreignThicknessWords()
    {
        QFile lng(f.path(QStringLiteral("Italiano.lng")));
        QVERIFY(lng.open(QIODevice::ReadOnly));
        QByteArray text = lng.readAll();
        lng.close();
        text.replace("0009=spesso", "0009=thick").replace("0010=sottile", "0010=thin");
        f.writeFile(QStringLiteral("Italiano.lng"), text);
        FormDomino *w = open(QStringLiteral("FormDomino2"));
        QVERIFY(w);
        int keptShapes = 0;
        for (int k = 0; k < 40; ++k) {
            const int link = w->CurrentLink;
            const QString from = w->Image1(link)->description().section(u' ', 3);
            const QString to = w->Image1(link + 1)->description().section(u' ', 3);
            if (w->ExpectedAnswer == 0) {
                ++keptShapes;
                QCOMPARE(to,
                         from == QLatin1String("thick") ? QStringLiteral("thin") : QStringLiteral("thick"));
            } else if (w->ExpectedAnswer != 3) {
                QCOMPARE(to, from == QLatin1String("spesso") ? QStringLiteral("sottile")
                                                             : QStringLiteral("spesso"));
            }
            QVERIFY(w->Image1(link + 1)->hasPicture());
            QCOMPARE(w->Image1(link + 1)->showsPlaceholder(),
                     !(to == QLatin1String("spesso") || to == QLatin1String("sottile")));
            click(w->Command1(w->ExpectedAnswer));
        }
        QVERIFY(keptShapes > 0);
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstFormDomino)

#include "tst_FormDomino.moc"
