// CSizingControlBar: a docking window whose thickness the engineer sets by
// dragging its inner edge (the edge facing the frame's client area), with a
// gripper and a close button. Docked in a row it takes the rest of the row;
// it remembers one size for docking along a top or bottom edge, one for
// the left and right edges and one for floating. Every bar of this class
// that exists is listed in one shared list.
//
// Dragging: the edge is 5 pixels wide and shows the sizing cursor; while the
// platform's "drag full windows" setting is off a tracking line is drawn in
// inverted colours on the frame and the size changes when the button is
// released, otherwise the bar is resized as the mouse moves. Escape puts the
// old size back. The size never falls below the minimum (33 by 32) and never
// grows so far that the frame's client area vanishes.
//
// The close button (12 by 12 pixels, a cross in the "Marlett" font) sits at
// the end of the gripper, raised while the mouse is over it and sunk while
// it is pressed; releasing the button over it hides the bar.
#pragma once
#include <windows.h>

#include <vector>

#include "bars/controlbar.h"
#include "qstring.h"

class CSizingControlBar : public CControlBar {
  DECLARE_DYNAMIC(CSizingControlBar)

 public:
  enum : int {
    kMinWidth = 33,
    kMinHeight = 32,
    kEdge = 5,
    kGripper = 12,
    kCloseButton = 12,
  };

  CSizingControlBar();
  ~CSizingControlBar() override;

  // Makes the bar in frame: its window class (arrow cursor, button-face
  // background), every remembered size set to size, a gripper (with its
  // close button) when gripper is TRUE.
  BOOL Create(const char* title, CFrameWnd* frame, SIZE size, BOOL gripper, UINT id,
              DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP);

  SIZE CalcFixedLayout(BOOL stretch, BOOL horz) override;
  SIZE CalcFloatingSize() override { return m_szFloat; }
  void SetFloatingSize(SIZE size) override { m_szFloat = size; }
  BOOL IsStretchable() const override { return TRUE; }
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

  SIZE GetHorzSize() const { return m_szHorz; }
  SIZE GetVertSize() const { return m_szVert; }
  // The size kept for docking along a top or bottom edge (horz) or a side.
  void SetDockedSize(BOOL horz, SIZE size);
  // While the edge is dragged.
  BOOL IsTracking() const { return m_tracking; }
  const CString& GetTitle() const { return m_strTitle; }

  // Every sizing bar that exists now.
  static const std::vector<CSizingControlBar*>& AllBars();

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  RECT NonClientInsets() const override;
  void DrawNonClient(HDC dc, const RECT& window) override;
  // The bar's window rectangle in its own window coordinates.
  RECT WindowBox() const;
  RECT CloseButtonBox() const;
  // The gripper without its close button (where a drag moves the bar).
  RECT GripBox() const;
  // The hit-test code of the drag edge (HTRIGHT for a bar on the left ...).
  UINT EdgeHitCode() const;
  BOOL IsHorzDocked() const;

  void StartTracking(POINT screen);
  void TrackTo(POINT screen);
  void StopTracking(BOOL accept);
  void DrawTrackingLine();
  // The thickness for the mouse at screen, within the limits.
  int ThicknessAt(POINT screen) const;
  void ApplyThickness(int thickness);

  void OnNcLButtonDown(UINT hit, POINT screen);
  void OnNcMouseMove(UINT hit);
  void SetCloseState(int state);

  SIZE m_szMin = {kMinWidth, kMinHeight};
  SIZE m_szHorz = {200, 200};
  SIZE m_szVert = {200, 200};
  SIZE m_szFloat = {200, 200};
  int m_cyGripper = 0;
  CString m_strTitle;
  BOOL m_bDragFullWindows = TRUE;

  BOOL m_tracking = FALSE;
  int m_trackStart = 0;  // the thickness when the drag began
  int m_trackMax = 0;    // the most it may take
  POINT m_trackOrigin = {0, 0};
  int m_trackThickness = 0;  // the thickness shown now
  BOOL m_lineShown = FALSE;
  int m_closeState = 0;  // 0 flat, 1 raised (mouse over), 2 sunk (pressed)
  BOOL m_closePressed = FALSE;
};
