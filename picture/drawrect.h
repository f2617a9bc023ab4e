// CDrawRect: the rotatable rectangle (draw-object kind 5), and the base of
// the ellipse, the image and the multi-line texts, which reuse its corners,
// handles, resizing, turning, hit test and property list and replace what
// they draw.
#pragma once

#include <functional>

#include "drawobj.h"
#include "rectcorners.h"
#include "rectpaint.h"

class CDrawRect : public CDrawObj {
  DECLARE_SERIAL(CDrawRect)

 public:
  CDrawRect();

  void Serialize(CArchive& ar) override;
  // Nine: corners, side middles, and 9 that turns the rectangle.
  int GetHandleCount() override;
  CPointD GetHandle(int nHandle) override;
  int HitTest(const CPointD& point, CDrawObj** ppHit) override;
  void MoveHandleTo(int& nHandle, const CPointD& point, HWND hView) override;
  RECT GetInvalidRect() override;
  // Recomputes the bounding rectangle from the corners and returns it.
  CRectD GetRect() override;
  void Draw(CDC* pDC, DWORD dwFlags) override;
  void DrawTracker(CDC* pDC, int nState) override;
  void MoveBy(const CPointD& offset) override;
  void Rotate(const CPointD& centre, const DirPair& turn) override;
  void Flip(double x, double y, int nAxis) override;
  void GetPropList(PropDescList* pList) override;
  DrawObjType GetObjType() override;
  BOOL SetProp(int nId, LONG_PTR value) override;
  int GetActionKinds(ActionKindList* pList) override;
  void Scale(const CPointD& anchor, double dFactor) override;

  // Added after the fifty operations, in this order.
  virtual double GetWidth();   // |P1P2|
  virtual double GetHeight();  // |P1P4|
  virtual void SetWidth(double w);
  virtual void SetHeight(double h);

  // The corners of an axis-parallel rectangle (a drawing tool's frame).
  void SetCorners(const CRectD& rect);
  void SetCorners(const RectCorners& corners);
  const RectCorners& GetCorners() const { return m_corners; }
  // The solid fills that DrawTracker draws for a selected rectangle, in
  // drawing order (none while a corner is not finite).
  void AppendTrackerFills(std::vector<HandleFill>& fills);
  // Whether Draw, on a DC that copies what it draws (R2_COPYPEN, a mapping
  // that only translates), now sets every pixel of the area (logical units,
  // right and bottom excluded) to a colour of its own, whatever lay there
  // (paintcover.h). area() gives it, or null when the DC lets nothing hide
  // it; it is asked only of a rectangle that may hide something.
  bool HidesArea(const std::function<const RECT*()>& area) const;

 protected:
  // Handles 1 to 9 against the point (handle squares grown at high zoom);
  // the handle number, or 0 when none is hit.
  int HitHandle(const CPointD& point, CDrawObj** ppHit);
  // Whether the point, truncated, lies in the polygon of the truncated corners.
  bool CornersContain(const CPointD& point) const;
  // The pen, fill, outline and percentage fill (steps of Draw before the
  // selection frame), kept between paints when GDI+ fills them; false when
  // the pen could not be made.
  bool DrawShape(CDC* pDC);
  // The paint key of the corners, the view and the styles.
  PaintKey ShapePaintKey() const;
  // The pixels that the shape, its outline pen and its frame can touch:
  // the corners grown by the pen and the rounding of the frame.
  RECT CornersReach() const;
  DeviceFrame GetDeviceFrame() const { return MakeDeviceFrame(m_corners, m_view); }
  // The hit test of the shapes that are solid over their whole box, whatever
  // their fill (images, multi-line texts): a handle, else anywhere inside.
  int HitHandleOrInside(const CPointD& point, CDrawObj** ppHit);
  // Band half-width of the outline hit test.
  double OutlineTolerance() const;

  // Property records after the three base ones: line colour, line style and
  // width, fill style, fill colours (by fill style)...
  void AppendStyleProps(PropDescList* pList);
  // ... and TOPX, TOPY, WIDTH, HEIGHT.
  void AppendGeometryProps(PropDescList* pList);
  // The ids of those records; 1 when handled.
  BOOL SetShapeProp(int nId, LONG_PTR value);
  // Keeps the stored bounding rectangle in step with the corners.
  void CornersChanged() { m_rect = m_corners.Bounds(); }

  RectCorners m_corners;

 private:
  // Whether the shape is plain: a solid fill inside a solid outline one
  // pixel wide, no percentage fill (PaintPlainRect draws it when upright).
  bool IsPlain() const;
  // The four corners on the device, in outline order.
  void DeviceOutline(POINT* outline) const;
  void PaintShape(CDC* pDC, CPen& pen);
};

// Appends a property record to the list and returns it for the caller to fill.
PropDesc& AppendProp(PropDescList* pList, int nId, int nKind, LONG_PTR value);
PropDesc& AppendNamedProp(PropDescList* pList, int nId, int nKind, const char* pszName, LONG_PTR value);
// Fills the link kinds of a family with the object's existing links.
int FillObjectActionKinds(CDrawObj* pObj, LinkFamily family, ActionKindList* pList);
