#pragma once

#include <QRect>
#include <QRectF>
#include <cmath>

// Window geometry is kept in twips; Qt works in device-independent pixels,
// and 15 twips are one pixel at every scale factor.
namespace Twips {
inline constexpr double perPixel = 15.0;

inline int toPixels(double twips) { return int(std::nearbyint(twips / perPixel)); }
inline double fromPixels(double pixels) { return pixels * perPixel; }

inline QPoint toPixels(const QPointF &twips) { return QPoint(toPixels(twips.x()), toPixels(twips.y())); }
inline QRect toPixels(const QRectF &twips)
{
    return QRect(toPixels(twips.left()), toPixels(twips.top()), toPixels(twips.width()), toPixels(twips.height()));
}
inline QRectF fromPixels(const QRect &pixels)
{
    return QRectF(fromPixels(pixels.left()), fromPixels(pixels.top()), fromPixels(pixels.width()),
                  fromPixels(pixels.height()));
}
} // namespace Twips
