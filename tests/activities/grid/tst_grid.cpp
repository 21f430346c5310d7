// "le strade 1", "tabella" and "le strade 2": their rules as plain functions, and what the
// windows add to the frame.

#include "shell/ProgramFixture.h"

#include "activities/grid/GridRules.h"
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
    for (int i = 0; i < (onRoads ? w->Line3.count() : w->Label1.count()); ++i)
        if (onRoads ? shown(w->Line3(i)) : w->Label1(i)->backColor() == Colours::kLightGreen)
            shownMarks << i;
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

    // A block sent to the wrong box: the first value is compared with "rosso", the second
    // with "grande", exactly.
    void whichBox()
    {
        const struct
        {
            const char *first, *second;
            int road, cell;
        } cases[] = {{"rosso", "grande", 0, 0},  {"rosso", "piccolo", 0, 1}, {"blu", "grande", 1, 2},
                     {"ROSSO", "grande ", 1, 3}, {"rosso ", "Grande", 1, 3}}; // letter case and blanks count
        for (const auto &c : cases) {
            QCOMPARE(GridRules::roadBox(c.first, QStringLiteral("rosso")), c.road);
            QCOMPARE(GridRules::tableBox(c.first, QStringLiteral("rosso"), c.second, QStringLiteral("grande")),
                     c.cell);
        }
    }

    // Each game names its values afresh, each beside its negation: "le strade 1" a value of the
    // attribute it draws, the table two different attributes (every ordered pair comes up) with
    // the values of the block placed last. In the first two games a box or its first or last
    // slot is chosen in turn: a wrong choice changes nothing but the count; a right one hands
    // the block into the chosen box, filled from its outer end; the first full box ends the
    // game, and nothing takes a block, whatever reaches it, until "avanti" empties the boxes.
    void games_data() { addWindows(); }
    void games()
    {
        QFETCH(QString, name);
        const QString no = modLanguageSupport::GetString(QStringLiteral("0031"));
        platform::seedRandom(3);
        Modulo1::PickRandomBlock(); // as the splash leaves it
        BlockAttributes reference = Modulo1::CurrentBlock;
        GridWindow *w = ProgramFixture::open<GridWindow>(name);
        QVERIFY(w);
        const int boxes = w->Frame1.count(), cap = w->insieme.count() / boxes;
        int choices = 0;
        const auto choose = [&](int box) {
            const int way = choices++ % 3;
            click(way == 0 ? static_cast<platform::Control *>(w->Frame1(box))
                           : w->insieme(box * cap + (way == 1 ? 0 : cap - 1)));
        };
        QSet<QString> attributes, roadValues;
        for (int game = 0; game < 150; ++game) {
            QStringList values;
            if (auto *roads = qobject_cast<pagl7 *>(w)) {
                values << roads->ComparedValue[0];
                roadValues << QStringLiteral("%1:%2").arg(roads->RoadAttribute).arg(values[0]);
            } else {
                auto *table = qobject_cast<TableGame *>(w);
                QVERIFY(table->FirstAttribute != table->SecondAttribute);
                attributes << QStringLiteral("%1,%2").arg(table->FirstAttribute).arg(table->SecondAttribute);
                values << BlockRules::attributeWord(reference, table->FirstAttribute)
                       << BlockRules::attributeWord(reference, table->SecondAttribute);
                QCOMPARE(QStringList({table->ComparedValue[0], table->ComparedValue[1]}), values);
                if (name == u"pagl8")
                    values << values[1]; // the second fork is named twice
            }
            for (int i = 0; i < values.size(); ++i)
                QCOMPARE(w->Label1(2 * i)->caption() + w->Label1(2 * i + 1)->caption(),
                         values[i].toUpper() + no + values[i].toUpper());
            if (game >= 2) {
                reference = playToTheEnd(w);
                click(w->bottoneavanti);
                continue;
            }
            while (!w->gameOver()) {
                QVERIFY(!w->bottoneavanti->widget()->isEnabled());
                const QString picture = w->Image1->picture() + w->Image1->description();
                const int right = w->rightBox(), slot = right * cap + w->Filled[right];
                const auto word = [&](int a) { return w->Image1->description().section(u' ', a - 1, a - 1); };
                if (auto *t = qobject_cast<TableGame *>(w))
                    QCOMPARE(right, GridRules::tableBox(word(t->FirstAttribute), t->ComparedValue[0],
                                                        word(t->SecondAttribute), t->ComparedValue[1]));
                else
                    QCOMPARE(right, GridRules::roadBox(word(qobject_cast<pagl7 *>(w)->RoadAttribute),
                                                       qobject_cast<pagl7 *>(w)->ComparedValue[0]));
                const QString seen = testkit::board(w);
                for (int box = 0, wrong = Modulo1::WrongCount; box < boxes; ++box)
                    if (box != right) {
                        choose(box);
                        QCOMPARE(testkit::board(w), seen);
                        QCOMPARE(int(Modulo1::WrongCount), ++wrong);
                    }
                reference = Modulo1::CurrentBlock;
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
            for (int box = 0; box < boxes; ++box) {
                choose(box);
                w->Frame1_Click(box); // as if the toolkit let a click through
            }
            QCOMPARE(testkit::snapshot(w), over);

            click(w->bottoneavanti);
            QVERIFY(!w->gameOver() && w->Image1->hasPicture() && !w->bottoneavanti->widget()->isEnabled());
            w->insieme.forEach([](platform::Image *s) { QVERIFY(!s->hasPicture()); });
        }
        QCOMPARE(attributes.size(), name == u"pagl7" ? 0 : 12);
        QCOMPARE(roadValues.size(), name == u"pagl7" ? 11 : 0); // each value only with its attribute
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
        for (int box = 0; box < 4; ++box) // both kinds of help, on either branch of each fork
            QTest::addRow("box %d", box) << (box % 3 == 0) << box << (box % 3 == 0 ? lines[box] : names[box]);
    }
    void helpMarks()
    {
        QFETCH(bool, onRoads);
        QFETCH(int, box);
        QFETCH(QList<int>, expected);
        auto *w = ProgramFixture::open<pagl8>(QStringLiteral("pagl8"));
        QVERIFY(w);
        (onRoads ? w->mnuAiutoStrade : w->mnuAiutoCaselle)->trigger();
        QVERIFY(w->mnuAiutoStrade->checked() == onRoads && w->mnuAiutoCaselle->checked() == !onRoads);
        w->ComparedValue[2] = box < 2 ? w->ComparedValue[0] : QStringLiteral("-");
        w->ComparedValue[3] = box % 2 == 0 ? w->ComparedValue[1] : QStringLiteral("-");
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
    // closed and reopened window; the count shows at once and never falls below 0. The step of
    // the help stops at 2.
    void helpCost()
    {
        auto *w = ProgramFixture::open<pagl8>(QStringLiteral("pagl8"));
        QVERIFY(w);
        const auto press = [&](int expectedCount) {
            const QString caption = w->etEsatti->caption();
            const int before = Modulo1::RightCount;
            click(w->Command2);
            QCOMPARE(int(Modulo1::RightCount), expectedCount);
            QCOMPARE(w->etEsatti->caption(),
                     expectedCount == before ? caption : testkit::count("0011", expectedCount));
        };
        press(0);
        press(0); // nothing to take: nothing changes, nothing is owed
        for (int i = 0; i < 3 && !w->gameOver(); ++i)
            click(w->Frame1(w->rightBox()));
        const int right = Modulo1::RightCount;
        press(right);
        w->mnuAiutoCaselle->trigger();
        press(right - 1);
        playToTheEnd(w);
        click(w->bottoneavanti);
        press(Modulo1::RightCount);

        f.leave(w);
        w = ProgramFixture::open<pagl8>(QStringLiteral("pagl8"));
        QVERIFY(w);
        click(w->Frame1(w->rightBox()));
        press(0); // the press before closing counts

        std::int16_t step = 0; // however often "aiuto" is pressed
        for (int press = 0; press < 70000; ++press)
            step = GridRules::nextHelpStep(step);
        QCOMPARE(step, std::int16_t(2));
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
        click(ProgramFixture::menu()->Check1);
        w = ProgramFixture::open<pagl7>(QStringLiteral("pagl7"));
        QVERIFY(w && w->mnuSuonoSi->checked() && !w->mnuSuonoNo->checked());
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstGrid)

#include "tst_grid.moc"
