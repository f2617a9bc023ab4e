#include "controls/spinctrl.h"

#include <commctrl.h>

#include "controls/commoncontrols.h"

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
  return QelCreateControl(*this, UPDOWN_CLASSA, 0, style, rect, parent, id);
}

void CSpinButtonCtrl::SetRange(int lower, int upper) { SendMessage(UDM_SETRANGE32, lower, upper); }
void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
  SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}
int CSpinButtonCtrl::SetPos(int pos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, pos)); }
int CSpinButtonCtrl::GetPos(BOOL* error) const {
  BOOL failed = FALSE;
  int pos = static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
  if (error) *error = failed;
  return pos;
}
HWND CSpinButtonCtrl::SetBuddy(HWND buddy) {
  return reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy)));
}
HWND CSpinButtonCtrl::GetBuddy() const { return reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY)); }
