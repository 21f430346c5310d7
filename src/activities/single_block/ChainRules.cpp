#include "activities/single_block/ChainRules.h"

#include "platform/Random.h"
#include "shell/BlockRules.h"

namespace ChainRules {

namespace {

// Draws words until one differs from the old word; the words are all different, so a few
// draws always do.
template <std::size_t N> QString otherWord(const std::array<QString, N> &words, const QString &old)
{
    QString word;
    do {
        Modulo1::LastRandomIndex = static_cast<std::int16_t>(platform::drawIndex(int(N)) + 1);
        word = words[Modulo1::LastRandomIndex - 1];
    } while (word == old);
    return word;
}

void flipThicknessByWord(BlockAttributes &b)
{
    b.Thickness = BlockRules::flipThickness(b.Thickness);
}

} // namespace

QString otherShape(const QString &shape)
{
    return otherWord(BlockRules::kShapeWords, shape);
}

QString otherColour(const QString &colour)
{
    return otherWord(BlockRules::kColourWords, colour);
}

void oneChanges(BlockAttributes &b, int answer)
{
    switch (answer) {
    case Shape:
        b.Shape = otherShape(b.Shape);
        break;
    case Colour:
        b.Colour = otherColour(b.Colour);
        break;
    case Size:
        b.Size = BlockRules::flipSize(b.Size);
        break;
    case Thickness:
        flipThicknessByWord(b);
        break;
    default:
        break;
    }
    b.PicturePath = Modulo1::blockPicturePath(b);
}

void oneStays(BlockAttributes &b, int answer)
{
    // The changes come in this order, so the draws of colour and shape always come in it too.
    if (answer != Thickness)
        flipThicknessByWord(b);
    if (answer != Size)
        b.Size = BlockRules::flipSize(b.Size);
    if (answer != Colour)
        b.Colour = otherColour(b.Colour);
    if (answer != Shape)
        b.Shape = otherShape(b.Shape);
    b.PicturePath = Modulo1::blockPicturePath(b);
}

} // namespace ChainRules
