#include "bars/dockbar.h"

#include <algorithm>

#include "bars/controlbar.h"
#include "commands/cmdids.h"
#include "frames/frame.h"
#include "frames/frameclass.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CDockBar, CWnd)

namespace {

// The bar's extent along its row and across it.
int Along(SIZE s, bool horz) { return horz ? s.cx : s.cy; }
int Across(SIZE s, bool horz) { return horz ? s.cy : s.cx; }

}  // namespace

CDockBar::CDockBar(UINT id) : m_id(id) { m_bAutoDelete = true; }

BOOL CDockBar::CreateIn(CFrameWnd* frame) {
  m_pFrame = frame;
  const char* cls = QelPlainWindowClass("QelDockBar", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return cls && CreateEx(0, cls, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0, frame->m_hWnd,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(m_id)));
}

BOOL CDockBar::IsHorz() const { return m_id == AFX_IDW_DOCKBAR_TOP || m_id == AFX_IDW_DOCKBAR_BOTTOM; }

DWORD CDockBar::AlignStyle() const {
  switch (m_id) {
    case AFX_IDW_DOCKBAR_TOP: return CBRS_ALIGN_TOP;
    case AFX_IDW_DOCKBAR_BOTTOM: return CBRS_ALIGN_BOTTOM;
    case AFX_IDW_DOCKBAR_LEFT: return CBRS_ALIGN_LEFT;
    default: return CBRS_ALIGN_RIGHT;
  }
}

void CDockBar::DockBar(CControlBar* bar, CControlBar* rowOf) {
  RemoveBar(bar);
  auto row = std::find_if(m_rows.begin(), m_rows.end(), [&](const std::vector<CControlBar*>& r) {
    return rowOf && std::find(r.begin(), r.end(), rowOf) != r.end();
  });
  if (row == m_rows.end())
    m_rows.push_back({bar});
  else
    row->insert(std::find(row->begin(), row->end(), rowOf) + 1, bar);
  bar->m_pDockBar = this;
  bar->m_nLastDockId = m_id;
  // The bar's style follows the side: alignment and the border facing the client.
  static const struct {
    DWORD align, border;
  } kSides[] = {{CBRS_ALIGN_TOP, CBRS_BORDER_BOTTOM},
                {CBRS_ALIGN_BOTTOM, CBRS_BORDER_TOP},
                {CBRS_ALIGN_LEFT, CBRS_BORDER_RIGHT},
                {CBRS_ALIGN_RIGHT, CBRS_BORDER_LEFT}};
  DWORD style = bar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING);
  for (const auto& side : kSides)
    if (side.align == AlignStyle()) style |= side.align | side.border;
  ::SetParent(bar->m_hWnd, m_hWnd);
  bar->SetBarStyle(style);
}

void CDockBar::RemoveBar(CControlBar* bar) {
  for (auto row = m_rows.begin(); row != m_rows.end(); ++row) {
    auto it = std::find(row->begin(), row->end(), bar);
    if (it == row->end()) continue;
    row->erase(it);
    if (row->empty()) m_rows.erase(row);
    if (bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
    return;
  }
}

BOOL CDockBar::Contains(const CControlBar* bar) const {
  for (const auto& row : m_rows)
    if (std::find(row.begin(), row.end(), bar) != row.end()) return TRUE;
  return FALSE;
}

std::vector<CControlBar*> CDockBar::VisibleBars(const std::vector<CControlBar*>& row) const {
  std::vector<CControlBar*> shown;
  for (CControlBar* bar : row)
    if (bar->m_hWnd && (bar->GetStyle() & WS_VISIBLE)) shown.push_back(bar);
  return shown;
}

int CDockBar::RowThickness(const std::vector<CControlBar*>& row) {
  int thickness = 0;
  for (CControlBar* bar : VisibleBars(row))
    thickness = std::max(thickness, Across(bar->CalcFixedLayout(FALSE, IsHorz()), IsHorz()));
  return thickness;
}

int CDockBar::CalcThickness(int) {
  int total = 0;
  for (const auto& row : m_rows) total += RowThickness(row);
  return total;
}

void CDockBar::PlaceBars(int length) {
  const bool horz = IsHorz();
  int across = 0;
  for (const auto& row : m_rows) {
    std::vector<CControlBar*> shown = VisibleBars(row);
    if (shown.empty()) continue;
    int thickness = RowThickness(row);
    // Fixed bars take their own length; the stretchable ones share the rest.
    int fixed = 0, stretchable = 0;
    for (CControlBar* bar : shown) {
      if (bar->IsStretchable())
        ++stretchable;
      else
        fixed += Along(bar->CalcFixedLayout(FALSE, horz), horz);
    }
    int share = stretchable ? std::max(0, (length - fixed) / stretchable) : 0;
    int along = 0;
    for (CControlBar* bar : shown) {
      int size = bar->IsStretchable() ? share : Along(bar->CalcFixedLayout(FALSE, horz), horz);
      if (horz)
        bar->MoveWindow(along, across, size, thickness);
      else
        bar->MoveWindow(across, along, thickness, size);
      along += size;
    }
    across += thickness;
  }
}

LRESULT CDockBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
      // The bars' commands and notices are the frame's.
      if (m_pFrame && m_pFrame->m_hWnd) return m_pFrame->SendMessage(msg, wp, lp);
      break;
    case WM_DESTROY:
      for (const auto& row : m_rows)
        for (CControlBar* bar : row)
          if (bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
      m_rows.clear();
      break;
  }
  return CWnd::WindowProc(msg, wp, lp);
}
