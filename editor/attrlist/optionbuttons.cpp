#include "optionbuttons.h"

#include <algorithm>

#include "colorpopup.h"
#include "dialogs/commondlg.h"
#include "gdiwrap.h"
#include "listoptionsctrl.h"
#include "optionedits.h"
#include "qel/picmsg.h"

IMPLEMENT_DYNCREATE(CListOptionsBrowseButton, CWnd)
IMPLEMENT_DYNCREATE(CListOptionsColorButton, CWnd)
IMPLEMENT_DYNCREATE(CListOptionsFontButton, CWnd)

// ---- every button ------------------------------------------------------------------

BOOL CListOptionsButton::OpenEditor(CListOptionsCtrl* list, int row, const RECT& rect) {
  m_list = list;
  m_row = row;
  if (!CreateEx(0, "BUTTON", ButtonText(), WS_CHILD | WS_VISIBLE | ButtonStyle(), rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top, list->m_hWnd,
                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ButtonId()))))
    return FALSE;
  SetFont(list->GetFont());
  return TRUE;
}

UINT CListOptionsButton::ButtonId() const { return kOptionEditorId; }

bool CListOptionsButton::IsListEditor() const {
  return m_list && m_list->GetEditor() == static_cast<const CWnd*>(this);
}

bool CListOptionsButton::OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
    *result = 0;
    OnClicked();  // may close this editor: nothing of it is touched afterwards
    return true;
  }
  return CWnd::OnChildNotify(msg, wp, lp, result);
}

LRESULT CListOptionsButton::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_KILLFOCUS) {
    const LRESULT result = CWnd::WindowProc(msg, wp, lp);
    m_list->OnEditorFocusLost(reinterpret_cast<HWND>(wp));
    return result;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

// ---- the browse button ---------------------------------------------------------------

UINT CListOptionsBrowseButton::ButtonId() const { return kOptionBuddyId; }

void CListOptionsBrowseButton::OnClicked() { m_list->Browse(m_row); }

// ---- the colour button ---------------------------------------------------------------

void CListOptionsColorButton::OnClicked() {
  RECT button;
  GetWindowRect(&button);
  const COptionItem& item = m_list->GetRowItem(m_row);
  const COLORREF automatic = item.allowNoColor ? CColorPopup::kNoColor : 0;
  m_list->SetBusy(true);
  if (!CColorPopup::Create(POINT{button.left, button.bottom}, item.color, m_hWnd, CColorPopup::kAutomaticText,
                           CColorPopup::kMoreColorsText, automatic))
    m_list->SetBusy(false);
}

void CListOptionsColorButton::OnPopupEnded(COLORREF color, bool chosen) {
  CListOptionsCtrl* list = m_list;
  const int row = m_row;
  const bool current = IsListEditor();
  list->SetBusy(false);
  if (chosen && current) list->CommitColor(row, color);
}

LRESULT CListOptionsColorButton::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case QCPN_SELENDOK: OnPopupEnded(static_cast<COLORREF>(wp), true); return 0;
    case QCPN_SELENDCANCEL: OnPopupEnded(static_cast<COLORREF>(wp), false); return 0;
    case QCPN_SELCHANGE: return 0;
  }
  return CListOptionsButton::WindowProc(msg, wp, lp);
}

bool CListOptionsColorButton::OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg == WM_DRAWITEM) {
    Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    *result = TRUE;
    return true;
  }
  return CListOptionsButton::OnChildNotify(msg, wp, lp, result);
}

// A framed box of the colour (crossed out for no colour), then the cell's text.
void CListOptionsColorButton::Draw(const DRAWITEMSTRUCT& item) {
  if (m_row >= m_list->GetRowCount()) return;  // closed: the list holds other rows now
  CDC dc(item.hDC);
  RECT area = item.rcItem;
  dc.FillSolidRect(area, ::GetSysColor(COLOR_WINDOW));
  const COptionItem& row = m_list->GetRowItem(m_row);
  const int side = std::max(0, static_cast<int>(area.bottom - area.top) - 4);
  RECT box = {area.left + 2, area.top + 2, area.left + 2 + side, area.top + 2 + side};
  CBrush frame;
  frame.CreateSolidBrush(::GetSysColor(COLOR_WINDOWTEXT));
  if (row.color == CColorPopup::kNoColor) {
    dc.FillSolidRect(box, ::GetSysColor(COLOR_WINDOW));
    dc.MoveTo(box.left, box.bottom - 1);
    dc.LineTo(box.right, box.top - 1);
  } else {
    dc.FillSolidRect(box, row.color & 0x00FFFFFF);
  }
  ::FrameRect(dc, &box, frame);
  RECT text = {box.right + 4, area.top, area.right, area.bottom};
  CSelectGdi font(dc, GetFont());
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
  const CString value = m_list->GetValueText(m_row);
  ::DrawTextA(dc, value, value.GetLength(), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &area);
}

// ---- the font button -----------------------------------------------------------------

BOOL CListOptionsFontButton::OpenEditor(CListOptionsCtrl* list, int row, const RECT& rect) {
  if (!CListOptionsButton::OpenEditor(list, row, rect)) return FALSE;
  SetWindowText(list->GetValueText(row));
  return TRUE;
}

// The list keeps this button while the dialog is open (it is busy), so the
// button is still there when the dialog ends, though maybe no longer the
// list's editor.
void CListOptionsFontButton::OnClicked() {
  CListOptionsCtrl* list = m_list;
  const int row = m_row;
  CFontDialog dialog(&list->GetRowItem(row).font, CF_EFFECTS, m_hWnd);
  list->SetBusy(true);
  const bool chosen = dialog.DoModal() == IDOK;
  const bool current = IsListEditor();
  list->SetBusy(false);
  if (chosen && current) list->CommitFont(row, dialog.GetLogFont());
}
