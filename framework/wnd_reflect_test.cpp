// Child notifications come back to the child's own object first.
#include <gtest/gtest.h>

#include <vector>

#include "qel/exportproc.h"
#include "wndtest/wndtest_util.h"

namespace {

using wndtest::CreateTopLevel;
using wndtest::PumpPending;
using wndtest::Rect;

// Counts the child notifications that reach the parent itself.
class CParentWnd : public CWnd {
 public:
  std::vector<UINT> commands;  // notification codes of WM_COMMAND
  int drawItems = 0;

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_COMMAND: commands.push_back(HIWORD(wp)); break;
      case WM_DRAWITEM: ++drawItems; return TRUE;
    }
    return CWnd::WindowProc(msg, wp, lp);
  }
};

// An owner-drawn button that draws itself and handles its own clicks.
class COwnButton : public CWnd {
 public:
  int clicks = 0;
  int draws = 0;
  int colours = 0;
  HBRUSH brush = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));

  bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override {
    switch (msg) {
      case WM_COMMAND:
        if (HIWORD(wp) != BN_CLICKED) return false;
        OnClicked();
        *result = 0;
        return true;
      case WM_DRAWITEM:
        OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        *result = TRUE;
        return true;
      case WM_CTLCOLORBTN:
        ++colours;
        *result = reinterpret_cast<LRESULT>(brush);
        return true;
    }
    return false;
  }

 private:
  void OnClicked() { ++clicks; }
  void OnDrawItem(const DRAWITEMSTRUCT& item) {
    EXPECT_EQ(item.hwndItem, m_hWnd);
    ::FillRect(item.hDC, &item.rcItem, brush);
    ++draws;
  }
};

class WndReflect : public ::testing::Test {
 protected:
  CParentWnd parent;
  void SetUp() override { ASSERT_TRUE(CreateTopLevel(parent, true)); }
};

TEST_F(WndReflect, AnOwnerDrawnButtonDrawsItselfAndTakesItsOwnClicks) {
  COwnButton button;
  ASSERT_TRUE(button.Create("BUTTON", "按钮", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, Rect(10, 10, 90, 40),
                            parent, 100));
  button.Invalidate();
  button.UpdateWindow();
  PumpPending();
  EXPECT_GE(button.draws, 1);
  EXPECT_EQ(parent.drawItems, 0);

  button.SendMessage(BM_CLICK);
  button.SendMessage(BM_CLICK);
  EXPECT_EQ(button.clicks, 2);
  EXPECT_TRUE(parent.commands.empty());
}

TEST_F(WndReflect, TheChildsColoursAnswerTheParent) {
  COwnButton button;
  ASSERT_TRUE(button.Create("BUTTON", "b", WS_CHILD | BS_OWNERDRAW, Rect(0, 0, 20, 20), parent, 1));
  HDC dc = ::GetDC(button);
  LRESULT answer = parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                      reinterpret_cast<LPARAM>(button.m_hWnd));
  ::ReleaseDC(button, dc);
  EXPECT_EQ(answer, reinterpret_cast<LRESULT>(button.brush));
  EXPECT_EQ(button.colours, 1);
}

TEST_F(WndReflect, WhatTheChildDoesNotHandleReachesTheParent) {
  CWnd plain;  // a child object without its own notification handling
  ASSERT_TRUE(
      plain.Create("BUTTON", "p", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, Rect(10, 50, 90, 80), parent, 101));
  plain.SendMessage(BM_CLICK);
  ASSERT_FALSE(parent.commands.empty());
  EXPECT_EQ(parent.commands.back(), BN_CLICKED);
}

TEST_F(WndReflect, AChildOutsideTheLayerNotifiesItsParentAsUsual) {
  HWND raw = ::CreateWindowExA(0, "BUTTON", "r", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 90, 80, 30,
                               parent, reinterpret_cast<HMENU>(102), ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(raw);
  ::SendMessageA(raw, BM_CLICK, 0, 0);
  ASSERT_FALSE(parent.commands.empty());
  EXPECT_EQ(parent.commands.back(), BN_CLICKED);
}

TEST_F(WndReflect, MenuCommandsStayWithTheParent) {
  parent.SendMessage(WM_COMMAND, MAKEWPARAM(4000, 0), 0);
  ASSERT_EQ(parent.commands.size(), 1u);
}

// An edit window that reacts to its own content and focus changes.
class COwnEdit : public CWnd {
 public:
  std::vector<UINT> events;
  bool OnChildNotify(UINT msg, WPARAM wp, LPARAM, LRESULT* result) override {
    if (msg != WM_COMMAND) return false;
    switch (HIWORD(wp)) {
      case EN_CHANGE:
      case EN_SETFOCUS:
      case EN_KILLFOCUS:
        events.push_back(HIWORD(wp));
        *result = 0;
        return true;
    }
    return false;
  }
  int Count(UINT code) const {
    int n = 0;
    for (UINT e : events) n += e == code;
    return n;
  }
};

TEST_F(WndReflect, AnEditSeesItsOwnChangeAndFocusNotifications) {
  COwnEdit edit;
  ASSERT_TRUE(edit.Create("EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                          Rect(10, 130, 200, 155), parent, 103));
  ::SetForegroundWindow(parent);
  edit.SetFocus();
  edit.SendMessage(WM_CHAR, 'a', 1);
  ::SetFocus(parent);
  EXPECT_GE(edit.Count(EN_CHANGE), 1);
  EXPECT_EQ(edit.Count(EN_SETFOCUS), 1);
  EXPECT_EQ(edit.Count(EN_KILLFOCUS), 1);
  for (UINT code : parent.commands) EXPECT_NE(code, EN_CHANGE);
}

TEST_F(WndReflect, AChildOfAnotherModuleGetsItsNotificationBack) {
  HMODULE dll = ::LoadLibraryA("wndtest_dll.dll");
  ASSERT_TRUE(dll);
  auto make = QelFindExport<HWND(__stdcall*)(HWND, int)>(dll, "WndTestMakeChildButton");
  auto clicks = QelFindExport<int(__stdcall*)()>(dll, "WndTestChildClicks");
  ASSERT_TRUE(make && clicks);
  HWND button = make(parent, 104);
  ASSERT_TRUE(button);
  EXPECT_EQ(CWnd::FromHandlePermanent(button), nullptr);  // not in this module's map
  ::SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks(), 1);
  EXPECT_TRUE(parent.commands.empty());
  ::DestroyWindow(button);
  ::FreeLibrary(dll);
}

}  // namespace
