// CPropertyPage: one page of a property sheet, a child dialog made from a
// template of the page's own module when the sheet first shows it.
//
// The sheet talks to its pages through notices, each turned into a virtual:
//   OnSetActive   the page is about to be shown (FALSE keeps it hidden); after
//                 the first time the default loads the fields into the controls
//   OnKillActive  the page is about to be left, also before an apply; the
//                 default takes the fields back (UpdateData(TRUE)), and a
//                 refused field keeps the page and the sheet open
//   OnApply       OK or Apply: only pages whose window was created get it;
//                 FALSE keeps the sheet open on that page
//   OnReset       the sheet is cancelled (created pages only)
//   OnQueryCancel FALSE keeps the sheet open when Cancel is pressed
// SetModified tells the sheet to enable (or, when no page is modified any
// longer, disable) its Apply button.
//
// Pages are made with their own constructor, or by run-time class
// (DECLARE_DYNCREATE) through CPropertySheet::AddPage(RUNTIME_CLASS(...)).
#pragma once
#include <windows.h>

#include <prsht.h>

#include "dialogs/dialog.h"

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)

 public:
  // caption nullptr: the template's caption is the tab's text.
  explicit CPropertyPage(UINT templateId, const char* caption = nullptr);

  void SetModified(BOOL changed = TRUE);
  // The sheet the page is shown in, once its window exists.
  HWND GetSheetWindow() const { return GetParent(); }

  // The platform's description of this page (its module's template, this
  // object as the page's data). Virtual, so that a page of another module is
  // described by that module.
  virtual PROPSHEETPAGEA BuildPageRecord();

  virtual BOOL OnSetActive();
  virtual BOOL OnKillActive();
  virtual BOOL OnApply();
  virtual void OnReset();
  virtual BOOL OnQueryCancel();

  // The sheet handles the keys of its pages.
  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  // A page ends nothing itself: OK and Cancel belong to the sheet.
  void OnOK() override;
  void OnCancel() override;

 private:
  // The answer to a notice of the sheet; false when it is not one.
  bool OnSheetNotice(const NMHDR* header, LRESULT* result);

  CString m_caption;
  bool m_firstSetActive = true;
};

// The dialog procedure of every page: it attaches the page handed over in the
// page record with WM_INITDIALOG.
INT_PTR CALLBACK QelPropertyPageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
