// "le strade 1", "tabella" and "le strade 2", played the way a child plays them: what the
// windows add to the frame.

#include "shell/ProgramFixture.h"

#include "activities/grid/pagl7.h"
#include "activities/grid/pagl8.h"
#include "activities/grid/pagl9.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"
#include "shell/Colours.h"

#include <QSet>

using testkit::click;
using testkit::ProgramFixture;
using testkit::shown;

namespace {

int capacity(GridWindow *w)
{
    return w->insieme.count() / w->Frame1.count();
}

QList<bool> filledSlots(GridWindow *w)
{
    QList<bool> filled;
    w->insieme.forEach([&](platform::Image *s) { filled << s->hasPicture(); });
    return filled;
}

enum Way
{
    ByBox,
    BySlot,
    ByKeyboard
};

// Chooses a box by a click on it or on one of its slots (a filled one when there is one), or
// by Space on the box or its filled slot.
void choose(GridWindow *w, int box, Way way)
{
    platform::Control *slot = w->insieme(box * capacity(w));
    if (!w->insieme(box * capacity(w))->hasPicture())
        slot = way == BySlot ? w->insieme((box + 1) * capacity(w) - 1) : nullptr;
    if (way == ByKeyboard)
        testkit::press(slot ? slot : w->Frame1(box));
    else
        click(way == BySlot ? slot : w->Frame1(box));
}

// Right answers until the game is over; the block placed last.
BlockAttributes playToTheEnd(GridWindow *w)
{
    BlockAttributes last;
    while (!w->gameOver()) {
        last = Modulo1::CurrentBlock;
        click(w->Frame1(w->rightBox()));
    }
    return last;
}

// The help marks shown: red road lines, or fork names coloured green.
QSet<int> marks(pagl8 *w, bool onRoads)
{
    QSet<int> shownMarks;
    w->Line3.forEach([&](platform::Line *l) {
        if (onRoads && shown(l))
            shownMarks << l->index();
    });
    w->Label1.forEach([&](platform::Label *l) {
        if (!onRoads && l->backColor() == Colours::kLightGreen)
            shownMarks << l->index();
    });
    return shownMarks;
}

} // namespace

class TstGrid : public QObject
{
    Q_OBJECT

    ProgramFixture f;

    void leave(ActivityFrame *w)
    {
        f.answers.push_back(platform::MsgResult::Yes);
        w->leaveMenu->trigger();
    }

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // Whole games: a wrong choice changes nothing but the count, a right one fills the chosen
    // box from its outer end, the first full box ends the game, and then no box or slot takes
    // anything, whatever reaches it, until "avanti".
    void placing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("way");
        for (const char *name : {"pagl7", "pagl9", "pagl8"})
            for (const auto &[way, label] :
                 {std::pair(ByBox, "box"), {BySlot, "slot"}, {ByKeyboard, "keyboard"}})
                QTest::addRow("%s, %s", name, label) << QString::fromLatin1(name) << int(way);
    }
    void placing()
    {
        QFETCH(QString, name);
        QFETCH(int, way);
        platform::seedRandom(3);
        GridWindow *w = ProgramFixture::open<GridWindow>(name);
        QVERIFY(w);
        const int boxes = w->Frame1.count(), cap = capacity(w);
        for (int game = 0; game < 3; ++game) {
            QList<QList<int>> fillX(boxes); // where each box's blocks went, from its outer end
            int placed = 0;
            while (!w->gameOver()) {
                QVERIFY(!w->bottoneavanti->widget()->isEnabled());
                const QString picture = w->Image1->picture(), words = w->Image1->description();
                QCOMPARE(picture, Modulo1::CurrentBlock.PicturePath);
                QCOMPARE(words, BlockRules::describe(Modulo1::CurrentBlock));
                const int right = w->rightBox();
                for (int box = 0; box < boxes; ++box) {
                    if (box == right)
                        continue;
                    const int wrong = Modulo1::WrongCount;
                    QStringList seen = testkit::snapshot(w).split(u'|');
                    choose(w, box, Way(way));
                    QStringList now = testkit::snapshot(w).split(u'|');
                    for (QStringList *s : {&seen, &now})
                        s->removeIf([](const QString &c) {
                            return c.startsWith(u"etErrati(") || c.startsWith(u"Coman");
                        });
                    QCOMPARE(now, seen);
                    QCOMPARE(Modulo1::WrongCount, wrong + 1);
                    QVERIFY(shown(w->ComandoIconaNo) && !shown(w->ComandoIconaSi));
                }
                const QList<bool> before = filledSlots(w);
                choose(w, right, Way(way));
                ++placed;
                platform::Image *slot = nullptr; // the one that shows a picture now and did not before
                for (qsizetype i = 0; i < before.size(); ++i)
                    slot = filledSlots(w)[i] && !before[i] ? w->insieme(int(i)) : slot;
                QVERIFY(slot);
                QCOMPARE(slot->widget()->parentWidget(), w->Frame1(right)->widget());
                QCOMPARE(slot->picture(), picture);
                QCOMPARE(slot->description(), words);
                // "le strade 1" fills its right box from the right.
                fillX[right] << slot->widget()->x() * (name == QLatin1String("pagl7") && right == 1 ? -1 : 1);
                QVERIFY(std::is_sorted(fillX[right].begin(), fillX[right].end()));
                QCOMPARE(w->etEsatti->caption(), testkit::count("0011", Modulo1::RightCount));
                QVERIFY(shown(w->ComandoIconaSi));
            }
            // Over at the first full box, and not before.
            QVERIFY(*std::max_element(w->Filled.begin(), w->Filled.end()) >= cap);
            QVERIFY(placed >= cap && placed <= boxes * (cap - 1) + 1);
            QVERIFY(!w->Image1->hasPicture() && w->Image1->description().isEmpty());
            QVERIFY(w->bottoneavanti->widget()->isEnabled());

            const QString over = testkit::snapshot(w);
            const int answers = Modulo1::RightCount + Modulo1::WrongCount;
            const qsizetype sounds = f.sounds.size();
            w->Frame1.forEach([&](platform::Frame *box) {
                click(box);
                testkit::doubleClick(box);
                w->Frame1_Click(box->index()); // as if the toolkit let a click through
            });
            w->insieme.forEach([&](platform::Image *s) {
                click(s);
                w->insieme_Click(s->index());
            });
            QCOMPARE(testkit::snapshot(w), over);
            QCOMPARE(Modulo1::RightCount + Modulo1::WrongCount, answers);
            QCOMPARE(f.sounds.size(), sounds);

            click(w->bottoneavanti);
            QVERIFY(!w->gameOver() && w->Image1->hasPicture() && !w->bottoneavanti->widget()->isEnabled());
            QCOMPARE(filledSlots(w), QList<bool>(boxes * cap, false));
            w->Frame1.forEach([](platform::Frame *box) { QVERIFY(box->widget()->isEnabled()); });
            const QString waiting = testkit::snapshot(w);
            click(w->bottoneavanti); // asleep again
            QCOMPARE(testkit::snapshot(w), waiting);
        }
    }

    // Each game names its values afresh: "le strade 1" from a block it draws, with a new
    // background; the table's two from the block placed last, on a background that stays.
    void newGames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("button");
        QTest::newRow("pagl7") << "pagl7"
                               << "Command4";
        QTest::newRow("pagl9") << "pagl9"
                               << "Command7";
        QTest::newRow("pagl8") << "pagl8"
                               << "Command9";
    }
    void newGames()
    {
        QFETCH(QString, name);
        QFETCH(QString, button);
        const QString no = modLanguageSupport::GetString(QStringLiteral("0031"));
        Modulo1::PickRandomBlock(); // as the splash leaves it
        BlockAttributes reference = Modulo1::CurrentBlock;
        formMenu *menu = ProgramFixture::menu();
        platform::seedRandom(100);
        click(menu->control(button));
        auto *w = ProgramFixture::window<GridWindow>(name);
        QVERIFY(w && w->isShown());
        QSet<QString> colours, attributes;
        for (int game = 0; game < 150; ++game) {
            QStringList values;
            if (auto *roads = qobject_cast<pagl7 *>(w)) {
                platform::seedRandom(100 + game); // the colour, the block, the attribute
                QCOMPARE(w->backColor(), Modulo1::PickRandomBackColor());
                Modulo1::PickRandomBlock();
                QCOMPARE(int(roads->RoadAttribute), platform::drawIndex(4) + 1);
                values << BlockRules::attributeWord(Modulo1::CurrentBlock, roads->RoadAttribute);
                QCOMPARE(roads->ComparedValue[0], values[0]);
                colours << QString::number(w->backColor());
                attributes << QString::number(roads->RoadAttribute);
                playToTheEnd(w);
            } else {
                auto *table = qobject_cast<TableGame *>(w);
                QVERIFY(table->FirstAttribute != table->SecondAttribute);
                attributes << QStringLiteral("%1,%2").arg(table->FirstAttribute).arg(table->SecondAttribute);
                values << BlockRules::attributeWord(reference, table->FirstAttribute)
                       << BlockRules::attributeWord(reference, table->SecondAttribute);
                QCOMPARE(table->ComparedValue[0], values[0]);
                QCOMPARE(table->ComparedValue[1], values[1]);
                if (name == QLatin1String("pagl8"))
                    values << values[1]; // the second fork is named twice
                QCOMPARE(w->backColor(), name == QLatin1String("pagl9") ? Colours::kTableBackground
                                                                        : Colours::kRoadsBackground);
                reference = playToTheEnd(w);
            }
            for (int i = 0; i < values.size(); ++i) {
                QCOMPARE(w->Label1(2 * i)->caption(), values[i].toUpper());
                QCOMPARE(w->Label1(2 * i + 1)->caption(), no + values[i].toUpper());
            }
            // The boxes are called by the names on their way.
            QCOMPARE(w->Frame1(1)->accessibleName(),
                     values.size() == 1
                         ? no + values[0].toUpper()
                         : values[0].toUpper() + QStringLiteral(", ") + no + values[1].toUpper());
            platform::seedRandom(101 + game);
            click(w->bottoneavanti);
        }
        // Every attribute, and every ordered pair of different attributes, comes up.
        QCOMPARE(attributes.size(), name == QLatin1String("pagl7") ? 4 : 12);
        QVERIFY(name != QLatin1String("pagl7") || colours.size() > 10);
    }

    // Two presses of "aiuto" mark the whole way to the box of the waiting block, in the kind of
    // help chosen; any choice of a box, a new game or a change of kind removes the marks.
    void helpMarks_data()
    {
        QTest::addColumn<bool>("onRoads");
        QTest::addColumn<int>("box");
        QTest::addColumn<QList<int>>("expected"); // road lines or fork names, first fork first
        const QList<int> lines[4] = {{0, 1, 3}, {0, 1, 4}, {0, 2, 5}, {0, 2, 6}};
        const QList<int> names[4] = {{0, 2}, {0, 3}, {1, 4}, {1, 5}};
        for (int box = 0; box < 4; ++box) {
            QTest::addRow("strade, box %d", box) << true << box << lines[box];
            QTest::addRow("caselle colorate, box %d", box) << false << box << names[box];
        }
    }
    void helpMarks()
    {
        QFETCH(bool, onRoads);
        QFETCH(int, box);
        QFETCH(QList<int>, expected);
        auto *w = ProgramFixture::open<pagl8>(QStringLiteral("pagl8"));
        QVERIFY(w);
        QVERIFY(w->HelpOnRoads && w->mnuAiutoStrade->checked() && !w->mnuAiutoCaselle->checked());
        if (!onRoads)
            w->mnuAiutoCaselle->trigger();
        QCOMPARE(w->mnuAiutoStrade->checked(), onRoads);
        QCOMPARE(w->mnuAiutoCaselle->checked(), !onRoads);
        // The waiting block's values, so that it belongs in the row's box.
        w->ComparedValue[2] = box < 2 ? w->ComparedValue[0] : QStringLiteral("-");
        w->ComparedValue[3] = box % 2 == 0 ? w->ComparedValue[1] : QStringLiteral("-");
        QCOMPARE(w->rightBox(), box);
        const auto expectMarks = [&](int forks) {
            const QList<int> wanted = expected.mid(0, onRoads && forks > 0 ? forks + 1 : forks);
            QCOMPARE(marks(w, onRoads), QSet<int>(wanted.begin(), wanted.end()));
            QVERIFY(marks(w, !onRoads).isEmpty());
        };
        expectMarks(0);
        click(w->Command2);
        expectMarks(1);
        for (int press = 0; press < 6; ++press) {
            click(w->Command2);
            expectMarks(2);
        }
        QCOMPARE(w->HelpStep, std::int16_t(2));

        // A wrong box: the marks go, the same block waits.
        const QString picture = w->Image1->picture();
        click(w->Frame1((box + 1) % 4));
        expectMarks(0);
        QCOMPARE(w->HelpStep, std::int16_t(0));
        QCOMPARE(w->Image1->picture(), picture);

        // A change of kind removes them, so the two kinds never show together.
        click(w->Command2);
        (onRoads ? w->mnuAiutoCaselle : w->mnuAiutoStrade)->trigger();
        QVERIFY(marks(w, true).isEmpty() && marks(w, false).isEmpty());
        QCOMPARE(w->HelpStep, std::int16_t(0));
        (onRoads ? w->mnuAiutoStrade : w->mnuAiutoCaselle)->trigger();

        // The right box takes the block and the marks go; so does a new game.
        click(w->Command2);
        click(w->insieme(2 * box + 1));
        expectMarks(0);
        QCOMPARE(int(w->Filled[box]), 1);
        playToTheEnd(w);
        click(w->Command2); // still helps when the game is over, for the block placed last
        QCOMPARE(marks(w, onRoads).size(), onRoads ? 2 : 1);
        click(w->bottoneavanti);
        expectMarks(0);
    }

    // Every second press costs a right answer, over games, kinds of help and a closed and
    // reopened window; the count shows at once and never falls below 0.
    void helpCost()
    {
        auto *w = ProgramFixture::open<pagl8>(QStringLiteral("pagl8"));
        QVERIFY(w);
        const QString design = w->etEsatti->caption();
        const auto press = [&](int expectedCount) {
            click(w->Command2);
            QCOMPARE(int(Modulo1::RightCount), expectedCount);
        };
        press(0);
        press(0); // nothing to take: nothing changes, nothing is owed
        QCOMPARE(w->etEsatti->caption(), design);
        for (int i = 0; i < 3 && !w->gameOver(); ++i)
            click(w->Frame1(w->rightBox()));
        const int right = Modulo1::RightCount;
        press(right);
        w->mnuAiutoCaselle->trigger();
        press(right - 1);
        QCOMPARE(w->etEsatti->caption(), testkit::count("0011", right - 1));
        playToTheEnd(w);
        click(w->bottoneavanti);
        press(Modulo1::RightCount);
        QCOMPARE(w->HelpCost, std::int16_t(5));

        leave(w);
        w = ProgramFixture::open<pagl8>(QStringLiteral("pagl8"));
        QVERIFY(w);
        click(w->Frame1(w->rightBox()));
        press(0); // the press before closing counts
        QCOMPARE(w->etEsatti->caption(), testkit::count("0011", 0));
        press(0);
    }

    // "Suono?" shows and switches the program's one sound switch, in step with the main menu.
    void soundMenu()
    {
        Modulo1::SoundEnabled = false;
        auto *w = ProgramFixture::open<pagl7>(QStringLiteral("pagl7"));
        QVERIFY(w);
        QVERIFY(!w->mnuSuonoSi->checked() && w->mnuSuonoNo->checked());
        w->mnuSuonoSi->trigger();
        QVERIFY(Modulo1::SoundEnabled && w->mnuSuonoSi->checked() && !w->mnuSuonoNo->checked());
        click(w->Frame1(1 - w->rightBox()));
        QCOMPARE(f.sounds.size(), 1);
        w->mnuSuonoNo->trigger();
        click(w->Frame1(1 - w->rightBox()));
        QCOMPARE(f.sounds.size(), 1);
        QVERIFY(!Modulo1::SoundEnabled && !w->mnuSuonoSi->checked() && w->mnuSuonoNo->checked());

        leave(w);
        formMenu *menu = ProgramFixture::menu();
        QCOMPARE(menu->Check1->value(), 0);
        click(menu->Check1);
        w = ProgramFixture::open<pagl7>(QStringLiteral("pagl7"));
        QVERIFY(w);
        QVERIFY(w->mnuSuonoSi->checked() && !w->mnuSuonoNo->checked());
    }

    // Boxes, slots and buttons take the keyboard and show the program's hand; a block whose
    // picture is missing shows the placeholder and plays on.
    void handsKeysAndPlaceholders_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"pagl7", "pagl9", "pagl8"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void handsKeysAndPlaceholders()
    {
        QFETCH(QString, name);
        QVERIFY(QFile::remove(f.path(QStringLiteral("jpg"))));
        GridWindow *w = ProgramFixture::open<GridWindow>(name);
        QVERIFY(w);
        QList<platform::PositionedControl *> pressable{w->bottoneavanti};
        w->Frame1.forEach([&](platform::Frame *c) { pressable << c; });
        w->insieme.forEach([&](platform::Image *c) { pressable << c; });
        if (auto *roads = qobject_cast<pagl8 *>(w))
            pressable << roads->Command2;
        for (platform::PositionedControl *c : pressable) {
            QVERIFY2(c->widget()->cursor().shape() == Qt::BitmapCursor, qPrintable(c->name()));
            QVERIFY2(c->widget()->focusPolicy() & Qt::TabFocus, qPrintable(c->name()));
        }
        QVERIFY(w->Image1->showsPlaceholder());
        const int right = w->rightBox();
        testkit::press(w->Frame1(right));
        QCOMPARE(Modulo1::RightCount, std::int16_t(1));
        QVERIFY(w->insieme(right * capacity(w))->showsPlaceholder());
        QVERIFY(w->Image1->showsPlaceholder());
    }

    // The red help lines run along the middle of their roads, however the window is stretched.
    void helpLinesLieOnTheRoads_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1920 x 1080") << QSize(1920, 1080);
        QTest::newRow("1280 x 1024") << QSize(1280, 1024);
    }
    void helpLinesLieOnTheRoads()
    {
        QFETCH(QSize, screen);
        auto *w = ProgramFixture::open<pagl8>(QStringLiteral("pagl8"));
        QVERIFY(w);
        w->setWidth(platform::pixelsToTwips(screen.width()));
        w->setHeight(platform::pixelsToTwips(screen.height()));
        QCOMPARE(w->window()->size(), screen);
        const int edges[7][2] = {{0, 1}, {2, 4}, {3, 5}, {6, 8}, {7, 9}, {13, 12}, {10, 11}}; // of each road
        const auto xAt = [](platform::Line *l, double y, double *x) {
            *x = l->x1() + (y - l->y1()) / (l->y2() - l->y1()) * (l->x2() - l->x1());
            return y >= qMin(l->y1(), l->y2()) && y <= qMax(l->y1(), l->y2());
        };
        for (int i = 0; i < 7; ++i) {
            platform::Line *mark = w->Line3(i);
            int checked = 0;
            for (double t = 0; t <= 1.0; t += 0.05) {
                const double x = mark->x1() + t * (mark->x2() - mark->x1());
                const double y = mark->y1() + t * (mark->y2() - mark->y1());
                double a = 0, b = 0;
                if (!xAt(w->Line2(edges[i][0]), y, &a) || !xAt(w->Line2(edges[i][1]), y, &b))
                    continue; // where the road forks
                ++checked;
                const double halfMark = platform::pixelsToTwips(5);
                QVERIFY2(
                    x > qMin(a, b) + halfMark && x < qMax(a, b) - halfMark,
                    qPrintable(
                        QStringLiteral("Line3(%1) at %2,%3: %4..%5").arg(i).arg(x).arg(y).arg(a).arg(b)));
            }
            QVERIFY(checked >= 8);
        }
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstGrid)

#include "tst_grid.moc"
