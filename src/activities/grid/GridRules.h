#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <span>

// The rules of the placing games (roads and table), as plain functions of plain values: which
// box a block belongs in, which slot it takes, when a game is over, and what the help marks
// and costs.
namespace GridRules {

// Roads that fork once: box 0 (the road of the value) when the block's value is the road's
// value, box 1 (its negation) otherwise. Values are compared as exact texts.
int roadBox(const QString &value, const QString &roadValue);

// Two attributes: the cell of the two-by-two table (0 both values, 1 the first only, 2 the
// second only, 3 neither), also the box of the roads that fork twice.
int tableBox(const QString &first, const QString &firstReference, const QString &second,
             const QString &secondReference);

// Each box fills its slots in order: box k owns the slots k * capacity onwards.
constexpr int boxOfSlot(int slot, int capacity)
{
    return slot / capacity;
}

// True once one of the boxes is full.
bool gameOver(std::span<const std::int16_t> filled, int capacity);

// A click on chosenBox while the block belongs in rightBox: the slot that takes the block (and
// the box's count grows), or -1 when the choice is wrong or the game is over (nothing changes).
int place(std::span<std::int16_t> filled, int capacity, int chosenBox, int rightBox);

// The help of the roads that fork twice, for one press: what it marks at this step.
struct HelpMarks
{
    QList<int> roadLines; // red lines along the roads (Line3)
    int forkName = -1;    // the fork name coloured green (Label1), -1 for none
};
HelpMarks helpMarks(int helpStep, bool firstMatches, bool secondMatches);

// Presses after the whole way is marked add nothing: the step stays at 2.
constexpr std::int16_t nextHelpStep(std::int16_t helpStep)
{
    return helpStep < 2 ? helpStep + 1 : 2;
}

// Every second press of the help costs one right answer. The count never goes below 0: a
// press that finds it at 0 costs nothing and owes nothing. True when a point was taken.
bool chargeHelp(std::int16_t &helpCost, std::int16_t &rightCount);

} // namespace GridRules
