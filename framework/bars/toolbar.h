// CToolBar: a control bar that holds the platform's toolbar control (the
// framework's CToolBarCtrl, which does everything with the buttons): a row of
// buttons, each a command id (0 for a separator), loaded from a toolbar
// resource (RT_TOOLBAR: WORD version 1, image width, image height, button
// count, then the count ids) and its bitmap of the same id, or given three
// image lists (normal, hot, disabled). Buttons are enabled and checked by
// the command route while the program is idle; their tips and status-line
// prompts are the second and first part of the string resource of their
// id, and their clicks are commands of the frame. Docked along the left or
// right side, the buttons stand in one column; floating, in rows.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "bars/controlbar.h"
#include "controls/imagelist.h"
#include "controls/toolbarctrl.h"

class CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)

 public:
  CToolBar();
  ~CToolBar() override;

  // ctrlStyle: toolbar styles (TBSTYLE_FLAT ...); style: window and bar styles.
  BOOL CreateEx(CFrameWnd* frame, DWORD ctrlStyle = TBSTYLE_FLAT,
                DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, UINT id = AFX_IDW_TOOLBAR);
  CToolBarCtrl& GetToolBarCtrl() { return m_ctrl; }
  const CToolBarCtrl& GetToolBarCtrl() const { return m_ctrl; }

  // The buttons of the toolbar resource; its bitmap of the same id (when
  // there is one) as the images.
  BOOL LoadToolBar(UINT resourceId);
  BOOL SetButtons(const UINT* ids, int count);
  // The image lists stay the caller's; they must outlive the toolbar.
  void SetImageLists(HIMAGELIST normal, HIMAGELIST hot, HIMAGELIST disabled);
  // The drop-down arrows of buttons with the BTNS_DROPDOWN style.
  void EnableDropDownArrows();
  // Cross size of the bar along a top or bottom edge (0: from the buttons).
  void SetHeight(int height) { m_nHeight = height; }

  int GetCount() const { return m_ctrl.GetButtonCount(); }
  int CommandToIndex(UINT id) const { return m_ctrl.CommandToIndex(id); }
  UINT GetItemID(int index) const;
  UINT GetButtonStyle(int index) const;
  void SetButtonStyle(int index, UINT style);
  int GetButtonImage(int index) const;
  void SetButtonImage(int index, int image);
  // TBSTATE_ bits of the button with that command id, -1 when there is none.
  int GetButtonState(UINT id) const;
  void GetItemRect(int index, RECT* rect) const { m_ctrl.GetItemRect(index, rect); }

  SIZE CalcFixedLayout(BOOL stretch, BOOL horz) override;
  // Floating, the buttons stand in rows of about the square root of three
  // times their number.
  SIZE CalcFloatingSize() override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  // Wrap marks after every columns buttons: 0 one row, 1 one column.
  void LayoutButtons(int columns);
  // The extent of the buttons as laid out, with the bar's borders.
  SIZE ButtonsExtent(BOOL horz) const;
  BOOL SetButtonInfo(int index, DWORD mask, TBBUTTONINFOA& info);

  CToolBarCtrl m_ctrl;
  int m_nHeight = 0;
  int m_layoutColumns = -1;  // the layout the buttons have now
  CImageList m_ownImages;    // made from the resource's bitmap
};

// What the command route sets on a toolbar button.
class CToolCmdUI : public CCmdUI {
 public:
  CToolBarCtrl* m_pToolBar = nullptr;
  void Enable(BOOL on = TRUE) override;
  void SetCheck(int check = 1) override;
  void SetRadio(BOOL on = TRUE) override { SetCheck(on ? 1 : 0); }
  void SetText(const char*) override {}
};

// A toolbar resource: its image size and its ids (0 for separators); false
// when the resource is missing or malformed.
struct ToolBarResource {
  SIZE image = {0, 0};
  std::vector<UINT> ids;
};
bool QelLoadToolBarResource(UINT id, ToolBarResource* out);
