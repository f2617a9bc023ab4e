// The shading geometry of a pipe: the colour ramp from the axis to the edge
// and the paths offset from the centre line.
#pragma once

#include <windows.h>

#include <vector>

#include "geometry.h"

// The pipe width in device pixels: pipe width times zoom, held to
// 0 .. kMaxPenWidth like every stroke.
double PipeDeviceWidth(int nPipeWidth, double dZoom);

// Number of shading steps on each side: half the device pipe width (rounded),
// so at most 512.
int PipeShadeSteps(int nPipeWidth, double dZoom);

// Ramp colour j of n (1 .. n): from the centre colour toward the edge colour,
// component by component; colour n is the edge colour.
COLORREF PipeRampColor(COLORREF centre, COLORREF edge, int j, int n);

// The path at signed distance k (device pixels, positive to the left of the
// direction of travel) from a device centre line. Successive offset segments
// are joined at their crossing point where they overlap, by a rounding curve
// (control point the crossing of their lines, pulled to within maxPull of the
// middle of the gap) where they only meet when extended, and directly where
// their lines are parallel. Segments of zero length are skipped.
std::vector<CPointD> PipeOffsetPath(const std::vector<CPointD>& centre, double k, double maxPull);
