#pragma once

// Where each control stands on the main window, in logical pixels. The
// window has a fixed size; Qt scales it for the screen's pixel density.

#include <QRect>
#include <QSize>
#include <string>

namespace dx::layout {

inline constexpr QSize kWindow{1096, 590};

// The chart's drawing surface: 3720 x 1320 twips shown at a quarter of a
// pixel per twip, inside a 2-pixel sunken border.
inline constexpr double kChartScale = 0.25;
inline constexpr QSizeF kChartTwips{3720, 1320};
inline constexpr int kChartBorder = 2;
inline constexpr QRect kChart{154, 138, 930 + 2 * kChartBorder, 330 + 2 * kChartBorder};

// The thermometer picture box, in twips and on screen.
inline constexpr QSizeF kThermTwips{495, 2640};
inline constexpr QRect kTherm{10, 10, 96, 514};

// The drop animation's box, in twips (it stands where the level display is).
inline constexpr QSizeF kAnimTwips{1200, 560};

// The room the window manager's frame takes around the window (borders and
// title bar), allowed for when the window is fitted to a screen.
inline constexpr QSize kFrameRoom{16, 48};

// The factor the whole window is drawn at so that it, its menu bar and its
// frame fit the available area of a screen: 1 when the design fits, less
// (the same across and down, so the window keeps its shape) when not.
double zoomToFit(QSize available, int menuBarHeight);

// A rectangle of the design drawn at `zoom`: its edges scaled, so that
// neighbouring controls stay edge to edge.
QRect zoomed(QRect design, double zoom);

// The rectangle of a control by its name, relative to the frame or picture
// box it stands in; an empty rectangle for a control with no place of its own.
QRect controlRect(const std::string& name);

// The labels of the arrays: day names (1..7), month initials (1..12) under
// the chart, level marks (1..5) beside it.
QRect dayLabelRect(int index);
QRect monthLabelRect(int index);
QRect levelLabelRect(int index);

}  // namespace dx::layout
