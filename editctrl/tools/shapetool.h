// The point-by-point tools: poly-line, line, polygon, curve, closed curve,
// arrow and pipe. The first click starts the object, every click fixes the
// moving end and adds a new one, Shift straightens the segment just fixed;
// a double click, or a click past the tool's point limit, finishes it. The
// object keeps the tool and the mouse capture until it is finished. The
// window tells the tool before a command takes its layer's objects away, so
// the shape is finished while it still exists and is never looked for again.
#pragma once
#include "drawtool.h"

class CDrawPoly;

class CShapeTool : public CDrawTool {
 public:
  CShapeTool(int id, int pointLimit) : CDrawTool(id), m_pointLimit(pointLimit) {}
  void OnLButtonDown(CPicEditWnd& wnd, UINT flags, POINT pt) override;
  void OnLButtonDblClk(CPicEditWnd& wnd, UINT flags, POINT pt) override;
  // The shape is not finished by a button-up: nothing happens.
  void OnLButtonUp(CPicEditWnd& wnd, UINT flags, POINT pt) override;
  void OnMouseMove(CPicEditWnd& wnd, UINT flags, POINT pt) override;
  void OnCancel() override;
  // Another tool is chosen: the shape under construction is finished.
  void OnToolChange(CPicEditWnd& wnd) override;
  // The layer is about to change: the shape under construction is finished.
  void OnLayerChanging(CPicEditWnd& wnd) override;
  void OnWindowGone(HWND hwnd) override;

 private:
  // True when a shape is under construction in this window. A shape of
  // another window is forgotten (the mouse went elsewhere).
  bool Owns(CPicEditWnd& wnd);
  void Start(CPicEditWnd& wnd, POINT snapped);
  void Finish(CPicEditWnd& wnd);
  void Forget();

  int m_pointLimit;
  CDrawPoly* m_shape = nullptr;  // under construction, owned by the layer
  HWND m_hWnd = nullptr;         // the window it is drawn in
};

// The Shift rule for the segment from prev to end: nearly diagonal
// (||dx| - |dy|| below (|dx| + |dy|) / 3) becomes diagonal, anything else
// horizontal or vertical along the larger component (horizontal on a tie).
CPointD StraightenSegment(const CPointD& prev, const CPointD& end);
