#include "controls/ipaddress.h"

#include <commctrl.h>

#include "controls/commoncontrols.h"
#include "crtformat.h"

IMPLEMENT_DYNAMIC(CIPAddressCtrl, CWnd)

BOOL QelParseDottedAddress(const char* text, DWORD* packed) {
  if (!text) return FALSE;
  DWORD value = 0;
  const char* p = text;
  for (int field = 0; field < 4; ++field) {
    if (field > 0 && *p++ != '.') return FALSE;
    int digits = 0, number = 0;
    for (; *p >= '0' && *p <= '9' && digits < 4; ++p, ++digits) number = number * 10 + (*p - '0');
    if (digits == 0 || digits > 3 || number > 255) return FALSE;
    value = (value << 8) | static_cast<DWORD>(number);
  }
  if (*p) return FALSE;
  *packed = value;
  return TRUE;
}

CString QelDottedAddress(DWORD packed) {
  char text[16];
  qel::Format(text, sizeof text, "%lu.%lu.%lu.%lu", FIRST_IPADDRESS(packed), SECOND_IPADDRESS(packed),
              THIRD_IPADDRESS(packed), FOURTH_IPADDRESS(packed));
  return CString(text);
}

BOOL CIPAddressCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
  return QelCreateControl(*this, WC_IPADDRESSA, 0, style, rect, parent, id);
}

void CIPAddressCtrl::SetAddress(BYTE f0, BYTE f1, BYTE f2, BYTE f3) {
  SendMessage(IPM_SETADDRESS, 0, MAKEIPADDRESS(f0, f1, f2, f3));
}
int CIPAddressCtrl::GetAddress(BYTE& f0, BYTE& f1, BYTE& f2, BYTE& f3) const {
  DWORD packed = 0;
  int filled = static_cast<int>(SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&packed)));
  f0 = FIRST_IPADDRESS(packed);
  f1 = SECOND_IPADDRESS(packed);
  f2 = THIRD_IPADDRESS(packed);
  f3 = FOURTH_IPADDRESS(packed);
  return filled;
}
void CIPAddressCtrl::ClearAddress() { SendMessage(IPM_CLEARADDRESS); }
BOOL CIPAddressCtrl::IsBlank() const { return SendMessage(IPM_ISBLANK) != 0; }

void CIPAddressCtrl::SetAddressText(const char* text) {
  DWORD packed = 0;
  if (QelParseDottedAddress(text, &packed))
    SendMessage(IPM_SETADDRESS, 0, static_cast<LPARAM>(packed));
  else
    ClearAddress();
}

CString CIPAddressCtrl::GetAddressText() const {
  DWORD packed = 0;
  SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&packed));
  return QelDottedAddress(packed);
}
