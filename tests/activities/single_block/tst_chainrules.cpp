// The two rules that make the next block of a domino chain, over all 48 blocks and all five
// answers.

#include "activities/single_block/ChainRules.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"

#include <QSet>
#include <QTest>

using ChainRules::Answer;
using ChainRules::ThicknessTexts;

namespace {

const ThicknessTexts kItalian{QStringLiteral("spesso"), QStringLiteral("sottile")};

QList<BlockAttributes> allBlocks()
{
    QList<BlockAttributes> blocks;
    for (const QString &shape : BlockRules::kShapeWords)
        for (const QString &colour : BlockRules::kColourWords)
            for (const QString &size : {BlockRules::kBig, BlockRules::kSmall})
                for (const QString &thickness : {BlockRules::kThick, BlockRules::kThin}) {
                    BlockAttributes b{colour, shape, size, thickness, {}};
                    b.PicturePath = Modulo1::blockPicturePath(b);
                    blocks << b;
                }
    return blocks;
}

// One bit per attribute that differs, in the order of the answers.
int changed(const BlockAttributes &a, const BlockAttributes &b)
{
    return (a.Shape != b.Shape ? 1 << Answer::Shape : 0) | (a.Colour != b.Colour ? 1 << Answer::Colour : 0) |
           (a.Size != b.Size ? 1 << Answer::Size : 0) |
           (a.Thickness != b.Thickness ? 1 << Answer::Thickness : 0);
}

bool isStoreBlock(const BlockAttributes &b)
{
    return std::find(BlockRules::kShapeWords.begin(), BlockRules::kShapeWords.end(), b.Shape) !=
               BlockRules::kShapeWords.end() &&
           std::find(BlockRules::kColourWords.begin(), BlockRules::kColourWords.end(), b.Colour) !=
               BlockRules::kColourWords.end() &&
           (b.Size == BlockRules::kBig || b.Size == BlockRules::kSmall) &&
           (b.Thickness == BlockRules::kThick || b.Thickness == BlockRules::kThin);
}

} // namespace

class TstChainRules : public QObject
{
    Q_OBJECT

private slots:
    void everyBlockEveryAnswer_data()
    {
        QTest::addColumn<bool>("stays");
        QTest::newRow("what changes") << false;
        QTest::newRow("what stays the same") << true;
    }
    void everyBlockEveryAnswer()
    {
        QFETCH(bool, stays);
        const ChainRules::Rule rule = stays ? ChainRules::oneStays : ChainRules::oneChanges;
        const QList<BlockAttributes> blocks = allBlocks();
        QCOMPARE(blocks.size(), 48);
        for (const BlockAttributes &before : blocks)
            for (int answer = 0; answer < ChainRules::kAnswers; ++answer) {
                const int named = answer == Answer::Nothing ? 0 : 1 << answer;
                const int expected = stays ? 0b1111 & ~named : named;
                QSet<QString> shapes, colours;
                for (int seed = 0; seed < 24; ++seed) {
                    platform::seedRandom(seed);
                    BlockAttributes after = before;
                    rule(after, answer, kItalian);
                    const QString what = BlockRules::describe(before) + QStringLiteral(" -> ") +
                                         BlockRules::describe(after) + QStringLiteral(", answer ") +
                                         QString::number(answer);
                    QVERIFY2(changed(before, after) == expected, qPrintable(what));
                    QVERIFY2(isStoreBlock(after), qPrintable(what));
                    QCOMPARE(after.PicturePath, Modulo1::blockPicturePath(after));
                    QCOMPARE(after.PicturePath == before.PicturePath, expected == 0);
                    // The last word drawn is the one kept in LastRandomIndex: the shape comes
                    // after the colour.
                    if (expected & (1 << Answer::Shape))
                        QCOMPARE(BlockRules::kShapeWords[Modulo1::LastRandomIndex - 1], after.Shape);
                    else if (expected & (1 << Answer::Colour))
                        QCOMPARE(BlockRules::kColourWords[Modulo1::LastRandomIndex - 1], after.Colour);
                    shapes << after.Shape;
                    colours << after.Colour;
                }
                // Every other shape and colour can come.
                QCOMPARE(shapes.size(), expected & (1 << Answer::Shape) ? 3 : 1);
                QCOMPARE(colours.size(), expected & (1 << Answer::Colour) ? 2 : 1);
            }
    }

    // With a language whose thickness words are not the picture store's, only a kept shape in
    // "what stays the same" flips between the language's words; every other flip writes the
    // store's words.
    void thicknessFlips_data()
    {
        QTest::addColumn<bool>("stays");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("stays, shape kept, thick") << true << int(Answer::Shape) << "thick"
                                                  << "thin";
        QTest::newRow("stays, shape kept, thin") << true << int(Answer::Shape) << "thin"
                                                 << "thick";
        QTest::newRow("stays, shape kept, spesso") << true << int(Answer::Shape) << "spesso"
                                                   << "thick";
        for (const Answer a : {Answer::Colour, Answer::Size, Answer::Nothing}) {
            QTest::addRow("stays, answer %d, thick", a) << true << int(a) << "thick"
                                                        << "spesso";
            QTest::addRow("stays, answer %d, spesso", a) << true << int(a) << "spesso"
                                                         << "sottile";
        }
        QTest::newRow("stays, thickness kept") << true << int(Answer::Thickness) << "thick"
                                               << "thick";
        QTest::newRow("changes, thickness, thick") << false << int(Answer::Thickness) << "thick"
                                                   << "spesso";
        QTest::newRow("changes, thickness, sottile") << false << int(Answer::Thickness) << "sottile"
                                                     << "spesso";
    }
    void thicknessFlips()
    {
        QFETCH(bool, stays);
        QFETCH(int, answer);
        QFETCH(QString, from);
        QFETCH(QString, to);
        BlockAttributes b{QStringLiteral("blu"), QStringLiteral("quadrato"), BlockRules::kBig, from, {}};
        (stays ? ChainRules::oneStays
               : ChainRules::oneChanges)(b, answer, {QStringLiteral("thick"), QStringLiteral("thin")});
        QCOMPARE(b.Thickness, to);
    }
};

QTEST_GUILESS_MAIN(TstChainRules)

#include "tst_chainrules.moc"
