// A line of two points (CDrawLine) and a line with a filled arrow head at its
// end point (CDrawArrow).
#pragma once

#include "drawpoly.h"

class CDrawLine : public CDrawPoly {
  DECLARE_SERIAL(CDrawLine)

 public:
  CDrawLine();

  int HitTest(const CPointD& point, CDrawObj** ppHit) override;
  void DrawTracker(CDC* pDC, int nState) override;
  DrawObjType GetObjType() override;
  // Turns the line about its first point to an absolute angle (0 along +x,
  // clockwise on the screen).
  void SetAngle(double dDegrees) override;

 protected:
  LinkFamily GetLinkFamily() override;
};

class CDrawArrow : public CDrawLine {
  DECLARE_SERIAL(CDrawArrow)

 public:
  CDrawArrow() = default;

  void Serialize(CArchive& ar) override;
  RECT GetInvalidRect() override;
  void Draw(CDC* pDC, DWORD dwFlags) override;
  void GetPropList(PropDescList* pList) override;
  DrawObjType GetObjType() override;
  BOOL SetProp(int nId, LONG_PTR value) override;

  // The two head corners besides the tip (point 1); FALSE when the points
  // coincide and the line has no direction for a head.
  BOOL GetHeadCorners(CPointD& left, CPointD& right) const;
  // The head size a drawing uses: the stored one held to +-kMaxHeadSize.
  int DrawnHeadSize() const;

  // The editor offers head sizes up to 100 (and up to the line's length);
  // a stored size beyond this is drawn this long.
  static constexpr int kMaxHeadSize = 1024;

  int m_nHeadSize = 18;   // picture units
  int m_nHeadAngle = 15;  // degrees, the half-angle of the head
};
