// Twips, the unit of every window and control position: 1440 per inch, 15 per logical pixel.
#pragma once

#include <QRect>
#include <cmath>

namespace Twips {

// A fixed 15 twips per logical pixel, whatever the screen's DPI: the windows are
// laid out in twips and Qt already scales logical pixels on dense screens.
inline constexpr int PerPixel = 15;
inline constexpr int PerInch = 1440;

inline int toPixels(double twips) { return int(std::lround(twips / PerPixel)); }
inline constexpr int fromPixels(int pixels) { return pixels * PerPixel; }
inline constexpr double fromPixelsF(double pixels) { return pixels * PerPixel; }

inline QRect toPixels(const QRect &twips)
{
    return QRect(toPixels(twips.x()), toPixels(twips.y()),
                 toPixels(twips.width()), toPixels(twips.height()));
}

inline QRect fromPixels(const QRect &pixels)
{
    return QRect(fromPixels(pixels.x()), fromPixels(pixels.y()),
                 fromPixels(pixels.width()), fromPixels(pixels.height()));
}

} // namespace Twips
