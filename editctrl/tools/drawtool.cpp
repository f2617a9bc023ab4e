#include "drawtool.h"

#include "piceditwnd.h"

ToolMouseState& ToolMouse() {
  static ToolMouseState state;
  return state;
}

void CDrawTool::OnLButtonDown(CPicEditWnd& wnd, UINT flags, POINT pt) {
  wnd.SetCapture();
  wnd.SnapClientPoint(pt);
  ToolMouse().downFlags = flags;
  ToolMouse().down = ToolMouse().last = pt;
  ToolMouse().stateSaved = false;
}

void CDrawTool::OnLButtonDblClk(CPicEditWnd&, UINT, POINT) {}

void CDrawTool::OnLButtonUp(CPicEditWnd& wnd, UINT, POINT pt) {
  CWnd::ReleaseCapture();
  wnd.SnapClientPoint(pt);
  if (pt.x == ToolMouse().down.x && pt.y == ToolMouse().down.y) OnCancel();
}

void CDrawTool::OnMouseMove(CPicEditWnd& wnd, UINT, POINT pt) {
  // Kept snapped, so that what follows the mouse stays on the grid.
  wnd.SnapClientPoint(pt);
  ToolMouse().last = pt;
  ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
}

void CDrawTool::OnCancel() { CurrentToolId() = 0; }

void CDrawTool::OnToolChange(CPicEditWnd&) {}

void CDrawTool::OnLayerChanging(CPicEditWnd&) {}

void CDrawTool::OnWindowGone(HWND) {}
