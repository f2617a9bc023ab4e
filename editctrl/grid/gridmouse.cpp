// The mouse over the list window: clicks select through the subclass's
// operations, a press on a header border drags the column's width, and the
// pointer is tracked for hover notices.
#include "gridwnd.h"

#include "qel/picmsg.h"

namespace {

// Hover notices come after the pointer rested this long.
constexpr DWORD kHoverMs = 1000;

}  // namespace

void CGridWnd::OnLButtonDown(UINT keys, int x, int y) {
  SetFocus();
  int row = -1, column = -1;
  switch (HitTest(x, y, &row, &column)) {
    case kHitNone:
      m_dragState = kDragNone;
      m_currentRow = -1;
      Repaint(TRUE);
      return;
    case kHitHeader: OnHeaderClick(column); return;
    case kHitBorder: BeginColumnDrag(column); return;
    case kHitCell: break;
    default: return;
  }
  if ((keys & MK_SHIFT) && m_currentRow != -1) {
    SelectRange(m_currentRow < row ? m_currentRow : row, m_currentRow < row ? row : m_currentRow);
  } else if (keys & MK_CONTROL) {
    ToggleRow(row);
  } else {
    if (column == 0) OnFirstColumnClick(row);
    SelectRow(row);
  }
}

void CGridWnd::BeginColumnDrag(int column) {
  m_resizeColumn = column;
  m_resizeStart.x = ColumnLeft(column) + m_columnWidths[column];
  m_resizeStart.y = 0;
  m_resizeCurrent = m_resizeStart;
  m_dragState = kDragColumn;
  // Held so that a release outside the window still ends the drag.
  SetCapture();
  Repaint(TRUE);
}

void CGridWnd::EndColumnDrag(bool apply) {
  if (m_dragState != kDragColumn) {
    m_dragState = kDragNone;
    return;
  }
  m_dragState = kDragNone;
  if (apply) m_columnWidths[m_resizeColumn] += m_resizeCurrent.x - m_resizeStart.x;
  if (GetCapture() == m_hWnd) ReleaseCapture();
  Relayout();
}

void CGridWnd::OnLButtonUp(int, int) { EndColumnDrag(true); }

void CGridWnd::OnLButtonDblClk(int x, int y) {
  SetFocus();
  int row = -1, column = -1;
  if (HitTest(x, y, &row, &column) != kHitCell) return;
  SelectRow(row);
  ::PostMessageA(GetParent(), QLN_ROWDBLCLK, GetDlgCtrlID(), row);
}

void CGridWnd::OnMouseMove(UINT keys, int x, int y) {
  if (keys & MK_LBUTTON) {
    if (m_dragState != kDragColumn) return;
    const int contentX = x + m_hOffset;
    if (contentX >= ColumnLeft(m_resizeColumn) + m_minColumnWidth) {
      m_resizeCurrent.x = contentX;
      Repaint(FALSE);
    }
    return;
  }
  int row = -1, column = -1;
  if (HitTest(x, y, &row, &column) == kHitBorder) return;  // the cursor says so (OnSetCursor)
  TRACKMOUSEEVENT track = {sizeof track, TME_HOVER | TME_LEAVE, m_hWnd, kHoverMs};
  ::TrackMouseEvent(&track);
  OnCellMouseMove(x, y, row, column);
}

void CGridWnd::OnMouseHover(int x, int y) {
  int row = -1, column = -1;
  HitTest(x, y, &row, &column);
  if (row != -1 && column != -1) OnHover(x, y, row, column, TRUE);
}

void CGridWnd::OnMouseLeave() {
  POINT at = {0, 0};
  ::GetCursorPos(&at);
  ScreenToClient(&at);
  OnHover(at.x, at.y, -1, -1, FALSE);
  ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
}

// The sizing cursor over a column border (and during a drag), the arrow
// elsewhere; set for this window only, never through its class.
bool CGridWnd::OnSetCursor(UINT hitArea) {
  if (hitArea != HTCLIENT) return false;
  POINT at = {0, 0};
  ::GetCursorPos(&at);
  ScreenToClient(&at);
  int row = -1, column = -1;
  const bool sizing = m_dragState == kDragColumn || HitTest(at.x, at.y, &row, &column) == kHitBorder;
  ::SetCursor(::LoadCursorA(nullptr, sizing ? IDC_SIZEWE : IDC_ARROW));
  return true;
}
