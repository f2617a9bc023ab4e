#include "trackerframe.h"

#include <algorithm>

#include "knownclip.h"

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
  if (first + 1 < lo) first += (static_cast<long long>(lo) - 1 - from + 1) / 2 * 2;
  const int stop = std::min(end, hi);
  return PairRun{static_cast<int>(std::min<long long>(first, stop)), stop};
}

bool Within(int v, int lo, int hi) { return v >= lo && v < hi; }

// One dotted frame pixel by pixel, only where the clip box lets it show.
void SetFramePixels(CDC* pDC, const RECT& r) {
  RECT clip;
  if (pDC->GetClipBox(&clip) == ERROR) clip = r;
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
// across, the row) counted from the brush origin is even, or odd.
HBRUSH NewStripeBrush(bool across, int blackParity) {
  struct {
    BITMAPINFOHEADER header;
    DWORD pixels[64];
  } dib = {};
  dib.header = {sizeof(BITMAPINFOHEADER), 8, -8, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      dib.pixels[y * 8 + x] = ((across ? y : x) % 2 == blackParity) ? 0x000000 : 0xFFFFFF;
  return ::CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS);
}

// The stripes along the rows and across them, black on even or odd places
// from the brush origin, made once for the module: a frame picks the one
// that puts black where it starts, and leaves the DC's brush origin alone.
HBRUSH StripeBrush(bool across, int blackParity) {
  static const HBRUSH brushes[2][2] = {{NewStripeBrush(false, 0), NewStripeBrush(false, 1)},
                                       {NewStripeBrush(true, 0), NewStripeBrush(true, 1)}};
  return brushes[across ? 1 : 0][blackParity];
}

bool HasStripeBrushes() {
  for (bool across : {false, true})
    for (int parity : {0, 1})
      if (!StripeBrush(across, parity)) return false;
  return true;
}

// The end of the pairs from `from` while below end - 2, cut at limit.
LONG RunEnd(LONG from, LONG end, LONG limit) {
  const long long last = static_cast<long long>(end) - 2;
  if (last <= from) return from;
  const long long run = (last - from + 1) / 2 * 2;
  return static_cast<LONG>(std::min<long long>(from + run, limit));
}

int Parity(long long v) { return static_cast<int>(((v % 2) + 2) % 2); }

// The stripes of one direction of a frame: black where v - start is even, v
// a pixel's place along them; rows are (from, at) to (to, at + 1), columns
// (at, from) to (at + 1, to), each run drawn when it is not empty.
struct StripeRuns {
  bool across;
  LONG start, from, to;
  LONG at[2];
  bool shown[2];
};

// The runs of the rows (or, across, the columns) of frame r within the clip box.
StripeRuns RunsOf(bool across, const RECT& r, const RECT& clip) {
  // Along the runs: from `start` to `end`, cut to [lo, hi); the two runs
  // lie at `first` and `last` across them, shown within [acrossLo, acrossHi).
  const LONG start = across ? r.top : r.left;
  const LONG end = across ? r.bottom : r.right;
  const LONG lo = across ? clip.top : clip.left;
  const LONG hi = across ? clip.bottom : clip.right;
  const LONG first = across ? r.left : r.top;
  const LONG last = (across ? r.right : r.bottom) - 1;
  const LONG acrossLo = across ? clip.left : clip.top;
  const LONG acrossHi = across ? clip.right : clip.bottom;
  return StripeRuns{across,
                    start,
                    std::max(start, lo),
                    RunEnd(start, end, hi),
                    {first, last},
                    {Within(first, acrossLo, acrossHi), Within(last, acrossLo, acrossHi)}};
}

// Draws the runs with the one brush that puts black on start, given where
// the DC puts a logical point (toDevice) and its brush origin.
void FillStripes(HDC hdc, const StripeRuns& runs, POINT toDevice, POINT brushOrigin) {
  if (runs.from >= runs.to || !(runs.shown[0] || runs.shown[1])) return;
  const long long deviceStart = static_cast<long long>(runs.start) + (runs.across ? toDevice.y : toDevice.x);
  const int parity = Parity(deviceStart - (runs.across ? brushOrigin.y : brushOrigin.x));
  CSelectGdi brush(hdc, StripeBrush(runs.across, parity));
  for (int i = 0; i < 2; ++i) {
    if (!runs.shown[i]) continue;
    if (runs.across)
      ::PatBlt(hdc, runs.at[i], runs.from, 1, runs.to - runs.from, PATCOPY);
    else
      ::PatBlt(hdc, runs.from, runs.at[i], runs.to - runs.from, 1, PATCOPY);
  }
}

}  // namespace

void DrawTrackerFrames(CDC* pDC, const RECT* frames, int count) {
  // The pixels that the pairs cover: the rows first, then the columns over
  // them, as the frame is drawn pixel by pixel. A run each, one brush for
  // both rows and one for both columns, and the DC asked once for all the
  // frames: a frame pixel by pixel was some hundred calls of the platform,
  // for every selected object of a paint.
  const HDC hdc = *pDC;
  POINT toDevice = {0, 0};
  POINT brushOrigin;
  if (::GetMapMode(hdc) != MM_TEXT || !HasStripeBrushes() || !::LPtoDP(hdc, &toDevice, 1) ||
      !::GetBrushOrgEx(hdc, &brushOrigin)) {
    for (int i = 0; i < count; ++i) SetFramePixels(pDC, frames[i]);
    return;
  }
  RECT clip;
  bool clipKnown = true;
  if (const RECT* known = CKnownClipBox::Of(hdc))
    clip = *known;  // around all that can show: the platform cuts the rest
  else
    clipKnown = pDC->GetClipBox(&clip) != ERROR;
  for (int i = 0; i < count; ++i) {
    const RECT& r = frames[i];
    // Only the part inside the clip box: a frame of any size is four
    // short runs, with coordinates the platform can take.
    const RECT& within = clipKnown ? clip : r;
    FillStripes(hdc, RunsOf(false, r, within), toDevice, brushOrigin);
    FillStripes(hdc, RunsOf(true, r, within), toDevice, brushOrigin);
  }
}

void DrawTrackerFrame(CDC* pDC, const RECT& r) { DrawTrackerFrames(pDC, &r, 1); }

void DrawTrackerFramePair(CDC* pDC, const RECT& outer) {
  RECT frames[2] = {outer, outer};
  ::InflateRect(&frames[1], -1, -1);
  DrawTrackerFrames(pDC, frames, 2);
}
