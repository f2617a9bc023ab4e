// Helpers for the colour picker tests: a window that records the popup's
// reports and the controls' change notices, and the popup that a control
// opened.
#pragma once
#include <windows.h>

#include <vector>

#include "colorpopup.h"
#include "wnd.h"

namespace colortest {

struct Report {
  UINT msg;
  COLORREF color;
  bool operator==(const Report& other) const { return msg == other.msg && color == other.color; }
};

// A hidden top-level window keeping every QCPN_ report and QCCN_CHANGED
// notice it receives, in order.
class CRecorder : public CWnd {
 public:
  std::vector<Report> reports;
  bool Create();
  int Changes() const;  // the number of QCCN_CHANGED notices
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// The colour popup of this thread that is open, or nullptr.
CColorPopup* OpenPopup();
// Sends a key to the popup as its keyboard would.
void Key(HWND popup, UINT key);

}  // namespace colortest
