// CConnListDlg (dialog 27000): the list of connection entries of a handle,
// with add, modify and delete; its OK writes the rows back into the list.
#pragma once
#include "connlist.h"
#include "connrow.h"
#include "controls/imagelist.h"
#include "controls/listctrl.h"
#include "dialogs/dialog.h"

class CConnListDlg : public CDialog {
 public:
  explicit CConnListDlg(CConnList& list, HWND parent = nullptr);

  // True once the user confirmed an add, a modify or a delete.
  bool Changed() const { return m_changed; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool OnNotify(NMHDR* header, LRESULT* result) override;

 private:
  void OnAdd();
  void OnModify();
  void OnDelete();
  // The selected row, or -1 after telling the user to select one.
  int SelectedRowOrTell();
  void Tell(UINT textId, UINT titleId, UINT type);
  void PutRow(int row, const ConnRowTexts& texts);
  ConnRowTexts RowTexts(int row) const;

  CConnList& m_list;
  bool m_changed = false;
  CListCtrl m_rows;
  CImageList m_rowImages;
};
