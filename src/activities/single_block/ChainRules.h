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

// The thickness words as the language file gives them ("0009" thick, "0010" thin).
struct ThicknessTexts
{
    QString thick;
    QString thin;
};
ThicknessTexts languageThickness();

// A shape or colour word other than the given one, drawn from the picture store's words; each
// draw is kept in LastRandomIndex (1-based).
QString otherShape(const QString &shape);
QString otherColour(const QString &colour);

// Changes the block as the answer says and composes its picture path anew.
using Rule = void (*)(BlockAttributes &block, int answer, const ThicknessTexts &language);

// "Cosa cambia?": exactly the named attribute changes; with Nothing, none does.
void oneChanges(BlockAttributes &block, int answer, const ThicknessTexts &language);
// "Cosa resta uguale?": only the named attribute stays; with Nothing, all four change. For a
// kept shape the thickness flips between the language's words, in every other case between
// the picture store's words.
void oneStays(BlockAttributes &block, int answer, const ThicknessTexts &language);

} // namespace ChainRules
