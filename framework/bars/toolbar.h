// CToolBar: a control bar that is the platform's toolbar control: a row of
// buttons, each a command id (0 for a separator), loaded from a toolbar
// resource (RT_TOOLBAR: WORD version 1, image width, image height, button
// count, then the count ids) and its bitmap of the same id, or given three
// image lists (normal, hot, disabled). Buttons are enabled and checked by
// the command route while the program is idle; their tips and status-line
// prompts are the second and first part of the string resource of their
// id. Docked along the left or right side, the buttons stand in one column.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "bars/controlbar.h"

class CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)

 public:
  CToolBar();
  ~CToolBar() override;

  // ctrlStyle: toolbar styles (TBSTYLE_FLAT ...); style: window and bar styles.
  BOOL CreateEx(CFrameWnd* frame, DWORD ctrlStyle = TBSTYLE_FLAT,
                DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, UINT id = AFX_IDW_TOOLBAR);
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

  int GetCount() const;
  int CommandToIndex(UINT id) const;
  UINT GetItemID(int index) const;
  UINT GetButtonStyle(int index) const;
  void SetButtonStyle(int index, UINT style);
  int GetButtonImage(int index) const;
  void SetButtonImage(int index, int image);
  // TBSTATE_ bits of the button with that command id, -1 when there is none.
  int GetButtonState(UINT id) const;
  void GetItemRect(int index, RECT* rect) const;

  SIZE CalcFixedLayout(BOOL stretch, BOOL horz) override;
  // Floating, the buttons stand in rows of about the square root of three
  // times their number.
  SIZE CalcFloatingSize() override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

 protected:
  // Wrap marks after every columns buttons: 0 one row, 1 one column.
  void LayoutButtons(int columns);
  // The extent of the buttons as laid out, with the bar's borders.
  SIZE ButtonsExtent(BOOL horz) const;

  int m_nHeight = 0;
  int m_layoutColumns = -1;  // the layout the buttons have now
  SIZE m_sizeImage = {16, 15};
  HBITMAP m_hBitmap = nullptr;
  HIMAGELIST m_hOwnImages = nullptr;  // made from the resource bitmap
};

// A toolbar resource: its image size and its ids (0 for separators); false
// when the resource is missing or malformed.
struct ToolBarResource {
  SIZE image = {0, 0};
  std::vector<UINT> ids;
};
bool QelLoadToolBarResource(UINT id, ToolBarResource* out);
