#pragma once

#include "activities/grid/GridWindow.h"

#include <QString>
#include <array>
#include <cstdint>

// The placing game of two attributes ("tabella", "le strade 2"): two different attributes per
// game, their values from the block in CurrentBlock when the game starts, and four boxes, one
// per pair of "value" or "not value". The windows differ in their layout only, and
// "le strade 2" adds its help.
class TableGame : public GridWindow
{
    Q_OBJECT

public:
    std::int16_t FirstAttribute = 0;
    std::int16_t SecondAttribute = 0;
    // 0, 1: the values of the game; 2, 3: the waiting block's values of the same attributes.
    std::array<QString, 4> ComparedValue;

    bool firstMatches() const { return ComparedValue[2] == ComparedValue[0]; }
    bool secondMatches() const { return ComparedValue[3] == ComparedValue[1]; }
    int rightBox() const override;
    // 0, 1: the first value and its negation; 2 to 5: the second value and its negation (twice
    // on the roads, once at each second fork).
    QString spokenName(int label) const override;

protected:
    using GridWindow::GridWindow;

    // Draws no block of its own: the game is named after the block in CurrentBlock, which
    // within a window is the last block placed.
    void NewReference() override;
    void takeWaitingValues() override;
};
