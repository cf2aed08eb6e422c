#pragma once

#include <cmath>

// Window geometry is kept in twips; Qt works in device-independent pixels,
// and 15 twips are one pixel at every scale factor.
namespace Twips {
inline constexpr double perPixel = 15.0;

inline int toPixels(double twips) { return int(std::nearbyint(twips / perPixel)); }
inline double fromPixels(double pixels) { return pixels * perPixel; }
} // namespace Twips
