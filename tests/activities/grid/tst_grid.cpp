// "le strade 1", "tabella" and "le strade 2": what the windows add to the frame.

#include "shell/ProgramFixture.h"

#include "activities/grid/pagl7.h"
#include "activities/grid/pagl8.h"
#include "activities/grid/pagl9.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"
#include "shell/Colours.h"

using testkit::click;
using testkit::ProgramFixture;
using testkit::shown;

namespace {

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

    static void addWindows()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"pagl7", "pagl9", "pagl8"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // Whole games, choosing a box or one of its slots: a wrong choice changes nothing but the
    // count; a right one moves the block into the chosen box, filled from its outer end; the
    // first full box ends the game, and then nothing takes a block, whatever reaches it, until
    // "avanti" empties the boxes. Boxes, slots and buttons show the hand.
    void placing_data() { addWindows(); }
    void placing()
    {
        QFETCH(QString, name);
        platform::seedRandom(3);
        GridWindow *w = ProgramFixture::open<GridWindow>(name);
        QVERIFY(w);
        QList<platform::PositionedControl *> pressable{w->bottoneavanti, w->Frame1(1), w->insieme(3)};
        if (auto *roads = qobject_cast<pagl8 *>(w))
            pressable << roads->Command2;
        for (platform::PositionedControl *c : pressable)
            QVERIFY2(c->widget()->cursor().shape() == Qt::BitmapCursor, qPrintable(c->name()));
        const int boxes = w->Frame1.count(), cap = w->insieme.count() / boxes;
        int choices = 0;
        // By the box, or by its first slot (filled or not) or its last (empty) slot, in turn.
        const auto choose = [&](int box) {
            const int way = choices++ % 3;
            click(way == 0 ? static_cast<platform::Control *>(w->Frame1(box))
                           : w->insieme(box * cap + (way == 1 ? 0 : cap - 1)));
        };
        for (int game = 0; game < 2; ++game) {
            while (!w->gameOver()) {
                QVERIFY(!w->bottoneavanti->widget()->isEnabled());
                const QString picture = w->Image1->picture() + w->Image1->description();
                QCOMPARE(picture,
                         Modulo1::CurrentBlock.PicturePath + BlockRules::describe(Modulo1::CurrentBlock));
                const int right = w->rightBox();
                for (int box = 0; box < boxes; ++box) {
                    if (box == right)
                        continue;
                    const QString seen = testkit::board(w);
                    const int wrong = Modulo1::WrongCount;
                    choose(box);
                    QCOMPARE(testkit::board(w), seen);
                    QCOMPARE(Modulo1::WrongCount, wrong + 1);
                }
                const int slot = right * cap + w->Filled[right];
                choose(right);
                QCOMPARE(w->insieme(slot)->picture() + w->insieme(slot)->description(), picture);
                QCOMPARE(w->insieme(slot)->widget()->parentWidget(), w->Frame1(right)->widget());
                // From the outer end: "le strade 1" fills its right box from the right.
                const int x = w->insieme(slot)->widget()->x(), sign = name == u"pagl7" && right == 1 ? -1 : 1;
                QVERIFY(slot % cap == 0 || sign * x > sign * w->insieme(slot - 1)->widget()->x());
            }
            QVERIFY(*std::max_element(w->Filled.begin(), w->Filled.end()) == cap);
            QVERIFY(!w->Image1->hasPicture() && w->bottoneavanti->widget()->isEnabled());

            const QString over = testkit::snapshot(w);
            const qsizetype sounds = f.sounds.size();
            for (int box = 0; box < boxes; ++box) {
                choose(box);
                w->Frame1_Click(box); // as if the toolkit let a click through
                w->insieme_Click(box * cap);
            }
            QCOMPARE(testkit::snapshot(w), over);
            QCOMPARE(f.sounds.size(), sounds);

            click(w->bottoneavanti);
            QVERIFY(!w->gameOver() && w->Image1->hasPicture() && !w->bottoneavanti->widget()->isEnabled());
            w->insieme.forEach([](platform::Image *s) { QVERIFY(!s->hasPicture()); });
            w->Frame1.forEach([](platform::Frame *box) { QVERIFY(box->widget()->isEnabled()); });
        }
    }

    // Each game names its values afresh: "le strade 1" from a block it draws after a new
    // background colour; the table's two different attributes from the block placed last, on a
    // background that stays. The negations and the boxes' names for assistive technology follow.
    void newGames_data() { addWindows(); }
    void newGames()
    {
        QFETCH(QString, name);
        const QString no = modLanguageSupport::GetString(QStringLiteral("0031"));
        Modulo1::PickRandomBlock(); // as the splash leaves it
        BlockAttributes reference = Modulo1::CurrentBlock;
        ProgramFixture::menu();
        platform::seedRandom(100);
        auto *w = ProgramFixture::open<GridWindow>(name);
        QVERIFY(w);
        QSet<QString> attributes;
        for (int game = 0; game < 150; ++game) {
            QStringList values;
            if (auto *roads = qobject_cast<pagl7 *>(w)) {
                platform::seedRandom(100 + game);
                QCOMPARE(w->backColor(), Modulo1::PickRandomBackColor());
                Modulo1::PickRandomBlock();
                QCOMPARE(int(roads->RoadAttribute), platform::drawIndex(4) + 1);
                values << BlockRules::attributeWord(Modulo1::CurrentBlock, roads->RoadAttribute);
                QCOMPARE(roads->ComparedValue[0], values[0]);
                playToTheEnd(w);
            } else {
                auto *table = qobject_cast<TableGame *>(w);
                QVERIFY(table->FirstAttribute != table->SecondAttribute);
                attributes << QStringLiteral("%1,%2").arg(table->FirstAttribute).arg(table->SecondAttribute);
                values << BlockRules::attributeWord(reference, table->FirstAttribute)
                       << BlockRules::attributeWord(reference, table->SecondAttribute);
                QCOMPARE(table->ComparedValue[0], values[0]);
                QCOMPARE(table->ComparedValue[1], values[1]);
                if (name == u"pagl8")
                    values << values[1]; // the second fork is named twice
                QCOMPARE(w->backColor(),
                         name == u"pagl9" ? Colours::kTableBackground : Colours::kRoadsBackground);
                reference = playToTheEnd(w);
            }
            for (int i = 0; i < values.size(); ++i) {
                QCOMPARE(w->Label1(2 * i)->caption(), values[i].toUpper());
                QCOMPARE(w->Label1(2 * i + 1)->caption(), no + values[i].toUpper());
            }
            QCOMPARE(w->Frame1(1)->accessibleName(),
                     values.size() == 1
                         ? no + values[0].toUpper()
                         : values[0].toUpper() + QStringLiteral(", ") + no + values[1].toUpper());
            platform::seedRandom(101 + game);
            click(w->bottoneavanti);
        }
        QCOMPARE(attributes.size(), name == u"pagl7" ? 0 : 12); // every ordered pair comes up
    }

    // "le strade 2": two presses of "aiuto" mark the whole way to the waiting block's box, in
    // the kind of help chosen; any choice of a box, a change of kind or a new game removes the
    // marks, and after the game the help still shows the way of the block placed last.
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
        QVERIFY(w && w->mnuAiutoStrade->checked() && !w->mnuAiutoCaselle->checked());
        if (!onRoads)
            w->mnuAiutoCaselle->trigger();
        QCOMPARE(w->mnuAiutoStrade->checked(), onRoads);
        QCOMPARE(w->mnuAiutoCaselle->checked(), !onRoads);
        w->ComparedValue[2] = box < 2 ? w->ComparedValue[0] : QStringLiteral("-");
        w->ComparedValue[3] = box % 2 == 0 ? w->ComparedValue[1] : QStringLiteral("-");
        QCOMPARE(w->rightBox(), box);
        const auto expectMarks = [&](int forks) {
            const QList<int> wanted = expected.mid(0, onRoads && forks > 0 ? forks + 1 : forks);
            QCOMPARE(marks(w, onRoads), QSet<int>(wanted.begin(), wanted.end()));
            QVERIFY(marks(w, !onRoads).isEmpty());
        };
        for (int press = 0; press < 4; ++press) {
            expectMarks(qMin(press, 2));
            click(w->Command2);
        }
        click(w->Frame1((box + 1) % 4)); // wrong: the marks go, the same block waits
        expectMarks(0);
        click(w->Command2);
        expectMarks(1); // from the first fork again
        (onRoads ? w->mnuAiutoCaselle : w->mnuAiutoStrade)->trigger();
        QVERIFY(marks(w, true).isEmpty() && marks(w, false).isEmpty());
        (onRoads ? w->mnuAiutoStrade : w->mnuAiutoCaselle)->trigger();
        click(w->Command2);
        expectMarks(1);
        click(w->insieme(2 * box + 1)); // right: the block goes, and so do the marks
        expectMarks(0);
        QCOMPARE(int(w->Filled[box]), 1);
        playToTheEnd(w);
        click(w->Command2);
        QCOMPARE(marks(w, onRoads).size(), onRoads ? 2 : 1);
        click(w->bottoneavanti);
        expectMarks(0);
    }

    // Every second press of "aiuto" costs a right answer, over games, kinds of help and a
    // closed and reopened window; the count shows at once and never falls below 0.
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

        f.leave(w);
        w = ProgramFixture::open<pagl8>(QStringLiteral("pagl8"));
        QVERIFY(w);
        click(w->Frame1(w->rightBox()));
        press(0); // the press before closing counts
        QCOMPARE(w->etEsatti->caption(), testkit::count("0011", 0));
    }

    // "le strade 1": "Suono?" shows and switches the program's one sound switch, in step with
    // the main menu's.
    void soundMenu()
    {
        Modulo1::SoundEnabled = false;
        auto *w = ProgramFixture::open<pagl7>(QStringLiteral("pagl7"));
        QVERIFY(w && !w->mnuSuonoSi->checked() && w->mnuSuonoNo->checked());
        w->mnuSuonoSi->trigger();
        QVERIFY(Modulo1::SoundEnabled && w->mnuSuonoSi->checked() && !w->mnuSuonoNo->checked());
        w->mnuSuonoNo->trigger();
        QVERIFY(!Modulo1::SoundEnabled && !w->mnuSuonoSi->checked() && w->mnuSuonoNo->checked());
        f.leave(w);
        formMenu *menu = ProgramFixture::menu();
        QCOMPARE(menu->Check1->value(), 0);
        click(menu->Check1);
        w = ProgramFixture::open<pagl7>(QStringLiteral("pagl7"));
        QVERIFY(w && w->mnuSuonoSi->checked() && !w->mnuSuonoNo->checked());
    }

    // The red help lines of "le strade 2" run along the middle of their roads, however the
    // window is stretched.
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
        const double halfMark = platform::pixelsToTwips(5);
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
                QVERIFY2(x > qMin(a, b) + halfMark && x < qMax(a, b) - halfMark,
                         qPrintable(QStringLiteral("Line3(%1) at %2,%3").arg(i).arg(x).arg(y)));
            }
            QVERIFY(checked >= 8);
        }
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstGrid)

#include "tst_grid.moc"
