// A shaded pipe along a poly-line: lit along its axis in fill colour 1,
// darkening to the line colour at its edges.
#pragma once

#include "drawpoly.h"

class CDrawPipe : public CDrawPoly {
  DECLARE_SERIAL(CDrawPipe)

 public:
  CDrawPipe();

  void Serialize(CArchive& ar) override;
  int HitTest(const CPointD& point, CDrawObj** ppHit) override;
  int HitTestChild(const CPointD& point, CDrawObj** ppHit) override;
  RECT GetInvalidRect() override;
  void Draw(CDC* pDC, DWORD dwFlags) override;
  void GetPropList(PropDescList* pList) override;
  DrawObjType GetObjType() override;
  BOOL SetProp(int nId, LONG_PTR value) override;

  int m_nPipeWidth = 15;  // picture units

 protected:
  LinkFamily GetLinkFamily() override;

 private:
  int ShadePenWidth() const;
  std::vector<CPointD> DeviceCentre() const;
  double MaxBendPull() const;
  // The device pixels the shading can touch: the outermost offset paths
  // grown by the pen.
  RECT ShadingReach() const;
  // The centre line and the shaded offset paths on both sides.
  void DrawShading(CDC* pDC) const;
};
