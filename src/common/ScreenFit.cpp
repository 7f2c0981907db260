#include "ScreenFit.h"

#include <algorithm>
#include <cmath>

namespace ScreenFit {

double factor(const QSize &design, const QRect &available)
{
    if (design.isEmpty() || available.isEmpty())
        return 1.0;
    const double across = double(available.width() - FrameWidth) / design.width();
    const double down = double(available.height() - FrameHeight) / design.height();
    const double fit = std::min({1.0, across, down});
    if (fit >= 1.0)
        return 1.0;
    // Hundredths, rounded down, so the window is never a pixel too big; and never so small
    // that nothing can be read.
    return std::max(0.25, std::floor(fit * 100.0) / 100.0);
}

QPoint centredTopLeft(const QSize &size, const QRect &available, const QSize &frame)
{
    const int width = size.width() + frame.width();
    const int height = size.height() + frame.height();
    int x = available.left() + (available.width() - width) / 2;
    int y = available.top() + (available.height() - height) / 2;
    // A window bigger than the screen keeps its title bar and left edge in reach.
    x = std::max(available.left(), x);
    y = std::max(available.top(), y);
    return {x, y};
}

} // namespace ScreenFit
