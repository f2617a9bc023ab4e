// CIPAddressCtrl: the platform's IP address control.
//
// Its text is always read as the four fields in dotted form, a blank field
// counting as 0, so an empty control reads "0.0.0.0" on every platform
// version (the control's own WM_GETTEXT differs between them).
#pragma once
#include "wnd.h"

class CIPAddressCtrl : public CWnd {
  DECLARE_DYNAMIC(CIPAddressCtrl)

 public:
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

  void SetAddress(BYTE f0, BYTE f1, BYTE f2, BYTE f3);
  // The four fields; the result is the number of fields that are not blank.
  int GetAddress(BYTE& f0, BYTE& f1, BYTE& f2, BYTE& f3) const;
  void ClearAddress();
  BOOL IsBlank() const;

  // Shows a dotted address "a.b.c.d" (each 0 to 255); any other text blanks the control.
  void SetAddressText(const char* text);
  // "a.b.c.d" with blank fields as 0.
  CString GetAddressText() const;
};

// The packed form as "a.b.c.d".
CString QelDottedAddress(DWORD packed);

// Reads a dotted address of four decimal fields 0 to 255 into the packed form
// of the control (first field in the high byte); FALSE for anything else.
BOOL QelParseDottedAddress(const char* text, DWORD* packed);
