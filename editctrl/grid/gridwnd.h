// CGridWnd: a self-painted list window with a header row, up to 32 columns,
// per-cell texts, colours and a row bitmap. It keeps no data of its own: a
// subclass sets the row count and answers every cell through the virtual
// operations below. Column borders in the header are dragged to resize;
// horizontal scrolling moves by pixels, vertical scrolling by rows.
//
// Content x is the window x plus the horizontal offset. Row r is drawn at
// window y = (r - first row + 1) x row height, under the header, which takes
// y = 0 to row height.
//
// A double click on a row posts QLN_ROWDBLCLK (wParam the control id, lParam
// the row) to the parent; the window sends no other notice.
#pragma once
#include <windows.h>

#include "gdiwrap.h"
#include "qstring.h"
#include "wnd.h"

class CGridWnd : public CWnd {
 public:
  enum : int { kMaxColumns = 32 };
  // Results of HitTest.
  enum HitCode : int { kHitNone = 0, kHitBorder = 2, kHitCell = 4, kHitHeader = 6 };
  // Column text formats: centred (the default) and left-aligned, both single
  // lines centred vertically.
  enum : int {
    kFormatCentre = DT_CENTER | DT_VCENTER | DT_SINGLELINE,
    kFormatLeft = DT_LEFT | DT_VCENTER | DT_SINGLELINE,
  };

  CGridWnd();
  ~CGridWnd() override;

  // Creates the list as a child of parent with that control id; horizontal
  // and vertical scroll bars are added to the style.
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

  // --- Operations a subclass overrides, in this slot order -------------------
  virtual CString GetCellText(int row, int column);
  virtual HBITMAP GetRowBitmap(int row);
  virtual CString GetHeaderText(int column);
  virtual void GetCellColors(int row, int column, COLORREF* text, COLORREF* back);
  virtual void SelectRow(int row);
  virtual void SelectRange(int first, int last);
  virtual void ToggleRow(int row);
  virtual void OnHeaderClick(int column);
  virtual void OnFirstColumnClick(int row);
  virtual void OnHover(int x, int y, int row, int column, BOOL entering);
  virtual void OnCellMouseMove(int x, int y, int row, int column);

  // --- Layout --------------------------------------------------------------
  // Recomputes both scroll bars from the client area and repaints.
  void Relayout();
  // First and last row on show; both -1 without rows. The last is the last
  // row whose top edge lies inside the client area (never before the first).
  void GetVisibleRows(int* first, int* last) const;
  int TotalWidth() const;
  // Hit code of a window point; row and column -1 where there is none.
  int HitTest(int x, int y, int* row, int* column) const;

  // --- Settings --------------------------------------------------------------
  int GetRowCount() const { return m_rowCount; }
  void SetRowCount(int count) { m_rowCount = count > 0 ? count : 0; }
  int GetColumnCount() const { return m_columnCount; }
  // Clamped to 0 to kMaxColumns.
  void SetColumnCount(int count);
  // Widths below the minimum column width are raised to it.
  int GetColumnWidth(int column) const;
  void SetColumnWidth(int column, int width);
  void SetColumnFormat(int column, int format);
  int GetRowHeight() const { return m_rowHeight; }
  void SetRowHeight(int height) { m_rowHeight = height > 0 ? height : 1; }
  // Takes effect when the window is created.
  void SetFontHeight(int height) { m_fontHeight = height; }
  void SetGridLines(bool on) { m_gridLines = on; }
  void SetBackColor(COLORREF color) { m_backColor = color; }
  void SetSortColumn(int column, bool ascending) {
    m_sortColumn = column;
    m_sortAscending = ascending;
  }
  int GetSortColumn() const { return m_sortColumn; }
  bool IsSortAscending() const { return m_sortAscending; }
  int GetCurrentRow() const { return m_currentRow; }
  int GetFirstRow() const { return m_firstRow; }
  int GetHorizontalOffset() const { return m_hOffset; }
  bool IsDragging() const { return m_dragState == kDragColumn; }
  HFONT GetListFont() const { return m_font; }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  // Client size as if no scroll bar were shown.
  SIZE ClientSizeWithoutBars() const;
  int RowsPerPage() const;
  // Content x of column c's left edge.
  int ColumnLeft(int column) const;
  // Invalidates the window, when there is one.
  void Repaint(BOOL erase) {
    if (m_hWnd) Invalidate(erase);
  }

  enum : int { kDragNone = 0, kDragColumn = 2 };

  int m_rowCount = 0;
  int m_paintedRowCount = 0;  // a paint that finds the count changed relayouts first
  int m_columnCount = 0;
  int m_columnWidths[kMaxColumns];
  int m_rowHeight = 20;
  int m_columnFormats[kMaxColumns];
  CFont m_font;
  CPen m_gridPen;
  CPen m_dragPen;
  int m_resizeColumn = 0;
  POINT m_resizeStart = {0, 0};    // content x of the border when the drag began
  POINT m_resizeCurrent = {0, 0};  // content x of the guide line
  int m_minColumnWidth = 16;
  int m_dragState = kDragNone;
  int m_hOffset = 0;
  int m_firstRow = 0;
  int m_currentRow = -1;
  COLORREF m_backColor = 0xFFFFFF;
  bool m_gridLines = false;
  int m_fontHeight = 14;
  int m_sortColumn = -1;
  bool m_sortAscending = true;

 private:
  // gridwnd.cpp
  int OnCreate();
  void OnSize(UINT kind);
  // gridmouse.cpp
  void OnLButtonDown(UINT keys, int x, int y);
  void OnLButtonUp(int x, int y);
  void OnLButtonDblClk(int x, int y);
  void OnMouseMove(UINT keys, int x, int y);
  void OnMouseHover(int x, int y);
  void OnMouseLeave();
  bool OnSetCursor(UINT hitArea);
  void BeginColumnDrag(int column);
  void EndColumnDrag(bool apply);
  // gridscroll.cpp
  void OnHScroll(int code);
  void OnVScroll(int code);
  bool OnKeyDown(UINT key);
  void OnMouseWheel(int delta);
  void ScrollToRow(int row);
  // gridpaint.cpp
  void OnPaint();
  void Paint(HDC output);
  void PaintHeader(CDC& dc, const RECT& client);
  void PaintRows(CDC& dc, const RECT& client);
  void PaintCell(CDC& dc, int row, int column, const RECT& cell);
  void PaintGridLines(CDC& dc, const RECT& client);
};
