#include "taglistctrl.h"

#include <cstring>

#include "recordsort.h"
#include "resources/resload.h"

namespace {

// Marked rows: white on navy while the list has the focus, else black on
// the button face; unmarked rows black on white.
constexpr COLORREF kMarkedFocusText = RGB(255, 255, 255);
constexpr COLORREF kMarkedFocusBack = RGB(0, 0, 128);

// Rows and fonts of both tag lists.
constexpr int kRowHeight = 18;
constexpr int kFontHeight = 12;

}  // namespace

CTagListCtrl::CTagListCtrl(const TagFieldLayout& layout, const Column* columns, int columnCount)
    : m_ownRecords(layout), m_records(&m_ownRecords), m_columns(columns) {
  SetRowHeight(kRowHeight);
  SetFontHeight(kFontHeight);
  SetGridLines(true);
  SetColumnCount(columnCount);
  for (int c = 0; c < GetColumnCount(); ++c) {
    SetColumnWidth(c, columns[c].width);
    SetColumnFormat(c, c == 0 ? kFormatCentre : kFormatLeft);
  }
  QelLoadBitmap(m_systemBitmap, kSystemTagBitmap);
  QelLoadBitmap(m_tagBitmap, kTagBitmap);
}

CTagListCtrl::~CTagListCtrl() {
  // The window goes while the records and bitmaps it paints are still here.
  DestroyWindow();
}

void CTagListCtrl::ShowRecords(CTagRecordBuffer* records) {
  m_records = records ? records : &m_ownRecords;
  UpdateRows();
}

void CTagListCtrl::UpdateRows() {
  SetRowCount(m_records->GetCount());
  Repaint(TRUE);
}

bool CTagListCtrl::GetRecord(int index, void* out) const {
  const BYTE* record = m_records->GetAt(index);
  if (!record || !out) return false;
  std::memcpy(out, record, m_records->GetRecordSize());
  return true;
}

// --- Marks ------------------------------------------------------------------------

bool CTagListCtrl::IsMarked(int index) const {
  const BYTE* record = m_records->GetAt(index);
  return record && record[m_records->Layout().markOffset] != 0;
}

void CTagListCtrl::SetMark(int index, bool marked) {
  if (BYTE* record = m_records->GetAt(index)) record[m_records->Layout().markOffset] = marked ? 1 : 0;
}

void CTagListCtrl::ToggleMark(int index) { SetMark(index, !IsMarked(index)); }

void CTagListCtrl::ClearMarks() {
  for (int i = 0; i < m_records->GetCount(); ++i) SetMark(i, false);
}

void CTagListCtrl::SelectRow(int row) {
  ClearMarks();
  SetMark(row, true);
  m_currentRow = row;
  Repaint(FALSE);
}

void CTagListCtrl::SelectRange(int first, int last) {
  for (int i = 0; i < m_records->GetCount(); ++i) SetMark(i, i >= first && i <= last);
  Repaint(FALSE);
}

void CTagListCtrl::ToggleRow(int row) {
  ToggleMark(row);
  Repaint(FALSE);
}

// --- Cells --------------------------------------------------------------------------

const CTagListCtrl::Column* CTagListCtrl::ColumnAt(int column) const {
  return column >= 0 && column < GetColumnCount() ? &m_columns[column] : nullptr;
}

CString CTagListCtrl::GetHeaderText(int column) {
  const Column* at = ColumnAt(column);
  return at ? CString(at->header) : CString();
}

CString CTagListCtrl::GetCellText(int row, int column) {
  const Column* at = ColumnAt(column);
  const BYTE* record = m_records->GetAt(row);
  if (!at || !record) return CString();
  const TagFieldLayout& l = m_records->Layout();
  CString text;
  switch (at->kind) {
    case kRowNumber: text.Format("%d", row + 1); break;
    case kName: text = TagFieldText(record, l.nameOffset, l.nameSize); break;
    case kDescription: text = TagFieldText(record, l.descriptionOffset, l.descriptionSize); break;
    case kUnit: text = TagFieldText(record, l.unitOffset, l.unitSize); break;
    case kType: text = GetTagTypeName(record[l.typeOffset]); break;
    case kInitialValue: text = TagFieldText(record, l.initialValueOffset, l.initialValueSize); break;
  }
  return text;
}

HBITMAP CTagListCtrl::GetRowBitmap(int row) {
  const BYTE* record = m_records->GetAt(row);
  if (!record) return nullptr;
  const int system = m_records->Layout().systemOffset;
  const bool systemTag = system >= 0 && record[system] == 1;
  return static_cast<HBITMAP>((systemTag ? m_systemBitmap : m_tagBitmap).GetSafeHandle());
}

void CTagListCtrl::GetCellColors(int row, int, COLORREF* text, COLORREF* back) {
  if (!IsMarked(row)) {
    *text = RGB(0, 0, 0);
    *back = RGB(255, 255, 255);
  } else if (::GetFocus() == m_hWnd) {
    *text = kMarkedFocusText;
    *back = kMarkedFocusBack;
  } else {
    *text = RGB(0, 0, 0);
    *back = ::GetSysColor(COLOR_BTNFACE);
  }
}

// --- Sorting --------------------------------------------------------------------------

void CTagListCtrl::OnHeaderClick(int column) {
  if (column < kTagColumnName || column > kTagColumnType || column >= GetColumnCount()) return;
  const bool ascending = column == GetSortColumn() ? !IsSortAscending() : true;
  SetSortColumn(column, ascending);
  if (m_records->GetCount() >= 2) SortRecords(*m_records, ascending, column);
  Repaint(FALSE);
}
