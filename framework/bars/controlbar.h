// CControlBar: a bar at an edge of a frame (a toolbar, the status bar, a
// docking window). A bar either docks in one of the frame's dock bars
// (dockbar.h), which lay out rows of bars along each side, or sits at an edge
// of its own (the status bar). The frame asks each bar for its size
// (CalcFixedLayout) and, while the program is idle, lets it update its items
// from the command route (OnUpdateCmdUI).
//
// The bar styles (CBRS_) are kept by the bar, not in the window's style.
#pragma once
#include <windows.h>

#include "commands/cmdids.h"
#include "commands/cmdui.h"
#include "wnd.h"

class CCmdUI;
class CDockBar;
class CFrameWnd;
class CMiniDockFrameWnd;

enum ControlBarStyle : DWORD {
  CBRS_FLOATING = 0x0001,
  CBRS_SIZE_FIXED = 0x0002,
  CBRS_SIZE_DYNAMIC = 0x0004,
  CBRS_TOOLTIPS = 0x0010,
  CBRS_FLYBY = 0x0020,
  CBRS_FLOAT_MULTI = 0x0040,
  CBRS_BORDER_3D = 0x0080,
  CBRS_BORDER_LEFT = 0x0100,
  CBRS_BORDER_TOP = 0x0200,
  CBRS_BORDER_RIGHT = 0x0400,
  CBRS_BORDER_BOTTOM = 0x0800,
  CBRS_BORDER_ANY = 0x0F00,
  CBRS_ALIGN_LEFT = 0x1000,
  CBRS_ALIGN_TOP = 0x2000,
  CBRS_ALIGN_RIGHT = 0x4000,
  CBRS_ALIGN_BOTTOM = 0x8000,
  CBRS_ALIGN_ANY = 0xF000,
  CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM,
  CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT,
  CBRS_GRIPPER = 0x00400000,
  CBRS_ALL = 0x0040FFFF,  // the bits of a creation style that are bar styles
  CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM,
  CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP,
  CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT,
  CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT,
};

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)

 public:
  CControlBar();
  ~CControlBar() override;

  // The size the bar takes: horz when it lies along a top or bottom edge;
  // stretch to the whole length of its edge.
  virtual SIZE CalcFixedLayout(BOOL stretch, BOOL horz) = 0;
  // Updates the bar's items from target's command route.
  virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) = 0;
  // A bar that takes the rest of its row (a docking window), rather than
  // its own length (a toolbar).
  virtual BOOL IsStretchable() const { return FALSE; }

  // The sides this bar may dock on (CBRS_ALIGN_ bits).
  void EnableDocking(DWORD dockStyle) { m_dwDockStyle = dockStyle & CBRS_ALIGN_ANY; }
  DWORD GetBarStyle() const { return m_dwStyle; }
  void SetBarStyle(DWORD style);
  BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
  // Lies along a top or bottom edge (or floats horizontally).
  BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || !(m_dwStyle & CBRS_ALIGN_ANY); }
  // The frame's show/hide: a floating bar's own frame shows and hides with it.
  void ShowFloatingFrame(BOOL show);
  // The size of the bar in its floating frame, and that frame's new size.
  virtual SIZE CalcFloatingSize() { return CalcFixedLayout(FALSE, TRUE); }
  virtual void SetFloatingSize(SIZE) {}

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  DWORD m_dwDockStyle = 0;
  CFrameWnd* m_pDockSite = nullptr;            // the frame the bar belongs to
  CDockBar* m_pDockBar = nullptr;              // where it is docked, or nullptr
  CMiniDockFrameWnd* m_pFloatFrame = nullptr;  // where it floats, or nullptr
  UINT m_nLastDockId = AFX_IDW_DOCKBAR_TOP;    // the side it was docked on last

 protected:
  // Makes the window (any class) as a child of frame and joins the frame's
  // bars; style holds window and bar styles (CBRS_), ctrlStyle the class's.
  BOOL CreateBar(CFrameWnd* frame, const char* className, const char* title, DWORD ctrlStyle, DWORD style,
                 UINT id, DWORD exStyle = 0);
  // The border and gripper the bar draws around its client area.
  virtual RECT NonClientInsets() const;
  virtual void DrawNonClient(HDC dc, const RECT& window);
  void DrawGripper(HDC dc, const RECT& client) const;
  // The gripper of a docked bar, in its window's coordinates (empty when none).
  RECT GripperBox() const;

  DWORD m_dwStyle = 0;
  int m_cxGripper = 8;  // room for the gripper of a docked bar with CBRS_GRIPPER
};
