#include "optionedits.h"

#include <algorithm>

#include "listoptionsctrl.h"

IMPLEMENT_DYNCREATE(CListOptionsEdit, CEdit)
IMPLEMENT_DYNCREATE(CListOptionsCombo, CComboBox)
IMPLEMENT_DYNCREATE(CListOptionsFontNameCombo, CListOptionsCombo)
IMPLEMENT_DYNCREATE(CListOptionsBooleanCombo, CListOptionsCombo)
IMPLEMENT_DYNCREATE(CListOptionsSpinCtrl, CSpinButtonCtrl)

namespace {

// The keys that end or move an edit instead of editing the text.
bool IsEditEndKey(WPARAM key) { return key == VK_RETURN || key == VK_ESCAPE; }

// What a text editor's window does for the list: keys that end the edit go
// to the list instead of the control (and their characters are dropped),
// the dialog around the list leaves every key to the editor, and the focus
// leaving it may end the edit. handled false: the control's own handling.
LRESULT TextEditorMessage(CWnd& wnd, CListOptionsCtrl* list, UINT msg, WPARAM wp, LPARAM lp, bool arrows,
                          bool* handled) {
  *handled = true;
  switch (msg) {
    case WM_GETDLGCODE: return wnd.DefWindowProc(msg, wp, lp) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      if (IsEditEndKey(wp) || (arrows && (wp == VK_UP || wp == VK_DOWN))) {
        list->OnEditorKey(static_cast<UINT>(wp));
        return 0;
      }
      break;
    case WM_CHAR:
      if (IsEditEndKey(wp)) return 0;
      break;
    case WM_KILLFOCUS: {
      const LRESULT result = wnd.DefWindowProc(msg, wp, lp);
      list->OnEditorFocusLost(reinterpret_cast<HWND>(wp));
      return result;
    }
  }
  *handled = false;
  return 0;
}

}  // namespace

// ---- the edit box ----------------------------------------------------------------------

BOOL CListOptionsEdit::OpenEditor(CListOptionsCtrl* list, int row, const RECT& rect) {
  m_list = list;
  m_row = row;
  if (!Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rect, list->m_hWnd, kOptionEditorId, WS_EX_CLIENTEDGE))
    return FALSE;
  SetFont(list->GetFont());
  SetEditorText(list->GetValueText(row));
  return TRUE;
}

bool CListOptionsEdit::GetEditorText(CString* text) const {
  GetWindowText(*text);
  return true;
}

void CListOptionsEdit::SetEditorText(const CString& text) {
  SetWindowText(text);
  SetSel(0, -1);
}

LRESULT CListOptionsEdit::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  bool handled = false;
  const LRESULT result = TextEditorMessage(*this, m_list, msg, wp, lp, true, &handled);
  return handled ? result : CEdit::WindowProc(msg, wp, lp);
}

// ---- the combos ------------------------------------------------------------------------

LRESULT CListOptionsComboEdit::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  // With its choices open, Enter and Esc close them as the combo does.
  if ((msg == WM_KEYDOWN || msg == WM_CHAR) && IsEditEndKey(wp) && m_combo->GetDroppedState())
    return CWnd::WindowProc(msg, wp, lp);
  bool handled = false;
  const LRESULT result = TextEditorMessage(*this, m_combo->GetList(), msg, wp, lp, false, &handled);
  return handled ? result : CWnd::WindowProc(msg, wp, lp);
}

CListOptionsCombo::CListOptionsCombo() : m_edit(this) {}

BOOL CListOptionsCombo::OpenEditor(CListOptionsCtrl* list, int row, const RECT& rect) {
  m_list = list;
  m_row = row;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | ExtraStyle();
  RECT dropped = rect;
  dropped.bottom += kDropDownHeight;
  if (!Create(style, dropped, list->m_hWnd, kOptionEditorId)) return FALSE;
  SetFont(list->GetFont());
  FitToCell(rect);
  FillChoices();
  if (HWND edit = ::GetWindow(m_hWnd, GW_CHILD)) m_edit.SubclassWindow(edit);
  SetEditorText(list->GetValueText(row));
  return TRUE;
}

// The platform makes the field as tall as the font again whenever the
// combo is sized.
void CListOptionsCombo::PlaceEditor(const RECT& cell) {
  MoveWindow(cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top + kDropDownHeight);
  FitToCell(cell);
}

void CListOptionsCombo::FitToCell(const RECT& cell) {
  const int frame = ::GetSystemMetrics(SM_CYEDGE) * 2 + 2;
  SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
              std::max(1, static_cast<int>(cell.bottom - cell.top) - frame));
}

bool CListOptionsCombo::GetEditorText(CString* text) const {
  GetWindowText(*text);
  return true;
}

// The cell's choice selected, or the cell's text in the edit part.
void CListOptionsCombo::SetEditorText(const CString& text) {
  const int index = FindStringExact(-1, text);
  if (index >= 0 && GetLBText(index) == text)
    SetCurSel(index);
  else {
    SetCurSel(-1);
    SetWindowText(text);
  }
  SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

HWND CListOptionsCombo::FocusWindow() const { return m_edit.m_hWnd ? m_edit.m_hWnd : m_hWnd; }

bool CListOptionsCombo::OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  // A choice made in the list: the combo puts it into its edit part after
  // this notice, so the edit finishes once the combo is done.
  if (msg == WM_COMMAND && HIWORD(wp) == CBN_SELENDOK && m_list) {
    m_list->PostFinishEdit();
    *result = 0;
    return true;
  }
  return CComboBox::OnChildNotify(msg, wp, lp, result);
}

namespace {

int CALLBACK AddFaceName(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM combo) {
  auto* box = reinterpret_cast<CComboBox*>(combo);
  if (box->FindStringExact(-1, font->lfFaceName) < 0) box->AddString(font->lfFaceName);
  return 1;
}

}  // namespace

void CListOptionsFontNameCombo::FillChoices() {
  LOGFONTA every = {};
  every.lfCharSet = DEFAULT_CHARSET;
  HDC screen = ::GetDC(nullptr);
  ::EnumFontFamiliesExA(screen, &every, AddFaceName, reinterpret_cast<LPARAM>(static_cast<CComboBox*>(this)),
                        0);
  ::ReleaseDC(nullptr, screen);
}

// ---- the spin control ----------------------------------------------------------------

BOOL CListOptionsSpinCtrl::OpenEditor(CListOptionsCtrl* list, int row, const RECT& rect) {
  m_list = list;
  m_row = row;
  const DWORD style = WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS;
  if (!Create(style, rect, list->m_hWnd, kOptionBuddyId)) return FALSE;
  const COptionItem& item = list->GetRowItem(row);
  SetRange(item.spinLower, item.spinUpper);
  return TRUE;
}

int CListOptionsSpinCtrl::BuddyWidth(int) const { return ::GetSystemMetrics(SM_CXVSCROLL); }

// The arrows start from the number in the edit box.
void CListOptionsSpinCtrl::AttachTo(CWnd* editor) {
  if (!editor) return;
  SetBuddy(editor->m_hWnd);
  const COptionItem& item = m_list->GetRowItem(m_row);
  const int value = DecimalValue(m_list->GetValueText(m_row));
  SendMessage(UDM_SETPOS32, 0, std::min(std::max(value, item.spinLower), item.spinUpper));
  editor->SetWindowText(m_list->GetValueText(m_row));  // the text stays the cell's until stepped
  if (auto* edit = dynamic_cast<CEdit*>(editor)) edit->SetSel(0, -1);
}
