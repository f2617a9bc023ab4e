#include "controls/listbox.h"

#include "controls/commoncontrols.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

BOOL CListBox::Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle) {
  return QelCreateControl(*this, "LISTBOX", exStyle, style, rect, parent, id);
}

int CListBox::AddString(const char* text) {
  return static_cast<int>(SendMessage(LB_ADDSTRING, 0, QelTextParam(text)));
}
int CListBox::InsertString(int index, const char* text) {
  return static_cast<int>(SendMessage(LB_INSERTSTRING, index, QelTextParam(text)));
}
int CListBox::DeleteString(int index) { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT); }
int CListBox::GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
int CListBox::GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
int CListBox::SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, index)); }
CString CListBox::GetText(int index) const {
  return QelGetIndexedText(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, index);
}
int CListBox::SetItemData(int index, DWORD_PTR data) {
  return static_cast<int>(SendMessage(LB_SETITEMDATA, index, static_cast<LPARAM>(data)));
}
DWORD_PTR CListBox::GetItemData(int index) const {
  return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, index));
}
int CListBox::GetItemHeight(int index) const {
  return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, index));
}
int CListBox::FindStringExact(int start, const char* text) const {
  return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, start, QelTextParam(text)));
}
int CListBox::GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
