#pragma once

#include "shell/Modulo1.h"

#include <QString>
#include <array>

// Rules about blocks that several activities share, as plain functions of plain values.
namespace BlockRules {

// Attribute numbers of the sets, counting, roads and table activities.
enum Attribute { Shape = 1, Colour = 2, Size = 3, Thickness = 4 };

// The name of one attribute's value of a block; empty for a number outside 1..4.
QString attributeWord(const BlockAttributes &block, int attribute);

// The names of the values: the words the picture store is named with, by 1-based index order.
inline const std::array<QString, 4> kShapeWords{QStringLiteral("rotondo"), QStringLiteral("quadrato"),
                                                QStringLiteral("rettangolo"), QStringLiteral("triangolo")};
inline const std::array<QString, 3> kColourWords{QStringLiteral("rosso"), QStringLiteral("giallo"),
                                                 QStringLiteral("blu")};
inline const QString kBig = QStringLiteral("grande");
inline const QString kSmall = QStringLiteral("piccolo");
inline const QString kThick = QStringLiteral("spesso");
inline const QString kThin = QStringLiteral("sottile");

// "grande" becomes "piccolo"; anything else becomes "grande".
QString flipSize(const QString &size);
// thick becomes thin; anything else becomes thick.
QString flipThickness(const QString &thickness, const QString &thick = kThick, const QString &thin = kThin);

// The cell of a two-by-two table: 0 both values, 1 the first only, 2 the second only, 3 neither.
int tableCell(bool firstMatches, bool secondMatches);


} // namespace BlockRules
