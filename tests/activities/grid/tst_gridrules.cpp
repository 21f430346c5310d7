// The placing rules as plain functions: which box a block belongs in, and what the help costs.

#include "activities/grid/GridRules.h"

#include <QTest>

using namespace GridRules;

class TstGridRules : public QObject
{
    Q_OBJECT

private slots:
    // The first value is compared with "rosso", the second with "grande".
    void whichBox_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("road");
        QTest::addColumn<int>("cell");
        QTest::newRow("both equal") << "rosso"
                                    << "grande" << 0 << 0;
        QTest::newRow("first only") << "rosso"
                                    << "piccolo" << 0 << 1;
        QTest::newRow("second only") << "blu"
                                     << "grande" << 1 << 2;
        QTest::newRow("neither") << "giallo"
                                 << "piccolo" << 1 << 3;
        QTest::newRow("letter case counts") << "ROSSO"
                                            << "Grande" << 1 << 3;
        QTest::newRow("a trailing blank counts") << "rosso "
                                                 << "grande" << 1 << 2;
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

    // Every second press costs a point; at 0 it costs nothing and nothing is owed. The step
    // stops at 2 however often the help is pressed.
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
                const bool taken = chargeHelp(run.cost, run.right);
                QCOMPARE(int(run.right), expected);
                QCOMPARE(taken, run.right != before);
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
