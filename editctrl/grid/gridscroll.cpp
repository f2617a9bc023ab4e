// Scrolling of the list window: the scroll bars' layout, the bars themselves,
// the keys and the wheel. The offset scrolls by pixels, the first row by rows;
// every change repaints without erasing.
#include "gridwnd.h"

namespace {

// Pixels per line of the horizontal bar.
constexpr int kLinePixels = 48;

int Clamp(int value, int low, int high) {
  if (value > high) value = high;
  return value < low ? low : value;
}

}  // namespace

void CGridWnd::Relayout() {
  const SIZE client = ClientSizeWithoutBars();
  const int perPage = client.cy / m_rowHeight;

  SCROLLINFO horz = {sizeof horz, SIF_RANGE | SIF_PAGE, 0, TotalWidth(), UINT(client.cx), 0, 0};
  SetScrollInfo(SB_HORZ, horz, TRUE);
  SCROLLINFO vert = {sizeof vert, SIF_RANGE | SIF_PAGE, 0, m_rowCount + 1, UINT(perPage + 1), 0, 0};
  SetScrollInfo(SB_VERT, vert, TRUE);
  if (m_rowCount <= perPage + 1) m_firstRow = 0;

  GetScrollInfo(SB_HORZ, &horz);
  if (horz.nMax > client.cx) {
    if (m_hOffset + int(horz.nPage) > horz.nMax) m_hOffset = horz.nMax - int(horz.nPage);
    if (m_hOffset < 0) m_hOffset = 0;
  } else {
    m_hOffset = 0;
  }
  GetScrollInfo(SB_VERT, &vert);
  if (vert.nMax > perPage + 1) {
    if (m_firstRow + int(vert.nPage) > vert.nMax) m_firstRow = vert.nMax - int(vert.nPage);
    if (m_firstRow < 0) m_firstRow = 0;
  } else {
    m_firstRow = 0;
  }
  SetScrollPos(SB_HORZ, m_hOffset);
  SetScrollPos(SB_VERT, m_firstRow);
  Repaint(FALSE);
}

void CGridWnd::ScrollToRow(int row) {
  m_firstRow = row;
  SetScrollPos(SB_VERT, m_firstRow);
  Repaint(FALSE);
}

void CGridWnd::OnHScroll(int code) {
  SCROLLINFO info = {sizeof info, 0, 0, 0, 0, 0, 0};
  GetScrollInfo(SB_HORZ, &info);
  const int page = int(info.nPage);
  const int last = info.nMax - page;
  int offset = m_hOffset;
  switch (code) {
    case SB_LINELEFT: offset -= kLinePixels; break;
    case SB_LINERIGHT: offset += kLinePixels; break;
    case SB_PAGELEFT: offset -= page; break;
    case SB_PAGERIGHT: offset += page; break;
    case SB_THUMBTRACK: offset = info.nTrackPos; break;
    case SB_LEFT: offset = 0; break;
    case SB_RIGHT: offset = last; break;
    default: return;
  }
  m_hOffset = Clamp(offset, 0, last);
  SetScrollPos(SB_HORZ, m_hOffset);
  Repaint(FALSE);
}

void CGridWnd::OnVScroll(int code) {
  SCROLLINFO info = {sizeof info, 0, 0, 0, 0, 0, 0};
  GetScrollInfo(SB_VERT, &info);
  const int page = int(info.nPage);
  const int last = info.nMax - page;
  int first = m_firstRow;
  switch (code) {
    case SB_LINEUP: --first; break;
    // A line down may show one row past the bar's last page.
    case SB_LINEDOWN: first = first + 1 > last + 1 ? last + 1 : first + 1; break;
    case SB_PAGEUP: first -= page; break;
    case SB_PAGEDOWN: first = first + page > last ? last : first + page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: first = info.nTrackPos; break;
    case SB_TOP: first = 0; break;
    case SB_BOTTOM: first = last; break;
    default: return;
  }
  ScrollToRow(first < 0 ? 0 : first);
}

bool CGridWnd::OnKeyDown(UINT key) {
  int step = 0;
  SCROLLINFO info = {sizeof info, 0, 0, 0, 0, 0, 0};
  GetScrollInfo(SB_VERT, &info);
  switch (key) {
    case VK_PRIOR: step = -int(info.nPage); break;
    case VK_NEXT: step = int(info.nPage); break;
    case VK_UP: step = -1; break;
    case VK_DOWN: step = 1; break;
    default: return false;
  }
  // Only a list with more rows than the window shows scrolls by keys.
  if (m_rowCount + 1 < RowsPerPage()) return false;
  ScrollToRow(Clamp(m_firstRow + step, 0, info.nMax - int(info.nPage)));
  return true;
}

void CGridWnd::OnMouseWheel(int delta) {
  const int perPage = RowsPerPage();
  if (m_rowCount < perPage || delta == 0) return;
  if (delta > 0) {
    if (m_firstRow > 0) ScrollToRow(m_firstRow - 1);
  } else if (GetScrollPos(SB_VERT) + perPage <= m_rowCount) {
    ScrollToRow(m_firstRow + 1);
  }
}
