// CColorControl: what the colour swatch and the colour strip share. Each is
// a static-style child window of a page that paints itself, opens the colour
// popup where the left button is released, takes the popup's end
// (QCPN_SELENDOK; the change and the cancel reports are ignored) and tells
// its page of a new colour with QCCN_CHANGED.
#pragma once
#include <windows.h>

#include "wnd.h"

class CColorControl : public CWnd {
 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  virtual void Paint(HDC dc) = 0;
  virtual void OnClick(POINT client) = 0;
  // The colour the popup ended with; kColorDefault for "Automatic".
  virtual void OnColorChosen(COLORREF color) = 0;

  // Opens the colour popup at a client point, starting at initial, with
  // "Automatic" (standing for kColorDefault) and "More Colors...".
  void OpenPopup(POINT client, COLORREF initial);
  // QCCN_CHANGED to the parent page.
  void NotifyChanged();
};
