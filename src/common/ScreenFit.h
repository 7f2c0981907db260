#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// How the windows fit the screen they open on.
namespace ScreenFit {

// Room a window's frame and title bar take around its contents, in pixels.
constexpr int FrameWidth = 16;
constexpr int FrameHeight = 40;

// The one scale the windows are drawn at: 1 when a window of `design` size (in pixels at
// scale 1) fits `available` with its frame, else the largest factor, in hundredths, at
// which it does.
double factor(const QSize &design, const QRect &available);

// Where a window with contents of `size` goes so that it is centred on `available`, its
// frame (what the frame adds to the size; until it is known, the room above) included, and
// stays inside it wherever it can.
QPoint centredTopLeft(const QSize &size, const QRect &available,
                      const QSize &frame = QSize(FrameWidth, FrameHeight));

} // namespace ScreenFit
