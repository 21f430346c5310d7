#include "shell/BlockRules.h"

namespace BlockRules {

QString attributeWord(const BlockAttributes &block, int attribute)
{
    switch (attribute) {
    case Shape:
        return block.Shape;
    case Colour:
        return block.Colour;
    case Size:
        return block.Size;
    case Thickness:
        return block.Thickness;
    default:
        return {};
    }
}

QString flipSize(const QString &size)
{
    return size == kBig ? kSmall : kBig;
}

QString flipThickness(const QString &thickness, const QString &thick, const QString &thin)
{
    return thickness == thick ? thin : thick;
}

int tableCell(bool firstMatches, bool secondMatches)
{
    return (firstMatches ? 0 : 2) + (secondMatches ? 0 : 1);
}

} // namespace BlockRules
