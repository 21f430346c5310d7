#include "shell/Modulo1.h"

#include "language/modLanguageSupport.h"
#include "platform/Image.h"
#include "platform/Random.h"
#include "shell/BlockRules.h"
#include "platform/Sound.h"

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

void PickRandomShape()
{
    LastRandomIndex = drawOneBased(4);
    CurrentBlock.Shape = modLanguageSupport::GetString(QLatin1String(kShapeIds[LastRandomIndex - 1]));
}

void PickRandomColour()
{
    LastRandomIndex = drawOneBased(3);
    CurrentBlock.Colour = modLanguageSupport::GetString(QLatin1String(kColourIds[LastRandomIndex - 1]));
}

void PickRandomThickness()
{
    LastRandomIndex = drawOneBased(2);
    CurrentBlock.Thickness = modLanguageSupport::GetString(QLatin1String(kThicknessIds[LastRandomIndex - 1]));
}

void PickRandomSize()
{
    LastRandomIndex = drawOneBased(2);
    CurrentBlock.Size = QLatin1String(kSizeWords[LastRandomIndex - 1]);
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
        image->setPicture(CurrentBlock.PicturePath, BlockRules::describe(CurrentBlock));
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
    RightCount = 0;
    WrongCount = 0;
    CurrentBlock = {};
    LastRandomIndex = 0;
    FormResizer.reset();
}

} // namespace Modulo1
