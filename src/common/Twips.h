#pragma once

#include <QRect>

#include <cmath>

// Window geometry is designed in twips: 1440 to the inch, 15 to the pixel at 96 dpi.
namespace Twips {

constexpr double PerPixel = 15.0;

inline int toPixels(double twips)
{
    return int(std::lround(twips / PerPixel));
}

inline double fromPixels(int pixels)
{
    return pixels * PerPixel;
}

inline QRect rect(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace Twips
