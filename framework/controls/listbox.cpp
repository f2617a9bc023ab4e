#include "controls/listbox.h"

#include "controls/commoncontrols.h"

IMPLEMENT_DYNAMIC(CListBox, CStringListCtrl)

namespace {
// In the order of StringListMessages.
const StringListMessages kListBoxMessages = {
    LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_GETCOUNT,    LB_GETCURSEL,
    LB_SETCURSEL, LB_GETTEXTLEN,   LB_GETTEXT,      LB_SETITEMDATA,  LB_GETITEMDATA, LB_FINDSTRINGEXACT};
}  // namespace

CListBox::CListBox() : CStringListCtrl(kListBoxMessages) {}

BOOL CListBox::Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle) {
  return QelCreateControl(*this, "LISTBOX", exStyle, style, rect, parent, id);
}

int CListBox::GetItemHeight(int index) const {
  return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, index));
}
int CListBox::GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
