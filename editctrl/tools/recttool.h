// The framed tools: rectangle, ellipse and multi-line text are dragged open
// from the click; the tag value, the image, the buttons, the edit box and
// the ActiveX and plug-in controls get their size at once. A click without
// a drag leaves nothing behind and acts as a click of the selection tool.
#pragma once
#include "drawtool.h"

class CDrawObj;

class CRectTool : public CDrawTool {
 public:
  explicit CRectTool(int id) : CDrawTool(id) {}
  void OnLButtonDown(CPicEditWnd& wnd, UINT flags, POINT pt) override;
  void OnLButtonUp(CPicEditWnd& wnd, UINT flags, POINT pt) override;
  void OnMouseMove(CPicEditWnd& wnd, UINT flags, POINT pt) override;

 private:
  // The object of the tool (the image from the chosen file), null when none.
  CDrawObj* MakeObject(CPicEditWnd& wnd);
  void StartDraggedFrame(CPicEditWnd& wnd, CDrawObj* obj, const CPointD& at);
  void PlaceFixedFrame(CPicEditWnd& wnd, CDrawObj* obj, const CPointD& at);
  void PlaceTagValue(CPicEditWnd& wnd, CDrawObj* obj, const CPointD& at);
  void PlaceImage(CPicEditWnd& wnd, CDrawObj* obj, const CPointD& at, UINT flags, POINT pt);
};
