#include "linksheet.h"

#include "piceditwnd.h"
#include "sheets/propsheet.h"

int RunLinkSheet(CPicEditWnd* wnd, const char* title, std::initializer_list<CPropertyPage*> pages) {
  CPropertySheet sheet(title, wnd ? wnd->m_hWnd : nullptr);
  for (CPropertyPage* page : pages) sheet.AddPage(page);
  return sheet.DoModal() == IDOK ? 1 : 0;
}
