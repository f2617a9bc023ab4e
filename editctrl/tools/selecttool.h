// The selection tool (id 0): a click selects the object under the mouse
// (Ctrl toggles it), a drag moves the selection or pulls the grabbed handle
// of the one selected object (each drag that changes something is one undo
// step), a drag on empty space draws a rubber band.
// The framed tools hand their drags and stray clicks to it.
#pragma once
#include "drawtool.h"

class CDrawGroup;
class CDrawObj;

class CSelectTool : public CDrawTool {
 public:
  CSelectTool() : CDrawTool(0) {}
  void OnLButtonDown(CPicEditWnd& wnd, UINT flags, POINT pt) override;
  void OnLButtonDblClk(CPicEditWnd& wnd, UINT flags, POINT pt) override;
  void OnLButtonUp(CPicEditWnd& wnd, UINT flags, POINT pt) override;
  void OnMouseMove(CPicEditWnd& wnd, UINT flags, POINT pt) override;

 private:
  void GrabObject(CPicEditWnd& wnd, CDrawObj* obj, int handle);
  void DragBand(CPicEditWnd& wnd, POINT pt);
  void DragSelection(CPicEditWnd& wnd, POINT pt);
  void DragHandle(CPicEditWnd& wnd, POINT pt);
  void EndResize(CPicEditWnd& wnd);
  // Saves the undo state of the gesture before its first change.
  void SaveGestureState(CPicEditWnd& wnd);
  // Draws (or, drawn a second time, erases) the band's focus rectangle.
  void ToggleBand(CPicEditWnd& wnd);
  void ShowHandleCursor(CPicEditWnd& wnd, POINT pt);

  RECT m_band = {0, 0, 0, 0};  // window rectangle of the shown band
  CRectD m_groupFrame;         // a grabbed group's frame before its resize
};

// The process's selection tool.
CSelectTool& SelectionTool();
