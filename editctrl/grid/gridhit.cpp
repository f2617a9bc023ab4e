// Where things are in the list window: column edges, the rows on show and
// the hit test.
#include <cstdlib>

#include "gridwnd.h"

namespace {

// A border is hit within this many pixels of a column's right edge.
constexpr int kBorderSlop = 4;

}  // namespace

int CGridWnd::TotalWidth() const {
  int total = 0;
  for (int c = 0; c < m_columnCount; ++c) total += m_columnWidths[c];
  return total;
}

int CGridWnd::ColumnLeft(int column) const {
  int left = 0;
  for (int c = 0; c < column && c < m_columnCount; ++c) left += m_columnWidths[c];
  return left;
}

SIZE CGridWnd::ClientSizeWithoutBars() const {
  RECT client = {0, 0, 0, 0};
  GetClientRect(&client);
  SIZE size = {client.right, client.bottom};
  const DWORD style = GetStyle();
  if (style & WS_VSCROLL) size.cx += ::GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) size.cy += ::GetSystemMetrics(SM_CYHSCROLL);
  return size;
}

int CGridWnd::RowsPerPage() const {
  RECT client = {0, 0, 0, 0};
  GetClientRect(&client);
  return client.bottom / m_rowHeight;
}

void CGridWnd::GetVisibleRows(int* first, int* last) const {
  if (m_rowCount <= 0) {
    *first = *last = -1;
    return;
  }
  RECT client = {0, 0, 0, 0};
  GetClientRect(&client);
  *first = m_firstRow;
  // Row r's top lies at (r - first + 1) x row height: the last row whose top
  // is still inside the client area.
  const int below = client.bottom > 0 ? (client.bottom - 1) / m_rowHeight - 1 : 0;
  int lastRow = m_firstRow + (below > 0 ? below : 0);
  if (lastRow > m_rowCount - 1) lastRow = m_rowCount - 1;
  *last = lastRow < m_firstRow ? m_firstRow : lastRow;
}

int CGridWnd::HitTest(int x, int y, int* row, int* column) const {
  *row = -1;
  *column = -1;
  const int contentX = x + m_hOffset;
  if (y < m_rowHeight) {
    int right = 0;
    for (int c = 0; c < m_columnCount; ++c) {
      right += m_columnWidths[c];
      if (std::abs(contentX - right) < kBorderSlop) {
        *column = c;
        return kHitBorder;
      }
    }
  }
  int left = 0;
  for (int c = 0; c < m_columnCount; ++c) {
    const int right = left + m_columnWidths[c];
    if (left < contentX && contentX < right) {
      *column = c;
      break;
    }
    left = right;
  }
  if (y < m_rowHeight) return *column >= 0 ? kHitHeader : kHitNone;
  const int hitRow = y / m_rowHeight - 1 + m_firstRow;
  if (hitRow < m_rowCount && contentX <= TotalWidth()) {
    *row = hitRow;
    return kHitCell;
  }
  return kHitNone;
}
