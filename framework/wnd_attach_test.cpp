// How objects come to their windows and leave them again.
#include <gtest/gtest.h>

#include <vector>

#include "wndtest/wndtest_util.h"

namespace {

using wndtest::PlainClass;

// Records every message it gets; counts the live objects of its kind.
class CRecordingWnd : public CWnd {
 public:
  static int live;
  std::vector<UINT> seen;
  bool failCreate = false;

  CRecordingWnd() { ++live; }
  ~CRecordingWnd() override { --live; }

  bool Saw(UINT msg) const {
    for (UINT m : seen)
      if (m == msg) return true;
    return false;
  }

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    seen.push_back(msg);
    switch (msg) {
      case WM_CREATE: return OnCreate();
    }
    return CWnd::WindowProc(msg, wp, lp);
  }

 private:
  LRESULT OnCreate() { return failCreate ? -1 : Default(); }
};
int CRecordingWnd::live = 0;

// A class that a host creates by name: each window makes its own object.
const char* GlobalClass() {
  static const char* name = [] {
    QelRegisterGlobalClass<CRecordingWnd>("QelWndTestGlobal", CS_DBLCLKS,
                                          static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
    return "QelWndTestGlobal";
  }();
  return name;
}

HWND CreateByName(const char* className, HWND parent = nullptr) {
  DWORD style = parent ? WS_CHILD : WS_OVERLAPPEDWINDOW;
  return ::CreateWindowExA(0, className, "", style, 0, 0, 100, 100, parent, nullptr,
                           ::GetModuleHandleA(nullptr), nullptr);
}

TEST(WndGlobalClass, MakesTheObjectOnTheFirstMessageAndDeletesItAtTheEnd) {
  size_t attachedBefore = CWnd::GetAttachedCount();
  HWND hwnd = CreateByName(GlobalClass());
  ASSERT_TRUE(hwnd);
  EXPECT_EQ(CRecordingWnd::live, 1);
  auto* wnd = dynamic_cast<CRecordingWnd*>(CWnd::FromHandlePermanent(hwnd));
  ASSERT_TRUE(wnd);
  EXPECT_EQ(wnd->m_hWnd, hwnd);
  // Attached from the very first message on: creation went through the object.
  ASSERT_FALSE(wnd->seen.empty());
  EXPECT_TRUE(wnd->Saw(WM_NCCREATE));
  EXPECT_TRUE(wnd->Saw(WM_CREATE));
  EXPECT_EQ(CWnd::GetAttachedCount(), attachedBefore + 1);

  ::DestroyWindow(hwnd);
  EXPECT_EQ(CRecordingWnd::live, 0);
  EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
  EXPECT_EQ(CWnd::GetAttachedCount(), attachedBefore);
}

TEST(WndGlobalClass, EachWindowGetsItsOwnObject) {
  HWND parent = CreateByName(GlobalClass());
  HWND a = CreateByName(GlobalClass(), parent);
  HWND b = CreateByName(GlobalClass(), parent);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(CRecordingWnd::live, 3);
  EXPECT_NE(CWnd::FromHandlePermanent(a), CWnd::FromHandlePermanent(b));
  ::DestroyWindow(parent);  // children first, then the parent: every object goes
  EXPECT_EQ(CRecordingWnd::live, 0);
}

// Closes itself from inside its own handler; counts its destructions.
int g_closingDeleted = 0;
class CClosingWnd : public CWnd {
 public:
  ~CClosingWnd() override { ++g_closingDeleted; }
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_CLOSE: OnClose(); return 0;
    }
    return CWnd::WindowProc(msg, wp, lp);
  }

 private:
  void OnClose() { DestroyWindow(); }  // the object is gone when this returns
};

TEST(WndGlobalClass, AWindowDestroyedByItsOwnHandlerDeletesItsObjectOnce) {
  QelRegisterGlobalClass<CClosingWnd>("QelWndTestClosing", 0, nullptr);
  size_t attachedBefore = CWnd::GetAttachedCount();
  HWND hwnd = CreateByName("QelWndTestClosing");
  ASSERT_TRUE(hwnd);
  ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_EQ(g_closingDeleted, 1);
  EXPECT_EQ(CWnd::GetAttachedCount(), attachedBefore);
}

TEST(WndGlobalClass, IsRegisteredAsAGlobalClassOfThisModule) {
  WNDCLASSA wc;
  ASSERT_TRUE(::GetClassInfoA(QelGetInstanceHandle(), GlobalClass(), &wc));
  HWND hwnd = CreateByName(GlobalClass());
  EXPECT_TRUE(::GetClassLongA(hwnd, GCL_STYLE) & CS_GLOBALCLASS);
  EXPECT_TRUE(::GetClassLongA(hwnd, GCL_STYLE) & CS_DBLCLKS);
  ::DestroyWindow(hwnd);
}

TEST(WndCreate, AttachesBeforeTheFirstMessageAndDetachesAtTheEnd) {
  const char* classes[] = {PlainClass(), "EDIT", "BUTTON"};
  for (const char* cls : classes) {
    size_t attachedBefore = CWnd::GetAttachedCount();
    {
      CRecordingWnd wnd;
      ASSERT_TRUE(wnd.CreateEx(0, cls, "x", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr)) << cls;
      EXPECT_TRUE(wnd.Saw(WM_NCCREATE)) << cls;
      EXPECT_TRUE(wnd.Saw(WM_CREATE)) << cls;
      EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
      HWND hwnd = wnd.m_hWnd;
      EXPECT_TRUE(wnd.DestroyWindow());
      EXPECT_TRUE(wnd.Saw(WM_NCDESTROY)) << cls;
      EXPECT_EQ(wnd.m_hWnd, nullptr);
      EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
      EXPECT_EQ(CRecordingWnd::live, 1);  // made by the caller: not deleted with the window
    }
    EXPECT_EQ(CWnd::GetAttachedCount(), attachedBefore);
  }
}

TEST(WndCreate, ASystemControlKeepsItsOwnBehaviour) {
  CRecordingWnd edit;
  ASSERT_TRUE(edit.CreateEx(0, "EDIT", "初始", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr));
  char text[32];
  edit.GetWindowText(text, sizeof text);
  EXPECT_STREQ(text, "初始");
}

TEST(WndCreate, TheObjectTakesItsWindowWithIt) {
  HWND hwnd;
  size_t attachedBefore = CWnd::GetAttachedCount();
  {
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    hwnd = wnd.m_hWnd;
  }
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_EQ(CWnd::GetAttachedCount(), attachedBefore);
}

TEST(WndCreate, ARefusedCreationLeavesNothingAttached) {
  size_t attachedBefore = CWnd::GetAttachedCount();
  CRecordingWnd wnd;
  wnd.failCreate = true;
  EXPECT_FALSE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::GetAttachedCount(), attachedBefore);
  // The object can make a window afterwards.
  wnd.failCreate = false;
  EXPECT_TRUE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
}

TEST(WndCreate, AnObjectMakesANewWindowAfterItsFirstIsGone) {
  CRecordingWnd wnd;
  ASSERT_TRUE(wnd.Create("EDIT", "旧", WS_POPUP, RECT{0, 0, 50, 20}, nullptr, 0));
  HWND first = wnd.m_hWnd;
  wnd.DestroyWindow();
  ASSERT_TRUE(wnd.Create("EDIT", "新", WS_POPUP | ES_PASSWORD, RECT{0, 0, 50, 20}, nullptr, 0));
  EXPECT_NE(wnd.m_hWnd, first);
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
  EXPECT_TRUE(wnd.GetStyle() & ES_PASSWORD);
}

TEST(WndCreate, ASecondCreateOfTheSameObjectIsRefused) {
  CRecordingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  HWND first = wnd.m_hWnd;
  EXPECT_FALSE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  EXPECT_EQ(wnd.m_hWnd, first);
}

TEST(WndCreate, OnAGlobalClassTheCallersObjectIsTheOnlyOne) {
  int liveBefore = CRecordingWnd::live;
  CRecordingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, GlobalClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  EXPECT_EQ(CRecordingWnd::live, liveBefore + 1);
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
  EXPECT_TRUE(wnd.Saw(WM_CREATE));
  wnd.DestroyWindow();
  EXPECT_EQ(CRecordingWnd::live, liveBefore + 1);
}

// A child created while its parent handles WM_CREATE gets its own object.
class CParentMakingChild : public CWnd {
 public:
  CRecordingWnd child;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_CREATE: return OnCreate();
    }
    return CWnd::WindowProc(msg, wp, lp);
  }

 private:
  LRESULT OnCreate() {
    RECT r = {0, 0, 20, 20};
    return child.Create("BUTTON", "c", WS_CHILD, r, m_hWnd, 7) ? 0 : -1;
  }
};

TEST(WndCreate, NestedCreationsAttachEachObjectToItsOwnWindow) {
  CParentMakingChild parent;
  ASSERT_TRUE(parent.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
  ASSERT_TRUE(parent.child.m_hWnd);
  EXPECT_NE(parent.child.m_hWnd, parent.m_hWnd);
  EXPECT_EQ(CWnd::FromHandlePermanent(parent.m_hWnd), &parent);
  EXPECT_EQ(CWnd::FromHandlePermanent(parent.child.m_hWnd), &parent.child);
  EXPECT_EQ(parent.child.GetParent(), parent.m_hWnd);
  EXPECT_EQ(parent.child.GetParentWnd(), &parent);
  EXPECT_EQ(parent.child.GetDlgCtrlID(), 7);
}

}  // namespace
