#include "shell/Modulo1.h"

#include "language/modLanguageSupport.h"
#include "platform/Image.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"
#include "platform/Sound.h"

#include <algorithm>
#include <limits>

namespace Modulo1 {

namespace {
// 1 .. n, each equally likely.
std::int16_t drawOneBased(int n)
{
    return static_cast<std::int16_t>(platform::drawIndex(n) + 1);
}
} // namespace

void addToCount(std::int16_t &counter, int delta)
{
    const int v = int(counter) + delta;
    counter = static_cast<std::int16_t>(
        std::clamp(v, int(std::numeric_limits<std::int16_t>::min()), int(std::numeric_limits<std::int16_t>::max())));
}

// The block keeps the names, never a language's words: the pictures are named with them.
void PickRandomShape()
{
    LastRandomIndex = drawOneBased(4);
    CurrentBlock.Shape = BlockRules::kShapeWords[LastRandomIndex - 1];
}

void PickRandomColour()
{
    LastRandomIndex = drawOneBased(3);
    CurrentBlock.Colour = BlockRules::kColourWords[LastRandomIndex - 1];
}

void PickRandomThickness()
{
    LastRandomIndex = drawOneBased(2);
    CurrentBlock.Thickness = LastRandomIndex == 1 ? BlockRules::kThick : BlockRules::kThin;
}

void PickRandomSize()
{
    LastRandomIndex = drawOneBased(2);
    CurrentBlock.Size = QLatin1String(kSizeWords[LastRandomIndex - 1]);
}

QString displayWord(const QString &name)
{
    // Each name with the identifier whose word stood for it before language files had words of
    // their own; the sizes never had one.
    static const std::pair<QString, const char *> values[] = {
        {BlockRules::kShapeWords[0], kShapeIds[0]},   {BlockRules::kShapeWords[1], kShapeIds[1]},
        {BlockRules::kShapeWords[2], kShapeIds[2]},   {BlockRules::kShapeWords[3], kShapeIds[3]},
        {BlockRules::kColourWords[0], kColourIds[0]}, {BlockRules::kColourWords[1], kColourIds[1]},
        {BlockRules::kColourWords[2], kColourIds[2]}, {BlockRules::kThick, kThicknessIds[0]},
        {BlockRules::kThin, kThicknessIds[1]},        {BlockRules::kBig, nullptr},
        {BlockRules::kSmall, nullptr}};
    const auto value = std::ranges::find(values, name, &std::pair<QString, const char *>::first);
    if (value == std::end(values))
        return name;
    // The word and the one it falls back to come from one reading of the file.
    const modLanguageSupport::OneReading file;
    // A word of blanks would leave the child nothing to read.
    QString word = modLanguageSupport::GetWord(name).trimmed();
    if (word.isEmpty() && value->second)
        word = modLanguageSupport::GetString(QLatin1String(value->second)).trimmed();
    return word.isEmpty() ? name : word;
}

QString describe(const BlockAttributes &block)
{
    const modLanguageSupport::OneReading file; // four words, one reading
    return displayWord(block.Shape) + u' ' + displayWord(block.Colour) + u' ' + displayWord(block.Size) + u' ' +
           displayWord(block.Thickness);
}

QString blockPicturePath(const BlockAttributes &block)
{
    return platform::appPath(QStringLiteral("jpg\\") + block.Colour + u'\\' + block.Shape + block.Size +
                             block.Thickness + QStringLiteral(".JPG"));
}

QString attributePicturePath(const QString &name)
{
    return platform::appPath(QStringLiteral("jpg\\") + name + QStringLiteral(".jpg"));
}

void showCurrentBlock(platform::Image *image)
{
    if (image)
        image->setPicture(CurrentBlock.PicturePath, describe(CurrentBlock));
}

void PickRandomBlock()
{
    PickRandomColour();
    PickRandomShape();
    PickRandomSize();
    PickRandomThickness();
    CurrentBlock.PicturePath = blockPicturePath(CurrentBlock);
}

std::uint32_t PickRandomBackColor()
{
    return kBackColours[platform::drawIndex(18)];
}

void PlayRightSound()
{
    if (!SoundEnabled)
        return;
    const int k = drawOneBased(4);
    platform::playSoundAsync(platform::appPath(QStringLiteral("suoni\\si%1.wav").arg(k)));
}

void PlayWrongSound()
{
    if (SoundEnabled)
        platform::playSoundAsync(platform::appPath(QStringLiteral("suoni\\no.wav")));
}

void PlayCelebrationSound()
{
    if (SoundEnabled)
        platform::playSoundAsync(platform::appPath(QStringLiteral("suoni\\festa.wav")));
}

void resetState()
{
    SoundEnabled = false;
    SpeechEnabled = true;
    RightCount = 0;
    WrongCount = 0;
    CurrentBlock = {};
    LastRandomIndex = 0;
    FormResizer.reset();
}

} // namespace Modulo1
