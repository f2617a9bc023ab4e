// CGripToolBar: a tool bar (the framework's wrapper of the common control,
// with its buttons and image lists) that paints its own non-client area: the button-face colour with a gripper of two raised 3-D
// lines, 3 pixels apart, at the bar's leading edge (vertical lines for a
// horizontal bar, horizontal ones for a vertical bar). A floating bar paints
// nothing of its own there.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "controls/toolbarctrl.h"

class CGripToolBar : public CToolBarCtrl {
 public:
  // A tool bar child of parent; CCS_VERT in style makes a vertical bar.
  BOOL Create(HWND parent, UINT id, DWORD style = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT);
  void SetFloating(bool floating) { m_bFloating = floating; }
  bool IsFloating() const { return m_bFloating; }
  bool IsVertical() const { return (GetStyle() & CCS_VERT) != 0; }

  // Room kept for the gripper at the leading edge, in pixels.
  static constexpr int kGripSpace = 8;

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void OnNcCalcSize(RECT* proposed);
  void OnNcPaint();

  bool m_bFloating = false;
};
