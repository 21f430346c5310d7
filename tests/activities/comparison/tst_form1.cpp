// "uguale - diverso", opened from the menu and played the way a child plays it; the frame
// every activity shares (counters, faces, sounds, reset, leave) is checked here too.

#include "shell/Messages.h"
#include "shell/ProgramFixture.h"

#include "platform/CommandButton.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Menu.h"
#include "platform/Random.h"

#include <QRegularExpression>
#include <QSet>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using testkit::click;
using testkit::ProgramFixture;

Q_DECLARE_METATYPE(platform::MsgResult)

namespace {

constexpr quint32 kRed = 0x0000FF;
constexpr quint32 kLightGrey = 0xE0E0E0;
enum Attribute
{
    Shape = 1,
    Size,
    Thickness,
    Colour
};

bool faceShown(platform::Image *face)
{
    return face->visible() && face->widget()->isVisible();
}

// The hue a child sees on a button's face, above the caption (resting buttons are paler).
bool looks(platform::CommandButton *b, quint32 bbggrr)
{
    const QImage shot = b->widget()->grab().toImage();
    const QColor c = shot.pixelColor(shot.width() / 2, shot.height() / 5);
    if (bbggrr == kRed)
        return c.red() > 200 && c.green() < 130 && c.blue() < 130;
    return c.red() >= 200 && qAbs(c.red() - c.green()) < 8 && qAbs(c.green() - c.blue()) < 8;
}

// Everything of the turn a child can see (the counters aside), to tell whether it changed.
QString turnState(form1 *w)
{
    QStringList s{w->Label1->caption(), w->UGUALI->caption(), w->DIVERSI->caption(), w->ComparedValue[1],
                  w->ComparedValue[2]};
    for (platform::Image *i : {w->Image1, w->Image2, w->Image3, w->Image4, w->Image5, w->Image6})
        s << i->picture();
    for (bool b : {w->UGUALI->enabled(), w->DIVERSI->enabled(), w->bottoneavanti->enabled(),
                   faceShown(w->ComandoIconaSi), faceShown(w->ComandoIconaNo)})
        s << QString::number(b);
    for (quint32 c : {w->UGUALI->backColor(), w->DIVERSI->backColor(), w->backColor()})
        s << QString::number(c);
    return s.join(u'|');
}

QString count(const char *id, int n)
{
    return ProgramFixture::text(id) + u' ' + QString::number(n);
}

} // namespace

class TstForm1 : public QObject
{
    Q_OBJECT

    ProgramFixture f;

    QString design(const char *key) const { return f.lng("form1", key); }

    // From the menu, with the button a child would press.
    form1 *open()
    {
        auto *menu = ProgramFixture::window<formMenu>("formMenu");
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

private slots:
    void initTestCase() { testkit::quietRaiseWarnings(); }
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    void countersFacesResetAbout()
    {
        Modulo1::RightCount = 7; // left over from another activity
        Modulo1::WrongCount = 3;
        form1 *w = open();
        QVERIFY(w);
        testkit::verifyCoversScreen(w);
        QCOMPARE(w->etEsatti->caption(), design("etEsatti.Caption"));
        QCOMPARE(w->etErrati->caption(), design("etErrati.Caption"));
        QVERIFY(!faceShown(w->ComandoIconaSi) && !faceShown(w->ComandoIconaNo));
        QVERIFY(w->UGUALI->widget()->isEnabled() && w->DIVERSI->widget()->isEnabled());
        QVERIFY(!w->bottoneavanti->widget()->isEnabled());
        QVERIFY(w->Image1->hasPicture() && w->Image2->hasPicture() && !w->Image3->hasPicture());

        click(wrongButton(w));
        click(wrongButton(w));
        QVERIFY(faceShown(w->ComandoIconaNo) && !faceShown(w->ComandoIconaSi));
        QCOMPARE(w->etErrati->caption(), count("0012", 2));
        QCOMPARE(w->etEsatti->caption(), design("etEsatti.Caption"));
        click(rightButton(w));
        QCOMPARE(w->etEsatti->caption(), count("0011", 1));
        QCOMPARE(w->etErrati->caption(), count("0012", 2));
        QVERIFY(faceShown(w->ComandoIconaSi) && !faceShown(w->ComandoIconaNo));

        // Reset and the about box touch nothing but the counters.
        const QString turn = turnState(w);
        w->resetMenu->trigger();
        QCOMPARE(w->etEsatti->caption(), count("0011", 0));
        QCOMPARE(w->etErrati->caption(), count("0012", 0));
        w->aboutMenu->trigger();
        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, Messages::aboutText());
        QCOMPARE(f.messages[0].icon, MsgIcon::Information);
        QCOMPARE(turnState(w), turn);

        click(w->bottoneavanti);
        click(wrongButton(w));
        click(rightButton(w));
        QCOMPARE(w->etEsatti->caption(), count("0011", 1));
        QCOMPARE(w->etErrati->caption(), count("0012", 1));
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
        const QString turn = turnState(w), counters = w->etEsatti->caption() + w->etErrati->caption();
        f.answers.push_back(answer);
        platform::seedRandom(4242);
        if (closeButton)
            w->window()->close();
        else
            w->leaveMenu->trigger();

        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0].text, f.lng("Strings", "0017"));
        QCOMPARE(f.messages[0].buttons, MsgButtons::YesNo);
        QCOMPARE(f.messages[0].icon, MsgIcon::Question);
        QCOMPARE(f.endCount, 0);
        auto *menu = ProgramFixture::window<formMenu>("formMenu");
        if (answer == MsgResult::No) {
            QVERIFY(w->isShown() && !menu->isLoaded());
            QCOMPARE(turnState(w), turn);
            QCOMPARE(w->etEsatti->caption() + w->etErrati->caption(), counters);
            return;
        }
        // A freshly loaded menu with a colour drawn now; the activity starts again from nothing.
        QVERIFY(!w->isLoaded());
        testkit::verifyCoversScreen(menu);
        QCOMPARE(platform::Form::loadedForms(), QList<platform::Form *>{menu});
        platform::seedRandom(4242);
        QCOMPARE(menu->backColor(), Modulo1::kBackColours[platform::drawIndex(18)]);
        w = open();
        QVERIFY(w);
        QCOMPARE(w->etEsatti->caption(), design("etEsatti.Caption"));
        QVERIFY(!faceShown(w->ComandoIconaSi) && !w->bottoneavanti->widget()->isEnabled());
        click(rightButton(w));
        QCOMPARE(w->etEsatti->caption(), count("0011", 1));
        click(w->bottoneavanti);
        click(wrongButton(w));
        QCOMPARE(w->etErrati->caption(), count("0012", 1));
    }

    void judging_data()
    {
        QTest::addColumn<int>("attribute");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<bool>("saysEqual");
        QTest::addColumn<bool>("isRight");
        QTest::newRow("same, UGUALE") << int(Shape) << "quadrato"
                                      << "quadrato" << true << true;
        QTest::newRow("same, DIVERSI") << int(Size) << "grande"
                                       << "grande" << false << false;
        QTest::newRow("different, UGUALE") << int(Thickness) << "spesso"
                                           << "sottile" << true << false;
        QTest::newRow("different, DIVERSI") << int(Colour) << "rosso"
                                            << "blu" << false << true;
        QTest::newRow("letter case, UGUALE") << int(Colour) << "rosso"
                                             << "ROSSO" << true << false;
        QTest::newRow("letter case, DIVERSI") << int(Colour) << "rosso"
                                              << "Rosso" << false << true;
        QTest::newRow("trailing blank, UGUALE") << int(Shape) << "rotondo"
                                                << "rotondo " << true << false;
        QTest::newRow("both empty, UGUALE") << int(Size) << ""
                                            << "" << true << true;
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
        w->AskedAttribute = std::int16_t(attribute);
        w->ComparedValue[1] = left;
        w->ComparedValue[2] = right;
        platform::CommandButton *clicked = saysEqual ? w->UGUALI : w->DIVERSI;
        platform::CommandButton *other = saysEqual ? w->DIVERSI : w->UGUALI;
        click(clicked);
        QCOMPARE(faceShown(w->ComandoIconaSi), isRight);
        QCOMPARE(faceShown(w->ComandoIconaNo), !isRight);
        if (!isRight) {
            // The child may try again on the same pair; every wrong click counts.
            QVERIFY(w->UGUALI->widget()->isEnabled() && w->DIVERSI->widget()->isEnabled());
            QVERIFY(!w->bottoneavanti->widget()->isEnabled());
            QCOMPARE(clicked->backColor(), kLightGrey);
            click(clicked);
            click(clicked);
            QCOMPARE(w->etErrati->caption(), count("0012", 3));
            std::swap(clicked, other);
            click(clicked);
        }
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
        QCOMPARE(Modulo1::WrongCount, std::int16_t(isRight ? 0 : 3));
        QCOMPARE(clicked->backColor(), kRed);
        QCOMPARE(other->backColor(), kLightGrey);
        QVERIFY(looks(clicked, kRed) && looks(other, kLightGrey));
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
        QSet<int> sameBlockAsked;
        for (int turn = 0; turn < 2000 && (turn < 100 || sameBlockAsked.size() < 4); ++turn) {
            click(w->Image1->picture() == w->Image2->picture() ? w->UGUALI.data() : rightButton(w));
            QCOMPARE(int(Modulo1::RightCount), turn + 1);
            platform::seedRandom(turn);
            click(w->bottoneavanti);

            // The attribute first, then the background colour, then the two blocks.
            platform::seedRandom(turn);
            const int a = platform::drawIndex(4) + 1;
            QCOMPARE(int(w->AskedAttribute), a);
            QCOMPARE(w->backColor(), Modulo1::kBackColours[platform::drawIndex(18)]);
            for (int i = 1; i <= 2; ++i) {
                Modulo1::PickRandomBlock();
                QCOMPARE((i == 1 ? w->Image1 : w->Image2)->picture(), Modulo1::CurrentBlock.PicturePath);
                QCOMPARE(w->ComparedValue[i], Modulo1::CurrentBlock.*words[a]);
            }
            if (w->Image1->picture() == w->Image2->picture())
                sameBlockAsked.insert(a);
            QCOMPARE(w->Label1->caption(), ProgramFixture::text(questionIds[a]));
            QCOMPARE(w->DIVERSI->caption(), ProgramFixture::text(differentIds[a]));
            QCOMPARE(w->UGUALI->caption(), design("UGUALI.Caption"));

            // Ready for an answer, the last face and the counters still showing.
            QVERIFY(w->UGUALI->widget()->isEnabled() && w->DIVERSI->widget()->isEnabled());
            QCOMPARE(w->UGUALI->backColor(), kLightGrey);
            QCOMPARE(w->DIVERSI->backColor(), kLightGrey);
            QVERIFY(!w->bottoneavanti->widget()->isEnabled());
            QVERIFY(faceShown(w->ComandoIconaSi));
            QCOMPARE(w->etEsatti->caption(), count("0011", turn + 1));
            const QString waiting = turnState(w);
            click(w->bottoneavanti); // asleep: the turn is not skipped
            QCOMPARE(turnState(w), waiting);

            // Help: the pictures of the attribute's values, cleared by the last "avanti".
            const QList<platform::Image *> helpImages{w->Image3, w->Image4, w->Image5, w->Image6};
            for (platform::Image *image : helpImages)
                QVERIFY(image->picture().isEmpty() && !image->hasPicture());
            click(w->Command1);
            for (int i = 0; i < 4; ++i) {
                const QString expected = i < help[a].size()
                                             ? platform::ApplicationPath + "\\jpg\\" + help[a][i] + ".jpg"
                                             : QString();
                QCOMPARE(helpImages[i]->picture(), expected);
                QCOMPARE(helpImages[i]->hasPicture(), !expected.isEmpty());
            }
            QVERIFY(w->UGUALI->widget()->isEnabled());
        }
        QCOMPARE(sameBlockAsked.size(), 4);
        QCOMPARE(Modulo1::WrongCount, std::int16_t(0));
        QVERIFY(looks(w->DIVERSI, kLightGrey));
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
        form1 *w = open();
        QVERIFY(w);
        click(wrongButton(w));
        click(rightButton(w));
        click(w->Command1); // help, "avanti" and the menus are silent
        click(w->bottoneavanti);
        w->resetMenu->trigger();
        if (!soundOn) {
            QVERIFY(f.sounds.isEmpty());
            return;
        }
        QCOMPARE(f.sounds.size(), 2);
        QCOMPARE(f.sounds[0], platform::ApplicationPath + QStringLiteral("\\suoni\\no.wav"));
        const QRegularExpression jingle(u'^' + QRegularExpression::escape(platform::ApplicationPath) +
                                        QStringLiteral("\\\\suoni\\\\si[1-4]\\.wav$"));
        QVERIFY2(jingle.match(f.sounds[1]).hasMatch(), qPrintable(f.sounds[1]));
    }

    void countersStopAtTheirLimit()
    {
        form1 *w = open();
        QVERIFY(w);
        Modulo1::WrongCount = 32766;
        click(wrongButton(w));
        click(wrongButton(w));
        QCOMPARE(w->etErrati->caption(), count("0012", 32767));
        Modulo1::RightCount = 32767;
        click(rightButton(w));
        QCOMPARE(w->etEsatti->caption(), count("0011", 32767));
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstForm1)

#include "tst_form1.moc"
