#include "pagepointer.h"

#include "actkinds.h"
#include "pageres.h"

IMPLEMENT_DYNCREATE(CPagePointer, CLinkPage)

CPagePointer::CPagePointer(CPicEditWnd* wnd, CAction* link)
    : CLinkPage(IDD_PAGE_POINTER, wnd), m_pLink(link) {}

void CPagePointer::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_POINTER_MIN, m_dMinimum);
  DDX_Text(dx, IDC_POINTER_MIN_ANGLE, m_nMinAngle);
  DDV_MinMaxInt(dx, m_nMinAngle, 0, 360);
  DDX_Text(dx, IDC_POINTER_MAX, m_dMaximum);
  DDX_Text(dx, IDC_POINTER_MAX_ANGLE, m_nMaxAngle);
  DDV_MinMaxInt(dx, m_nMaxAngle, 0, 360);
}

BOOL CPagePointer::OnApply() {
  if (auto* link = LinkOfKinds<CActPointer>(m_pLink, AK_POINTER, AK_POINTER)) {
    link->m_dMinimum = m_dMinimum;
    link->m_dMaximum = m_dMaximum;
    link->m_nStartAngle = m_nMinAngle;
    link->m_nEndAngle = m_nMaxAngle;
    LinkWritten();
  }
  return TRUE;
}
