// CTagListCtrl: the base of both tag lists, an owner-drawn list window over a
// record array of one kind of tag record. It shows a table of columns (the
// row number, then fields of the record), keeps its row marks in a byte of
// each record, colours marked rows by focus, and sorts the records on a
// header click. Rows carry the bitmap 5004 (a system tag) or 5005 (any other
// tag), loaded from the resources of the module the list is compiled into.
#pragma once
#include <windows.h>

#include "gdiwrap.h"
#include "gridwnd.h"
#include "tagrecords.h"

class CTagListCtrl : public CGridWnd {
 public:
  // What a column shows.
  enum ColumnKind : int { kRowNumber, kName, kDescription, kUnit, kType, kInitialValue };
  struct Column {
    const char* header;
    int width;
    ColumnKind kind;
  };
  // Bitmap resources of the rows.
  enum : UINT { kSystemTagBitmap = 5004, kTagBitmap = 5005 };

  CTagListCtrl(const TagFieldLayout& layout, const Column* columns, int columnCount);
  ~CTagListCtrl() override;

  // The records shown: the list's own array, or the array given to
  // ShowRecords (of the same layout, borrowed; nullptr returns to the own).
  CTagRecordBuffer& Records() { return *m_records; }
  const CTagRecordBuffer& Records() const { return *m_records; }
  void ShowRecords(CTagRecordBuffer* records);

  // Row count := record count; repaints with erasing.
  void UpdateRows();
  // Copies record index (the layout's record size) into out; false for an
  // index outside 0 to count - 1.
  bool GetRecord(int index, void* out) const;

  // Row marks; an index outside the records reads as unmarked and changes nothing.
  bool IsMarked(int index) const;
  void SetMark(int index, bool marked);
  void ToggleMark(int index);

  CString GetCellText(int row, int column) override;
  HBITMAP GetRowBitmap(int row) override;
  CString GetHeaderText(int column) override;
  void GetCellColors(int row, int column, COLORREF* text, COLORREF* back) override;
  void SelectRow(int row) override;
  void SelectRange(int first, int last) override;
  void ToggleRow(int row) override;
  void OnHeaderClick(int column) override;

 protected:
  // The last search of FindText: text, the row to start from, the row found
  // (-1 none) and the column.
  struct FindState {
    CString text;
    int nextRow = 0;
    int foundRow = -1;
    int column = -1;
  };

  const Column* ColumnAt(int column) const;
  void ClearMarks();

  CTagRecordBuffer m_ownRecords;
  CTagRecordBuffer* m_records;
  const Column* m_columns;
  CBitmap m_systemBitmap;
  CBitmap m_tagBitmap;
  FindState m_find;
};
