// Curves made of quadratic Bezier segments: the open curve (CDrawBezier) and
// the closed, fillable curve (CDrawBezierFill).
#pragma once

#include "drawpoly.h"

class CDrawBezier : public CDrawPoly {
  DECLARE_SERIAL(CDrawBezier)

 public:
  CDrawBezier() = default;

  int HitTest(const CPointD& point, CDrawObj** ppHit) override;
  int HitTestChild(const CPointD& point, CDrawObj** ppHit) override;
  CRectD GetRect() override;
  RECT GetInvalidRect() override;
  void Draw(CDC* pDC, DWORD dwFlags) override;
  void DrawTracker(CDC* pDC, int nState) override;
  DrawObjType GetObjType() override;

 protected:
  // The point list that the segments are taken from.
  virtual std::vector<CPointD> CurvePoints() const { return m_points; }
  // Band and area tests along the flattened curve; 0 hit, -1 miss.
  virtual int HitCurve(const CPointD& point);
};

class CDrawBezierFill : public CDrawBezier {
  DECLARE_SERIAL(CDrawBezierFill)

 public:
  CDrawBezierFill() = default;

  void Draw(CDC* pDC, DWORD dwFlags) override;
  void GetPropList(PropDescList* pList) override;
  DrawObjType GetObjType() override;
  BOOL SetProp(int nId, LONG_PTR value) override;

 protected:
  LinkFamily GetLinkFamily() override;
  std::vector<CPointD> CurvePoints() const override { return ClosedPoints(); }
  int HitCurve(const CPointD& point) override;

 private:
  std::vector<CPointD> ClosedPoints() const;
};
