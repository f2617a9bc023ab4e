// Point-list draw objects: the open poly-line (CDrawPoly), the line and the
// arrow (drawline.h), the polygon (drawpolygon.h), and through them the
// curves and the pipe (drawbezier.h, drawpipe.h).
#pragma once

#include <vector>

#include "drawobj.h"
#include "shapepaint.h"

class CDrawPoly : public CDrawObj {
  DECLARE_SERIAL(CDrawPoly)

 public:
  CDrawPoly();

  void Serialize(CArchive& ar) override;
  int GetHandleCount() override;
  CPointD GetHandle(int nHandle) override;
  int HitTest(const CPointD& point, CDrawObj** ppHit) override;
  int HitTestChild(const CPointD& point, CDrawObj** ppHit) override;
  void MoveHandleTo(int& nHandle, const CPointD& point, HWND hView) override;
  HCURSOR GetHandleCursor(int nHandle) override;
  RECT GetInvalidRect() override;
  CRectD GetRect() override;
  void Draw(CDC* pDC, DWORD dwFlags) override;
  void DrawTracker(CDC* pDC, int nState) override;
  void MoveBy(const CPointD& offset) override;
  int Stretch(const CPointD& anchor, const CPointD& from, const CPointD& to) override;
  void Rotate(const CPointD& centre, const DirPair& turn) override;
  void Flip(double x, double y, int nAxis) override;
  void GetPropList(PropDescList* pList) override;
  DrawObjType GetObjType() override;
  BOOL SetProp(int nId, LONG_PTR value) override;
  int GetActionKinds(ActionKindList* pList) override;
  void Scale(const CPointD& anchor, double dFactor) override;

  // Slot 51: appends a point while the count is not above the limit.
  virtual BOOL AddPoint(const CPointD& point);

  int GetPointCount() const { return static_cast<int>(m_points.size()); }

  std::vector<CPointD> m_points;  // picture units, owned
  int m_nMaxPoints = 384;         // AddPoint stops once the count exceeds it
  int m_nSecondCount = 3;         // kept for the record; nothing reads it

 protected:
  // The hit test steps shared by the point-list classes.
  int HitVertexHandles(POINT ptDevice);
  int HitRectHandles(POINT ptDevice);
  // Band test along consecutive points; 0 hit, -1 miss.
  static int HitPath(const std::vector<CPointD>& path, const CPointD& point, double halfWidth);
  // max(2, line width / 2 + 1).
  static double HitHalfWidth(int nWidth);
  int Hit(int nResult, CDrawObj** ppHit);
  // The hit test of every point-list class: a vertex handle, then a frame
  // handle; else, with two points or more, what bodyTest() says of the
  // point (0 on the body, -1 off it).
  template <class BodyTest>
  int HitHandlesThenBody(const CPointD& point, CDrawObj** ppHit, BodyTest bodyTest) {
    POINT pt = DevicePointRounded(point);
    int h = HitVertexHandles(pt);
    if (h == -1) h = HitRectHandles(pt);
    if (h != -1) return Hit(h, ppHit);
    if (GetPointCount() < 2) return -1;
    return Hit(bodyTest(), ppHit);
  }
  // The band along a closed outline at the line width, then, when the fill
  // style is not 0, its inside; 0 hit, -1 miss.
  int HitOutlineOrFill(const std::vector<CPointD>& outline, const CPointD& point);
  // Points mapped to device and truncated.
  std::vector<POINT> DevicePoints(const std::vector<CPointD>& pts) const;
  // The pixels that the line pen drawn through the points (or through a
  // curve they pull, which stays inside their hull) can touch.
  RECT PointsReach() const;
  // Draws the closed outline (device points) filled as the fill style says,
  // through the paint cache when the fill is plain or a gradient.
  void DrawFilledShape(CDC* pDC, const std::vector<POINT>& closed, PenRule rule, bool bBrushStyles);
  void DrawVertexSquares(CDC* pDC, bool bFirstDistinct);
  void DrawRectSquares(CDC* pDC);
  // Line colour, style and width records; returns the new count.
  int AppendLineProps(PropDesc* rec, int n);
  BOOL SetLineProp(int nId, LONG_PTR value);
  // The property list of the closed, fillable shapes: the base records, the
  // filled-shape records, then TOPX / TOPY.
  void GetFilledPropList(PropDescList* pList);
  // Their SetProp: the fill ids, then the line ids.
  BOOL SetFilledOrLineProp(int nId, LONG_PTR value);
  // The link family this class offers.
  virtual LinkFamily GetLinkFamily();
  // The bounding box of a list of points; FALSE for an empty list.
  static BOOL BoundsOf(const std::vector<CPointD>& pts, CRectD& bounds);

 private:
  void MoveVertex(int nIndex, const CPointD& point, HWND hView);
  void StretchByHandle(int& nHandle, const CPointD& point, HWND hView);
};

// A Shift-drag of a vertex: the point relative to the previous vertex,
// snapped to 45 degrees when nearly diagonal, else to the horizontal or
// vertical.
CPointD SnapToAngle(const CPointD& prev, const CPointD& point);

// The handle under the pointer after a rectangle drag crossed the opposite
// side horizontally (bCrossX) and/or vertically (bCrossY).
int MirroredHandle(int nHandle, bool bCrossX, bool bCrossY);

// Draws the light-grey and black handle square of a device point.
void DrawHandleSquare(CDC* pDC, POINT pt, bool bGreyOutside);

// The property records of the filled shapes: border colour (no colour
// allowed), line style and width when there is an outline, fill mode, fill
// colours by fill style. Returns the new count.
int AppendFilledProps(CDrawObj* pObj, PropDesc* rec, int n);
// TOPX / TOPY records of a bounding rectangle.
int AppendTopProps(const CRectD& bounds, PropDesc* rec, int n);
