#pragma once

#include <QRect>

#include <cmath>

// Window geometry is designed in twips: 1440 to the inch, 15 to the pixel at 96 dpi.
namespace Twips {

constexpr double PerPixel = 15.0;

// Every window is drawn at one scale: 1 where the Main window fits the screen, less on a
// smaller screen, so that the windows show whole with their layout as designed. Chosen
// once at start-up, before any window is built.
inline double &scaleSetting()
{
    static double scale = 1.0;
    return scale;
}

inline double scale()
{
    return scaleSetting();
}

inline void setScale(double factor)
{
    scaleSetting() = factor;
}

inline int toPixels(double twips)
{
    return int(std::lround(twips / PerPixel * scale()));
}

inline double fromPixels(int pixels)
{
    return pixels * PerPixel / scale();
}

inline QRect rect(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace Twips
