// CDrawEllipse: the ellipse inscribed in a rotatable rectangle (draw-object
// kind 8). It turns, stretches and mirrors with the rectangle's corners and
// changes only what is drawn and what is hit.
#pragma once

#include <vector>

#include "drawrect.h"

class CDrawEllipse : public CDrawRect {
  DECLARE_SERIAL(CDrawEllipse)

 public:
  CDrawEllipse() = default;

  int HitTest(const CPointD& point, CDrawObj** ppHit) override;
  void Draw(CDC* pDC, DWORD dwFlags) override;
  DrawObjType GetObjType() override;

  // The outline: 90 points, every 4 degrees from the end of the first axis,
  // in picture units.
  void GetEllipsePoints(std::vector<CPointD>& points) const;

 private:
  // The fill and the outline with the pen.
  void PaintEllipse(CDC* pDC, CPen& pen);
};
