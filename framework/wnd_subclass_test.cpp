// Taking over an existing window: its own procedure still does the work.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wndtest/wndtest_util.h"

namespace {

using wndtest::PlainClass;

HWND MakeRawEdit() {
  return ::CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_AUTOHSCROLL, 0, 0, 100, 20, nullptr, nullptr,
                           ::GetModuleHandleA(nullptr), nullptr);
}

std::string TextOf(HWND hwnd) {
  char buf[64] = "";
  ::GetWindowTextA(hwnd, buf, sizeof buf);
  return buf;
}

// Swallows the character 'x' and passes everything else on.
class CFilteringEdit : public CWnd {
 public:
  std::vector<UINT> seen;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    seen.push_back(msg);
    switch (msg) {
      case WM_CHAR:
        if (wp == 'x') return 0;
        break;
    }
    return CWnd::WindowProc(msg, wp, lp);
  }
  bool Saw(UINT msg) const {
    for (UINT m : seen)
      if (m == msg) return true;
    return false;
  }
};

TEST(WndSubclass, AnEditForwardsToItsOriginalProcedure) {
  HWND edit = MakeRawEdit();
  ASSERT_TRUE(edit);
  LONG_PTR original = ::GetWindowLongPtrA(edit, GWLP_WNDPROC);
  CFilteringEdit wnd;
  ASSERT_TRUE(wnd.SubclassWindow(edit));
  EXPECT_EQ(CWnd::FromHandlePermanent(edit), &wnd);

  ::SetWindowTextA(edit, "ab");
  EXPECT_TRUE(wnd.Saw(WM_SETTEXT));
  EXPECT_EQ(TextOf(edit), "ab");  // the edit's own procedure stored it
  ::SendMessageA(edit, EM_SETSEL, 2, 2);
  for (char c : std::string("xyx")) ::SendMessageA(edit, WM_CHAR, c, 1);
  EXPECT_EQ(TextOf(edit), "aby");

  EXPECT_EQ(wnd.UnsubclassWindow(), edit);
  EXPECT_EQ(::GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
  EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
  wnd.seen.clear();
  ::SendMessageA(edit, EM_SETSEL, 3, 3);
  ::SendMessageA(edit, WM_CHAR, 'x', 1);
  EXPECT_TRUE(wnd.seen.empty());
  EXPECT_EQ(TextOf(edit), "abyx");
  ::DestroyWindow(edit);
}

TEST(WndSubclass, DestroyingTheWindowDetachesAndRestoresIt) {
  size_t attachedBefore = CWnd::GetAttachedCount();
  HWND edit = MakeRawEdit();
  CFilteringEdit wnd;
  ASSERT_TRUE(wnd.SubclassWindow(edit));
  ::DestroyWindow(edit);
  EXPECT_TRUE(wnd.Saw(WM_NCDESTROY));
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::GetAttachedCount(), attachedBefore);
}

TEST(WndSubclass, AWindowIsTakenOverOnlyOnce) {
  HWND edit = MakeRawEdit();
  CFilteringEdit first, second;
  ASSERT_TRUE(first.SubclassWindow(edit));
  EXPECT_FALSE(second.SubclassWindow(edit));
  EXPECT_FALSE(first.SubclassWindow(MakeRawEdit()));  // it already has a window
  EXPECT_FALSE(second.SubclassWindow(nullptr));
  EXPECT_EQ(second.m_hWnd, nullptr);
}

TEST(WndSubclass, ADialogItemIsFoundByItsId) {
  CWnd parent;
  ASSERT_TRUE(wndtest::CreateTopLevel(parent, false));
  HWND item = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 50, 20, parent, reinterpret_cast<HMENU>(55),
                                ::GetModuleHandleA(nullptr), nullptr);
  CFilteringEdit wnd;
  EXPECT_FALSE(wnd.SubclassDlgItem(56, parent));
  ASSERT_TRUE(wnd.SubclassDlgItem(55, parent));
  EXPECT_EQ(wnd.m_hWnd, item);
}

// Makes a button owner-drawn when it takes it over unless it has a drawn type.
class CSelfDrawnButton : public CWnd {
 public:
  void PreSubclassWindow() override {
    if ((GetStyle() & 0xB) == 0) ModifyStyle(0, BS_OWNERDRAW);
  }
};

TEST(WndSubclass, PreSubclassWindowMayChangeTheStyle) {
  struct Case {
    DWORD type;
    DWORD want;
  };
  const Case cases[] = {
      {BS_PUSHBUTTON, BS_OWNERDRAW}, {BS_CHECKBOX, BS_CHECKBOX}, {BS_OWNERDRAW, BS_OWNERDRAW}};
  for (const Case& c : cases) {
    HWND button = ::CreateWindowExA(0, "BUTTON", "b", WS_POPUP | c.type, 0, 0, 50, 20, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    CSelfDrawnButton wnd;
    ASSERT_TRUE(wnd.SubclassWindow(button));
    EXPECT_EQ(wnd.GetStyle() & 0xF, c.want) << c.type;
    wnd.DestroyWindow();
  }
  // Created through the layer, the object is given the same chance.
  CSelfDrawnButton made;
  RECT r = {0, 0, 50, 20};
  ASSERT_TRUE(made.Create("BUTTON", "b", WS_POPUP, r, nullptr, 0));
  EXPECT_EQ(made.GetStyle() & 0xF, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST(WndSubclass, AWindowMadeThroughTheLayerCanBeHandedOver) {
  CWnd made;
  ASSERT_TRUE(made.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  HWND hwnd = made.m_hWnd;
  EXPECT_EQ(made.UnsubclassWindow(), hwnd);
  EXPECT_EQ(made.m_hWnd, nullptr);
  EXPECT_TRUE(::IsWindow(hwnd));
  CFilteringEdit again;
  ASSERT_TRUE(again.SubclassWindow(hwnd));
  ::SetWindowTextA(hwnd, "t");
  EXPECT_TRUE(again.Saw(WM_SETTEXT));
  again.DestroyWindow();
}

}  // namespace
