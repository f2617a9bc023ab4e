// CLocalTagList: the project's local tags, read through the host's local-tag
// table, in columns "序号", "标签名", "描述", "单位", "类型", "初值"; a
// system tag's row shows bitmap 5004, any other 5005. FindText searches the
// names or descriptions, going on from the last match.
#pragma once
#include "qel/hostcallbacks.h"
#include "taglistctrl.h"

// Clears records and appends the table's records from index 0 on, until the
// record callback answers -1. A table without context or record callback
// leaves records empty; a record without memory is left out.
void LoadLocalTags(const LocalTagCallbackBlock* table, CRecordBuffer& records);

class CLocalTagList : public CTagListCtrl {
 public:
  CLocalTagList();

  // LoadLocalTags into the list's records, then UpdateRows.
  void Load(const LocalTagCallbackBlock* table);

  // Finds text (a case-sensitive part of the cell text) in column 1 (name)
  // or 2 (description), from after the last match of the same text and
  // column, else from row 0; selects the match, scrolling it to the top when
  // it is not on show. 1 when a row was found; 0 otherwise, and the next
  // search starts at row 0 again. An empty text or another column finds
  // nothing and keeps the last search.
  int FindText(int column, const char* text);
};
