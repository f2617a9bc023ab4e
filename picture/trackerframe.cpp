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

// An 8 x 8 checkerboard brush: black where the column plus the row, counted
// from the brush origin, is even, or odd. Along one row (or one column) of a
// frame it is the frame's stripes, so one brush paints rows and columns, and
// the rows of a frame and of the frame inside it, alike.
HBRUSH NewCheckerBrush(int blackParity) {
  struct {
    BITMAPINFOHEADER header;
    DWORD pixels[64];
  } dib = {};
  dib.header = {sizeof(BITMAPINFOHEADER), 8, -8, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) dib.pixels[y * 8 + x] = ((x + y) % 2 == blackParity) ? 0x000000 : 0xFFFFFF;
  return ::CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS);
}

// The two checkerboards, made once for the module: a frame picks the one
// that puts black where it starts, and leaves the DC's brush origin alone.
HBRUSH CheckerBrush(int blackParity) {
  static const HBRUSH brushes[2] = {NewCheckerBrush(0), NewCheckerBrush(1)};
  return brushes[blackParity];
}

bool HasCheckerBrushes() { return CheckerBrush(0) && CheckerBrush(1); }

// The end of the pairs from `from` while below end - 2, cut at limit.
LONG RunEnd(LONG from, LONG end, LONG limit) {
  const long long last = static_cast<long long>(end) - 2;
  if (last <= from) return from;
  const long long run = (last - from + 1) / 2 * 2;
  return static_cast<LONG>(std::min<long long>(from + run, limit));
}

int Parity(long long v) { return static_cast<int>(((v % 2) + 2) % 2); }

// What drawing a frame needs of the DC.
using FrameDevice = CFramePaint::Device;

FrameDevice AskDevice(CDC* pDC) {
  const HDC hdc = *pDC;
  FrameDevice device;
  POINT toDevice = {0, 0};
  POINT brushOrigin;
  device.patterned = ::GetMapMode(hdc) == MM_TEXT && HasCheckerBrushes() && ::LPtoDP(hdc, &toDevice, 1) &&
                     ::GetBrushOrgEx(hdc, &brushOrigin);
  if (!device.patterned) return device;
  device.parity = Parity(static_cast<long long>(toDevice.x) + toDevice.y - brushOrigin.x - brushOrigin.y);
  if (const RECT* known = CKnownClipBox::Of(hdc)) {
    device.clip = *known;  // around all that can show: the platform cuts the rest
    device.clipKnown = true;
  } else {
    device.clipKnown = pDC->GetClipBox(&device.clip) != ERROR;
  }
  return device;
}

// A rectangle of frame pixels painted with the checkerboard that is black
// where (x + y) has the parity `black` (logical coordinates).
struct Patch {
  RECT r;
  int black;
};

bool IsEmptyPatch(const Patch& p) { return p.r.left >= p.r.right || p.r.top >= p.r.bottom; }

// The runs of one frame within the clip box, in the slots kTop, kBottom,
// kLeft, kRight: its rows (y = top, bottom - 1) and columns (x = left,
// right - 1), black where the place along the run less its start is even.
// A run is cut to the clip box, and empty where it lies outside it across.
enum { kTop, kBottom, kLeft, kRight, kRunsOfAFrame };

void FramePatches(const RECT& r, const RECT& clip, int parity, Patch* out) {
  for (bool across : {false, true}) {
    // Along the runs: from `start` to `end`, cut to [lo, hi); the two runs
    // lie at `first` and `last` across them, shown within [acrossLo, acrossHi).
    const LONG start = across ? r.top : r.left;
    const LONG from = std::max(start, across ? clip.top : clip.left);
    const LONG to = RunEnd(start, across ? r.bottom : r.right, across ? clip.bottom : clip.right);
    const LONG acrossLo = across ? clip.left : clip.top;
    const LONG acrossHi = across ? clip.right : clip.bottom;
    const LONG at[2] = {across ? r.left : r.top, (across ? r.right : r.bottom) - 1};
    for (int i = 0; i < 2; ++i) {
      Patch& p = out[(across ? kLeft : kTop) + i];
      p = Patch{{0, 0, 0, 0}, 0};
      if (from >= to || !Within(at[i], acrossLo, acrossHi)) continue;
      p.black = Parity(static_cast<long long>(start) + at[i] + parity);
      p.r = across ? RECT{at[i], from, at[i] + 1, to} : RECT{from, at[i], to, at[i] + 1};
    }
  }
}

// Paints the patches, with each checkerboard once, and gives the DC its
// own brush back.
void FillPatches(HDC hdc, const Patch* patches, int count) {
  HGDIOBJ own = nullptr;
  for (int black : {0, 1}) {
    bool selected = false;
    for (int i = 0; i < count; ++i) {
      const Patch& p = patches[i];
      if (p.black != black || IsEmptyPatch(p)) continue;
      if (!selected) {
        const HGDIOBJ before = ::SelectObject(hdc, CheckerBrush(black));
        if (!own) own = before;
        selected = true;
      }
      ::PatBlt(hdc, p.r.left, p.r.top, p.r.right - p.r.left, p.r.bottom - p.r.top, PATCOPY);
    }
  }
  if (own) ::SelectObject(hdc, own);
}

// Whether none of the pixels of frame r can lie in the clip box.
bool MissesClip(const RECT& r, const FrameDevice& device) {
  if (!device.clipKnown) return false;
  const long long right = static_cast<long long>(r.right) - 1, bottom = static_cast<long long>(r.bottom) - 1;
  const RECT& c = device.clip;
  return std::max<long long>(r.left, right) < c.left || std::min<long long>(r.left, right) >= c.right ||
         std::max<long long>(r.top, bottom) < c.top || std::min<long long>(r.top, bottom) >= c.bottom;
}

// Paints a lone pixel of a column with a row that holds it, or with a row
// of its checkerboard that it continues (one pixel longer); false when none does.
bool JoinRow(Patch* rows, int count, const Patch& pixel) {
  const LONG x = pixel.r.left, y = pixel.r.top;
  for (int i = 0; i < count; ++i) {
    RECT& r = rows[i].r;
    if (IsEmptyPatch(rows[i]) || rows[i].black != pixel.black || r.top != y) continue;
    if (x >= r.left && x < r.right) return true;
    if (x == r.right) {
      r.right = x + 1;
      return true;
    }
    if (x == r.left - 1) {
      r.left = x;
      return true;
    }
  }
  return false;
}

// Two columns side by side of one checkerboard (the frame's and the one
// inside it) as one patch two pixels wide where both run, and the ends
// where only one does; a lone end pixel goes with a row when one can take it.
// Returns the patches added at out.
int JoinColumns(const Patch& a, const Patch& b, Patch* rows, int rowCount, Patch* out) {
  const LONG top = std::max(a.r.top, b.r.top), bottom = std::min(a.r.bottom, b.r.bottom);
  if (IsEmptyPatch(a) || IsEmptyPatch(b) || a.black != b.black || top >= bottom) {
    out[0] = a;
    out[1] = b;
    return 2;
  }
  int count = 0;
  out[count++] = Patch{{std::min(a.r.left, b.r.left), top, std::max(a.r.right, b.r.right), bottom}, a.black};
  for (const Patch* column : {&a, &b}) {
    const RECT& c = column->r;
    for (const Patch& end : {Patch{{c.left, c.top, c.right, top}, a.black},
                             Patch{{c.left, bottom, c.right, c.bottom}, a.black}}) {
      if (IsEmptyPatch(end)) continue;
      const bool lone = end.r.bottom - end.r.top == 1;
      if (!lone || !JoinRow(rows, rowCount, end)) out[count++] = end;
    }
  }
  return count;
}

// The patches of a pair at least 4 pixels wide and high, where the pixels
// of the two frames touch only where both paint them alike, so that the
// order of the patches does not matter: the rows of both frames, then each
// side's two columns joined.
constexpr int kMostPairPatches = 4 + 2 * 5;

int PairPatches(const RECT& outer, const RECT& clip, int parity, Patch* out) {
  RECT inner = outer;
  ::InflateRect(&inner, -1, -1);
  Patch o[kRunsOfAFrame], i[kRunsOfAFrame];
  FramePatches(outer, clip, parity, o);
  FramePatches(inner, clip, parity, i);
  out[0] = o[kTop];
  out[1] = o[kBottom];
  out[2] = i[kTop];
  out[3] = i[kBottom];
  int count = 4;
  count += JoinColumns(o[kLeft], i[kLeft], out, 4, out + count);
  count += JoinColumns(o[kRight], i[kRight], out, 4, out + count);
  return count;
}

// The facts of the paint open on the DC, or asked now.
FrameDevice DeviceOf(CDC* pDC) {
  if (CFramePaint* paint = CFramePaint::Of(*pDC)) return paint->DeviceOf(pDC);
  return AskDevice(pDC);
}

void DrawFramesWith(CDC* pDC, const FrameDevice& device, const RECT* frames, int count) {
  for (int i = 0; i < count; ++i) {
    const RECT& r = frames[i];
    if (MissesClip(r, device)) continue;
    // Only the part inside the clip box: a frame of any size is four
    // short runs, with coordinates the platform can take.
    Patch patches[kRunsOfAFrame];
    FramePatches(r, device.clipKnown ? device.clip : r, device.parity, patches);
    FillPatches(*pDC, patches, kRunsOfAFrame);
  }
}

}  // namespace

void DrawTrackerFrames(CDC* pDC, const RECT* frames, int count) {
  // The pixels that the pairs cover: the rows first, then the columns over
  // them, as the frame is drawn pixel by pixel. A patch each, one
  // checkerboard for all that it paints, and the DC asked once for all
  // the frames (once for a whole paint in a CFramePaint): a frame pixel
  // by pixel was some hundred calls of the platform, for every selected
  // object of a paint.
  const FrameDevice device = DeviceOf(pDC);
  if (!device.patterned) {
    for (int i = 0; i < count; ++i) SetFramePixels(pDC, frames[i]);
    return;
  }
  DrawFramesWith(pDC, device, frames, count);
}

void DrawTrackerFrame(CDC* pDC, const RECT& r) { DrawTrackerFrames(pDC, &r, 1); }

void DrawTrackerFramePair(CDC* pDC, const RECT& outer) {
  RECT frames[2] = {outer, outer};
  ::InflateRect(&frames[1], -1, -1);
  const FrameDevice device = DeviceOf(pDC);
  if (!device.patterned || outer.right - outer.left < 4 || outer.bottom - outer.top < 4) {
    DrawTrackerFrames(pDC, frames, 2);
    return;
  }
  if (MissesClip(outer, device)) return;  // the inner frame lies inside it
  Patch patches[kMostPairPatches];
  const int count = PairPatches(outer, device.clipKnown ? device.clip : outer, device.parity, patches);
  FillPatches(*pDC, patches, count);
}

const CFramePaint::Device& CFramePaint::DeviceOf(CDC* pDC) {
  if (!m_bAsked) {
    m_device = AskDevice(pDC);
    m_bAsked = true;
  }
  return m_device;
}
