#pragma once

#include <QColor>
#include <cmath>

namespace platform {

// Positions and sizes are kept in twips (1440 per inch); at the logical 96 dpi that Qt
// scales for us, one pixel is 15 twips. Conversion happens only at the widget boundary.
inline constexpr double kTwipsPerPixel = 15.0;

inline int twipsToPixels(double twips) { return int(std::lround(twips / kTwipsPerPixel)); }
inline double pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// The program's colours are 0xBBGGRR: red in the low byte, blue in the high byte.
inline QColor toQColor(quint32 bbggrr)
{
    return QColor(int(bbggrr & 0xFF), int((bbggrr >> 8) & 0xFF), int((bbggrr >> 16) & 0xFF));
}
inline quint32 fromQColor(const QColor &c)
{
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

// Colours the windows use by name.
inline constexpr quint32 kWhite = 0xFFFFFF;
inline constexpr quint32 kButtonFace = 0xE0E0E0;
inline constexpr quint32 kBlack = 0x000000;

} // namespace platform
