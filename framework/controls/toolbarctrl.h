// CToolBarCtrl: the platform's toolbar control, its buttons and image lists.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "wnd.h"

class CToolBarCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolBarCtrl)

 public:
  // A toolbar child (TBSTYLE_ and CCS_ styles in style).
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

  void SetBitmapSize(int cx, int cy);
  void SetButtonSize(int cx, int cy);
  // The three image lists stay the caller's; the toolbar only shows them.
  HIMAGELIST SetImageList(HIMAGELIST images);
  HIMAGELIST SetHotImageList(HIMAGELIST images);
  HIMAGELIST SetDisabledImageList(HIMAGELIST images);
  DWORD SetExtendedStyle(DWORD exStyle);
  // Adds a text to the toolbar's string pool; its index, -1 on failure.
  int AddString(const char* text);
  BOOL AddButtons(int count, const TBBUTTON* buttons);
  int GetButtonCount() const;
  int CommandToIndex(UINT command) const;
  BOOL GetItemRect(int index, RECT* rect) const;
  // Shows another image on the button of a command.
  BOOL ChangeBitmap(UINT command, int image);

  BOOL EnableButton(UINT command, BOOL enable = TRUE);
  BOOL CheckButton(UINT command, BOOL check = TRUE);
  BOOL IsButtonEnabled(UINT command) const;
  BOOL IsButtonChecked(UINT command) const;
  void SetMaxTextRows(int rows);
  void AutoSize();
  HWND GetToolTips() const;
};

// A button record: an image, a command, the TBSTYLE_ style and a text from
// the string pool (-1 for none); enabled.
TBBUTTON QelToolButton(int image, UINT command, BYTE style = TBSTYLE_BUTTON, INT_PTR text = -1);
// A separator record.
TBBUTTON QelToolSeparator();
