// Painting of the list window, always through one off-screen surface: the
// header, the visible cells of the visible rows, the grid lines and, during a
// column drag, the guide line. Only what is on show is drawn.
#include "gridwnd.h"
#include "../../picture/memdc.h"

namespace {

// Every "&" doubled, so that the platform's text drawing shows the text as
// typed instead of underlining the letter after an ampersand.
CString DoubleAmpersands(const CString& text) {
  CString shown = text;
  shown.Replace("&", "&&");
  return shown;
}

void DrawTextIn(CDC& dc, const CString& text, RECT rect, UINT format) {
  ::DrawTextA(dc, text, text.GetLength(), &rect, format);
}

void Line(CDC& dc, int x0, int y0, int x1, int y1) {
  dc.MoveTo(x0, y0);
  dc.LineTo(x1, y1);
}

// A raised header cell on the button face.
void HeaderCell(CDC& dc, RECT cell) {
  dc.FillSolidRect(cell, ::GetSysColor(COLOR_BTNFACE));
  ::DrawEdge(dc, &cell, EDGE_RAISED, BF_RECT);
}

}  // namespace

void CGridWnd::OnPaint() {
  // A changed row count first lays the bars out again; what that invalidates
  // is validated by this paint.
  if (m_rowCount != m_paintedRowCount) {
    m_paintedRowCount = m_rowCount;
    Relayout();
  }
  CPaintDC dc(m_hWnd);
  Paint(dc);
}

void CGridWnd::Paint(HDC output) {
  CDC outputDC(output);
  RECT client = {0, 0, 0, 0};
  GetClientRect(&client);
  CMemDC dc(&outputDC);
  dc.FillSolidRect(client, m_backColor);
  CSelectGdi font(dc, m_font.GetSafeHandle());
  CSelectGdi pen(dc, m_gridPen.GetSafeHandle());
  dc.SetBkMode(TRANSPARENT);
  PaintHeader(dc, client);
  PaintRows(dc, client);
  PaintGridLines(dc, client);
  if (m_dragState == kDragColumn) {
    CSelectGdi dragPen(dc, m_dragPen.GetSafeHandle());
    const int x = m_resizeCurrent.x - m_hOffset;
    Line(dc, x, 0, x, client.bottom);
  }
}

void CGridWnd::PaintHeader(CDC& dc, const RECT& client) {
  int left = -m_hOffset;
  dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
  for (int c = 0; c < m_columnCount && left <= client.right; ++c) {
    const RECT cell = {left, 0, left + m_columnWidths[c], m_rowHeight};
    HeaderCell(dc, cell);
    const CString text = GetHeaderText(c);
    if (c == m_sortColumn) {
      // The arrow sits at the left, embossed: white, then black one pixel
      // right and two down; the text is centred in what is left.
      DrawTextIn(dc, text, RECT{cell.left + 16, cell.top + 2, cell.right - 2, cell.bottom - 2},
                 kFormatCentre);
      const CString arrow = m_sortAscending ? "▲" : "▼";
      const RECT at = {cell.left + 2, cell.top, cell.right, cell.bottom};
      dc.SetTextColor(RGB(255, 255, 255));
      DrawTextIn(dc, arrow, at, kFormatLeft);
      dc.SetTextColor(RGB(0, 0, 0));
      DrawTextIn(dc, arrow, RECT{at.left + 1, at.top + 2, at.right + 1, at.bottom + 2}, kFormatLeft);
      dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    } else {
      DrawTextIn(dc, text, RECT{cell.left + 2, cell.top + 2, cell.right - 2, cell.bottom - 2}, kFormatCentre);
    }
    left = cell.right;
  }
  if (left < client.right) HeaderCell(dc, RECT{left, 0, client.right, m_rowHeight});
}

void CGridWnd::PaintRows(CDC& dc, const RECT& client) {
  for (int row = m_firstRow, top = m_rowHeight; row < m_rowCount && top < client.bottom;
       ++row, top += m_rowHeight) {
    int left = -m_hOffset;
    for (int c = 0; c < m_columnCount && left <= client.right; ++c) {
      const RECT cell = {left, top, left + m_columnWidths[c], top + m_rowHeight};
      left = cell.right;
      if (cell.right < 0) continue;  // scrolled out on the left
      PaintCell(dc, row, c, cell);
    }
  }
}

void CGridWnd::PaintCell(CDC& dc, int row, int column, const RECT& cell) {
  COLORREF text = RGB(0, 0, 0), back = RGB(255, 255, 255);
  GetCellColors(row, column, &text, &back);
  dc.FillSolidRect(RECT{cell.left + 1, cell.top + 1, cell.right, cell.bottom}, back);
  dc.SetTextColor(text);
  RECT inner = {cell.left + 2, cell.top + 2, cell.right - 2, cell.bottom - 2};
  if (column == 0) {
    if (HBITMAP bitmap = GetRowBitmap(row)) {
      BITMAP info = {};
      ::GetObjectA(bitmap, sizeof info, &info);
      CDC source;
      source.CreateCompatibleDC(&dc);
      CSelectGdi selected(source, bitmap);
      dc.BitBlt(inner.left, inner.top, info.bmWidth, info.bmHeight, &source, 0, 0, SRCCOPY);
      inner.left += info.bmWidth + 2;
    }
  }
  DrawTextIn(dc, DoubleAmpersands(GetCellText(row, column)), inner, m_columnFormats[column]);
}

void CGridWnd::PaintGridLines(CDC& dc, const RECT& client) {
  const int right = TotalWidth() - m_hOffset;
  for (int row = m_firstRow, top = m_rowHeight; row < m_rowCount && top < client.bottom;
       ++row, top += m_rowHeight) {
    const int bottom = top + m_rowHeight;
    int left = -m_hOffset;
    for (int c = 0; c < m_columnCount && left <= client.right; ++c) {
      if (left + m_columnWidths[c] >= 0) Line(dc, left, top, left, bottom);
      left += m_columnWidths[c];
    }
    if (!m_gridLines) continue;
    Line(dc, -m_hOffset, bottom, client.right, bottom);  // under the cells and the empty space
    Line(dc, right, top, right, bottom);                 // right of the last column
  }
}
