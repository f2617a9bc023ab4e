#include "trackerframe.h"

#include <algorithm>

#include "dibsurface.h"

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

// The dotted pattern, black at even places and white at odd ones, along a
// row and down a column: each run of a frame is one copy from it instead of
// a call per pixel (a selected group of thousands of children draws as many
// frames).
constexpr int kStripLength = 4096;  // even: a longer run is copied in pieces

const CDibSurface* PatternStrip(bool bRow) {
    auto make = [](bool row) {
        auto* strip = new CDibSurface(nullptr, row ? kStripLength : 1, row ? 1 : kStripLength);
        if (!strip->IsValid())
            return static_cast<CDibSurface*>(nullptr);
        for (int i = 0; i < kStripLength; ++i)
            strip->bits()[i] = i % 2 ? 0x00FFFFFF : 0x00000000;
        return strip;
    };
    static const CDibSurface* const row = make(true);
    static const CDibSurface* const column = make(false);
    return bRow ? row : column;
}

// The pairs of a run from `first` (black there) while below `end`, along the
// row y (bRow) or down the column x.
void DrawPairs(CDC* pDC, bool bRow, int x, int y, const PairRun& run) {
    if (run.end <= run.first)
        return;
    const int length = 2 * ((run.end - run.first + 1) / 2);
    const CDibSurface* strip = PatternStrip(bRow);
    for (int done = 0; done < length; done += kStripLength) {
        const int n = std::min(kStripLength, length - done);
        const int at = run.first + done;
        if (!strip) {
            for (int i = 0; i < n; ++i)
                pDC->SetPixel(bRow ? at + i : x, bRow ? y : at + i, i % 2 ? 0xFFFFFF : 0x000000);
        } else if (bRow) {
            ::BitBlt(*pDC, at, y, n, 1, strip->dc(), 0, 0, SRCCOPY);
        } else {
            ::BitBlt(*pDC, x, at, 1, n, strip->dc(), 0, 0, SRCCOPY);
        }
    }
}

}  // namespace

void DrawTrackerFrame(CDC* pDC, const RECT& r) {
    RECT clip;
    if (pDC->GetClipBox(&clip) == ERROR)
        clip = r;
    if (Within(r.top, clip.top, clip.bottom) || Within(r.bottom - 1, clip.top, clip.bottom)) {
        const PairRun run = VisiblePairs(r.left, r.right - 2, clip.left, clip.right);
        DrawPairs(pDC, true, 0, r.top, run);
        DrawPairs(pDC, true, 0, r.bottom - 1, run);
    }
    if (Within(r.left, clip.left, clip.right) || Within(r.right - 1, clip.left, clip.right)) {
        const PairRun run = VisiblePairs(r.top, r.bottom - 2, clip.top, clip.bottom);
        DrawPairs(pDC, false, r.left, 0, run);
        DrawPairs(pDC, false, r.right - 1, 0, run);
    }
}
