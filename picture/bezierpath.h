// Chains of quadratic Bezier segments that share their end points: segment k
// runs from point 2k through the control point 2k + 1 to point 2k + 2.
#pragma once

#include <vector>

#include "geometry.h"

constexpr int kCurveSteps = 12;

// The point at t of the segment (start, control, end), by repeated linear
// interpolation.
CPointD QuadraticPoint(const CPointD& start, const CPointD& control, const CPointD& end, double t);

// Appends one segment flattened into steps pieces: the start, B(k / steps)
// for k = 0 .. steps - 1 (t computed in single precision), then the end.
void FlattenSegment(const CPointD& start, const CPointD& control, const CPointD& end, int steps,
                    std::vector<CPointD>& out);

// Number of whole segments in a list of n points.
inline int CurveSegmentCount(int n) { return n >= 3 ? (n - 1) / 2 : 0; }

// All segments of the chain flattened one after the other.
std::vector<CPointD> FlattenCurve(const std::vector<CPointD>& pts, int steps = kCurveSteps);

// The list of a closed curve: the points with point 0 appended.
std::vector<CPointD> ClosedCurvePoints(const std::vector<CPointD>& pts);
