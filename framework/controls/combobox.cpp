#include "controls/combobox.h"

#include "controls/commoncontrols.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

BOOL CComboBox::Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle) {
  return QelCreateControl(*this, "COMBOBOX", exStyle, style, rect, parent, id);
}

int CComboBox::AddString(const char* text) {
  return static_cast<int>(SendMessage(CB_ADDSTRING, 0, QelTextParam(text)));
}
int CComboBox::InsertString(int index, const char* text) {
  return static_cast<int>(SendMessage(CB_INSERTSTRING, index, QelTextParam(text)));
}
int CComboBox::DeleteString(int index) { return static_cast<int>(SendMessage(CB_DELETESTRING, index)); }
void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }
int CComboBox::GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
int CComboBox::SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, index)); }
CString CComboBox::GetLBText(int index) const {
  return QelGetIndexedText(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}
int CComboBox::SetItemData(int index, DWORD_PTR data) {
  return static_cast<int>(SendMessage(CB_SETITEMDATA, index, static_cast<LPARAM>(data)));
}
DWORD_PTR CComboBox::GetItemData(int index) const {
  return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, index));
}
int CComboBox::FindStringExact(int start, const char* text) const {
  return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, start, QelTextParam(text)));
}
int CComboBox::SelectString(int start, const char* text) {
  return static_cast<int>(SendMessage(CB_SELECTSTRING, start, QelTextParam(text)));
}
void CComboBox::ShowDropDown(BOOL show) { SendMessage(CB_SHOWDROPDOWN, show); }
BOOL CComboBox::GetDroppedState() const { return SendMessage(CB_GETDROPPEDSTATE) != 0; }
void CComboBox::LimitText(int max) { SendMessage(CB_LIMITTEXT, max); }
