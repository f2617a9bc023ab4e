#include "controls/tooltip.h"

#include <commctrl.h>

#include "controls/commoncontrols.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {
// Tool id 0 names the tool that covers the whole window.
TOOLINFOA ToolFor(HWND window, UINT_PTR toolId) {
  TOOLINFOA tool = {};
  tool.cbSize = sizeof tool;
  tool.hwnd = window;
  tool.uFlags = TTF_SUBCLASS | (toolId ? 0 : TTF_IDISHWND);
  tool.uId = toolId ? toolId : reinterpret_cast<UINT_PTR>(window);
  return tool;
}
}  // namespace

BOOL CToolTipCtrl::Create(HWND parent, DWORD style) {
  QelInitCommonControls();
  return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, "", WS_POPUP | TTS_NOPREFIX | style, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr);
}

BOOL CToolTipCtrl::AddTool(HWND window, const char* text, const RECT* rect, UINT_PTR toolId) {
  TOOLINFOA tool = ToolFor(window, rect ? toolId : 0);
  if (rect) tool.rect = *rect;
  tool.lpszText = const_cast<char*>(text ? text : "");
  return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}
void CToolTipCtrl::DelTool(HWND window, UINT_PTR toolId) {
  TOOLINFOA tool = ToolFor(window, toolId);
  SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}
void CToolTipCtrl::UpdateTipText(const char* text, HWND window, UINT_PTR toolId) {
  TOOLINFOA tool = ToolFor(window, toolId);
  tool.lpszText = const_cast<char*>(text ? text : "");
  SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}
int CToolTipCtrl::GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
void CToolTipCtrl::Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
int CToolTipCtrl::SetMaxTipWidth(int width) {
  return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width));
}
void CToolTipCtrl::RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
