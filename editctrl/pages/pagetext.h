// CPageText "多行文本": the text of a multi-line text object. Unlike the link
// pages it leaves the link notice alone; it repaints the object instead.
#pragma once
#include "linkpage.h"

class CDrawObj;

class CPageText : public CLinkPage {
  DECLARE_DYNCREATE(CPageText)

 public:
  CPageText() : CPageText(nullptr, nullptr) {}
  CPageText(CPicEditWnd* wnd, CDrawObj* object);

  BOOL OnApply() override;
  // How many times the page wrote the text (OK and Apply).
  int GetWriteCount() const { return m_nWrites; }

  CString m_strText;

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  CDrawObj* m_pObject;
  int m_nWrites = 0;
};
