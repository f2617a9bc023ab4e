// Long strokes drawn only where they can show.
//
// The platform's work for some pens grows with the length of a stroke,
// wherever it lies: a dashed geometric pen one pixel wide gathers every dash
// of one call into a region, at a cost that grows with the square of the
// dashes (a dotted line across 100,000 pixels takes seconds even when 200 of
// them are on the screen), and a pen two pixels wide fills a region along
// the whole length. Coordinates are saturated (kCoordLimit), but a damaged
// picture can still hold many strokes across the whole range. Such strokes
// are cut to the part near the area being painted. Where a cut falls inside
// a segment, it falls a whole number of dash periods from the stroke's
// start, so that dashes keep their places; a stroke wholly near the area is
// drawn exactly as it is.
#pragma once

#include <windows.h>

#include <vector>

#include "gdiwrap.h"

// How far beyond the area being painted a cut stroke still reaches: for a
// thin dashed pen, whose cost grows fastest, and for the many strokes of a
// pipe's shading (a pen at most two pixels wide).
constexpr int kDashedStrokeGuard = 64;
constexpr int kStrokeGuard = 1024;

// Every dash pattern of the platform's geometric pens repeats after this
// many pixels along a one-pixel line (dash 4, dot 2, dash-dot 6,
// dash-dot-dot 8).
constexpr int kDashPeriodPixels = 24;

// A thin dashed stroke's segment longer than any valid picture reaches on
// the device (IsBeyondValidExtent) is drawn, where it is near the area, as pieces of
// this many steps: the platform's work for one call grows with the square
// of its dashes (a run of 2,000 dotted pixels takes 1.4 ms, as 43 pieces
// 0.1 ms).
constexpr int kDashPieceSteps = 2 * kDashPeriodPixels;

// The runs of a poly-line (points in the DC's logical units) that reach into
// the guard box, each to be drawn as its own poly-line. A stroke wholly
// inside the box comes back as one run of the same points (split only at
// its own points with nVertexPeriod, below). The dash
// position of a one-pixel line advances one step per pixel of the longer
// axis; a run cut at its start begins a whole number of periods from the
// stroke's start (before the guard box, on the segment's line). With
// nPieceSteps, a segment beyond the valid extent is also cut where it
// lies a whole number of nPieceSteps from the stroke's start.
//
// With nVertexPeriod, a run holding kDashPieceSteps steps or more is also
// ended at a point of the stroke lying a whole number of nVertexPeriod steps
// from the stroke's start, and the next run begins there: drawn from that
// point, the rest of the stroke gets its dashes at the very pixels the whole
// stroke has them, and each call's share of the platform's work, which grows
// with the square of its dashes, stays small (a dotted poly-line of 24 rows
// across a full-HD surface took a quarter of a second as one call).
std::vector<std::vector<POINT>> StrokeRunsWithin(const POINT* pts, size_t n, const RECT& guard,
                                                 int nPieceSteps = 0, int nVertexPeriod = 0);

// The period, in pixels along the longer axis, of the dash pattern of a
// geometric pen one pixel wide (dot 2, dash 4, dash-dot 6, dash-dot-dot 8);
// kDashPeriodPixels for any other pen.
int DashPeriodOfPen(HGDIOBJ pen);

// Draws the poly-line with the pen selected in the DC, as the runs within
// the DC's clip box grown by the guard; a guard of 0 draws it as it is. The
// dashed guard also pieces what lies beyond the valid extent and splits long
// runs at their points by the period of the selected pen.
void StrokePolyline(CDC* pDC, const POINT* pts, size_t n, int nGuard);

// The guard of a line's pen: kDashedStrokeGuard for a thin dashed pen; 0
// (drawn as it is) for any other, which the platform draws in time
// proportional to its saturated length.
inline int LineGuardOf(bool bThinDashed) { return bThinDashed ? kDashedStrokeGuard : 0; }
