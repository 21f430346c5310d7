#include "activities/grid/GridRules.h"

#include "shell/BlockRules.h"

#include <algorithm>

namespace GridRules {

int roadBox(const QString &value, const QString &roadValue)
{
    return value == roadValue ? 0 : 1;
}

int tableBox(const QString &first, const QString &firstReference, const QString &second,
             const QString &secondReference)
{
    return BlockRules::tableCell(first == firstReference, second == secondReference);
}

bool gameOver(std::span<const std::int16_t> filled, int capacity)
{
    return std::any_of(filled.begin(), filled.end(), [capacity](std::int16_t n) { return n >= capacity; });
}

int place(std::span<std::int16_t> filled, int capacity, int chosenBox, int rightBox)
{
    if (chosenBox != rightBox || chosenBox < 0 || chosenBox >= int(filled.size()) ||
        gameOver(filled, capacity))
        return -1;
    return chosenBox * capacity + filled[chosenBox]++;
}

HelpMarks helpMarks(int helpStep, bool firstMatches, bool secondMatches)
{
    // The first fork: the common road and the branch of the first value; the second fork:
    // the common road and the road to the box itself, whose fork name comes in box order.
    switch (helpStep) {
    case 0:
        return {{0, firstMatches ? 1 : 2}, firstMatches ? 0 : 1};
    case 1: {
        const int box = BlockRules::tableCell(firstMatches, secondMatches);
        return {{0, 3 + box}, 2 + box};
    }
    default:
        return {};
    }
}

bool chargeHelp(std::int16_t &helpCost, std::int16_t &rightCount)
{
    helpCost = static_cast<std::int16_t>(helpCost + 5);
    if (helpCost < 10)
        return false;
    helpCost = 0;
    if (rightCount <= 0)
        return false;
    --rightCount;
    return true;
}

} // namespace GridRules
