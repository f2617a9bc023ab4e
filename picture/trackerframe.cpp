#include "trackerframe.h"

#include <algorithm>

namespace {

// The pairs of a dotted run start at from, from + 2, ... while below end; of
// those, the ones whose black (x) or white (x + 1) pixel falls in [lo, hi):
// x from the returned first while x < the returned end. Drawing only these
// keeps the work to the visible part of a frame, whatever its size, and the
// pattern in place.
struct PairRun {
    int first;
    int end;
};

PairRun VisiblePairs(int from, int end, int lo, int hi) {
    long long first = from;
    if (first + 1 < lo)
        first += (static_cast<long long>(lo) - 1 - from + 1) / 2 * 2;
    const int stop = std::min(end, hi);
    return PairRun{static_cast<int>(std::min<long long>(first, stop)), stop};
}

bool Within(int v, int lo, int hi) { return v >= lo && v < hi; }

}  // namespace

void DrawTrackerFrame(CDC* pDC, const RECT& r) {
    RECT clip;
    if (pDC->GetClipBox(&clip) == ERROR)
        clip = r;
    if (Within(r.top, clip.top, clip.bottom) || Within(r.bottom - 1, clip.top, clip.bottom)) {
        const PairRun run = VisiblePairs(r.left, r.right - 2, clip.left, clip.right);
        for (int x = run.first; x < run.end; x += 2) {
            pDC->SetPixel(x, r.top, 0x000000);
            pDC->SetPixel(x + 1, r.top, 0xFFFFFF);
            pDC->SetPixel(x, r.bottom - 1, 0x000000);
            pDC->SetPixel(x + 1, r.bottom - 1, 0xFFFFFF);
        }
    }
    if (Within(r.left, clip.left, clip.right) || Within(r.right - 1, clip.left, clip.right)) {
        const PairRun run = VisiblePairs(r.top, r.bottom - 2, clip.top, clip.bottom);
        for (int y = run.first; y < run.end; y += 2) {
            pDC->SetPixel(r.left, y, 0x000000);
            pDC->SetPixel(r.left, y + 1, 0xFFFFFF);
            pDC->SetPixel(r.right - 1, y, 0x000000);
            pDC->SetPixel(r.right - 1, y + 1, 0xFFFFFF);
        }
    }
}
