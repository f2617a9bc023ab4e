// The viewer's texts, captions and command numbers, each spelt once.
#pragma once
#include "commands/cmdids.h"

// Message boxes of start-up and exit (a project that cannot be read:
// kTextProjectReadError of the project model).
extern const char kTextNoSettings[];      // "没有找到<QelView.ini>配置文件!"
extern const char kTextNoStartPicture[];  // "没有指定开始画面!"
extern const char kTextExitQuestion[];    // "是否要退出QelView?"
extern const char kTitleExitQuestion[];   // "QelView提示"

// The context menu: a disabled title item, a separator and the exit command.
extern const char kMenuTitle[];  // "主菜单"
extern const char kMenuExit[];   // "退出\tAlt+F4"

// The exit command is the framework's ID_APP_EXIT: it closes the frame
// through the exit question.
enum ViewerCommand : unsigned {
  ID_VIEWER_MAINMENU = 32773,  // the menu's title item; no handler
};

// The control identifiers inside the frame.
enum ViewerWindowId : unsigned {
  ID_VIEWER_VIEW = AFX_IDW_PANE_FIRST,  // the view: the frame's first pane
  ID_RUNTIME_WINDOW = 1000,             // the runtime picture window inside the view
};
