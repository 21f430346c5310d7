#pragma once

#include <cstdint>

// The program's colours, 0xBBGGRR (red in the low byte).
namespace Colours {

inline constexpr std::uint32_t kRed = 0x0000FF;        // a right answer's button
inline constexpr std::uint32_t kLightGrey = 0xE0E0E0;  // answer buttons at rest
inline constexpr std::uint32_t kWhite = 0xFFFFFF;      // sets, boxes, the cards behind texts
inline constexpr std::uint32_t kLightGreen = 0x80FF80; // a fork name marked by the help
// Fixed backgrounds of the windows that do not change colour.
inline constexpr std::uint32_t kTableBackground = 0xC0E0FF;
inline constexpr std::uint32_t kRoadsBackground = 0xC0FFFF;
// The counters: dark green and dark red on a white card, readable on every background.
inline constexpr std::uint32_t kRightCountInk = 0x006000;
inline constexpr std::uint32_t kWrongCountInk = 0x0000A0;

} // namespace Colours
