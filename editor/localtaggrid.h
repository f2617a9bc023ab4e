// CLocalTagGrid: the local-tag table's list: the local tag list of the tag
// lists (columns, rows, marks, sorting) showing the project's own tags, not
// a copy, so that marks and sorting act on the project's records. Its row
// bitmaps are the program's: 134 (yellow) for a system tag, 135 (green) for
// any other.
#pragma once
#include "gdiwrap.h"
#include "localtagarray.h"
#include "localtaglist.h"

class CLocalTagGrid : public CLocalTagList {
 public:
  CLocalTagGrid();
  ~CLocalTagGrid() override;

  // The project's tags (borrowed; they must outlive the list's use of them).
  void ShowTags(CLocalTagArray* tags) { ShowRecords(tags); }
  // The first marked row, or -1.
  int FirstMarkedRow() const;

  HBITMAP GetRowBitmap(int row) override;

 private:
  CBitmap m_systemTag;
  CBitmap m_tag;
};
