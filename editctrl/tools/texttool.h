// The single-line text tool: a click places a text of the class's default
// words and font in the drawing colour, as wide as the words measure.
#pragma once
#include "drawobjtype.h"
#include "drawtool.h"

class CTextTool : public CDrawTool {
 public:
  CTextTool() : CDrawTool(DOT_TEXT) {}
  void OnLButtonDown(CPicEditWnd& wnd, UINT flags, POINT pt) override;
  // Ends in the selection tool, after a click and after a drag alike.
  void OnLButtonUp(CPicEditWnd& wnd, UINT flags, POINT pt) override;
  void OnMouseMove(CPicEditWnd& wnd, UINT flags, POINT pt) override;
};
