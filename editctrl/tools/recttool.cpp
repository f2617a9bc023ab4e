#include "recttool.h"

#include <cmath>

#include "actkinds.h"
#include "dialogs/editdialogs.h"
#include "drawbitmap.h"
#include "drawobj.h"
#include "drawrect.h"
#include "imagefile.h"
#include "piceditwnd.h"
#include "selecttool.h"
#include "toolobjects.h"

namespace {

// A frame narrower and lower than this (picture units) is a click without a drag.
constexpr double kLeastSize = 0.00001;
// A metafile image larger than kLargeMetafile on a side arrives with its
// larger side kMetafileSide long.
constexpr double kLargeMetafile = 400.0;
constexpr double kMetafileSide = 160.0;

bool IsDraggedKind(int id) { return id == DOT_RECT || id == DOT_ELLIPSE || id == DOT_MTEXT; }

// Sets the frame of an object from a picture rectangle: the rectangle
// shapes by their corners, everything else by its bounding rectangle.
void SetFrame(CDrawObj* obj, const CRectD& frame) {
  if (auto* rect = dynamic_cast<CDrawRect*>(obj))
    rect->SetCorners(frame);
  else
    obj->m_rect = frame;
}

}  // namespace

CDrawObj* CRectTool::MakeObject(CPicEditWnd& wnd) {
  COLORREF color = wnd.DrawingColor();
  if (Id() != DOT_BITMAP) return NewToolObject(Id(), color);
  auto* image = new CDrawBitmap;
  image->SetColors(color);
  if (!ChosenImage().LoadInto(*image)) {
    delete image;
    return nullptr;
  }
  return image;
}

void CRectTool::OnLButtonDown(CPicEditWnd& wnd, UINT flags, POINT pt) {
  CDrawTool::OnLButtonDown(wnd, flags, pt);
  if (!wnd.GetCurrentLayer()) return;
  CDrawObj* obj = MakeObject(wnd);
  if (!obj) {
    if (Id() == DOT_BITMAP) RefuseImage(wnd);
    return;
  }
  const CPointD at = wnd.ClientToPic(ToolMouse().down);
  if (IsDraggedKind(Id()))
    StartDraggedFrame(wnd, obj, at);
  else if (Id() == DOT_TAGVAL)
    PlaceTagValue(wnd, obj, at);
  else if (Id() == DOT_BITMAP)
    PlaceImage(wnd, obj, at, flags, pt);
  else
    PlaceFixedFrame(wnd, obj, at);
}

void CRectTool::RefuseImage(CPicEditWnd& wnd) {
  // The box runs its own message loop: the mouse is let go first, and the
  // button-up goes to the selection tool.
  CWnd::ReleaseCapture();
  CurrentToolId() = 0;
  SayImageUnreadable(wnd.m_hWnd);
}

void CRectTool::StartDraggedFrame(CPicEditWnd& wnd, CDrawObj* obj, const CPointD& at) {
  SetFrame(obj, CRectD(at.x, at.y, at.x, at.y));
  wnd.AddObject(obj, true);
  wnd.Select(obj, false);
  m_dragged = obj;
  m_hWnd = wnd.m_hWnd;
  // The state saved before the new object is the whole drag's.
  ToolMouse().stateSaved = true;
  ToolMouse().dragMode = DRAG_RESIZE;
  ToolMouse().handle = 5;  // the bottom-right corner follows the mouse
}

void CRectTool::PlaceFixedFrame(CPicEditWnd& wnd, CDrawObj* obj, const CPointD& at) {
  const SIZE size = ToolKindOf(Id()).fixedSize;
  SetFrame(obj, CRectD(at.x, at.y, at.x + size.cx, at.y + size.cy));
  wnd.AddObject(obj, true);
  wnd.Select(obj, false);
  // The frame is final: a control's window goes over it at once.
  obj->OnViewChanged();
  wnd.RepositionControls(true);
  CurrentToolId() = 0;
}

void CRectTool::PlaceTagValue(CPicEditWnd& wnd, CDrawObj* obj, const CPointD& at) {
  PlaceFixedFrame(wnd, obj, at);
  auto* link = new CActTagVal;  // displayed value, direct, 2 decimals
  link->m_nMode = AM_DIRECT;
  obj->AddAction(link);
  wnd.NotifyActions();
  // The dialog runs its own message loop: the mouse is let go first.
  CWnd::ReleaseCapture();
  if (OpenLinkDialog(wnd.m_hWnd, link, obj)) wnd.SetModified();
}

void CRectTool::PlaceImage(CPicEditWnd& wnd, CDrawObj* obj, const CPointD& at, UINT flags, POINT pt) {
  auto* image = static_cast<CDrawBitmap*>(obj);
  SIZE size = image->GetImageSize();
  double w = size.cx, h = size.cy;
  if (ChosenImage().IsMetafile() && (w > kLargeMetafile || h > kLargeMetafile)) {
    const double factor = kMetafileSide / std::max(w, h);
    w *= factor;
    h *= factor;
  }
  SetFrame(obj, CRectD(at.x, at.y, at.x + w, at.y + h));
  wnd.AddObject(obj, true);
  wnd.Select(obj, false);
  SelectionTool().OnLButtonUp(wnd, flags, pt);
  CurrentToolId() = 0;
}

void CRectTool::OnMouseMove(CPicEditWnd& wnd, UINT flags, POINT pt) {
  if (flags & MK_LBUTTON)
    SelectionTool().OnMouseMove(wnd, flags, pt);
  else
    CDrawTool::OnMouseMove(wnd, flags, pt);
  ::SetCursor(::LoadCursor(nullptr, IDC_CROSS));
}

void CRectTool::OnLayerChanging(CPicEditWnd& wnd) {
  if (!TakeDraggedFrame(wnd)) return;
  // The rest of the drag would pull a handle of whatever is selected then.
  ToolMouse().dragMode = DRAG_NONE;
}

void CRectTool::OnWindowGone(HWND hwnd) {
  if (m_hWnd != hwnd) return;
  m_dragged = nullptr;
  m_hWnd = nullptr;
}

CDrawObj* CRectTool::TakeDraggedFrame(CPicEditWnd& wnd) {
  CDrawObj* dragged = m_hWnd == wnd.m_hWnd ? m_dragged : nullptr;
  m_dragged = nullptr;
  m_hWnd = nullptr;
  return dragged;
}

void CRectTool::OnLButtonUp(CPicEditWnd& wnd, UINT flags, POINT pt) {
  CurrentToolId() = 0;
  CDrawObj* made = TakeDraggedFrame(wnd);
  if (!made) {
    CDrawTool::OnLButtonUp(wnd, flags, pt);
    return;
  }
  CRectD frame = made->GetRect();
  if (std::fabs(frame.Width()) < kLeastSize && std::fabs(frame.Height()) < kLeastSize) {
    // A click without a drag: nothing is drawn, the click selects.
    ToolMouse().dragMode = DRAG_NONE;
    wnd.RemoveObject(made);
    made->Delete();
    wnd.Invalidate(FALSE);
    SelectionTool().OnLButtonDown(wnd, flags, pt);
    SelectionTool().OnLButtonUp(wnd, flags, pt);
    return;
  }
  if (made->GetObjType() > DOT_CTRL) {
    made->SetViewTransform(wnd.GetOrigin(), wnd.GetZoom());
    wnd.RepositionControls(true);
  }
  SelectionTool().OnLButtonUp(wnd, flags, pt);
}
