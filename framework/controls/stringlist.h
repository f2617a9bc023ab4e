// What a list box and a combo box share: a list of texts, each with a value
// of its own, and a selection. The two controls answer the same requests
// under different message numbers; each names its own in a table.
#pragma once
#include "wnd.h"

struct StringListMessages {
  UINT add, insert, remove, reset, count, getSelection, setSelection, textLength, text, setData, getData,
      findExact;
};

class CStringListCtrl : public CWnd {
  DECLARE_DYNAMIC(CStringListCtrl)

 public:
  // Index of the new item (a sorted control places it by its text), negative on failure.
  int AddString(const char* text);
  int InsertString(int index, const char* text);
  int DeleteString(int index);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  int SetItemData(int index, DWORD_PTR data);
  DWORD_PTR GetItemData(int index) const;
  // First item after start (-1: from the top) equal to text in any case; negative when none.
  int FindStringExact(int start, const char* text) const;

 protected:
  explicit CStringListCtrl(const StringListMessages& messages) : m_messages(messages) {}
  CString ItemText(int index) const;

 private:
  const StringListMessages& m_messages;
};
