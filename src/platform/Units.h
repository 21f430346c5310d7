#pragma once

#include <QColor>
#include <QRect>
#include <QSize>
#include <algorithm>
#include <cmath>

namespace platform {

// Positions and sizes are kept in twips (1440 per inch); at the logical 96 dpi that Qt
// scales for us, one pixel is 15 twips. Conversion happens only at the widget boundary.
inline constexpr double kTwipsPerPixel = 15.0;

inline int twipsToPixels(double twips) { return int(std::lround(twips / kTwipsPerPixel)); }
inline double pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }
// The edges are rounded, not the size, so that neighbouring places stay flush.
inline QRect twipsToPixels(const QRectF &twips)
{
    const int x = twipsToPixels(twips.left()), y = twipsToPixels(twips.top());
    return QRect(x, y, twipsToPixels(twips.right()) - x, twipsToPixels(twips.bottom()) - y);
}

// How much larger than designed texts (and lines) are drawn in a window of this size, in
// logical pixels. Up to a window 1080 pixels high nothing changes; above that texts grow with
// the window, so that a classroom screen of 3840 x 2160 reads like a desktop of 1920 x 1080. The
// growth also keeps to the width of a 4:3 window of that height (1440), so that a text that fits
// a narrow window still fits. A desktop that scales everything itself (Qt's device pixel ratio)
// already shows a smaller window in logical pixels, so its own scaling is not added to.
inline double textScaleFor(QSize windowPixels)
{
    constexpr double kDesignHeight = 1080, kDesignWidth = 1440;
    return std::max(1.0, std::min(windowPixels.height() / kDesignHeight, windowPixels.width() / kDesignWidth));
}

// The program's colours are 0xBBGGRR: red in the low byte, blue in the high byte.
inline QColor toQColor(quint32 bbggrr)
{
    return QColor(int(bbggrr & 0xFF), int((bbggrr >> 8) & 0xFF), int((bbggrr >> 16) & 0xFF));
}
inline quint32 fromQColor(const QColor &c)
{
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

// Contrast as the accessibility guidelines measure it: 1 (none) to 21 (black on white).
inline double relativeLuminance(const QColor &c)
{
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}
inline double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
// Near-black or white, whichever reads better on the background.
inline QColor readableInk(const QColor &background)
{
    const QColor dark(20, 20, 20);
    return contrastRatio(dark, background) >= contrastRatio(Qt::white, background) ? dark : QColor(Qt::white);
}

} // namespace platform
