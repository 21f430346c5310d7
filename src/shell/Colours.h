#pragma once

#include "platform/Units.h"

#include <cstdint>

// The program's colours. Controls take them as 0xBBGGRR (red in the low byte); rgb() writes
// them in the usual order, so that no colour is ever spelled with its bytes the wrong way round.
namespace Colours {

constexpr std::uint32_t rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return std::uint32_t(red) | std::uint32_t(green) << 8 | std::uint32_t(blue) << 16;
}

inline constexpr std::uint32_t kRed = rgb(255, 0, 0);           // a right answer's button
inline constexpr std::uint32_t kLightGrey = rgb(224, 224, 224); // answer buttons at rest
inline constexpr std::uint32_t kWhite = rgb(255, 255, 255);     // sets, boxes, the cards behind texts
inline constexpr std::uint32_t kLightGreen = rgb(128, 255, 128); // a fork name marked by the help
inline constexpr std::uint32_t kLightBlue = rgb(176, 224, 255);  // the help button on the yellow roads
inline constexpr std::uint32_t kLightRed = rgb(255, 144, 144);   // "FINE"
inline constexpr std::uint32_t kAvanti = rgb(150, 225, 120);     // "avanti", bright while it leads on
// Fixed backgrounds of the windows that do not change colour.
inline constexpr std::uint32_t kTableBackground = rgb(255, 224, 192); // light orange
inline constexpr std::uint32_t kRoadsBackground = rgb(255, 255, 192); // light yellow
// The counters: dark green and dark red on a white card, readable on every background.
inline constexpr std::uint32_t kRightCountInk = rgb(0, 96, 0);
inline constexpr std::uint32_t kWrongCountInk = rgb(160, 0, 0);
inline constexpr std::uint32_t kTitleInk = rgb(31, 58, 139);  // the program's name on the splash
inline constexpr std::uint32_t kLinkInk = rgb(16, 32, 80);    // the letters of the domino links

// The backgrounds a window draws at random; pink twice, so twice as likely.
inline constexpr std::uint32_t kBackgrounds[18] = {
    rgb(255, 192, 192), rgb(255, 128, 128), rgb(255, 0, 0),     rgb(255, 192, 128), rgb(255, 128, 0),
    rgb(255, 255, 192), rgb(255, 255, 0),   rgb(192, 64, 0),    rgb(128, 255, 128), rgb(0, 192, 0),
    rgb(192, 255, 255), rgb(0, 255, 255),   rgb(192, 192, 255), rgb(255, 192, 255), rgb(255, 192, 255),
    rgb(224, 224, 224), rgb(0, 0, 255),     rgb(255, 0, 255)};

// Near-black or white, whichever reads better on the background.
inline std::uint32_t inkOn(std::uint32_t background)
{
    return platform::fromQColor(platform::readableInk(platform::toQColor(background)));
}

} // namespace Colours
