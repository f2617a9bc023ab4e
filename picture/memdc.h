// An off-screen drawing surface for the length of one paint: everything drawn
// on it lands in a bitmap of the painted area, which is copied to the output in
// one block when the surface goes away, so repaints do not flicker. A printer
// output is drawn on directly. The surface is one paint pass (paintcache.h)
// for its length.
#pragma once

#include "gdiwrap.h"
#include "paintcache.h"

class CMemDC : public CDC {
 public:
  explicit CMemDC(CDC* pOutput);
  ~CMemDC() override;
  CMemDC(const CMemDC&) = delete;
  CMemDC& operator=(const CMemDC&) = delete;

  const RECT& GetArea() const { return m_rcArea; }
  BOOL IsOffScreen() const { return m_bMemDC; }

 private:
  void CreateSurface();

  CPaintPass m_pass;
  CBitmap m_bitmap;
  HGDIOBJ m_hOldBitmap = nullptr;
  CDC* m_pOutput;
  RECT m_rcArea = {0, 0, 0, 0};
  BOOL m_bMemDC;
};
