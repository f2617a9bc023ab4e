#include "strokerun.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "geometry.h"

namespace {

// The part [t0, t1] of the segment a -> b inside the box (Liang-Barsky);
// false when the segment misses it.
bool ClipToBox(const POINT& a, const POINT& b, const RECT& box, double& t0, double& t1) {
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {static_cast<double>(a.x) - box.left, static_cast<double>(box.right) - a.x,
                         static_cast<double>(a.y) - box.top, static_cast<double>(box.bottom) - a.y};
    t0 = 0.0;
    t1 = 1.0;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
    }
    return t0 <= t1;
}

// The point k steps from a towards b (k may be negative: before a, on the
// segment's line). The step runs along the longer axis, so that coordinate
// is exact and the other one is rounded to the nearest pixel.
POINT StepsAlong(const POINT& a, const POINT& b, long long k, long long steps) {
    const double f = static_cast<double>(k) / static_cast<double>(steps);
    const double x = a.x + (static_cast<double>(b.x) - a.x) * f;
    const double y = a.y + (static_cast<double>(b.y) - a.y) * f;
    return POINT{TruncCoord(std::floor(x + 0.5)), TruncCoord(std::floor(y + 0.5))};
}

bool Inside(const POINT& p, const RECT& box) {
    return p.x >= box.left && p.x <= box.right && p.y >= box.top && p.y <= box.bottom;
}

}  // namespace

std::vector<std::vector<POINT>> StrokeRunsWithin(const POINT* pts, size_t n, const RECT& guard) {
    std::vector<std::vector<POINT>> runs;
    bool open = false;
    long long pos = 0;  // dash steps from the stroke's start
    if (n == 1 && Inside(pts[0], guard))
        runs.push_back({pts[0]});
    for (size_t i = 0; i + 1 < n; ++i) {
        const POINT& a = pts[i];
        const POINT& b = pts[i + 1];
        const long long steps = std::max(std::llabs(static_cast<long long>(b.x) - a.x),
                                         std::llabs(static_cast<long long>(b.y) - a.y));
        double t0, t1;
        if (!ClipToBox(a, b, guard, t0, t1)) {
            open = false;
            pos += steps;
            continue;
        }
        if (!open) {
            // A run starting at the stroke's start, or a whole number of
            // periods from it, at or before where the segment enters the box.
            const long long entry = pos + static_cast<long long>(std::floor(t0 * steps));
            const long long back = entry / kDashPeriodPixels * kDashPeriodPixels - pos;
            runs.push_back({steps > 0 ? StepsAlong(a, b, back, steps) : a});
            open = true;
        }
        if (t1 < 1.0) {
            // Leaves the box: the run ends at the first step outside it.
            runs.back().push_back(StepsAlong(a, b, static_cast<long long>(std::ceil(t1 * steps)), steps));
            open = false;
        } else {
            runs.back().push_back(b);
        }
        pos += steps;
    }
    return runs;
}

void StrokePolyline(CDC* pDC, const POINT* pts, size_t n, int nGuard) {
    if (nGuard <= 0) {
        pDC->Polyline(pts, static_cast<int>(n));
        return;
    }
    RECT guard;
    if (pDC->GetClipBox(&guard) == ERROR)
        return;
    ::InflateRect(&guard, nGuard, nGuard);
    for (const std::vector<POINT>& run : StrokeRunsWithin(pts, n, guard))
        pDC->Polyline(run.data(), static_cast<int>(run.size()));
}
