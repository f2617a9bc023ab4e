#include "selecttool.h"

#include "drawgroup.h"
#include "drawobj.h"
#include "gdiwrap.h"
#include "piceditwnd.h"

namespace {

// A group or sub-picture smaller than this (picture pixels) after a resize
// goes back to its old frame.
constexpr double kLeastGroupSide = 8.0;

CDrawGroup* AsGroup(CDrawObj* obj) {
  DrawObjType kind = obj->GetObjType();
  return kind == DOT_GROUP || kind == DOT_CELL ? static_cast<CDrawGroup*>(obj) : nullptr;
}

RECT BandRect(POINT a, POINT b) {
  RECT r = {a.x, a.y, b.x, b.y};
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

}  // namespace

CSelectTool& SelectionTool() {
  static CSelectTool tool;
  return tool;
}

void CSelectTool::OnLButtonDown(CPicEditWnd& wnd, UINT flags, POINT pt) {
  ToolMouseState& mouse = ToolMouse();
  mouse.dragMode = DRAG_NONE;
  int handle = 0;
  CDrawObj* obj = wnd.ObjectAt(wnd.ClientToPic(pt), &handle);
  if (flags & MK_CONTROL) {
    if (obj && wnd.IsSelected(obj))
      wnd.Deselect(obj);
    else if (obj)
      wnd.Select(obj, true);
    CDrawTool::OnLButtonDown(wnd, flags, pt);
    return;
  }
  CDrawTool::OnLButtonDown(wnd, flags, pt);
  if (obj) {
    GrabObject(wnd, obj, handle);
    wnd.Invalidate(FALSE);
    return;
  }
  wnd.Select(nullptr, false);
  wnd.NotifySelectionChanged();
  mouse.dragMode = DRAG_RUBBERBAND;
  m_band = BandRect(mouse.down, mouse.down);
  ToggleBand(wnd);
}

void CSelectTool::GrabObject(CPicEditWnd& wnd, CDrawObj* obj, int handle) {
  ToolMouseState& mouse = ToolMouse();
  if (!wnd.IsSelected(obj)) wnd.Select(obj, false);
  if (wnd.GetSelection().size() <= 1 && handle > 0) {
    mouse.dragMode = DRAG_RESIZE;
    mouse.handle = handle;
  } else {
    mouse.dragMode = DRAG_MOVE;
  }
  if (CDrawGroup* group = AsGroup(obj)) {
    m_groupFrame = group->GetRect();
    group->SetReferenceRect(m_groupFrame);
  }
  wnd.NotifySelectionChanged();
}

void CSelectTool::OnMouseMove(CPicEditWnd& wnd, UINT flags, POINT pt) {
  if (!(flags & MK_LBUTTON) || ToolMouse().dragMode == DRAG_NONE) {
    CDrawTool::OnMouseMove(wnd, flags, pt);
    ShowHandleCursor(wnd, pt);
    return;
  }
  switch (ToolMouse().dragMode) {
    case DRAG_RUBBERBAND: DragBand(wnd, pt); break;
    case DRAG_MOVE: DragSelection(wnd, pt); break;
    case DRAG_RESIZE: DragHandle(wnd, pt); break;
  }
  CDrawTool::OnMouseMove(wnd, flags, pt);
  if (ToolMouse().dragMode == DRAG_MOVE) ::SetCursor(::LoadCursor(nullptr, IDC_SIZEALL));
}

void CSelectTool::DragBand(CPicEditWnd& wnd, POINT pt) {
  ToggleBand(wnd);
  m_band = BandRect(ToolMouse().down, pt);
  ToggleBand(wnd);
}

void CSelectTool::DragSelection(CPicEditWnd& wnd, POINT pt) {
  wnd.SnapClientPoint(pt);
  CPointD from = wnd.ClientToPic(ToolMouse().last);
  CPointD to = wnd.ClientToPic(pt);
  CPointD by(to.x - from.x, to.y - from.y);
  if (by.x == 0.0 && by.y == 0.0) return;
  SaveGestureState(wnd);
  {
    CRepaintBatch repaint(wnd, wnd.GetSelection().size());
    for (CDrawObj* obj : wnd.GetSelection()) {
      repaint.Add(obj);
      obj->MoveBy(by);
      repaint.Add(obj);
    }
  }
  wnd.SetModified();
}

void CSelectTool::SaveGestureState(CPicEditWnd& wnd) {
  if (ToolMouse().stateSaved) return;
  wnd.SaveUndoState();
  ToolMouse().stateSaved = true;
}

void CSelectTool::DragHandle(CPicEditWnd& wnd, POINT pt) {
  if (wnd.GetSelection().empty()) return;
  wnd.SnapClientPoint(pt);
  CDrawObj* obj = wnd.GetSelection().front();
  SaveGestureState(wnd);
  wnd.InvalidateObject(obj);
  obj->MoveHandleTo(ToolMouse().handle, wnd.ClientToPic(pt), wnd.m_hWnd);
  wnd.InvalidateObject(obj);
  wnd.SetModified();
}

void CSelectTool::OnLButtonUp(CPicEditWnd& wnd, UINT flags, POINT pt) {
  const int mode = ToolMouse().dragMode;
  ToolMouse().dragMode = DRAG_NONE;
  if (mode == DRAG_RUBBERBAND) {
    ToggleBand(wnd);
    wnd.SelectInRect(BandRect(ToolMouse().down, pt), true);
  } else if (mode == DRAG_MOVE) {
    wnd.Invalidate(FALSE);
  } else if (mode == DRAG_RESIZE) {
    EndResize(wnd);
  }
  if (mode == DRAG_MOVE || mode == DRAG_RESIZE) {
    wnd.RepositionControls(true);
    wnd.NotifySelectionChanged();
  }
  CDrawTool::OnLButtonUp(wnd, flags, pt);
}

void CSelectTool::EndResize(CPicEditWnd& wnd) {
  if (wnd.GetSelection().empty()) return;
  CDrawGroup* group = AsGroup(wnd.GetSelection().front());
  if (!group) return;
  wnd.InvalidateObject(group);
  CRectD wanted = group->GetReferenceRect();
  wanted.Normalize();
  if (wanted.Width() >= kLeastGroupSide && wanted.Height() >= kLeastGroupSide)
    group->RescaleChildren();
  else
    group->SetReferenceRect(m_groupFrame);
  wnd.InvalidateObject(group);
}

void CSelectTool::OnLButtonDblClk(CPicEditWnd& wnd, UINT, POINT pt) {
  if (wnd.ObjectAt(wnd.ClientToPic(pt))) wnd.SendMessageToParent(QCN_CHANGED, wnd.GetDlgCtrlID(), 0);
}

void CSelectTool::ToggleBand(CPicEditWnd& wnd) {
  CClientDC dc(wnd.m_hWnd);
  ::DrawFocusRect(dc, &m_band);
}

void CSelectTool::ShowHandleCursor(CPicEditWnd& wnd, POINT pt) {
  CPointD pic = wnd.ClientToPic(pt);
  for (CDrawObj* obj : wnd.GetSelection()) {
    CDrawObj* hit = nullptr;
    int handle = obj->HitTest(pic, &hit);
    if (handle > 0) {
      ::SetCursor(obj->GetHandleCursor(handle));
      return;
    }
  }
}
