// The rules of the placing games, as plain functions: which box, which slot, when the game is
// over, and what the help marks and costs.

#include "activities/grid/GridRules.h"

#include <QTest>
#include <vector>

using namespace GridRules;

class TstGridRules : public QObject
{
    Q_OBJECT

private slots:
    void whichBox_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("road");
        QTest::addColumn<int>("cell");
        // The first value is compared with "rosso", the second with "grande".
        QTest::newRow("both equal") << "rosso" << "grande" << 0 << 0;
        QTest::newRow("first only") << "rosso" << "piccolo" << 0 << 1;
        QTest::newRow("second only") << "blu" << "grande" << 1 << 2;
        QTest::newRow("neither") << "giallo" << "piccolo" << 1 << 3;
        QTest::newRow("letter case differs") << "ROSSO" << "Grande" << 1 << 3;
        QTest::newRow("trailing blank differs") << "rosso " << "grande" << 1 << 2;
        QTest::newRow("empty words") << "" << "" << 1 << 3;
    }
    void whichBox()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, road);
        QFETCH(int, cell);
        QCOMPARE(roadBox(first, QStringLiteral("rosso")), road);
        QCOMPARE(tableBox(first, QStringLiteral("rosso"), second, QStringLiteral("grande")), cell);
        QCOMPARE(roadBox(QString(), QString()), 0);
    }

    // Right choices fill each box slot by slot; a wrong one changes nothing; the first full box
    // ends the game, and then nothing is placed any more.
    void placing_data()
    {
        QTest::addColumn<int>("boxes");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QList<int>>("rightBoxes");
        QTest::addColumn<QList<int>>("slotsTaken");
        QTest::newRow("roads 1, left full") << 2 << 4 << QList<int>{0, 1, 0, 0, 1, 0} << QList<int>{0, 4, 1, 2, 5, 3};
        QTest::newRow("roads 1, right full") << 2 << 4 << QList<int>{1, 1, 1, 1} << QList<int>{4, 5, 6, 7};
        QTest::newRow("table, two at once") << 4 << 2 << QList<int>{3, 3} << QList<int>{6, 7};
        QTest::newRow("table, one each first") << 4 << 2 << QList<int>{0, 1, 2, 3, 1} << QList<int>{0, 2, 4, 6, 3};
    }
    void placing()
    {
        QFETCH(int, boxes);
        QFETCH(int, capacity);
        QFETCH(QList<int>, rightBoxes);
        QFETCH(QList<int>, slotsTaken);
        std::vector<std::int16_t> filled(boxes, 0);
        for (int i = 0; i < rightBoxes.size(); ++i) {
            QVERIFY(!gameOver(filled, capacity));
            const std::vector<std::int16_t> before = filled;
            for (int wrong = 0; wrong < boxes; ++wrong)
                if (wrong != rightBoxes[i])
                    QCOMPARE(place(filled, capacity, wrong, rightBoxes[i]), -1);
            QCOMPARE(place(filled, capacity, -1, -1), -1);
            QCOMPARE(filled, before);
            QCOMPARE(place(filled, capacity, rightBoxes[i], rightBoxes[i]), slotsTaken[i]);
            QCOMPARE(boxOfSlot(slotsTaken[i], capacity), rightBoxes[i]);
        }
        QVERIFY(gameOver(filled, capacity));
        const std::vector<std::int16_t> over = filled;
        for (int box = 0; box < boxes; ++box)
            QCOMPARE(place(filled, capacity, box, box), -1);
        QCOMPARE(filled, over);
    }

    void helpMarks_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("first");
        QTest::addColumn<bool>("second");
        QTest::addColumn<QList<int>>("lines");
        QTest::addColumn<int>("name");
        for (const bool second : {true, false}) {
            QTest::addRow("first fork, value, %d", second) << 0 << true << second << QList<int>{0, 1} << 0;
            QTest::addRow("first fork, not value, %d", second) << 0 << false << second << QList<int>{0, 2} << 1;
        }
        QTest::newRow("second fork, box 0") << 1 << true << true << QList<int>{0, 3} << 2;
        QTest::newRow("second fork, box 1") << 1 << true << false << QList<int>{0, 4} << 3;
        QTest::newRow("second fork, box 2") << 1 << false << true << QList<int>{0, 5} << 4;
        QTest::newRow("second fork, box 3") << 1 << false << false << QList<int>{0, 6} << 5;
        QTest::newRow("whole way marked") << 2 << true << false << QList<int>{} << -1;
        QTest::newRow("long after") << 32767 << false << false << QList<int>{} << -1;
    }
    void helpMarks()
    {
        QFETCH(int, step);
        QFETCH(bool, first);
        QFETCH(bool, second);
        QFETCH(QList<int>, lines);
        QFETCH(int, name);
        const HelpMarks marks = GridRules::helpMarks(step, first, second);
        QCOMPARE(marks.roadLines, lines);
        QCOMPARE(marks.forkName, name);
    }

    void helpStepStopsAtTwo()
    {
        std::int16_t step = 0;
        for (int press = 1; press <= 70000; ++press)
            step = nextHelpStep(step);
        QCOMPARE(step, std::int16_t(2));
        QCOMPARE(nextHelpStep(0), std::int16_t(1));
    }

    // Every second press costs a point; at 0 it costs nothing and nothing is owed.
    void helpCost_data()
    {
        QTest::addColumn<int>("cost");
        QTest::addColumn<int>("right");
        QTest::addColumn<QList<int>>("countAfterEachPress");
        QTest::newRow("from the start") << 0 << 3 << QList<int>{3, 2, 2, 1, 1, 0, 0, 0, 0};
        QTest::newRow("half-way already") << 5 << 2 << QList<int>{1, 1, 0, 0, 0};
        QTest::newRow("none to take") << 5 << 0 << QList<int>{0, 0, 0};
        QTest::newRow("below 0 from elsewhere") << 0 << -3 << QList<int>{-3, -3};
    }
    void helpCost()
    {
        QFETCH(int, cost);
        QFETCH(int, right);
        QFETCH(QList<int>, countAfterEachPress);
        auto helpCost = std::int16_t(cost);
        auto rightCount = std::int16_t(right);
        for (const int expected : countAfterEachPress) {
            const std::int16_t before = rightCount;
            const std::int16_t costBefore = helpCost;
            const bool taken = chargeHelp(helpCost, rightCount);
            QCOMPARE(taken, rightCount != before);
            QCOMPARE(int(rightCount), expected);
            QCOMPARE(helpCost, std::int16_t(costBefore == 0 ? 5 : 0));
        }
    }
};

QTEST_APPLESS_MAIN(TstGridRules)

#include "tst_gridrules.moc"
