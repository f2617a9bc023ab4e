#include "controls/combobox.h"

#include "controls/commoncontrols.h"

IMPLEMENT_DYNAMIC(CComboBox, CStringListCtrl)

namespace {
// In the order of StringListMessages.
const StringListMessages kComboBoxMessages = {
    CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETCOUNT,    CB_GETCURSEL,
    CB_SETCURSEL, CB_GETLBTEXTLEN, CB_GETLBTEXT,    CB_SETITEMDATA,  CB_GETITEMDATA, CB_FINDSTRINGEXACT};
}  // namespace

CComboBox::CComboBox() : CStringListCtrl(kComboBoxMessages) {}

BOOL CComboBox::Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle) {
  return QelCreateControl(*this, "COMBOBOX", exStyle, style, rect, parent, id);
}

int CComboBox::SelectString(int start, const char* text) {
  return static_cast<int>(SendMessage(CB_SELECTSTRING, start, QelTextParam(text)));
}
void CComboBox::ShowDropDown(BOOL show) { SendMessage(CB_SHOWDROPDOWN, show); }
BOOL CComboBox::GetDroppedState() const { return SendMessage(CB_GETDROPPEDSTATE) != 0; }
void CComboBox::LimitText(int max) { SendMessage(CB_LIMITTEXT, max); }
