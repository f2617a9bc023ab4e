// The list window's creation, its message switch and the base behaviour of
// the operations that subclasses override.
#include "gridwnd.h"

#include <windowsx.h>

#include "../componentclass.h"
#include "../componentfont.h"

CGridWnd::CGridWnd() {
  for (int c = 0; c < kMaxColumns; ++c) {
    m_columnWidths[c] = 80;
    m_columnFormats[c] = kFormatCentre;
  }
  m_gridPen.CreatePen(PS_SOLID, 0, ::GetSysColor(COLOR_BTNSHADOW));
  m_dragPen.CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
}

CGridWnd::~CGridWnd() {
  // The window goes first: its last messages may still paint with the pens.
  DestroyWindow();
}

BOOL CGridWnd::Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
  // The list's own class: double clicks, no background brush (every pixel
  // is painted).
  static const char* const className = ComponentClass("QelGridWnd", CS_DBLCLKS, nullptr);
  return CreateEx(0, className, "", style | WS_HSCROLL | WS_VSCROLL, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, parent,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

// --- Base behaviour -----------------------------------------------------------

CString CGridWnd::GetCellText(int row, int column) {
  CString text;
  text.Format("%d,%d", row, column);
  return text;
}

HBITMAP CGridWnd::GetRowBitmap(int) { return nullptr; }

CString CGridWnd::GetHeaderText(int column) {
  CString text;
  text.Format("head%d", column);
  return text;
}

void CGridWnd::GetCellColors(int row, int, COLORREF* text, COLORREF* back) {
  const bool current = row == m_currentRow;
  *text = current ? RGB(255, 255, 255) : RGB(0, 0, 0);
  *back = current ? RGB(0, 0, 255) : RGB(255, 255, 255);
}

void CGridWnd::SelectRow(int row) {
  if (row == m_currentRow) return;
  m_currentRow = row;
  Repaint(FALSE);
}

void CGridWnd::SelectRange(int, int) {}
void CGridWnd::ToggleRow(int) {}
void CGridWnd::OnHeaderClick(int) {}
void CGridWnd::OnFirstColumnClick(int) {}
void CGridWnd::OnHover(int, int, int, int, BOOL) {}
void CGridWnd::OnCellMouseMove(int, int, int, int) {}

// --- Settings -----------------------------------------------------------------

void CGridWnd::SetColumnCount(int count) {
  m_columnCount = count < 0 ? 0 : (count > kMaxColumns ? kMaxColumns : count);
}

int CGridWnd::GetColumnWidth(int column) const {
  return column >= 0 && column < kMaxColumns ? m_columnWidths[column] : 0;
}

void CGridWnd::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= kMaxColumns) return;
  m_columnWidths[column] = width < m_minColumnWidth ? m_minColumnWidth : width;
}

void CGridWnd::SetColumnFormat(int column, int format) {
  if (column >= 0 && column < kMaxColumns) m_columnFormats[column] = format;
}

// --- Messages -------------------------------------------------------------------

LRESULT CGridWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  switch (msg) {
    case WM_CREATE:
      if (CWnd::WindowProc(msg, wp, lp) == -1) return -1;
      return OnCreate();
    case WM_SIZE: OnSize(static_cast<UINT>(wp)); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Repaint(TRUE); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wp), x, y); return 0;
    case WM_LBUTTONUP: OnLButtonUp(x, y); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(x, y); return 0;
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wp), x, y); return 0;
    case WM_MOUSEHOVER: OnMouseHover(x, y); return 0;
    case WM_MOUSELEAVE: OnMouseLeave(); return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(LOWORD(lp))) return TRUE;
      break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != m_hWnd) EndColumnDrag(false);
      return 0;
    case WM_HSCROLL:
      if (lp) break;  // a child's scroll bar, not ours
      OnHScroll(LOWORD(wp));
      return 0;
    case WM_VSCROLL:
      if (lp) break;
      OnVScroll(LOWORD(wp));
      return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(static_cast<UINT>(wp))) return 0;
      break;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_MOUSEWHEEL: OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wp)); return 0;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

int CGridWnd::OnCreate() {
  const LOGFONTA lf = ComponentFont("宋体", m_fontHeight, GB2312_CHARSET);
  m_font.CreateFontIndirect(&lf);
  return 0;
}

void CGridWnd::OnSize(UINT kind) {
  if (kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED || kind == SIZE_MAXSHOW) Relayout();
}
