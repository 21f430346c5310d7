// "le strade 1", "tabella" and "le strade 2": their rules as plain functions, and what the
// windows add to the frame.

#include "shell/ProgramFixture.h"

#include "activities/grid/GridRules.h"
#include "activities/grid/pagl7.h"
#include "activities/grid/pagl8.h"
#include "platform/Area.h"
#include "platform/Celebration.h"
#include "shell/BlockRules.h"
#include "shell/Colours.h"

#include <numeric>

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

// A click well inside the road (at the middle of its outline's corners), or in its box but
// beside it (near a corner of the box that the road leaves free).
void tapRoad(platform::Area *road, bool onIt)
{
    const QPolygonF o = road->outline();
    const QRectF box = o.boundingRect();
    QPointF at = std::accumulate(o.begin(), o.end(), QPointF()) / o.size();
    for (const QPointF corner : {box.bottomLeft(), box.bottomRight(), box.topLeft(), box.topRight()})
        if (const QPointF p = 0.94 * corner + 0.06 * box.center();
            !onIt && !o.containsPoint(p, Qt::OddEvenFill))
            at = p;
    QWidget *w = road->widget();
    QTest::mouseClick(w, Qt::LeftButton, {},
                      QPoint(int((at.x() - box.left()) / box.width() * w->width()),
                             int((at.y() - box.top()) / box.height() * w->height())));
}

// What Tab stops at, by the names a screen reader says.
QStringList stopsOf(platform::Form *w)
{
    QStringList stops;
    for (platform::Control *c : w->controls())
        if (QWidget *widget = c->widget();
            widget && (widget->focusPolicy() & Qt::TabFocus) && widget->isVisible() && widget->isEnabled())
            stops << (c->accessibleName().isEmpty() ? testkit::captionOf(c) : c->accessibleName());
    return stops;
}

} // namespace

class TstGrid : public QObject
{
    Q_OBJECT

    ProgramFixture f;

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
        } cases[] = {{"rosso", "grande", 0, 0},
                     {"rosso", "piccolo", 0, 1},
                     {"blu", "grande", 1, 2},
                     {"ROSSO", "grande ", 1, 3},
                     {"rosso ", "Grande", 1, 3}}; // letter case and blanks count
        for (const auto &c : cases) {
            QCOMPARE(GridRules::roadBox(c.first, QStringLiteral("rosso")), c.road);
            QCOMPARE(
                GridRules::tableBox(c.first, QStringLiteral("rosso"), c.second, QStringLiteral("grande")),
                c.cell);
        }
    }

    // Game after game, each names its values afresh, each beside its negation: "le strade 1" a
    // value of the attribute it draws (every value comes up, each only with its own attribute),
    // the table two different attributes (every ordered pair comes up) with the values of the
    // block placed last. In the first two games a box or its first or last slot is chosen in
    // turn, so that both kinds of click come to every box: a wrong choice changes nothing but the
    // count; a right one hands the block into the chosen box, filled from its outer end; the
    // first full box ends the game, and nothing takes a block, whatever reaches it, until
    // "avanti" empties the boxes.
    void games_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"pagl7", "pagl9", "pagl8"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
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
        QCOMPARE(roadValues.size(), name == u"pagl7" ? 11 : 0);
    }

    // "le strade 2": two presses of "aiuto" mark the whole way to the waiting block's box, in
    // the kind of help chosen, the road lines over the names; any choice of a box, a change of
    // kind or a new game removes the marks, and after the game the help still shows the way of
    // the block placed last.
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
        const QObjectList stacking = w->surface()->children();
        for (int line : marks(w, true))
            for (int k = 0; k < w->Label1.count(); ++k)
                QVERIFY(stacking.indexOf(w->Line3(line)->widget()) >
                        stacking.indexOf(w->Label1(k)->widget()));
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
    // closed and reopened window; the count shows at once and never falls below 0.
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
    }

    // A game that ends unnoticed: the full box is marked (a thick rim and a tick) and cheered
    // with a sound (while the sounds are on), stars and a tick over it for about a second, and
    // "avanti" takes the keyboard; the boxes stay as they are. Clicks meanwhile act as always: a
    // click on "avanti" starts the next game, the cheer and the marks go. Leaving during a cheer
    // ends it with the window.
    void endOfGame_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("sound");
        QTest::newRow("pagl7, sounds on") << "pagl7" << true;
        QTest::newRow("pagl9, sounds off") << "pagl9" << false;
        QTest::newRow("pagl8, sounds off") << "pagl8" << false;
    }
    void endOfGame()
    {
        QFETCH(QString, name);
        QFETCH(bool, sound);
        Modulo1::SoundEnabled = sound;
        auto *w = ProgramFixture::open<GridWindow>(name);
        QVERIFY(w);
        playToTheEnd(w);
        platform::Frame *box = nullptr;
        for (int k = 0; k < w->Frame1.count(); ++k) {
            QCOMPARE(w->Frame1(k)->marked(), w->Filled[k] == w->insieme.count() / w->Frame1.count());
            box = w->Frame1(k)->marked() ? w->Frame1(k) : box;
        }
        QVERIFY(box && w->celebration->running() && w->celebration->widget()->isVisible());
        const QRectF place = w->celebration->place();
        QCOMPARE(QRectF(place.topLeft() / 15, place.size() / 15).toRect(), box->widget()->geometry());
        QCOMPARE(f.sounds.filter(QStringLiteral("festa.wav")).size(), sound ? 1 : 0);
        QVERIFY(w->bottoneavanti->hasFocus());
        if (sound) {
            // It ends by itself, and the marks stay until "avanti".
            QTRY_VERIFY_WITH_TIMEOUT(!w->celebration->running(), 3 * platform::Celebration::kDurationMs);
            QVERIFY(!w->celebration->widget()->isVisible() && box->marked());
            click(w->bottoneavanti);
        } else { // a click through the window, as the toolkit gets it, past the cheer
            QTest::mouseClick(
                w->window()->windowHandle(), Qt::LeftButton, {},
                w->bottoneavanti->widget()->mapTo(w->window(), w->bottoneavanti->widget()->rect().center()));
            QVERIFY(!w->celebration->running());
        }
        QVERIFY(!w->gameOver());
        w->Frame1.forEach([](platform::Frame *b) { QVERIFY(!b->marked() && b->widget()->isEnabled()); });

        // Left while it cheers: nothing of it stays.
        playToTheEnd(w);
        QPointer<QWidget> cheer = w->celebration->widget();
        QVERIFY(cheer && cheer->isVisible());
        f.leave(w);
        QVERIFY(!cheer || !cheer->isVisible());
        QTest::qWait(50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!cheer);
    }

    // Every way to a box. Tab stops once at each box, called by its way, then at the buttons; a
    // finished game rests the boxes and "avanti" leads on. A name card or a road tapped stands
    // for the box at the end of its way where that way leads to one box; the table's names and
    // the first forks lead to more than one and do nothing. A tap beside a road, in its box, is
    // no tap on it.
    void waysToTheBoxes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("stops");    // {0}, {1}: the names of the game
        QTest::addColumn<QList<int>>("nameBoxes"); // per Label1
        QTest::addColumn<QList<int>>("roadBoxes"); // per road
        QTest::newRow("pagl7") << "pagl7" << QStringList{"{0}", "{1}"} << QList<int>{0, 1}
                               << QList<int>{0, 1};
        QTest::newRow("pagl9") << "pagl9" << QStringList{"{0}, {2}", "{0}, {3}", "{1}, {2}", "{1}, {3}"}
                               << QList<int>{-1, -1, -1, -1} << QList<int>{};
        QTest::newRow("pagl8") << "pagl8"
                               << QStringList{"{0}, {2}", "{0}, {3}", "{1}, {4}", "{1}, {5}", "aiuto"}
                               << QList<int>{-1, -1, 0, 1, 2, 3} << QList<int>{0, 1, 2, 3};
    }
    void waysToTheBoxes()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, stops);
        QFETCH(QList<int>, nameBoxes);
        QFETCH(QList<int>, roadBoxes);
        platform::seedRandom(4);
        auto *w = ProgramFixture::open<GridWindow>(name);
        QVERIFY(w);
        for (QString &stop : stops)
            for (int i = 0; i < w->Label1.count(); ++i)
                stop.replace(u'{' + QString::number(i) + u'}', w->Label1(i)->caption());
        QCOMPARE(stopsOf(w), stops);
        QCOMPARE(w->Label1.count(), nameBoxes.size());
        QCOMPARE(w->roadArea.count(), roadBoxes.size());
        // Each tap as a tap on its box would be: right or wrong, and placed where that one places.
        const auto tapActsOn = [&](const std::function<void()> &tap, int expectedBox) {
            const QString seen = testkit::board(w);
            const int right = Modulo1::RightCount, wrong = Modulo1::WrongCount, waiting = w->rightBox();
            const auto filled = w->Filled;
            tap();
            if (expectedBox < 0) {
                QCOMPARE(testkit::board(w), seen);
                QCOMPARE(int(Modulo1::RightCount + Modulo1::WrongCount), right + wrong);
                return;
            }
            QCOMPARE(int(Modulo1::RightCount), right + (expectedBox == waiting));
            QCOMPARE(int(Modulo1::WrongCount), wrong + (expectedBox != waiting));
            QCOMPARE(int(w->Filled[expectedBox]), filled[expectedBox] + (expectedBox == waiting));
        };
        for (int i = 0; i < nameBoxes.size() && !w->gameOver(); ++i)
            tapActsOn([&] { click(w->Label1(i)); }, nameBoxes[i]);
        for (int i = 0; i < roadBoxes.size() && !w->gameOver(); ++i) {
            tapActsOn([&] { tapRoad(w->roadArea(i), false); }, -1);
            tapActsOn([&] { tapRoad(w->roadArea(i), true); }, roadBoxes[i]);
        }
        // The right box's name, or road, places the waiting block.
        for (int i = 0; i < 12 && !w->gameOver(); ++i) {
            const int right = w->rightBox();
            if (const int card = int(nameBoxes.indexOf(right)); card >= 0)
                tapActsOn([&] { click(w->Label1(card)); }, right);
            else if (const int road = int(roadBoxes.indexOf(right)); road >= 0)
                tapActsOn([&] { tapRoad(w->roadArea(road), true); }, right);
            else
                click(w->Frame1(right));
        }
        // A finished game: the boxes rest, "avanti" leads on.
        playToTheEnd(w);
        QCOMPARE(stopsOf(w), name == u"pagl8" ? QStringList({"avanti", "aiuto"}) : QStringList({"avanti"}));
    }

    // "le strade 1": "Suono?" shows and switches the program's one sound switch, in step with
    // the main menu's. (That "no" silences it is tst_voice's silentWhenSwitchedOff.)
    void soundMenu()
    {
        Modulo1::SoundEnabled = false;
        auto *w = ProgramFixture::open<pagl7>(QStringLiteral("pagl7"));
        QVERIFY(w && !w->mnuSuonoSi->checked() && w->mnuSuonoNo->checked());
        w->mnuSuonoSi->trigger();
        QVERIFY(Modulo1::SoundEnabled && w->mnuSuonoSi->checked() && !w->mnuSuonoNo->checked());
        f.leave(w);
        click(ProgramFixture::menu()->Check1); // the menu shows it on: this turns it off
        w = ProgramFixture::open<pagl7>(QStringLiteral("pagl7"));
        QVERIFY(w && !Modulo1::SoundEnabled && !w->mnuSuonoSi->checked() && w->mnuSuonoNo->checked());
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstGrid)

#include "tst_grid.moc"
