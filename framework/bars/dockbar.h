// CDockBar: the strip along one side of a frame in which control bars dock,
// in rows (columns on the left and right side). A row is as thick as its
// thickest bar; along the row, each bar takes its own length and the
// stretchable bars (docking windows) share what is left.
#pragma once
#include <windows.h>

#include <vector>

#include "wnd.h"

class CControlBar;
class CFrameWnd;

class CDockBar : public CWnd {
  DECLARE_DYNAMIC(CDockBar)

 public:
  // id: AFX_IDW_DOCKBAR_TOP, _BOTTOM, _LEFT or _RIGHT.
  explicit CDockBar(UINT id);

  BOOL CreateIn(CFrameWnd* frame);
  // Along the top or bottom edge.
  BOOL IsHorz() const;
  // The CBRS_ALIGN_ bit of the side.
  DWORD AlignStyle() const;

  // Docks bar at the end of rowOf's row, or in a new last row.
  void DockBar(CControlBar* bar, CControlBar* rowOf = nullptr);
  // Takes the bar out (its row goes when it empties); no layout.
  void RemoveBar(CControlBar* bar);
  BOOL Contains(const CControlBar* bar) const;
  const std::vector<std::vector<CControlBar*>>& Rows() const { return m_rows; }

  // The thickness across the side that the visible bars need for a side
  // of that length; 0 when none is visible.
  int CalcThickness(int length);
  // Places the visible bars inside the dock bar, for a side of that length.
  void PlaceBars(int length);

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  std::vector<CControlBar*> VisibleBars(const std::vector<CControlBar*>& row) const;
  int RowThickness(const std::vector<CControlBar*>& row);

  UINT m_id;
  CFrameWnd* m_pFrame = nullptr;
  std::vector<std::vector<CControlBar*>> m_rows;
};
