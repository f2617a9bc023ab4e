#include "pagetrigger.h"

#include "pageres.h"

IMPLEMENT_DYNCREATE(CPageTrigger, CLinkPage)

CPageTrigger::CPageTrigger(CPicEditWnd* wnd, CAction* link)
    : CLinkPage(IDD_PAGE_TRIGGER, wnd), m_pLink(link) {}

void CPageTrigger::ServeScriptDialog(CTriggerHolder* dialog) {
  m_pScriptDlg = dialog;
  m_bForScript = dialog != nullptr;
}

BOOL CPageTrigger::OnInitDialog() {
  const BOOL result = CLinkPage::OnInitDialog();
  ShowPeriod(m_nTrigger != AT_PICTURE_CYCLE);
  return result;
}

void CPageTrigger::DoDataExchange(CDataExchange* dx) {
  DDX_RadioChoice(dx, IDC_TRIGGER_PICTURE, m_nTrigger);
  // A hidden period is the picture cycle's: it neither counts nor blocks.
  if (dx->m_bSaveAndValidate && m_nTrigger != AT_OWN_PERIOD) return;
  DDX_Text(dx, IDC_TRIGGER_PERIOD, m_nPeriod);
  DDV_MinMaxInt(dx, m_nPeriod, kMinPeriod, kMaxPeriod);
}

bool CPageTrigger::OnCommand(UINT id, UINT code, HWND control) {
  if (code == BN_CLICKED && (id == IDC_TRIGGER_PICTURE || id == IDC_TRIGGER_OWN))
    ShowPeriod(id == IDC_TRIGGER_OWN);
  return CLinkPage::OnCommand(id, code, control);
}

void CPageTrigger::ShowPeriod(bool show) {
  ShowItem(IDC_TRIGGER_PERIOD, show);
  ShowItem(IDC_TRIGGER_MS, show);
}

BOOL CPageTrigger::OnApply() {
  if (m_bForScript && m_pScriptDlg) m_pScriptDlg->TakeTrigger(m_nTrigger, m_nPeriod);
  if (!m_pLink) return TRUE;
  m_pLink->m_nTrigger = m_nTrigger;
  m_pLink->m_nPeriod = m_nPeriod;
  LinkWritten();
  return TRUE;
}
