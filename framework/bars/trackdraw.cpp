#include "bars/trackdraw.h"

#include "gdiwrap.h"

void QelInvertTrackingRect(const RECT& r) {
  static const WORD kHalftone[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
  HDC dc = ::GetDC(nullptr);
  CBitmap pattern;
  pattern.Attach(::CreateBitmap(8, 8, 1, 1, kHalftone));
  CBrush brush;
  brush.Attach(::CreatePatternBrush(pattern));
  {
    CSelectGdi select(dc, brush);
    ::PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, PATINVERT);
  }
  ::ReleaseDC(nullptr, dc);
}
