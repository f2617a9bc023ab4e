#include "controls/toolbarctrl.h"

#include "controls/commoncontrols.h"

IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

TBBUTTON QelToolButton(int image, UINT command, BYTE style, INT_PTR text) {
  TBBUTTON button = {};
  button.iBitmap = image;
  button.idCommand = static_cast<int>(command);
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = style;
  button.iString = text;
  return button;
}

TBBUTTON QelToolSeparator() { return QelToolButton(0, 0, TBSTYLE_SEP); }

BOOL CToolBarCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
  if (!QelCreateControl(*this, TOOLBARCLASSNAMEA, 0, style, rect, parent, id)) return FALSE;
  SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  return TRUE;
}

void CToolBarCtrl::SetBitmapSize(int cx, int cy) { SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(cx, cy)); }
void CToolBarCtrl::SetButtonSize(int cx, int cy) { SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(cx, cy)); }
HIMAGELIST CToolBarCtrl::SetImageList(HIMAGELIST images) {
  return reinterpret_cast<HIMAGELIST>(SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)));
}
HIMAGELIST CToolBarCtrl::SetHotImageList(HIMAGELIST images) {
  return reinterpret_cast<HIMAGELIST>(SendMessage(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(images)));
}
HIMAGELIST CToolBarCtrl::SetDisabledImageList(HIMAGELIST images) {
  return reinterpret_cast<HIMAGELIST>(
      SendMessage(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(images)));
}
DWORD CToolBarCtrl::SetExtendedStyle(DWORD exStyle) {
  return static_cast<DWORD>(SendMessage(TB_SETEXTENDEDSTYLE, 0, exStyle));
}
int CToolBarCtrl::AddString(const char* text) {
  // The pool takes a list of texts ended by an empty one.
  CString list = CString(text ? text : "") + '\0';
  return static_cast<int>(SendMessage(TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(list.GetString())));
}
BOOL CToolBarCtrl::AddButtons(int count, const TBBUTTON* buttons) {
  return SendMessage(TB_ADDBUTTONSA, count, reinterpret_cast<LPARAM>(buttons)) != 0;
}
int CToolBarCtrl::GetButtonCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
int CToolBarCtrl::CommandToIndex(UINT command) const {
  return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, command));
}
BOOL CToolBarCtrl::GetItemRect(int index, RECT* rect) const {
  return SendMessage(TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect)) != 0;
}
BOOL CToolBarCtrl::ChangeBitmap(UINT command, int image) {
  return SendMessage(TB_CHANGEBITMAP, command, MAKELPARAM(image, 0)) != 0;
}

BOOL CToolBarCtrl::EnableButton(UINT command, BOOL enable) {
  return SendMessage(TB_ENABLEBUTTON, command, MAKELPARAM(enable ? TRUE : FALSE, 0)) != 0;
}
BOOL CToolBarCtrl::CheckButton(UINT command, BOOL check) {
  return SendMessage(TB_CHECKBUTTON, command, MAKELPARAM(check ? TRUE : FALSE, 0)) != 0;
}
BOOL CToolBarCtrl::IsButtonEnabled(UINT command) const {
  return SendMessage(TB_ISBUTTONENABLED, command) != 0;
}
BOOL CToolBarCtrl::IsButtonChecked(UINT command) const {
  return SendMessage(TB_ISBUTTONCHECKED, command) != 0;
}
void CToolBarCtrl::SetMaxTextRows(int rows) { SendMessage(TB_SETMAXTEXTROWS, rows); }
void CToolBarCtrl::AutoSize() { SendMessage(TB_AUTOSIZE); }
HWND CToolBarCtrl::GetToolTips() const { return reinterpret_cast<HWND>(SendMessage(TB_GETTOOLTIPS)); }
