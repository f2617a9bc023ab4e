#include "controls/stringlist.h"

#include "controls/commoncontrols.h"

IMPLEMENT_DYNAMIC(CStringListCtrl, CWnd)

int CStringListCtrl::AddString(const char* text) {
  return static_cast<int>(SendMessage(m_messages.add, 0, QelTextParam(text)));
}
int CStringListCtrl::InsertString(int index, const char* text) {
  return static_cast<int>(SendMessage(m_messages.insert, index, QelTextParam(text)));
}
int CStringListCtrl::DeleteString(int index) {
  return static_cast<int>(SendMessage(m_messages.remove, index));
}
void CStringListCtrl::ResetContent() { SendMessage(m_messages.reset); }
int CStringListCtrl::GetCount() const { return static_cast<int>(SendMessage(m_messages.count)); }
int CStringListCtrl::GetCurSel() const { return static_cast<int>(SendMessage(m_messages.getSelection)); }
int CStringListCtrl::SetCurSel(int index) {
  return static_cast<int>(SendMessage(m_messages.setSelection, index));
}
int CStringListCtrl::SetItemData(int index, DWORD_PTR data) {
  return static_cast<int>(SendMessage(m_messages.setData, index, static_cast<LPARAM>(data)));
}
DWORD_PTR CStringListCtrl::GetItemData(int index) const {
  return static_cast<DWORD_PTR>(SendMessage(m_messages.getData, index));
}
int CStringListCtrl::FindStringExact(int start, const char* text) const {
  return static_cast<int>(SendMessage(m_messages.findExact, start, QelTextParam(text)));
}
CString CStringListCtrl::ItemText(int index) const {
  return QelGetIndexedText(m_hWnd, m_messages.textLength, m_messages.text, index);
}
