#pragma once

#include "shell/Modulo1.h"

#include <QString>

// How the domino chains make their next block from the block before it: plain rules over the
// four words, so they can be checked over every block and every answer without a window.
namespace ChainRules {

// The five answers, in the order of the answer buttons.
enum Answer
{
    Shape = 0,
    Colour = 1,
    Size = 2,
    Thickness = 3,
    Nothing = 4
};
inline constexpr int kAnswers = 5;

// A shape or colour word other than the given one, drawn from the picture store's words; each
// draw is kept in LastRandomIndex (1-based).
QString otherShape(const QString &shape);
QString otherColour(const QString &colour);

// Changes the block as the answer says and composes its picture path anew. Blocks change by
// their names, never by a language's words, so every block made has its picture.
using Rule = void (*)(BlockAttributes &block, int answer);

// "Cosa cambia?": exactly the named attribute changes; with Nothing, none does.
void oneChanges(BlockAttributes &block, int answer);
// "Cosa resta uguale?": only the named attribute stays; with Nothing, all four change.
void oneStays(BlockAttributes &block, int answer);

} // namespace ChainRules
