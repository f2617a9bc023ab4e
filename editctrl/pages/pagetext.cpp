#include "pagetext.h"

#include "drawobj.h"
#include "pageres.h"
#include "piceditwnd.h"

IMPLEMENT_DYNCREATE(CPageText, CLinkPage)

CPageText::CPageText(CPicEditWnd* wnd, CDrawObj* object) : CLinkPage(IDD_PAGE_TEXT, wnd), m_pObject(object) {}

void CPageText::DoDataExchange(CDataExchange* dx) { DDX_Text(dx, IDC_TEXT_EDIT, m_strText); }

BOOL CPageText::OnApply() {
  if (!m_pObject) return TRUE;
  m_pObject->SetText(m_strText);
  ++m_nWrites;
  if (m_pWnd) m_pWnd->InvalidateObject(m_pObject);
  return TRUE;
}
