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

// One dotted frame pixel by pixel, only where the clip box lets it show.
void SetFramePixels(CDC* pDC, const RECT& r) {
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

// An 8 x 8 brush of black and white stripes: black where the column (or,
// across, the row) is even counted from the brush origin.
HBRUSH NewStripeBrush(bool across) {
    struct {
        BITMAPINFOHEADER header;
        DWORD pixels[64];
    } dib = {};
    dib.header = {sizeof(BITMAPINFOHEADER), 8, -8, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            dib.pixels[y * 8 + x] = ((across ? y : x) % 2 == 0) ? 0x000000 : 0xFFFFFF;
    return ::CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS);
}

// The stripes along the rows and across them, made once for the module.
HBRUSH StripeBrush(bool across) {
    static const HBRUSH along = NewStripeBrush(false);
    static const HBRUSH acrossRows = NewStripeBrush(true);
    return across ? acrossRows : along;
}

// The end of the pairs from `from` while below end - 2, cut at limit.
LONG RunEnd(LONG from, LONG end, LONG limit) {
    const long long last = static_cast<long long>(end) - 2;
    if (last <= from)
        return from;
    const long long run = (last - from + 1) / 2 * 2;
    return static_cast<LONG>(std::min<long long>(from + run, limit));
}

int Parity(LONG v) { return static_cast<int>(((v % 2) + 2) % 2); }

// Fills [from, to) of the row y = at (or, across, of the column x = at)
// with stripes black where v - start is even, v the pixel's place along it.
void FillStripes(HDC hdc, bool across, LONG start, LONG from, LONG to, LONG at) {
    if (from >= to)
        return;
    POINT first = across ? POINT{at, from} : POINT{from, at};
    ::LPtoDP(hdc, &first, 1);
    const int phase = Parity(from - start);
    POINT old;
    ::SetBrushOrgEx(hdc, across ? 0 : Parity(first.x - phase), across ? Parity(first.y - phase) : 0, &old);
    HGDIOBJ previous = ::SelectObject(hdc, StripeBrush(across));
    if (across)
        ::PatBlt(hdc, at, from, 1, to - from, PATCOPY);
    else
        ::PatBlt(hdc, from, at, to - from, 1, PATCOPY);
    ::SelectObject(hdc, previous);
    ::SetBrushOrgEx(hdc, old.x, old.y, nullptr);
}

}  // namespace

void DrawTrackerFrame(CDC* pDC, const RECT& r) {
    // The pixels that the pairs cover: the rows first, then the columns over
    // them, as the frame is drawn pixel by pixel. A run each: a frame pixel
    // by pixel was some hundred calls of the platform, for every selected
    // object of a paint.
    const HDC hdc = *pDC;
    if (::GetMapMode(hdc) != MM_TEXT || !StripeBrush(false) || !StripeBrush(true)) {
        SetFramePixels(pDC, r);
        return;
    }
    RECT clip;
    if (pDC->GetClipBox(&clip) == ERROR)
        clip = r;
    // Only the part inside the clip box: a frame of any size is four short
    // runs, with coordinates the platform can take.
    const LONG rowEnd = RunEnd(r.left, r.right, clip.right);
    const LONG columnEnd = RunEnd(r.top, r.bottom, clip.bottom);
    for (LONG y : {r.top, r.bottom - 1})
        if (Within(y, clip.top, clip.bottom))
            FillStripes(hdc, false, r.left, std::max(r.left, clip.left), rowEnd, y);
    for (LONG x : {r.left, r.right - 1})
        if (Within(x, clip.left, clip.right))
            FillStripes(hdc, true, r.top, std::max(r.top, clip.top), columnEnd, x);
}
