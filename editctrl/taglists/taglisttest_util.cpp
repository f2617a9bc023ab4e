#include "taglisttest_util.h"

#include <cstring>

#include "wndtest/wndtest_util.h"

namespace taglisttest {

namespace {

std::vector<MessageBoxWatch::Box> g_boxes;
UINT_PTR g_timer = 0;

std::string TextOf(HWND hwnd) {
  char text[512] = "";
  ::GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

BOOL CALLBACK CloseBox(HWND hwnd, LPARAM) {
  char cls[32] = "";
  if (!::GetClassNameA(hwnd, cls, sizeof cls) || std::strcmp(cls, "#32770") != 0 || !::IsWindowVisible(hwnd))
    return TRUE;
  // The box's text is its static control 0xFFFF.
  g_boxes.push_back({TextOf(hwnd), TextOf(::GetDlgItem(hwnd, 0xFFFF))});
  ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
  return TRUE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  ::EnumThreadWindows(::GetCurrentThreadId(), CloseBox, 0);
}

}  // namespace

bool CreateParent(CWnd& parent) { return wndtest::CreateTopLevel(parent, false) != FALSE; }

QB_TAGATTR ServerTag(const char* name, int type, const char* description, const char* unit) {
  QB_TAGATTR tag = {};
  tag.type = (uint8_t)type;
  std::strncpy(tag.name, name, sizeof tag.name - 1);
  std::strncpy(tag.description, description, sizeof tag.description - 1);
  std::strncpy(tag.unit, unit, sizeof tag.unit - 1);
  return tag;
}

void PumpPending() { wndtest::PumpPending(); }

MessageBoxWatch::MessageBoxWatch() {
  g_boxes.clear();
  g_timer = ::SetTimer(nullptr, 0, 30, OnTimer);
}

MessageBoxWatch::~MessageBoxWatch() { ::KillTimer(nullptr, g_timer); }

const std::vector<MessageBoxWatch::Box>& MessageBoxWatch::Boxes() const { return g_boxes; }

}  // namespace taglisttest
