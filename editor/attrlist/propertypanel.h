// CPropertyPanel: the upper half of the "属性/动作" tab, a child dialog
// (template 138) whose attribute list (list 1106, with the images of bitmap
// 154) fills it.
#pragma once
#include <windows.h>

#include "controls/imagelist.h"
#include "dialogs/dialog.h"
#include "drawattrlist.h"

class CPropertyPanel : public CDialog {
 public:
  CPropertyPanel();
  // Made hidden, as a child of parent.
  BOOL Create(HWND parent, UINT id);
  CDrawAttrList& GetAttributeList() { return m_list; }
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  BOOL OnInitDialog() override;
  // Enter and Esc in the panel belong to the list's editors: the panel never closes.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  void Layout(int width, int height);

  CImageList m_images;  // declared before the list that shows them
  CDrawAttrList m_list;
};
