// The framework's own command ids, window ids, string ids and messages. The
// programs' resources use these numbers for the commands the framework
// carries out (new, open, close, recent files, the window arrangement, exit)
// and for the commands whose ids every program shares (save, the clipboard).
// Plain definitions: resource scripts include this file too.
#pragma once

#define ID_SEPARATOR 0

#define ID_FILE_NEW 0xE100      // 57600
#define ID_FILE_OPEN 0xE101     // 57601
#define ID_FILE_CLOSE 0xE102    // 57602
#define ID_FILE_SAVE 0xE103     // 57603
#define ID_FILE_SAVE_AS 0xE104  // 57604
#define ID_FILE_PAGE_SETUP 0xE105
#define ID_FILE_PRINT_SETUP 0xE106  // 57606
#define ID_FILE_PRINT 0xE107        // 57607
#define ID_FILE_PRINT_DIRECT 0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109  // 57609
#define ID_FILE_MRU_FILE1 0xE110      // 57616: the recent-file entries, up to 16
#define ID_FILE_MRU_LAST 0xE11F

#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_COPY 0xE122   // 57634
#define ID_EDIT_CUT 0xE123    // 57635
#define ID_EDIT_PASTE 0xE125  // 57637
#define ID_EDIT_UNDO 0xE12B   // 57643
#define ID_EDIT_REDO 0xE12C   // 57644

#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134

#define ID_APP_ABOUT 0xE140  // 57664
#define ID_APP_EXIT 0xE141   // 57665

#define ID_NEXT_PANE 0xE150
#define ID_PREV_PANE 0xE151

#define ID_INDICATOR_CAPS 0xE701  // 59137
#define ID_INDICATOR_NUM 0xE702   // 59138
#define ID_INDICATOR_SCRL 0xE703  // 59139

#define ID_VIEW_TOOLBAR 0xE800
#define ID_VIEW_STATUS_BAR 0xE801

// Child window ids inside a frame.
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F
#define AFX_IDW_PANE_FIRST 0xE900      // a frame's view, or the MDI client
#define AFX_IDM_FIRST_MDICHILD 0xFF00  // the window menu's entries for the children

// String resources of the framework's texts.
#define AFX_IDS_APP_TITLE 0xE000
#define AFX_IDS_IDLEMESSAGE 0xE001  // the status bar's text while nothing else is shown

// The framework's messages between its windows.
#define WM_SETMESSAGESTRING 0x0362  // wParam string id, or lParam text; the frame's status line
#define WM_IDLEUPDATECMDUI 0x0363   // wParam TRUE: disable items without a handler
#define WM_INITIALUPDATE 0x0364     // to a new frame's views: CView::OnInitialUpdate
