#include "activities/grid/TableGame.h"

#include "activities/grid/GridRules.h"
#include "language/modLanguageSupport.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"
#include "shell/Modulo1.h"

int TableGame::rightBox() const
{
    return GridRules::tableBox(ComparedValue[2], ComparedValue[0], ComparedValue[3], ComparedValue[1]);
}

void TableGame::NewReference()
{
    const QString negation = modLanguageSupport::GetString(QStringLiteral("0031"));
    const BlockAttributes &block = Modulo1::CurrentBlock;
    FirstAttribute = static_cast<std::int16_t>(platform::drawIndex(4) + 1);
    ComparedValue[0] = BlockRules::attributeWord(block, FirstAttribute);
    Label1(0)->setCaption(Modulo1::displayWord(ComparedValue[0]).toUpper());
    Label1(1)->setCaption(negation + Label1(0)->caption());
    do
        SecondAttribute = static_cast<std::int16_t>(platform::drawIndex(4) + 1);
    while (SecondAttribute == FirstAttribute);
    ComparedValue[1] = BlockRules::attributeWord(block, SecondAttribute);
    Label1(2)->setCaption(Modulo1::displayWord(ComparedValue[1]).toUpper());
    Label1(3)->setCaption(negation + Label1(2)->caption());
    // Each box is called by the names of its row and column, or of the forks on its way.
    for (int k = 0; k < 4; ++k)
        Frame1(k)->setAccessibleName(Label1(k / 2)->caption() + QStringLiteral(", ") +
                                     Label1(2 + k % 2)->caption());
}

QString TableGame::spokenName(int label) const
{
    return label < 2 ? spokenValue(ComparedValue[0], label == 1) : spokenValue(ComparedValue[1], label % 2 == 1);
}

void TableGame::takeWaitingValues()
{
    ComparedValue[2] = BlockRules::attributeWord(Modulo1::CurrentBlock, FirstAttribute);
    ComparedValue[3] = BlockRules::attributeWord(Modulo1::CurrentBlock, SecondAttribute);
}
