#include "pageoutfmt.h"

#include "actkinds.h"
#include "pageres.h"

IMPLEMENT_DYNCREATE(CPageOutFmt, CLinkPage)

CPageOutFmt::CPageOutFmt(CPicEditWnd* wnd, CAction* link) : CLinkPage(IDD_PAGE_OUTFMT, wnd), m_pLink(link) {}

void CPageOutFmt::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_OUTFMT_DECIMALS, m_nDecimals);
  DDV_MinMaxInt(dx, m_nDecimals, 0, 6);
}

BOOL CPageOutFmt::OnApply() {
  if (auto* link = LinkOfKinds<CActTagVal>(m_pLink, AK_TAGVALUE, AK_TAGVALUE)) {
    link->m_nDecimals = m_nDecimals;
    LinkWritten();
  }
  return TRUE;
}
