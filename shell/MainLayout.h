#pragma once

#include <QLineF>
#include <QRectF>

// The main window's layout in twips, free of any widget so that it can be
// computed and checked exactly; the window converts it to pixels.
namespace MainLayout {

inline constexpr double designClientWidth = 2895;
inline constexpr double designClientHeight = 3630;
// Height of the window in direct-save mode, when only the filter row shows.
inline constexpr double compactHeightAtStart = 980;

struct Geometry {
    QRectF txtFilter{0, 0, 2355, 315};
    QRectF cmdGo{QPointF(), QSizeF(495, 315)}; // every pass places it at the right edge
    QRectF txtNames{0, 360, 2895, 3060};
    QRectF lblStatus;
    QRectF picProgBar;
    QRectF Shape1;
    QLineF Line1[2];
    // Relative to picProgBar.
    QRectF cmdSelAll{0, 0, 0, 230};
    QRectF cmdSelNone{QPointF(), QSizeF(0, 230)}; // every pass sets its left
};

// One layout pass for a client area of CW x CH twips. Each step stands
// alone: a step that would give a negative size is skipped and leaves that
// control where it was. In direct-save mode only the top row is placed.
void layoutPass(Geometry &g, double CW, double CH, bool directSave);

// The status strip at Left, Top, Width; every step reads what the earlier
// ones left.
void layoutStatusBar(Geometry &g, qint32 Left, qint32 Top, qint32 Width);

} // namespace MainLayout
