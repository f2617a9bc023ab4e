// CDockContext: moving a control bar with the mouse, from its gripper (or
// its floating frame's caption): an outline follows the mouse, thin where
// the bar would dock on a side of the frame, thick where it would float;
// releasing the button puts the bar there, Escape leaves it where it was.
//
// A side takes the bar when the mouse is over that side's dock bar, or
// within kDockZone pixels of that edge of the frame's client area, and the
// bar may dock there.
#pragma once
#include <windows.h>

class CControlBar;
class CFrameWnd;

class CDockContext {
 public:
  enum : int { kDockZone = 24 };

  explicit CDockContext(CControlBar* bar);

  // Follows the mouse from start (screen) until the button is released
  // (TRUE: the bar went where the outline was) or the move is cancelled.
  BOOL Track(POINT start);
  // The side (a dock bar id) the bar would dock on with the mouse at pt, or
  // 0 to float; outline is where it would stand (screen).
  UINT TargetAt(POINT pt, RECT* outline) const;

 private:
  void DrawOutline(const RECT& outline, bool thick) const;
  void Place(UINT target, const RECT& outline) const;

  CControlBar* m_pBar;
  CFrameWnd* m_pFrame;
  POINT m_offset = {0, 0};  // from the bar's corner to the mouse when the move began
};
