// The placing rules as plain functions: which box a block belongs in, and what the help costs.

#include "activities/grid/GridRules.h"

#include <QTest>

using namespace GridRules;

class TstGridRules : public QObject
{
    Q_OBJECT

private slots:
    // A block sent to the wrong box: the first value is compared with "rosso", the second
    // with "grande", exactly.
    void whichBox_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("road");
        QTest::addColumn<int>("cell");
        // clang-format off
        QTest::newRow("both equal") << "rosso" << "grande" << 0 << 0;
        QTest::newRow("first only") << "rosso" << "piccolo" << 0 << 1;
        QTest::newRow("second only") << "blu" << "grande" << 1 << 2;
        QTest::newRow("neither") << "giallo" << "piccolo" << 1 << 3;
        QTest::newRow("letter case counts") << "ROSSO" << "Grande" << 1 << 3;
        QTest::newRow("a trailing blank counts") << "rosso " << "grande" << 1 << 2;
        // clang-format on
    }
    void whichBox()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, road);
        QFETCH(int, cell);
        QCOMPARE(roadBox(first, QStringLiteral("rosso")), road);
        QCOMPARE(tableBox(first, QStringLiteral("rosso"), second, QStringLiteral("grande")), cell);
    }

    // Help that costs too much or too little: every second press takes a right answer; at 0
    // it takes nothing and nothing is owed; a negative count is left alone. The step stops at
    // 2 however often the help is pressed.
    void helpCostAndStep()
    {
        const struct
        {
            std::int16_t cost, right;
            QList<int> countAfterEachPress;
        } runs[] = {{0, 3, {3, 2, 2, 1, 1, 0, 0, 0, 0}}, {5, 0, {0, 0, 0, 0}}, {0, -3, {-3, -3}}};
        for (auto run : runs)
            for (const int expected : run.countAfterEachPress) {
                const std::int16_t before = run.right, costBefore = run.cost;
                QCOMPARE(chargeHelp(run.cost, run.right), expected != before);
                QCOMPARE(int(run.right), expected);
                QCOMPARE(run.cost, std::int16_t(costBefore == 0 ? 5 : 0));
            }
        std::int16_t step = 0;
        for (int press = 0; press < 70000; ++press)
            step = nextHelpStep(step);
        QCOMPARE(step, std::int16_t(2));
    }
};

QTEST_APPLESS_MAIN(TstGridRules)

#include "tst_gridrules.moc"
