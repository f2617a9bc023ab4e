#include "shapetool.h"

#include <cmath>

#include "drawpoly.h"
#include "piceditwnd.h"
#include "toolobjects.h"

namespace {

// Curves end with an odd number of points, closed curves with an even one.
void KeepCurveParity(CDrawPoly& shape) {
  const int n = shape.GetPointCount();
  const DrawObjType kind = shape.GetObjType();
  if ((kind == DOT_BEZIER && n % 2 == 0 && n >= 4) || (kind == DOT_BEZIERFILL && n % 2 == 1 && n >= 5))
    shape.m_points.pop_back();
}

// The fewest points an object of the kind may keep.
int LeastPoints(CDrawPoly& shape) { return shape.m_nSecondCount; }

}  // namespace

CPointD StraightenSegment(const CPointD& prev, const CPointD& end) {
  const double dx = end.x - prev.x;
  const double dy = end.y - prev.y;
  const double ax = std::fabs(dx);
  const double ay = std::fabs(dy);
  if (std::fabs(ax - ay) < (ax + ay) / 3) {
    const double d = std::max(ax, ay);
    return CPointD(prev.x + std::copysign(d, dx), prev.y + std::copysign(d, dy));
  }
  return ax >= ay ? CPointD(end.x, prev.y) : CPointD(prev.x, end.y);
}

void CShapeTool::OnLButtonDown(CPicEditWnd& wnd, UINT flags, POINT pt) {
  wnd.SnapClientPoint(pt);
  const CPointD at = wnd.ClientToPic(pt);
  if (!Owns(wnd)) {
    CDrawTool::OnLButtonDown(wnd, flags, pt);
    Start(wnd, pt);
    if (!m_shape) return;
  } else {
    wnd.InvalidateObject(m_shape);
    // The moving end is fixed where the click is.
    m_shape->m_points.back() = at;
    const int n = m_shape->GetPointCount();
    if ((flags & MK_SHIFT) && n >= 2)
      m_shape->m_points.back() = StraightenSegment(m_shape->m_points[n - 2], at);
    ToolMouse().downFlags = flags;
  }
  m_shape->AddPoint(at);  // the new moving end
  m_shape->GetRect();
  wnd.InvalidateObject(m_shape);
  if (m_shape->GetPointCount() > m_pointLimit) Finish(wnd);
}

void CShapeTool::Start(CPicEditWnd& wnd, POINT snapped) {
  if (!wnd.GetCurrentLayer()) return;
  CDrawObj* obj = NewToolObject(Id(), wnd.DrawingColor());
  if (!obj) return;
  m_shape = static_cast<CDrawPoly*>(obj);
  m_hWnd = wnd.m_hWnd;
  m_shape->AddPoint(wnd.ClientToPic(snapped));
  wnd.AddObject(m_shape, true);
  wnd.Select(m_shape, false);
}

void CShapeTool::OnMouseMove(CPicEditWnd& wnd, UINT flags, POINT pt) {
  CDrawTool::OnMouseMove(wnd, flags, pt);
  ::SetCursor(::LoadCursor(nullptr, IDC_CROSS));
  if (!Owns(wnd)) return;
  wnd.InvalidateObject(m_shape);
  m_shape->m_points.back() = wnd.ClientToPic(ToolMouse().last);
  m_shape->GetRect();
  wnd.InvalidateObject(m_shape);
}

void CShapeTool::OnLButtonUp(CPicEditWnd&, UINT, POINT) {}

void CShapeTool::OnLButtonDblClk(CPicEditWnd& wnd, UINT, POINT) {
  if (Owns(wnd)) Finish(wnd);
}

void CShapeTool::OnToolChange(CPicEditWnd& wnd) {
  if (Owns(wnd)) Finish(wnd);
}

void CShapeTool::OnLayerChanging(CPicEditWnd& wnd) {
  if (Owns(wnd)) Finish(wnd);
}

void CShapeTool::OnWindowGone(HWND hwnd) {
  if (m_shape && m_hWnd == hwnd) Forget();
}

bool CShapeTool::Owns(CPicEditWnd& wnd) {
  if (!m_shape) return false;
  if (m_hWnd == wnd.m_hWnd) return true;
  Forget();
  return false;
}

void CShapeTool::Forget() {
  m_shape = nullptr;
  m_hWnd = nullptr;
}

void CShapeTool::Finish(CPicEditWnd& wnd) {
  CWnd::ReleaseCapture();
  CDrawPoly* shape = m_shape;
  wnd.InvalidateObject(shape);
  shape->m_points.pop_back();  // the moving end
  KeepCurveParity(*shape);
  shape->GetRect();
  if (shape->GetPointCount() < LeastPoints(*shape)) {
    wnd.RemoveObject(shape);
    shape->Delete();
    wnd.NotifySelectionChanged();
  } else {
    wnd.InvalidateObject(shape);
  }
  OnCancel();
}

void CShapeTool::OnCancel() {
  Forget();
  CDrawTool::OnCancel();
}
