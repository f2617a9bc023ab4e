// What the picture benchmarks share: a 32-bit memory surface to draw on and
// the timed repaint, store and load of a picture's objects.
#pragma once
#include <windows.h>

#include <vector>

#include "benchclock.h"
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
      : m_screen(::GetDC(nullptr)), m_target(::CreateCompatibleDC(m_screen)) {
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

 private:
  HDC m_screen;
  HDC m_target;
  CBitmap m_bitmap;
  HGDIOBJ m_old = nullptr;
  CDC m_output;  // attached, not owned: the destructor deletes the DC
};

// The milliseconds of one repaint of all the objects through a memory DC,
// the mean of `repaints`.
inline double RepaintMs(CDC& output, CObList& objects, int repaints) {
  const bench::Stopwatch watch;
  for (int r = 0; r < repaints; ++r) {
    CMemDC dc(&output);
    for (POSITION pos = objects.GetHeadPosition(); pos;)
      static_cast<CDrawObj*>(objects.GetNext(pos))->Draw(&dc, 0);
  }
  return watch.ElapsedMs() / repaints;
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
  for (int r = 0; r < rounds; ++r)
    times.bytes = StorePictureBytes(picture);
  times.storeMs = watch.ElapsedMs() / rounds;
  watch.Restart();
  for (int r = 0; r < rounds; ++r)
    delete LoadPictureBuffer(times.bytes.data(), static_cast<UINT>(times.bytes.size()));
  times.loadMs = watch.ElapsedMs() / rounds;
  return times;
}
