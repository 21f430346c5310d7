// "uguale - diverso": opened from the menu and played the way a child plays it; the frame
// every activity shares (counters, faces, sounds, reset, leave) is checked here too.

#include "shell/Messages.h"
#include "shell/ProgramFixture.h"

#include "platform/CheckBox.h"
#include "platform/CommandButton.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Menu.h"
#include "platform/Random.h"
#include "platform/Units.h"

#include <QRegularExpression>
#include <QSet>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using testkit::ProgramFixture;

Q_DECLARE_METATYPE(platform::MsgResult)

namespace {

constexpr quint32 kRed = 0x0000FF;
constexpr quint32 kLightGrey = 0xE0E0E0;
enum Attribute
{
    Shape = 1,
    Size = 2,
    Thickness = 3,
    Colour = 4
};

void click(platform::Control *c)
{
    QVERIFY(c);
    QVERIFY(c->widget());
    QTest::mouseClick(c->widget(), Qt::LeftButton, {}, testkit::checkBoxHitPoint(c->widget()));
}

// The colour a child sees on a button: its face, above the caption. Resting (disabled)
// buttons are drawn paler, so only the hue is judged.
QColor shownColour(platform::CommandButton *b)
{
    const QImage shot = b->widget()->grab().toImage();
    return shot.pixelColor(shot.width() / 2, shot.height() / 5);
}
bool looksRed(const QColor &c)
{
    return c.red() > 200 && c.green() < 130 && c.blue() < 130;
}
bool looksLightGrey(const QColor &c)
{
    return c.red() >= 200 && qAbs(c.red() - c.green()) < 8 && qAbs(c.green() - c.blue()) < 8;
}

bool faceShown(platform::Image *face)
{
    return face->visible() && face->widget()->isVisible();
}

// The four words of the block a picture path names: jpg\<colour>\<shape><size><thickness>.JPG.
BlockAttributes blockOfPicture(const QString &path)
{
    BlockAttributes b;
    const QString prefix = platform::ApplicationPath + QStringLiteral("\\jpg\\");
    if (!path.startsWith(prefix) || !path.endsWith(QStringLiteral(".JPG")))
        return b;
    const QStringList parts = path.mid(prefix.size(), path.size() - prefix.size() - 4).split(u'\\');
    if (parts.size() != 2)
        return b;
    QString rest = parts[1];
    auto takeFront = [&rest](const QStringList &words) {
        for (const QString &w : words)
            if (rest.startsWith(w)) {
                rest.remove(0, w.size());
                return w;
            }
        return QString();
    };
    b.Colour = parts[0];
    b.Shape = takeFront({ProgramFixture::text("0002"), ProgramFixture::text("0003"),
                         ProgramFixture::text("0004"), ProgramFixture::text("0005")});
    b.Size = takeFront({QStringLiteral("grande"), QStringLiteral("piccolo")});
    b.Thickness = takeFront({ProgramFixture::text("0009"), ProgramFixture::text("0010")});
    if (!rest.isEmpty())
        return {};
    return b;
}

QString wordOf(const BlockAttributes &b, int attribute)
{
    switch (attribute) {
    case Shape:
        return b.Shape;
    case Size:
        return b.Size;
    case Thickness:
        return b.Thickness;
    case Colour:
        return b.Colour;
    }
    return {};
}

// Everything of the window a child can see, to tell whether anything changed.
struct Snapshot
{
    QString question, equal, different, right, wrong;
    QStringList pictures;
    bool equalEnabled, differentEnabled, nextEnabled, happy, sad;
    uint equalColour, differentColour, background;
    int asked;
    QString word1, word2;

    static Snapshot of(form1 *w)
    {
        QStringList pictures;
        for (platform::Image *i : {w->Image1, w->Image2, w->Image3, w->Image4, w->Image5, w->Image6})
            pictures << i->picture();
        return {w->Label1->caption(),
                w->UGUALI->caption(),
                w->DIVERSI->caption(),
                w->etEsatti->caption(),
                w->etErrati->caption(),
                pictures,
                w->UGUALI->enabled(),
                w->DIVERSI->enabled(),
                w->bottoneavanti->enabled(),
                faceShown(w->ComandoIconaSi),
                faceShown(w->ComandoIconaNo),
                w->UGUALI->backColor(),
                w->DIVERSI->backColor(),
                w->backColor(),
                w->AskedAttribute,
                w->ComparedValue[1],
                w->ComparedValue[2]};
    }
    bool operator==(const Snapshot &) const = default;
};

} // namespace

class TstForm1 : public QObject
{
    Q_OBJECT

private:
    ProgramFixture f;

    QString design(const char *key) const { return f.italian(QStringLiteral("form1"), QLatin1String(key)); }

    // From the menu, with the button a child would press.
    form1 *open()
    {
        auto *menu = ProgramFixture::window<formMenu>("formMenu");
        if (!menu)
            return nullptr;
        menu->Show();
        QTest::mouseClick(menu->Command1->widget(), Qt::LeftButton);
        auto *w = ProgramFixture::window<form1>("form1");
        return w && w->isShown() && !menu->isLoaded() ? w : nullptr;
    }

    static platform::CommandButton *rightButton(form1 *w)
    {
        return w->ComparedValue[1] == w->ComparedValue[2] ? w->UGUALI : w->DIVERSI;
    }
    static platform::CommandButton *wrongButton(form1 *w)
    {
        return w->ComparedValue[1] == w->ComparedValue[2] ? w->DIVERSI : w->UGUALI;
    }

    // Plays right answers and "avanti" until the window asks about the attribute.
    static bool playUntilAsked(form1 *w, int attribute)
    {
        for (int turn = 0; turn < 500; ++turn) {
            if (w->AskedAttribute == attribute)
                return true;
            QTest::mouseClick(rightButton(w)->widget(), Qt::LeftButton);
            QTest::mouseClick(w->bottoneavanti->widget(), Qt::LeftButton);
        }
        return false;
    }

    // A turn with the given words, whatever the window drew.
    static void setTurn(form1 *w, int attribute, const QString &left, const QString &right)
    {
        w->AskedAttribute = static_cast<std::int16_t>(attribute);
        w->ComparedValue[1] = left;
        w->ComparedValue[2] = right;
    }

    static QString word(QString spec)
    {
        if (!spec.startsWith(u'#'))
            return spec;
        const bool upper = spec.endsWith(u'^'), blank = spec.endsWith(u'_');
        if (upper || blank)
            spec.chop(1);
        QString w = ProgramFixture::text(qPrintable(spec.mid(1)));
        if (w.isEmpty())
            return QStringLiteral("<missing %1>").arg(spec);
        return upper ? w.toUpper() : blank ? w + u' ' : w;
    }

private slots:
    void initTestCase() { testkit::quietRaiseWarnings(); }
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    void opensInItsDesignState()
    {
        Modulo1::RightCount = 7; // left over from another activity
        Modulo1::WrongCount = 3;
        form1 *w = open();
        QVERIFY(w);
        testkit::verifyCoversScreen(w);

        QCOMPARE(w->etEsatti->caption(), design("etEsatti.Caption"));
        QCOMPARE(w->etErrati->caption(), design("etErrati.Caption"));
        QVERIFY(!w->etEsatti->caption().isEmpty());
        QCOMPARE(Modulo1::RightCount, std::int16_t(0));
        QCOMPARE(Modulo1::WrongCount, std::int16_t(0));
        QVERIFY(!faceShown(w->ComandoIconaSi));
        QVERIFY(!faceShown(w->ComandoIconaNo));

        QVERIFY(w->UGUALI->enabled() && w->UGUALI->widget()->isEnabled());
        QVERIFY(w->DIVERSI->enabled() && w->DIVERSI->widget()->isEnabled());
        QVERIFY(!w->bottoneavanti->widget()->isEnabled());
        QCOMPARE(w->UGUALI->caption(), design("UGUALI.Caption"));
        QCOMPARE(w->bottoneavanti->caption(), design("bottoneavanti.Caption"));
        QCOMPARE(w->Command1->caption(), design("Command1.Caption"));
        QCOMPARE(w->resetMenu->caption(), design("mnu1.Caption"));
        QCOMPARE(w->aboutMenu->caption(), design("mnu3.Caption"));
        QCOMPARE(w->leaveMenu->caption(), design("mnuEsci.Caption"));

        // The first turn is asked already: a question and two block pictures, no help yet.
        QVERIFY(w->AskedAttribute >= 1 && w->AskedAttribute <= 4);
        QVERIFY(!w->Label1->caption().isEmpty());
        QVERIFY(w->Image1->hasPicture());
        QVERIFY(w->Image2->hasPicture());
        for (platform::Image *i : {w->Image3, w->Image4, w->Image5, w->Image6})
            QVERIFY(!i->hasPicture());
        QVERIFY(f.messages.isEmpty());
        QVERIFY(f.sounds.isEmpty());
    }

    void rightAnswerCounts()
    {
        form1 *w = open();
        QVERIFY(w);
        click(rightButton(w));
        QCOMPARE(w->etEsatti->caption(), ProgramFixture::text("0011") + QStringLiteral(" 1"));
        QVERIFY(!ProgramFixture::text("0011").isEmpty());
        QCOMPARE(w->etErrati->caption(), design("etErrati.Caption"));
        QVERIFY(faceShown(w->ComandoIconaSi));
        QVERIFY(!faceShown(w->ComandoIconaNo));
    }

    void wrongAnswersCount()
    {
        form1 *w = open();
        QVERIFY(w);
        platform::CommandButton *wrong = wrongButton(w);
        click(wrong);
        click(wrong);
        QVERIFY(faceShown(w->ComandoIconaNo));
        QVERIFY(!faceShown(w->ComandoIconaSi));
        QCOMPARE(w->etErrati->caption(), ProgramFixture::text("0012") + QStringLiteral(" 2"));
        QVERIFY(!ProgramFixture::text("0012").isEmpty());
        QCOMPARE(w->etEsatti->caption(), design("etEsatti.Caption"));
        // The child may try again on the same pair.
        QVERIFY(w->UGUALI->widget()->isEnabled());
        QVERIFY(w->DIVERSI->widget()->isEnabled());
        QVERIFY(!w->bottoneavanti->widget()->isEnabled());
        QCOMPARE(w->UGUALI->backColor(), kLightGrey);
        QCOMPARE(w->DIVERSI->backColor(), kLightGrey);

        click(rightButton(w));
        QCOMPARE(w->etEsatti->caption(), ProgramFixture::text("0011") + QStringLiteral(" 1"));
        QCOMPARE(w->etErrati->caption(), ProgramFixture::text("0012") + QStringLiteral(" 2"));
        QVERIFY(faceShown(w->ComandoIconaSi));
        QVERIFY(!faceShown(w->ComandoIconaNo));
    }

    void resetCounters_data()
    {
        QTest::addColumn<bool>("afterRightAnswer");
        QTest::newRow("while waiting for the answer") << false;
        QTest::newRow("after the right answer") << true;
    }

    void resetCounters()
    {
        QFETCH(bool, afterRightAnswer);
        form1 *w = open();
        QVERIFY(w);
        click(wrongButton(w));
        if (afterRightAnswer)
            click(rightButton(w));
        const Snapshot before = Snapshot::of(w);

        w->resetMenu->trigger();
        QCOMPARE(w->etEsatti->caption(), ProgramFixture::text("0011") + QStringLiteral(" 0"));
        QCOMPARE(w->etErrati->caption(), ProgramFixture::text("0012") + QStringLiteral(" 0"));
        QCOMPARE(Modulo1::RightCount, std::int16_t(0));
        QCOMPARE(Modulo1::WrongCount, std::int16_t(0));
        // Faces and the turn stay as they were.
        Snapshot after = Snapshot::of(w);
        after.right = before.right;
        after.wrong = before.wrong;
        QVERIFY(after == before);

        if (afterRightAnswer)
            click(w->bottoneavanti);
        click(rightButton(w));
        QCOMPARE(w->etEsatti->caption(), ProgramFixture::text("0011") + QStringLiteral(" 1"));
        QCOMPARE(w->etErrati->caption(), ProgramFixture::text("0012") + QStringLiteral(" 0"));
    }

    void leaveQuestion_data()
    {
        QTest::addColumn<bool>("closeButton");
        QTest::addColumn<MsgResult>("answer");
        QTest::newRow("Esci, no") << false << MsgResult::No;
        QTest::newRow("Esci, yes") << false << MsgResult::Yes;
        QTest::newRow("close button, no") << true << MsgResult::No;
        QTest::newRow("close button, yes") << true << MsgResult::Yes;
    }

    void leaveQuestion()
    {
        QFETCH(bool, closeButton);
        QFETCH(MsgResult, answer);
        form1 *w = open();
        QVERIFY(w);
        click(wrongButton(w));
        click(rightButton(w));
        const Snapshot before = Snapshot::of(w);

        f.answers.push_back(answer);
        const int seed = 424242;
        platform::seedRandom(seed);
        if (closeButton)
            w->window()->close();
        else
            w->leaveMenu->trigger();

        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, ProgramFixture::text("0017"));
        QVERIFY(!f.messages[0].text.isEmpty());
        QCOMPARE(f.messages[0].buttons, MsgButtons::YesNo);
        QCOMPARE(f.messages[0].icon, MsgIcon::Question);
        QCOMPARE(f.messages[0].title, QStringLiteral("Zorvelli"));
        QCOMPARE(f.endCount, 0);

        auto *menu = ProgramFixture::window<formMenu>("formMenu");
        if (answer == MsgResult::No) {
            QVERIFY(w->isShown());
            QVERIFY(!menu->isLoaded());
            QVERIFY(Snapshot::of(w) == before);
            QCOMPARE(Modulo1::RightCount, std::int16_t(1));
            QCOMPARE(Modulo1::WrongCount, std::int16_t(1));
            return;
        }

        // A freshly loaded menu, with a colour of its own drawn now.
        QVERIFY(!w->isLoaded());
        QVERIFY(menu->isShown());
        testkit::verifyCoversScreen(menu);
        QCOMPARE(platform::Form::loadedForms(), QList<platform::Form *>{menu});
        platform::seedRandom(seed);
        QCOMPARE(menu->backColor(), Modulo1::kBackColours[platform::drawIndex(18)]);
        QCOMPARE(menu->Command1->caption(),
                 f.italian(QStringLiteral("formMenu"), QStringLiteral("Command1.Caption")));

        // Opening the activity again starts from nothing.
        w = open();
        QVERIFY(w);
        QCOMPARE(w->etEsatti->caption(), design("etEsatti.Caption"));
        QCOMPARE(w->etErrati->caption(), design("etErrati.Caption"));
        QVERIFY(!faceShown(w->ComandoIconaSi));
        QVERIFY(!w->bottoneavanti->widget()->isEnabled());
        click(rightButton(w));
        QCOMPARE(w->etEsatti->caption(), ProgramFixture::text("0011") + QStringLiteral(" 1"));
        click(w->bottoneavanti);
        click(wrongButton(w));
        QCOMPARE(w->etErrati->caption(), ProgramFixture::text("0012") + QStringLiteral(" 1"));
    }

    void judging_data()
    {
        QTest::addColumn<int>("attribute");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<bool>("saysEqual");
        QTest::addColumn<bool>("isRight");

        // "#id" is the word of that identifier, read when the row runs; "^" turns it to
        // capitals, "_" adds a blank at the end.
        const struct
        {
            const char *name;
            int attribute;
            QString a, b;
        } pairs[] = {{"shape", Shape, "#0002", "#0003"},
                     {"size", Size, "grande", "piccolo"},
                     {"thickness", Thickness, "#0009", "#0010"},
                     {"colour", Colour, "#0006", "#0008"}};
        for (const auto &p : pairs) {
            QTest::addRow("%s equal, UGUALE", p.name) << p.attribute << p.a << p.a << true << true;
            QTest::addRow("%s equal, DIVERSI", p.name) << p.attribute << p.a << p.a << false << false;
            QTest::addRow("%s different, UGUALE", p.name) << p.attribute << p.a << p.b << true << false;
            QTest::addRow("%s different, DIVERSI", p.name) << p.attribute << p.b << p.a << false << true;
        }
        // Words are compared exactly, as texts.
        QTest::newRow("letter case differs, UGUALE") << int(Colour) << "#0006"
                                                     << "#0006^" << true << false;
        QTest::newRow("letter case differs, DIVERSI") << int(Colour) << "#0006"
                                                      << "#0006^" << false << true;
        QTest::newRow("trailing blank, UGUALE") << int(Shape) << "#0002"
                                                << "#0002_" << true << false;
        QTest::newRow("both empty, UGUALE") << int(Size) << QString() << QString() << true << true;
    }

    void judging()
    {
        QFETCH(int, attribute);
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(bool, saysEqual);
        QFETCH(bool, isRight);
        form1 *w = open();
        QVERIFY(w);
        QVERIFY(word(left) != word(right) || left == right);
        setTurn(w, attribute, word(left), word(right));
        platform::CommandButton *clicked = saysEqual ? w->UGUALI : w->DIVERSI;
        platform::CommandButton *other = saysEqual ? w->DIVERSI : w->UGUALI;
        click(clicked);

        QCOMPARE(Modulo1::RightCount, std::int16_t(isRight ? 1 : 0));
        QCOMPARE(Modulo1::WrongCount, std::int16_t(isRight ? 0 : 1));
        QCOMPARE(faceShown(w->ComandoIconaSi), isRight);
        QCOMPARE(faceShown(w->ComandoIconaNo), !isRight);
        if (isRight) {
            QCOMPARE(clicked->backColor(), kRed);
            QVERIFY2(looksRed(shownColour(clicked)), qPrintable(shownColour(clicked).name()));
            QCOMPARE(other->backColor(), kLightGrey);
            QVERIFY2(looksLightGrey(shownColour(other)), qPrintable(shownColour(other).name()));
            QVERIFY(!w->UGUALI->widget()->isEnabled());
            QVERIFY(!w->DIVERSI->widget()->isEnabled());
            QVERIFY(w->bottoneavanti->widget()->isEnabled());
            // Answered: the answer buttons take no more clicks.
            click(w->UGUALI);
            click(w->DIVERSI);
            QCOMPARE(Modulo1::RightCount, std::int16_t(1));
            QCOMPARE(Modulo1::WrongCount, std::int16_t(0));
        } else {
            QCOMPARE(clicked->backColor(), kLightGrey);
            QCOMPARE(other->backColor(), kLightGrey);
            QVERIFY(w->UGUALI->widget()->isEnabled());
            QVERIFY(w->DIVERSI->widget()->isEnabled());
            QVERIFY(!w->bottoneavanti->widget()->isEnabled());
            // Every further wrong click counts again.
            click(clicked);
            click(clicked);
            QCOMPARE(Modulo1::WrongCount, std::int16_t(3));
            QCOMPARE(w->etErrati->caption(), ProgramFixture::text("0012") + QStringLiteral(" 3"));
            click(other);
            QCOMPARE(Modulo1::RightCount, std::int16_t(1));
            QCOMPARE(other->backColor(), kRed);
            QCOMPARE(clicked->backColor(), kLightGrey);
        }
    }

    // Many turns in a row: every question names its attribute, the words judged are those of
    // the pictures shown, and two pictures of the very same block are always equal.
    void turnsMatchTheirPictures()
    {
        platform::seedRandom(31);
        form1 *w = open();
        QVERIFY(w);
        const QString questionIds[5] = {{}, "0058", "0060", "0062", "0064"};
        const QString differentIds[5] = {{}, "0059", "0059", "0063", "0063"};
        QSet<int> asked, sameBlockAsked;
        QSet<quint32> backgrounds;
        for (int turn = 0; turn < 2000 && (turn < 300 || sameBlockAsked.size() < 4); ++turn) {
            const int a = w->AskedAttribute;
            QVERIFY(a >= 1 && a <= 4);
            asked.insert(a);
            QCOMPARE(w->Label1->caption(), ProgramFixture::text(qPrintable(questionIds[a])));
            QCOMPARE(w->DIVERSI->caption(), ProgramFixture::text(qPrintable(differentIds[a])));
            QCOMPARE(w->UGUALI->caption(), design("UGUALI.Caption"));

            const BlockAttributes left = blockOfPicture(w->Image1->picture());
            const BlockAttributes right = blockOfPicture(w->Image2->picture());
            QVERIFY2(!left.Colour.isEmpty(), qPrintable(w->Image1->picture()));
            QVERIFY2(!right.Colour.isEmpty(), qPrintable(w->Image2->picture()));
            QCOMPARE(w->ComparedValue[1], wordOf(left, a));
            QCOMPARE(w->ComparedValue[2], wordOf(right, a));
            QVERIFY(w->Image1->hasPicture() && w->Image2->hasPicture());
            backgrounds.insert(w->backColor());

            const int rightBefore = Modulo1::RightCount;
            if (w->Image1->picture() == w->Image2->picture()) {
                sameBlockAsked.insert(a);
                click(w->UGUALI);
                QCOMPARE(int(Modulo1::RightCount), rightBefore + 1);
            } else {
                click(rightButton(w));
            }
            QCOMPARE(int(Modulo1::RightCount), qMin(rightBefore + 1, 32767));
            click(w->bottoneavanti);
        }
        QCOMPARE(asked.size(), 4);
        QCOMPARE(sameBlockAsked.size(), 4);
        QCOMPARE(Modulo1::WrongCount, std::int16_t(0));
        QVERIFY2(backgrounds.size() >= 8, "every turn should bring a new background colour");

        // Every right answer was heard, with each of the four jingles now and then.
        QCOMPARE(f.sounds.size(), int(Modulo1::RightCount));
        QSet<QString> jingles(f.sounds.cbegin(), f.sounds.cend());
        QCOMPARE(jingles.size(), 4);
    }

    void help_data()
    {
        QTest::addColumn<int>("attribute");
        QTest::addColumn<QStringList>("pictures");
        QTest::newRow("shape") << int(Shape) << QStringList{"cerchio", "quadrato", "rettangolo", "triangolo"};
        QTest::newRow("size") << int(Size) << QStringList{"grande", "piccolo"};
        QTest::newRow("thickness") << int(Thickness) << QStringList{"spesso", "sottile"};
        QTest::newRow("colour") << int(Colour) << QStringList{"rosso", "giallo", "blu"};
    }

    void help()
    {
        QFETCH(int, attribute);
        QFETCH(QStringList, pictures);
        form1 *w = open();
        QVERIFY(w);
        QVERIFY(playUntilAsked(w, attribute));
        click(wrongButton(w));
        const int right = Modulo1::RightCount, wrong = Modulo1::WrongCount;
        const QList<platform::Image *> helpImages{w->Image3, w->Image4, w->Image5, w->Image6};

        for (int round = 0; round < 2; ++round) { // the help may be asked for again
            click(w->Command1);
            for (int i = 0; i < 4; ++i) {
                platform::Image *image = helpImages[i];
                if (i < pictures.size()) {
                    QCOMPARE(image->picture(), platform::ApplicationPath + QStringLiteral("\\jpg\\") +
                                                   pictures[i] + QStringLiteral(".jpg"));
                    QVERIFY2(image->picture().endsWith(QStringLiteral("jpg\\") + pictures[i] +
                                                       QStringLiteral(".jpg")),
                             qPrintable(image->picture()));
                    QVERIFY2(image->hasPicture(), qPrintable(image->picture()));
                } else {
                    QVERIFY(image->picture().isEmpty());
                    QVERIFY(!image->hasPicture());
                }
            }
        }
        // Help costs nothing and changes no button.
        QCOMPARE(int(Modulo1::RightCount), right);
        QCOMPARE(int(Modulo1::WrongCount), wrong);
        QVERIFY(w->UGUALI->widget()->isEnabled());
        QVERIFY(!w->bottoneavanti->widget()->isEnabled());

        // Also after the answer; then "avanti" clears every help picture.
        click(rightButton(w));
        click(w->Command1);
        QVERIFY(w->Image3->hasPicture());
        click(w->bottoneavanti);
        for (platform::Image *image : helpImages) {
            QVERIFY(image->picture().isEmpty());
            QVERIFY(!image->hasPicture());
        }
    }

    void nextTurn()
    {
        form1 *w = open();
        QVERIFY(w);
        setTurn(w, Colour, ProgramFixture::text("0006"), ProgramFixture::text("0007"));
        click(w->UGUALI);  // wrong
        click(w->DIVERSI); // right
        QCOMPARE(w->DIVERSI->backColor(), kRed);
        const QString rightText = w->etEsatti->caption(), wrongText = w->etErrati->caption();

        platform::seedRandom(99);
        click(w->bottoneavanti);
        QVERIFY(w->UGUALI->widget()->isEnabled());
        QVERIFY(w->DIVERSI->widget()->isEnabled());
        QCOMPARE(w->UGUALI->backColor(), kLightGrey);
        QCOMPARE(w->DIVERSI->backColor(), kLightGrey);
        QVERIFY2(looksLightGrey(shownColour(w->DIVERSI)), qPrintable(shownColour(w->DIVERSI).name()));
        QVERIFY(!w->bottoneavanti->widget()->isEnabled());
        // The face of the last answer stays until the next answer; the counters too.
        QVERIFY(faceShown(w->ComandoIconaSi));
        QVERIFY(!faceShown(w->ComandoIconaNo));
        QCOMPARE(w->etEsatti->caption(), rightText);
        QCOMPARE(w->etErrati->caption(), wrongText);

        // The new turn: attribute first, then the colour, then the two blocks.
        platform::seedRandom(99);
        QCOMPARE(int(w->AskedAttribute), platform::drawIndex(4) + 1);
        QCOMPARE(w->backColor(), Modulo1::kBackColours[platform::drawIndex(18)]);
        QCOMPARE(w->surface()->grab().toImage().pixelColor(2, 2), platform::toQColor(w->backColor()));
        Modulo1::PickRandomBlock();
        QCOMPARE(w->Image1->picture(), Modulo1::CurrentBlock.PicturePath);
        Modulo1::PickRandomBlock();
        QCOMPARE(w->Image2->picture(), Modulo1::CurrentBlock.PicturePath);

        // "avanti" is asleep again: a click does not skip the turn.
        const Snapshot waiting = Snapshot::of(w);
        click(w->bottoneavanti);
        QVERIFY(Snapshot::of(w) == waiting);
    }

    void questionTexts_data()
    {
        QTest::addColumn<int>("attribute");
        QTest::addColumn<QString>("questionId");
        QTest::addColumn<QString>("differentId");
        QTest::newRow("shape") << int(Shape) << "0058"
                               << "0059";
        QTest::newRow("size") << int(Size) << "0060"
                              << "0059";
        QTest::newRow("thickness") << int(Thickness) << "0062"
                                   << "0063";
        QTest::newRow("colour") << int(Colour) << "0064"
                                << "0063";
    }

    void questionTexts()
    {
        QFETCH(int, attribute);
        QFETCH(QString, questionId);
        QFETCH(QString, differentId);
        form1 *w = open();
        QVERIFY(w);
        QVERIFY(playUntilAsked(w, attribute));
        const QString question = ProgramFixture::text(qPrintable(questionId));
        const QString different = ProgramFixture::text(qPrintable(differentId));
        QVERIFY(!question.isEmpty() && !different.isEmpty());
        QCOMPARE(w->Label1->caption(), question);
        QCOMPARE(w->DIVERSI->caption(), different);
        QCOMPARE(w->UGUALI->caption(), design("UGUALI.Caption"));
        QVERIFY(w->Label1->widget()->isVisible());
    }

    void sounds_data()
    {
        QTest::addColumn<bool>("soundOn");
        QTest::newRow("sounds on") << true;
        QTest::newRow("sounds switched off in the menu") << false;
    }

    void sounds()
    {
        QFETCH(bool, soundOn);
        auto *menu = ProgramFixture::window<formMenu>("formMenu");
        menu->Show();
        if (!soundOn)
            click(menu->Check1);
        QCOMPARE(Modulo1::SoundEnabled, soundOn);
        form1 *w = open();
        QVERIFY(w);
        QVERIFY(f.sounds.isEmpty());

        click(wrongButton(w));
        click(rightButton(w));
        if (!soundOn) {
            QVERIFY(f.sounds.isEmpty());
            return;
        }
        QCOMPARE(f.sounds.size(), 2);
        QCOMPARE(f.sounds[0], platform::ApplicationPath + QStringLiteral("\\suoni\\no.wav"));
        const QRegularExpression jingle(u'^' + QRegularExpression::escape(platform::ApplicationPath) +
                                        QStringLiteral("\\\\suoni\\\\si[1-4]\\.wav$"));
        QVERIFY2(jingle.match(f.sounds[1]).hasMatch(), qPrintable(f.sounds[1]));
        // Help, "avanti" and the menus are silent.
        click(w->Command1);
        click(w->bottoneavanti);
        w->resetMenu->trigger();
        QCOMPARE(f.sounds.size(), 2);
    }

    void aboutBox()
    {
        form1 *w = open();
        QVERIFY(w);
        const Snapshot before = Snapshot::of(w);
        w->aboutMenu->trigger();
        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, Messages::aboutText());
        QCOMPARE(f.messages[0].icon, MsgIcon::Information);
        QCOMPARE(f.messages[0].buttons, MsgButtons::Ok);
        QCOMPARE(f.messages[0].title, QStringLiteral("Zorvelli"));
        QVERIFY(w->isShown());
        QVERIFY(Snapshot::of(w) == before);
    }

    void wrongCountStopsAtItsLimit()
    {
        form1 *w = open();
        QVERIFY(w);
        platform::CommandButton *wrong = wrongButton(w);
        for (int i = 0; i < 40000; ++i) {
            QTest::mouseClick(wrong->widget(), Qt::LeftButton);
            if (Modulo1::WrongCount < 0)
                QFAIL(
                    qPrintable(QStringLiteral("the wrong answers went negative after %1 clicks").arg(i + 1)));
        }
        QCOMPARE(Modulo1::WrongCount, std::int16_t(32767));
        QCOMPARE(w->etErrati->caption(), ProgramFixture::text("0012") + QStringLiteral(" 32767"));
        QCOMPARE(Modulo1::RightCount, std::int16_t(0));
        // The window is still playable.
        click(rightButton(w));
        QCOMPARE(w->etEsatti->caption(), ProgramFixture::text("0011") + QStringLiteral(" 1"));
        w->resetMenu->trigger();
        QCOMPARE(w->etErrati->caption(), ProgramFixture::text("0012") + QStringLiteral(" 0"));
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstForm1)

#include "tst_form1.moc"
