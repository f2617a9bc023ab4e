#include "pageperfill.h"

#include "actkinds.h"
#include "pageres.h"

IMPLEMENT_DYNCREATE(CPagePerFill, CLinkPage)

CPagePerFill::CPagePerFill(CPicEditWnd* wnd, CAction* link)
    : CLinkPage(IDD_PAGE_PERFILL, wnd), m_pLink(link) {}

BOOL CPagePerFill::OnInitDialog() {
  m_swatch.SubclassDlgItem(IDC_PERFILL_COLOR, m_hWnd);
  return CLinkPage::OnInitDialog();
}

void CPagePerFill::DoDataExchange(CDataExchange* dx) {
  DDX_RadioChoice(dx, IDC_PERFILL_UP, m_nDirection);
  DDX_Text(dx, IDC_PERFILL_MIN, m_dMinimum);
  DDX_Text(dx, IDC_PERFILL_MAX, m_dMaximum);
}

BOOL CPagePerFill::OnApply() {
  if (auto* link = LinkOfKinds<CActPerFill>(m_pLink, AK_PERFILL, AK_PERFILL)) {
    link->m_dMinimum = m_dMinimum;
    link->m_dMaximum = m_dMaximum;
    link->m_nDirection = m_nDirection;
    link->m_clrFill = GetFillColor();
    LinkWritten();
  }
  return TRUE;
}
