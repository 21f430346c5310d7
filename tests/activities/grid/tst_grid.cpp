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

// What a child sees, but for the wrong-answer count and the faces.
QString seenBesidesWrongCount(platform::Form *w)
{
    QStringList parts = testkit::snapshot(w).split(u'|');
    parts.removeIf([](const QString &p) { return p.startsWith(u"etErrati(") || p.startsWith(u"ComandoIcona"); });
    return parts.join(u'|');
}

enum Way { ByBox, BySlot, ByKeyboard };

// Chooses a box: a click on it, a click on a slot in it (a filled one when there is one), or
// Space on the box or its filled slot.
void choose(GridWindow *w, int box, Way way)
{
    const int first = box * capacity(w);
    platform::Control *filledSlot = w->insieme(first)->hasPicture() ? w->insieme(first) : nullptr;
    switch (way) {
    case ByBox:
        click(w->Frame1(box));
        break;
    case BySlot:
        click(filledSlot ? filledSlot : w->insieme(first + capacity(w) - 1));
        break;
    case ByKeyboard:
        testkit::press(filledSlot ? filledSlot : w->Frame1(box));
        break;
    }
}

// The slot that took the block: the one that shows a picture now and did not before.
platform::Image *newlyFilled(GridWindow *w, const QList<bool> &before)
{
    platform::Image *found = nullptr;
    w->insieme.forEach([&](platform::Image *s) {
        if (s->hasPicture() && !before[s->index()])
            found = s;
    });
    return found;
}

QList<bool> filledSlots(GridWindow *w)
{
    QList<bool> filled;
    w->insieme.forEach([&](platform::Image *s) { filled << s->hasPicture(); });
    return filled;
}

// Plays right answers until the game is over; returns the block placed last.
BlockAttributes playToTheEnd(GridWindow *w)
{
    BlockAttributes last;
    while (!w->gameOver()) {
        last = Modulo1::CurrentBlock;
        click(w->Frame1(w->rightBox()));
    }
    return last;
}

void leave(ProgramFixture &f, ActivityFrame *w)
{
    f.answers.push_back(platform::MsgResult::Yes);
    w->leaveMenu->trigger();
}

QSet<int> shownLines(pagl8 *w)
{
    QSet<int> lines;
    w->Line3.forEach([&](platform::Line *l) {
        if (shown(l))
            lines << l->index();
    });
    return lines;
}

QSet<int> greenNames(pagl8 *w)
{
    QSet<int> names;
    w->Label1.forEach([&](platform::Label *l) {
        if (l->backColor() == Colours::kLightGreen)
            names << l->index();
    });
    return names;
}

} // namespace

class TstGrid : public QObject
{
    Q_OBJECT

    ProgramFixture f;

    static void addWindowRows()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"pagl7", "pagl9", "pagl8"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

private slots:
    void init() { QVERIFY(f.setUp()); }
    void cleanup() { f.tearDown(); }

    // A whole game: wrong choices change nothing but the count, right ones fill the chosen box
    // from its outer end, the first full box ends the game, and then no box or slot takes
    // anything, whatever reaches it, until "avanti".
    void placing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("way");
        QTest::addColumn<QList<int>>("fillDirection"); // per box: +1 from the left, -1 from the right
        const QList<int> table{1, 1, 1, 1};
        for (const auto &[way, label] : {std::pair(ByBox, "box"), {BySlot, "slot"}, {ByKeyboard, "keyboard"}}) {
            QTest::addRow("pagl7, %s", label) << "pagl7" << int(way) << QList<int>{1, -1};
            QTest::addRow("pagl9, %s", label) << "pagl9" << int(way) << table;
            QTest::addRow("pagl8, %s", label) << "pagl8" << int(way) << table;
        }
    }
    void placing()
    {
        QFETCH(QString, name);
        QFETCH(int, way);
        QFETCH(QList<int>, fillDirection);
        platform::seedRandom(3);
        GridWindow *w = ProgramFixture::open<GridWindow>(name);
        QVERIFY(w);
        const int boxes = w->Frame1.count(), cap = capacity(w);
        QList<QList<int>> fillX(boxes);
        for (int game = 0; game < 3; ++game) {
            int placed = 0;
            while (!w->gameOver()) {
                QVERIFY(!w->bottoneavanti->widget()->isEnabled());
                const QString picture = w->Image1->picture(), words = w->Image1->description();
                QCOMPARE(picture, Modulo1::CurrentBlock.PicturePath);
                QCOMPARE(words, BlockRules::describe(Modulo1::CurrentBlock));
                const int right = w->rightBox();

                const QString before = seenBesidesWrongCount(w);
                const int wrongBefore = Modulo1::WrongCount;
                for (int box = 0; box < boxes; ++box)
                    if (box != right) {
                        choose(w, box, Way(way));
                        QCOMPARE(seenBesidesWrongCount(w), before);
                        QVERIFY(shown(w->ComandoIconaNo) && !shown(w->ComandoIconaSi));
                    }
                QCOMPARE(Modulo1::WrongCount, wrongBefore + boxes - 1);

                const QList<bool> filledBefore = filledSlots(w);
                choose(w, right, Way(way));
                ++placed;
                platform::Image *slot = newlyFilled(w, filledBefore);
                QVERIFY(slot);
                QCOMPARE(slot->widget()->parentWidget(), w->Frame1(right)->widget());
                QCOMPARE(slot->picture(), picture);
                QCOMPARE(slot->description(), words);
                fillX[right] << slot->widget()->x() * fillDirection[right];
                QCOMPARE(w->etEsatti->caption(), testkit::count("0011", Modulo1::RightCount));
                QVERIFY(shown(w->ComandoIconaSi));
            }
            // Over at the first full box, and not before: at least its capacity in one box.
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
            for (QList<int> &xs : fillX) {
                QVERIFY(std::is_sorted(xs.begin(), xs.end()));
                xs.clear();
            }
        }
    }

    // Each game names its values afresh: "le strade 1" from a block it draws, with a new
    // background; the table's two from the block placed last, on a background that stays.
    void newGames_data() { addWindowRows(); }
    void newGames()
    {
        QFETCH(QString, name);
        const QString negation = modLanguageSupport::GetString(QStringLiteral("0031"));
        Modulo1::PickRandomBlock(); // the block the splash drew last
        const BlockAttributes shownBefore = Modulo1::CurrentBlock;
        formMenu *menu = ProgramFixture::menu();
        platform::seedRandom(100);
        click(menu->control(name == QLatin1String("pagl7") ? QStringLiteral("Command4")
                            : name == QLatin1String("pagl9") ? QStringLiteral("Command7")
                                                              : QStringLiteral("Command9")));
        auto *w = ProgramFixture::window<GridWindow>(name);
        QVERIFY(w && w->isShown());
        BlockAttributes reference = shownBefore;
        QSet<QString> colours, attributes;
        for (int game = 0; game < 150; ++game) {
            if (auto *roads = qobject_cast<pagl7 *>(w)) {
                // Draws: the colour, the reference block, the attribute.
                platform::seedRandom(100 + game);
                const std::uint32_t colour = Modulo1::PickRandomBackColor();
                Modulo1::PickRandomBlock();
                const int attribute = platform::drawIndex(4) + 1;
                QCOMPARE(w->backColor(), colour);
                QCOMPARE(int(roads->RoadAttribute), attribute);
                const QString value = BlockRules::attributeWord(Modulo1::CurrentBlock, attribute);
                QCOMPARE(roads->ComparedValue[0], value);
                QCOMPARE(w->Label1(0)->caption(), value.toUpper());
                QCOMPARE(w->Label1(1)->caption(), negation + value.toUpper());
                colours << QString::number(colour);
                attributes << QString::number(attribute);
                playToTheEnd(w);
            } else {
                auto *table = qobject_cast<TableGame *>(w);
                const int first = table->FirstAttribute, second = table->SecondAttribute;
                QVERIFY(first != second);
                attributes << QStringLiteral("%1,%2").arg(first).arg(second);
                QCOMPARE(table->ComparedValue[0], BlockRules::attributeWord(reference, first));
                QCOMPARE(table->ComparedValue[1], BlockRules::attributeWord(reference, second));
                QStringList names{table->ComparedValue[0].toUpper(), negation + table->ComparedValue[0].toUpper(),
                                  table->ComparedValue[1].toUpper(), negation + table->ComparedValue[1].toUpper()};
                if (name == QLatin1String("pagl8"))
                    names << names[2] << names[3];
                for (int i = 0; i < names.size(); ++i)
                    QCOMPARE(w->Label1(i)->caption(), names[i]);
                QCOMPARE(w->backColor(), name == QLatin1String("pagl9") ? Colours::kTableBackground
                                                                        : Colours::kRoadsBackground);
                reference = playToTheEnd(w);
            }
            platform::seedRandom(101 + game);
            click(w->bottoneavanti);
        }
        if (name == QLatin1String("pagl7")) {
            QCOMPARE(attributes.size(), 4);
            QVERIFY(colours.size() > 10);
        } else {
            QCOMPARE(attributes.size(), 12); // every ordered pair of different attributes
        }
    }

    // Two presses of "aiuto" mark the whole way to the box of the waiting block, in the kind
    // of help chosen; any choice of a box, a new game or a change of kind removes the marks.
    void helpMarks_data()
    {
        QTest::addColumn<bool>("onRoads");
        QTest::addColumn<int>("box");
        QTest::addColumn<QList<int>>("marks"); // road lines or fork names, first fork first
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
        QFETCH(QList<int>, marks);
        auto *w = ProgramFixture::open<pagl8>(QStringLiteral("pagl8"));
        QVERIFY(w);
        QVERIFY(w->HelpOnRoads && w->mnuAiutoStrade->checked() && !w->mnuAiutoCaselle->checked());
        if (!onRoads)
            w->mnuAiutoCaselle->trigger();
        QCOMPARE(w->mnuAiutoStrade->checked(), onRoads);
        QCOMPARE(w->mnuAiutoCaselle->checked(), !onRoads);
        // The waiting block's values, so that it belongs in the box of the row.
        w->ComparedValue[2] = box < 2 ? w->ComparedValue[0] : QStringLiteral("-");
        w->ComparedValue[3] = box % 2 == 0 ? w->ComparedValue[1] : QStringLiteral("-");
        QCOMPARE(w->rightBox(), box);

        const auto marked = [&] { return onRoads ? shownLines(w) : greenNames(w); };
        const auto otherKind = [&] { return onRoads ? greenNames(w) : shownLines(w); };
        const auto expectMarks = [&](int upTo) {
            const QList<int> wanted = marks.mid(0, onRoads && upTo > 0 ? upTo + 1 : upTo);
            QCOMPARE(marked(), QSet<int>(wanted.begin(), wanted.end()));
            QVERIFY(otherKind().isEmpty());
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
        QCOMPARE(Modulo1::WrongCount, std::int16_t(1));

        // A change of kind removes them, so the two kinds never show together.
        click(w->Command2);
        (onRoads ? w->mnuAiutoCaselle : w->mnuAiutoStrade)->trigger();
        QVERIFY(shownLines(w).isEmpty() && greenNames(w).isEmpty());
        QCOMPARE(w->HelpStep, std::int16_t(0));
        (onRoads ? w->mnuAiutoStrade : w->mnuAiutoCaselle)->trigger();

        // The right box takes the block and the marks go; so does a new game.
        click(w->Command2);
        click(w->insieme(2 * box + 1));
        expectMarks(0);
        QCOMPARE(int(w->Filled[box]), 1);
        playToTheEnd(w);
        click(w->Command2); // still helps when the game is over, for the block placed last
        QCOMPARE(marked().size(), onRoads ? 2 : 1);
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
        QVERIFY(right >= 2);
        press(right);
        w->mnuAiutoCaselle->trigger();
        press(right - 1);
        QCOMPARE(w->etEsatti->caption(), testkit::count("0011", right - 1));
        playToTheEnd(w);
        click(w->bottoneavanti);
        const int now = Modulo1::RightCount;
        press(now);
        QCOMPARE(w->HelpCost, std::int16_t(5));

        leave(f, w);
        w = ProgramFixture::open<pagl8>(QStringLiteral("pagl8"));
        QVERIFY(w);
        QCOMPARE(w->HelpCost, std::int16_t(5));
        click(w->Frame1(w->rightBox()));
        press(0);
        QCOMPARE(w->etEsatti->caption(), testkit::count("0011", 0));
        press(0);
    }

    // "Suono?" shows and switches the program's one sound switch, in step with the main menu.
    void soundMenu_data()
    {
        QTest::addColumn<bool>("on");
        QTest::newRow("sound on") << true;
        QTest::newRow("sound off") << false;
    }
    void soundMenu()
    {
        QFETCH(bool, on);
        Modulo1::SoundEnabled = on;
        auto *w = ProgramFixture::open<pagl7>(QStringLiteral("pagl7"));
        QVERIFY(w);
        QCOMPARE(w->mnuSuonoSi->checked(), on);
        QCOMPARE(w->mnuSuonoNo->checked(), !on);
        (on ? w->mnuSuonoNo : w->mnuSuonoSi)->trigger();
        QCOMPARE(Modulo1::SoundEnabled, !on);
        QCOMPARE(w->mnuSuonoSi->checked(), !on);
        QCOMPARE(w->mnuSuonoNo->checked(), on);
        f.sounds.clear();
        click(w->Frame1(1 - w->rightBox()));
        QCOMPARE(f.sounds.size(), on ? 0 : 1);

        leave(f, w);
        formMenu *menu = ProgramFixture::menu();
        QCOMPARE(menu->Check1->value(), on ? 0 : 1);
        click(menu->Check1);
        QCOMPARE(Modulo1::SoundEnabled, on);
        w = ProgramFixture::open<pagl7>(QStringLiteral("pagl7"));
        QVERIFY(w);
        QCOMPARE(w->mnuSuonoSi->checked(), on);
        QCOMPARE(w->mnuSuonoNo->checked(), !on);
    }

    // Boxes, slots and buttons take the keyboard and show the program's hand; a block whose
    // picture is missing shows the placeholder and plays on.
    void handsKeysAndPlaceholders_data() { addWindowRows(); }
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
        // The two edges of the road under each help line.
        const int edges[7][2] = {{0, 1}, {2, 4}, {3, 5}, {6, 8}, {7, 9}, {13, 12}, {10, 11}};
        const double margin = platform::pixelsToTwips(5); // half the red line
        const auto xAt = [](platform::Line *l, double y, double *x) {
            if (y < qMin(l->y1(), l->y2()) || y > qMax(l->y1(), l->y2()) || l->y1() == l->y2())
                return false;
            *x = l->x1() + (y - l->y1()) / (l->y2() - l->y1()) * (l->x2() - l->x1());
            return true;
        };
        for (int i = 0; i < 7; ++i) {
            platform::Line *mark = w->Line3(i);
            int checked = 0;
            for (double t = 0; t <= 1.0; t += 0.05) {
                const double x = mark->x1() + t * (mark->x2() - mark->x1());
                const double y = mark->y1() + t * (mark->y2() - mark->y1());
                double a = 0, b = 0;
                if (!xAt(w->Line2(edges[i][0]), y, &a) || !xAt(w->Line2(edges[i][1]), y, &b))
                    continue;
                ++checked;
                QVERIFY2(x > qMin(a, b) + margin && x < qMax(a, b) - margin,
                         qPrintable(QStringLiteral("Line3(%1) at %2,%3 outside %4..%5").arg(i).arg(x).arg(y).arg(a).arg(b)));
            }
            QVERIFY2(checked >= 8, qPrintable(QString::number(i)));
        }
        // Drawn smoothly: a sloping edge (where no name lies on it) has pixels part way between
        // ink and background.
        const QImage shot = w->surface()->grab().toImage();
        platform::Line *edge = w->Line2(2);
        const QPoint mid(platform::twipsToPixels(edge->x1() + 0.2 * (edge->x2() - edge->x1())),
                         platform::twipsToPixels(edge->y1() + 0.2 * (edge->y2() - edge->y1())));
        int shades = 0;
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx) {
                const QColor c = shot.pixelColor(mid + QPoint(dx, dy));
                shades += c != platform::toQColor(w->backColor()) && c.lightness() > 40 ? 1 : 0;
            }
        QVERIFY(shades > 0);
    }
};

ZORVELLI_WINDOW_TEST_MAIN(TstGrid)

#include "tst_grid.moc"
