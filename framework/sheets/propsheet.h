// CPropertySheet: a modal property sheet of the platform (PropertySheetA)
// with OK, Cancel and Apply, run by the layer's modal loop.
//
//   CPropertySheet sheet("颜色-直接连接");
//   CPageExp exp(wnd, link);
//   sheet.AddPage(&exp);                              // borrowed
//   sheet.AddPage(RUNTIME_CLASS(CPageTrigger));       // made by class, owned
//   if (sheet.DoModal() == IDOK) ...
//
// The sheet is created modeless, its owner disabled while it runs and enabled
// again only if it was enabled; it ends when OK or Cancel closed it. Pages get
// their windows when first shown, so a page never shown gets no OnApply.
// DoModal answers IDOK only when the sheet was closed by its OK button (an
// Apply before a Cancel still answers IDCANCEL).
#pragma once
#include <windows.h>

#include <prsht.h>

#include <memory>
#include <vector>

#include "sheets/proppage.h"
#include "wnd.h"

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)

 public:
  explicit CPropertySheet(const char* caption = nullptr, HWND parent = nullptr, UINT startPage = 0);
  ~CPropertySheet() override;

  // A page that the caller keeps alive while the sheet runs.
  void AddPage(CPropertyPage* page);
  // A page made from its run-time class and owned by the sheet; nullptr when
  // the class makes no property page.
  CPropertyPage* AddPage(CRuntimeClass* pageClass);
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyPage* GetPage(int index) const;

  void SetTitle(const char* caption) { m_caption = caption; }
  // PSH_ flags added to the sheet's (PSH_NOAPPLYNOW and the like).
  DWORD m_dwFlags = 0;

  // IDOK or IDCANCEL; -1 when the sheet has no page or could not be made.
  virtual INT_PTR DoModal();

  // While the sheet runs: the page shown, by index.
  int GetActiveIndex() const;
  BOOL SetActivePage(int index);

  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  bool IsFinished() const;
  // Runs the platform's handling of an OK press and notes whether it closed the sheet.
  LRESULT PressOk();

  CString m_caption;
  HWND m_parent;
  UINT m_startPage;
  std::vector<CPropertyPage*> m_pages;
  std::vector<std::unique_ptr<CObject>> m_ownedPages;
  INT_PTR m_result = IDCANCEL;
};
