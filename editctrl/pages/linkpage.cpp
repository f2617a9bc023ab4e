#include "linkpage.h"

#include "qel/picmsg.h"
#include "piceditwnd.h"

IMPLEMENT_DYNAMIC(CLinkPage, CPropertyPage)

CLinkPage::CLinkPage(UINT templateId, CPicEditWnd* wnd) : CPropertyPage(templateId), m_pWnd(wnd) {}

BOOL CLinkPage::OnInitDialog() {
  CLoadingScope loading(*this);
  return CPropertyPage::OnInitDialog();
}

BOOL CLinkPage::OnSetActive() {
  CLoadingScope loading(*this);
  return CPropertyPage::OnSetActive();
}

bool CLinkPage::OnCommand(UINT, UINT code, HWND control) {
  if (!control || (code != EN_CHANGE && code != BN_CLICKED)) return false;
  if (!IsLoading()) SetModified();
  return true;
}

LRESULT CLinkPage::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == QCCN_CHANGED) {
    if (!IsLoading()) SetModified();
    return 0;
  }
  return CPropertyPage::WindowProc(msg, wp, lp);
}

void CLinkPage::ShowText(int id, const char* text) {
  CLoadingScope loading(*this);
  SetDlgItemText(id, text);
}

void CLinkPage::ShowItem(int id, bool show) {
  if (HWND item = GetDlgItem(id)) ::ShowWindow(item, show ? SW_SHOW : SW_HIDE);
}

void CLinkPage::LinkWritten() {
  if (!m_pWnd) return;
  m_pWnd->NotifyActions();
  m_pWnd->SetModified();
}

void DDX_RadioChoice(CDataExchange* dx, int firstId, int& choice) {
  int checked = choice;
  DDX_Radio(dx, firstId, checked);
  if (checked >= 0) choice = checked;
}
