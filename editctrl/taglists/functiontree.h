// The function trees of the pickers. A double click on a function item puts
// the item's text after its first blank into the target edit control, in
// place of its selection.
//   CFuncListTree  the nineteen functions of link expressions, at the root
//   CSysFuncTree   the script engine's system functions under eleven bold,
//                  expanded categories (item value 0; functions 1), whose
//                  own items insert nothing
#pragma once
#include <windows.h>

#include "controls/treectrl.h"

class CFunctionTree : public CTreeCtrl {
 public:
  // Borrowed; nullptr: double clicks insert nothing.
  void SetTarget(HWND target) { m_target = target; }
  HWND GetTarget() const { return m_target; }
  virtual void Fill() = 0;

 protected:
  bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  // Whether a double click on the item inserts its text.
  virtual bool InsertsItem(HTREEITEM item) const = 0;

 private:
  void InsertSelected();
  HWND m_target = nullptr;
};

class CFuncListTree : public CFunctionTree {
 public:
  void Fill() override;

 protected:
  bool InsertsItem(HTREEITEM) const override { return true; }
};

class CSysFuncTree : public CFunctionTree {
 public:
  void Fill() override;

 protected:
  bool InsertsItem(HTREEITEM item) const override { return GetItemData(item) != 0; }
};
