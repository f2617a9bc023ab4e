#include "pageroll.h"

#include "actkinds.h"
#include "pageres.h"

IMPLEMENT_DYNCREATE(CPageRoll, CLinkPage)

CPageRoll::CPageRoll(CPicEditWnd* wnd, CAction* link) : CLinkPage(IDD_PAGE_ROLL, wnd), m_pLink(link) {}

void CPageRoll::DoDataExchange(CDataExchange* dx) {
  DDX_RadioChoice(dx, IDC_ROLL_CONTINUOUS, m_nMode);
  DDX_Text(dx, IDC_ROLL_STEP, m_nStep);
  DDV_MinMaxInt(dx, m_nStep, 0, 360);
}

BOOL CPageRoll::OnApply() {
  if (auto* link = LinkOfKinds<CActRoll>(m_pLink, AK_ROLL, AK_ROLL)) {
    link->m_nSwing = m_nMode;
    link->m_nStep = m_nStep;
    LinkWritten();
  }
  return TRUE;
}
