#include "sheets/propsheet.h"

#include "controls/commoncontrols.h"
#include "dialogs/modalloop.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertySheet::CPropertySheet(const char* caption, HWND parent, UINT startPage)
    : m_caption(caption), m_parent(parent), m_startPage(startPage) {}

CPropertySheet::~CPropertySheet() {
  // The sheet's window (and with it every page window) goes before the pages.
  if (m_hWnd) DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (page) m_pages.push_back(page);
}

CPropertyPage* CPropertySheet::AddPage(CRuntimeClass* pageClass) {
  if (!pageClass || !pageClass->IsDerivedFrom(RUNTIME_CLASS(CPropertyPage))) return nullptr;
  std::unique_ptr<CObject> made(pageClass->CreateObject());
  auto* page = static_cast<CPropertyPage*>(made.get());
  if (!page) return nullptr;
  m_ownedPages.push_back(std::move(made));
  m_pages.push_back(page);
  return page;
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? m_pages[index] : nullptr;
}

bool CPropertySheet::IsFinished() const { return SendMessage(PSM_GETCURRENTPAGEHWND) == 0; }

INT_PTR CPropertySheet::DoModal() {
  if (m_hWnd || m_pages.empty()) return -1;
  QelInitCommonControls();
  std::vector<PROPSHEETPAGEA> records;
  for (CPropertyPage* page : m_pages) records.push_back(page->BuildPageRecord());

  CModalOwnerLock owner(QelModalOwner(m_parent));
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | m_dwFlags;
  header.hwndParent = owner.Owner();
  header.hInstance = QelGetResourceHandle();
  header.pszCaption = m_caption.GetString();
  header.nPages = static_cast<UINT>(records.size());
  header.nStartPage = m_startPage < header.nPages ? m_startPage : 0;
  header.ppsp = records.data();
  m_result = IDCANCEL;
  HWND sheet = reinterpret_cast<HWND>(::PropertySheetA(&header));
  if (!sheet || sheet == reinterpret_cast<HWND>(-1) || !SubclassWindow(sheet)) {
    if (sheet && sheet != reinterpret_cast<HWND>(-1)) ::DestroyWindow(sheet);
    return -1;
  }
  QelRunModalLoop(sheet, [this] { return IsFinished(); });
  QelLeaveModal(sheet, owner);
  DestroyWindow();
  return m_result;
}

int CPropertySheet::GetActiveIndex() const {
  HWND page = reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND));
  for (int i = 0; i < GetPageCount(); ++i)
    if (page && m_pages[i]->m_hWnd == page) return i;
  return -1;
}

BOOL CPropertySheet::SetActivePage(int index) {
  return index >= 0 && index < GetPageCount() && SendMessage(PSM_SETCURSEL, index) != 0;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* msg) {
  return QelIsInputFor(m_hWnd, msg) &&
         SendMessage(PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(msg)) != 0;
}

LRESULT CPropertySheet::PressOk() {
  LRESULT answer = Default();
  if (IsFinished()) m_result = IDOK;
  return answer;
}

LRESULT CPropertySheet::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  // OK reaches the sheet as a button's command or as a pressed-button request.
  if ((msg == WM_COMMAND && LOWORD(wp) == IDOK && HIWORD(wp) == BN_CLICKED) ||
      (msg == PSM_PRESSBUTTON && wp == PSBTN_OK))
    return PressOk();
  return CWnd::WindowProc(msg, wp, lp);
}
