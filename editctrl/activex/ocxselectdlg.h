// COcxSelectDlg (dialog 5010 "选择OCX控件"): the ActiveX control picker. It
// lists the registered controls by their names; OK takes the chosen one's
// class identifier.
#pragma once
#include <windows.h>

#include <vector>

#include "activex/ocxcatalog.h"
#include "controls/listbox.h"
#include "dialogs/dialog.h"

class COcxSelectDlg : public CDialog {
 public:
  // The picker holds the class identifiers of this many controls; later
  // ones are listed but cannot be chosen.
  static constexpr int kMaxClasses = 1024;

  explicit COcxSelectDlg(HWND parent = nullptr);
  // A picker over the given controls instead of the registered ones.
  COcxSelectDlg(std::vector<OcxCatalogEntry> controls, HWND parent);

  const CLSID& GetChosen() const { return m_chosen; }
  const CString& GetChosenName() const { return m_chosenName; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  std::vector<OcxCatalogEntry> m_controls;
  bool m_listRegistered;
  std::vector<CLSID> m_table;  // in the order listed, at most kMaxClasses
  CLSID m_chosen = {};
  CString m_chosenName;
  CListBox m_list;
};

// Runs the picker modally: true, with the chosen class, when a control was
// chosen with OK; false when cancelled.
bool SelectOcxControl(HWND owner, CLSID* chosen);
