// The framed tools: rectangle, ellipse and multi-line text are dragged open
// from the click; the tag value, the image, the buttons, the edit box and
// the ActiveX and plug-in controls get their size at once. A click without
// a drag leaves nothing behind and acts as a click of the selection tool.
// A button-up finishes only the frame that its own button-down began.
#pragma once
#include "drawtool.h"

class CDrawObj;

class CRectTool : public CDrawTool {
 public:
  explicit CRectTool(int id) : CDrawTool(id) {}
  void OnLButtonDown(CPicEditWnd& wnd, UINT flags, POINT pt) override;
  void OnLButtonUp(CPicEditWnd& wnd, UINT flags, POINT pt) override;
  void OnMouseMove(CPicEditWnd& wnd, UINT flags, POINT pt) override;
  // The layer is about to change: a frame being dragged open is let go as it is.
  void OnLayerChanging(CPicEditWnd& wnd) override;
  void OnWindowGone(HWND hwnd) override;

 private:
  // The object of the tool (the image from the chosen file), null when none.
  CDrawObj* MakeObject(CPicEditWnd& wnd);
  // The chosen image does not decode: said, and nothing is drawn.
  void RefuseImage(CPicEditWnd& wnd);
  void StartDraggedFrame(CPicEditWnd& wnd, CDrawObj* obj, const CPointD& at);
  void PlaceFixedFrame(CPicEditWnd& wnd, CDrawObj* obj, const CPointD& at);
  void PlaceTagValue(CPicEditWnd& wnd, CDrawObj* obj, const CPointD& at);
  void PlaceImage(CPicEditWnd& wnd, CDrawObj* obj, const CPointD& at, UINT flags, POINT pt);
  // The frame that this button-down began to drag open in the window, taken
  // by its button-up; null when the button-down made none there.
  CDrawObj* TakeDraggedFrame(CPicEditWnd& wnd);

  CDrawObj* m_dragged = nullptr;  // owned by the layer
  HWND m_hWnd = nullptr;          // the window it is dragged in
};
