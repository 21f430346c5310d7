#pragma once

#include "layout/clsResize.h"
#include "platform/Application.h"
#include "shell/Colours.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace platform { class Image; }

// The four attribute values of one block, by their names (the Italian words the pictures are
// named with, whatever the language), and the path of its picture.
struct BlockAttributes
{
    QString Colour;
    QString Shape;
    QString Size;
    QString Thickness;
    QString PicturePath;
};

// State that every window reads and writes, and the small routines all activities share.
namespace Modulo1 {

using platform::ApplicationPath;

inline bool SoundEnabled = false;
// The menu's switch for speech alone (remembered per user in LangSetting.ini); the sounds must be
// on as well for anything to be said.
inline bool SpeechEnabled = true;
// One pair of counters for the whole program: they belong to the activity on screen.
inline std::int16_t RightCount = 0;
inline std::int16_t WrongCount = 0;
inline BlockAttributes CurrentBlock;
// The 1-based index drawn by the most recent attribute picker.
inline std::int16_t LastRandomIndex = 0;
// The layout object of the window loaded last.
inline std::unique_ptr<clsResize> FormResizer;

// Counters stop at the limits of their 16-bit type instead of overflowing.
void addToCount(std::int16_t &counter, int delta);

void PickRandomShape();
void PickRandomColour();
void PickRandomThickness();
void PickRandomSize();
void PickRandomBlock();
std::uint32_t PickRandomBackColor();
void PlayRightSound();
void PlayWrongSound();
// The cheer at the end of a game or a chain, while the sounds are on.
void PlayCelebrationSound();

// The picture of a block, composed from its words exactly as the picture store names them.
QString blockPicturePath(const BlockAttributes &block);
// The picture of an attribute value (e.g. "rosso", "GRANDE"), below "jpg\".
QString attributePicturePath(const QString &name);
// Shows the picture of CurrentBlock, described by its four words.
void showCurrentBlock(platform::Image *image);

// The word a child reads for a value's name, in the current language: the language file's
// word for it (section Words), else its identifier's word ("0002"-"0010"), else the name
// itself. Names are what rules compare and pictures are named with; two values may even
// share a word. A text that names no value is given back as it is.
QString displayWord(const QString &name);
// A block in words a child reads: shape, colour, size, thickness ("round red big thick").
QString describe(const BlockAttributes &block);

// The background colours PickRandomBackColor draws from.
inline constexpr const auto &kBackColours = Colours::kBackgrounds;

// Identifiers of the words shown for the shapes, colours and thicknesses when a language file
// gives none of its own in section Words (sizes have none), by 1-based index.
inline const char *const kShapeIds[4] = {"0002", "0003", "0004", "0005"};
inline const char *const kColourIds[3] = {"0006", "0007", "0008"};
inline const char *const kThicknessIds[2] = {"0009", "0010"};
inline const char *const kSizeWords[2] = {"grande", "piccolo"};

// Back to the state of a fresh start (tests begin from here).
void resetState();

} // namespace Modulo1
