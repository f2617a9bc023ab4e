#include "texttool.h"

#include "drawtext.h"
#include "piceditwnd.h"
#include "toolobjects.h"

void CTextTool::OnLButtonDown(CPicEditWnd& wnd, UINT flags, POINT pt) {
  CDrawTool::OnLButtonDown(wnd, flags, pt);
  if (!wnd.GetCurrentLayer()) return;
  auto* text = static_cast<CDrawText*>(NewToolObject(Id(), wnd.DrawingColor()));
  const CPointD at = wnd.ClientToPic(ToolMouse().down);
  // Pointing right; the measured width sets the end point.
  text->SetPoints(at, CPointD(at.x + 1, at.y));
  wnd.AddObject(text, true);
  text->CalcExtent(wnd.m_hWnd);
  wnd.Select(text, false);
}

void CTextTool::OnLButtonUp(CPicEditWnd& wnd, UINT flags, POINT pt) {
  CDrawTool::OnLButtonUp(wnd, flags, pt);
  OnCancel();
}

void CTextTool::OnMouseMove(CPicEditWnd& wnd, UINT flags, POINT pt) {
  CDrawTool::OnMouseMove(wnd, flags, pt);
  ::SetCursor(::LoadCursor(nullptr, IDC_CROSS));
}
