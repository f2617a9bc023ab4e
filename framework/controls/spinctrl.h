// CSpinButtonCtrl: the platform's up-down control.
#pragma once
#include "wnd.h"

class CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)

 public:
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

  void SetRange(int lower, int upper);
  void GetRange(int& lower, int& upper) const;
  int SetPos(int pos);
  // The position; *error (when given) is TRUE when the buddy's text is no number.
  int GetPos(BOOL* error = nullptr) const;
  HWND SetBuddy(HWND buddy);
  HWND GetBuddy() const;
};
