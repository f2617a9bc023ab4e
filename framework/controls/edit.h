// CEdit: the platform's edit control.
#pragma once
#include "wnd.h"

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)

 public:
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle = 0);

  // Selection as byte positions; end -1 selects to the end.
  void SetSel(int start, int end, BOOL noScroll = FALSE);
  void GetSel(int& start, int& end) const;
  void ReplaceSel(const char* text, BOOL canUndo = FALSE);
  // Limits what the user may type (the control counts characters).
  void LimitText(int max);
  void SetReadOnly(BOOL readOnly = TRUE);
  BOOL GetModify() const;
  void SetModify(BOOL modified = TRUE);

  int GetLineCount() const;
  // The position of the first character of a line (-1: the caret's line).
  int LineIndex(int line = -1) const;
  int LineFromChar(int pos = -1) const;
  // The text of a line, without its line end.
  CString GetLine(int line) const;

  void Undo();
  void Cut();
  void Copy();
  void Paste();
  void Clear();
};
