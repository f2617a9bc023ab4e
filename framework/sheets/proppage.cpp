#include "sheets/proppage.h"

#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

INT_PTR CALLBACK QelPropertyPageProc(HWND hwnd, UINT msg, WPARAM, LPARAM lp) {
  if (msg != WM_INITDIALOG || !lp) return FALSE;
  auto* record = reinterpret_cast<const PROPSHEETPAGEA*>(lp);
  return CDialogAccess::Initialise(reinterpret_cast<CPropertyPage*>(record->lParam), hwnd);
}

CPropertyPage::CPropertyPage(UINT templateId, const char* caption)
    : CDialog(templateId), m_caption(caption) {}

PROPSHEETPAGEA CPropertyPage::BuildPageRecord() {
  PROPSHEETPAGEA record = {};
  record.dwSize = sizeof record;
  record.dwFlags = PSP_DEFAULT | (m_caption.IsEmpty() ? 0 : PSP_USETITLE);
  record.hInstance = QelGetResourceHandle();
  record.pszTemplate = MAKEINTRESOURCEA(m_templateId);
  record.pszTitle = m_caption.GetString();
  record.pfnDlgProc = QelPropertyPageProc;
  record.lParam = reinterpret_cast<LPARAM>(this);
  m_firstSetActive = true;
  return record;
}

void CPropertyPage::SetModified(BOOL changed) {
  HWND sheet = GetSheetWindow();
  if (sheet)
    ::SendMessageA(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CPropertyPage::OnSetActive() {
  if (m_firstSetActive)
    m_firstSetActive = false;  // OnInitDialog has just loaded the controls
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }
BOOL CPropertyPage::OnApply() { return TRUE; }
void CPropertyPage::OnReset() {}
BOOL CPropertyPage::OnQueryCancel() { return TRUE; }
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::PreTranslateMessage(MSG*) { return FALSE; }

bool CPropertyPage::OnSheetNotice(const NMHDR* header, LRESULT* result) {
  if (header->hwndFrom != GetSheetWindow()) return false;
  switch (header->code) {
    case PSN_SETACTIVE: *result = OnSetActive() ? 0 : -1; return true;
    case PSN_KILLACTIVE: *result = OnKillActive() ? FALSE : TRUE; return true;
    case PSN_APPLY: *result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE; return true;
    case PSN_RESET:
      OnReset();
      *result = 0;
      return true;
    case PSN_QUERYCANCEL: *result = OnQueryCancel() ? FALSE : TRUE; return true;
  }
  return false;
}

LRESULT CPropertyPage::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (msg == WM_NOTIFY && lp && OnSheetNotice(reinterpret_cast<const NMHDR*>(lp), &result)) {
    // The sheet may read the answer from the page's result slot.
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    return result;
  }
  return CDialog::WindowProc(msg, wp, lp);
}
