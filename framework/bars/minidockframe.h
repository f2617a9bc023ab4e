// CMiniDockFrameWnd: the small captioned window a floating control bar
// lives in, owned by the bar's frame. Its caption drags the bar (back onto
// a side of the frame, or elsewhere); a double click on it docks the bar
// where it was docked last; its close button hides the bar. A docking
// window's floating frame may be resized (the bar keeps that size).
#pragma once
#include <windows.h>

#include "wnd.h"

class CControlBar;
class CFrameWnd;

class CMiniDockFrameWnd : public CWnd {
  DECLARE_DYNAMIC(CMiniDockFrameWnd)

 public:
  CMiniDockFrameWnd();

  // Makes the window with its client area at topLeft (screen) and takes
  // the bar into it.
  BOOL Create(CFrameWnd* frame, CControlBar* bar, POINT topLeft);
  // Sizes the window to the bar's floating size.
  void FitToBar();
  CControlBar* GetBar() const { return m_pBar; }

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  CControlBar* m_pBar = nullptr;
  CFrameWnd* m_pDockSite = nullptr;
};
