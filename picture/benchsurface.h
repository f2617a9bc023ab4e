// What the picture benchmarks share: a 32-bit memory surface to draw on and
// the timed repaint, store and load of a picture's objects.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "benchclock.h"
#include "crtformat.h"
#include "drawobj.h"
#include "gdiwrap.h"
#include "memdc.h"
#include "picfile.h"
#include "picobj.h"

// A memory DC of the screen's kind with a width x height 32-bit DIB section
// selected; Output() draws on it.
class BenchSurface {
 public:
  BenchSurface(int width, int height)
      : m_width(width),
        m_height(height),
        m_screen(::GetDC(nullptr)),
        m_target(::CreateCompatibleDC(m_screen)) {
    m_bitmap.CreateDIBSection32(m_target, width, height);
    m_old = ::SelectObject(m_target, m_bitmap);
    m_output.Attach(m_target);
  }
  ~BenchSurface() {
    ::SelectObject(m_target, m_old);
    ::DeleteDC(m_target);
    ::ReleaseDC(nullptr, m_screen);
  }
  BenchSurface(const BenchSurface&) = delete;
  BenchSurface& operator=(const BenchSurface&) = delete;

  CDC& Output() { return m_output; }

  // FNV-1a of every pixel (0x00RRGGBB, or the whole 32 bits with the byte
  // GDI leaves alone): one repaint's result, to compare across builds.
  DWORD Checksum(bool bWholePixels) const {
    ::GdiFlush();
    const DWORD* px = static_cast<const DWORD*>(m_bitmap.Bits());
    DWORD hash = 2166136261u;
    for (size_t i = 0; px && i < static_cast<size_t>(m_width) * m_height; ++i) {
      const DWORD v = bWholePixels ? px[i] : px[i] & 0x00FFFFFF;
      for (int b = 0; b < 32; b += 8) hash = (hash ^ ((v >> b) & 0xFF)) * 16777619u;
    }
    return hash;
  }

 private:
  int m_width;
  int m_height;
  HDC m_screen;
  HDC m_target;
  CBitmap m_bitmap;
  HGDIOBJ m_old = nullptr;
  CDC m_output;  // attached, not owned: the destructor deletes the DC
};

// Repaints of all the objects through a memory DC, as a window paints: the
// first (nothing kept yet), the second (the first that may keep drawings),
// the slowest of all after the first (each may keep drawings within its
// budget, see CPaintPass), and the median of the last ones (the steady
// state, once the kept drawings are made).
struct RepaintTimes {
  double firstMs = 0;
  double secondMs = 0;
  double slowestLaterMs = 0;
  double steadyMs = 0;
};

inline double RepaintOnceMs(CDC& output, CObList& objects) {
  const bench::Stopwatch watch;
  CMemDC dc(&output);
  for (POSITION pos = objects.GetHeadPosition(); pos;)
    static_cast<CDrawObj*>(objects.GetNext(pos))->Draw(&dc, 0);
  return watch.ElapsedMs();
}

// The repaints that make the kept drawings, then steadyRepaints more.
constexpr int kKeepingRepaints = 14;

inline RepaintTimes TimeRepaints(BenchSurface& surface, CObList& objects, int steadyRepaints,
                                 DWORD* pFirstPixels) {
  CDC& output = surface.Output();
  RepaintTimes times;
  times.firstMs = RepaintOnceMs(output, objects);
  *pFirstPixels = surface.Checksum(false);
  std::vector<double> steady;
  for (int r = 0; r < kKeepingRepaints + steadyRepaints; ++r) {
    const double ms = RepaintOnceMs(output, objects);
    if (r == 0) times.secondMs = ms;
    times.slowestLaterMs = std::max(times.slowestLaterMs, ms);
    if (r >= kKeepingRepaints) steady.push_back(ms);
  }
  times.steadyMs = bench::Median(steady);
  return times;
}

// The median of repaints of one small area (clip box `area`), every object
// asked to draw, as a runtime window repaints what a tick changed.
inline double PartialRepaintMs(CDC& output, CObList& objects, const RECT& area, int repaints) {
  std::vector<double> runs;
  const int saved = output.SaveDC();
  ::IntersectClipRect(output, area.left, area.top, area.right, area.bottom);
  for (int r = 0; r < repaints; ++r) runs.push_back(RepaintOnceMs(output, objects));
  output.RestoreDC(saved);
  return bench::Median(runs);
}

// The repaint figures of a picture benchmark, measured on its surface: the
// repaints, a 100 x 100 area repaint, and the checksum of the pixels.
struct RepaintFigures {
  RepaintTimes times;
  double areaMs = 0;
  DWORD firstPixels = 0;  // all drawn directly
  DWORD pixels = 0;
  DWORD wholePixels = 0;
};

inline RepaintFigures MeasureRepaints(BenchSurface& surface, CObList& objects) {
  RepaintFigures f;
  f.times = TimeRepaints(surface, objects, 5, &f.firstPixels);
  f.pixels = surface.Checksum(false);
  f.wholePixels = surface.Checksum(true);
  f.areaMs = PartialRepaintMs(surface.Output(), objects, RECT{600, 300, 700, 400}, 9);
  return f;
}

inline void PrintMs(const char* label, double ms) {
  std::puts(qel::FormatStr("%-28s %10.3f ms", label, ms).c_str());
}

inline void PrintRepaints(const RepaintFigures& f, int objects) {
  PrintMs("full repaint", f.times.steadyMs);
  PrintMs("per object", f.times.steadyMs / objects);
  PrintMs("first repaint", f.times.firstMs);
  PrintMs("second repaint", f.times.secondMs);
  PrintMs("slowest repaint after first", f.times.slowestLaterMs);
  PrintMs("100x100 area repaint", f.areaMs);
  std::puts(qel::FormatStr("repainted pixels: %08lX (whole pixels %08lX), first paint's %08lX", f.pixels,
                           f.wholePixels, f.firstPixels)
                .c_str());
}

// The picture stored to a stream and loaded back, each the mean of `rounds`.
struct StoreLoadTimes {
  double storeMs;
  double loadMs;
  std::vector<BYTE> bytes;  // the stored stream
};

inline StoreLoadTimes TimeStoreLoad(CPicObj& picture, int rounds) {
  StoreLoadTimes times;
  bench::Stopwatch watch;
  for (int r = 0; r < rounds; ++r) times.bytes = StorePictureBytes(picture);
  times.storeMs = watch.ElapsedMs() / rounds;
  watch.Restart();
  for (int r = 0; r < rounds; ++r)
    delete LoadPictureBuffer(times.bytes.data(), static_cast<UINT>(times.bytes.size()));
  times.loadMs = watch.ElapsedMs() / rounds;
  return times;
}
