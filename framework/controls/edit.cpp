#include "controls/edit.h"

#include <vector>

#include "controls/commoncontrols.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BOOL CEdit::Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle) {
  return QelCreateControl(*this, "EDIT", exStyle, style, rect, parent, id);
}

void CEdit::SetSel(int start, int end, BOOL noScroll) {
  SendMessage(EM_SETSEL, start, end);
  if (!noScroll) SendMessage(EM_SCROLLCARET);
}
void CEdit::GetSel(int& start, int& end) const {
  DWORD s = 0, e = 0;
  SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  start = static_cast<int>(s);
  end = static_cast<int>(e);
}
void CEdit::ReplaceSel(const char* text, BOOL canUndo) {
  SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text ? text : ""));
}
void CEdit::LimitText(int max) { SendMessage(EM_LIMITTEXT, max); }
void CEdit::SetReadOnly(BOOL readOnly) { SendMessage(EM_SETREADONLY, readOnly); }
BOOL CEdit::GetModify() const { return SendMessage(EM_GETMODIFY) != 0; }
void CEdit::SetModify(BOOL modified) { SendMessage(EM_SETMODIFY, modified); }

int CEdit::GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
int CEdit::LineIndex(int line) const { return static_cast<int>(SendMessage(EM_LINEINDEX, line)); }
int CEdit::LineFromChar(int pos) const { return static_cast<int>(SendMessage(EM_LINEFROMCHAR, pos)); }
CString CEdit::GetLine(int line) const {
  int start = LineIndex(line);
  if (start < 0) return CString();
  // The control counts characters; a GBK character takes up to two bytes.
  int bytes = static_cast<int>(SendMessage(EM_LINELENGTH, start)) * 2;
  // EM_GETLINE takes the buffer's size in its first word.
  std::vector<char> buf(bytes + sizeof(WORD) + 1, 0);
  *reinterpret_cast<WORD*>(buf.data()) = static_cast<WORD>(bytes + 1);
  LRESULT got = SendMessage(EM_GETLINE, line, reinterpret_cast<LPARAM>(buf.data()));
  return CString(buf.data(), got > 0 && got <= bytes ? static_cast<int>(got) : 0);
}

void CEdit::Undo() { SendMessage(EM_UNDO); }
void CEdit::Cut() { SendMessage(WM_CUT); }
void CEdit::Copy() { SendMessage(WM_COPY); }
void CEdit::Paste() { SendMessage(WM_PASTE); }
void CEdit::Clear() { SendMessage(WM_CLEAR); }
