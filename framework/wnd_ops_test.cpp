// The everyday operations on a window object.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "wndtest/wndtest_util.h"

namespace {

using wndtest::CreateTopLevel;
using wndtest::PlainClass;
using wndtest::PumpUntil;
using wndtest::Rect;

class CTickingWnd : public CWnd {
 public:
  std::vector<UINT_PTR> ticks;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_TIMER: OnTimer(wp); return 0;
    }
    return CWnd::WindowProc(msg, wp, lp);
  }

 private:
  void OnTimer(UINT_PTR id) { ticks.push_back(id); }
};

TEST(WndOps, TimersFireUntilKilled) {
  CTickingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  ASSERT_EQ(wnd.SetTimer(1, 10), 1u);
  EXPECT_TRUE(PumpUntil([&] { return wnd.ticks.size() >= 3; }));
  for (UINT_PTR id : wnd.ticks) EXPECT_EQ(id, 1u);
  EXPECT_TRUE(wnd.KillTimer(1));
  wndtest::PumpPending();
  const size_t after = wnd.ticks.size();
  // Three periods of a second timer of the same period: the first would
  // have fired meanwhile.
  ASSERT_EQ(wnd.SetTimer(2, 10), 2u);
  auto ticksOf = [&](UINT_PTR id) { return std::count(wnd.ticks.begin(), wnd.ticks.end(), id); };
  EXPECT_TRUE(PumpUntil([&] { return ticksOf(2) >= 3; }, 30000));
  EXPECT_EQ(ticksOf(1), static_cast<std::ptrdiff_t>(after));
  EXPECT_TRUE(wnd.KillTimer(2));
  EXPECT_FALSE(wnd.KillTimer(1));
}

// A font made for one test and deleted with it.
struct ScopedFont {
  HFONT handle;
  explicit ScopedFont(const LOGFONTA& lf) : handle(::CreateFontIndirectA(&lf)) {}
  ~ScopedFont() { ::DeleteObject(handle); }
};

TEST(WndOps, AFontSetOnAWindowReadsBack) {
  LOGFONTA gui;
  ASSERT_TRUE(QelGetDefaultGuiFont(&gui));
  EXPECT_GT(std::strlen(gui.lfFaceName), 0u);

  LOGFONTA wanted = gui;
  wanted.lfHeight = (gui.lfHeight < 0 ? -gui.lfHeight : gui.lfHeight) + 2;
  wanted.lfWidth = 0;
  ScopedFont font(wanted);
  ASSERT_TRUE(font.handle);

  CWnd edit;
  ASSERT_TRUE(edit.Create("EDIT", "", WS_POPUP, Rect(0, 0, 80, 20), nullptr, 0));
  edit.SetFont(font.handle);
  ASSERT_EQ(edit.GetFont(), font.handle);
  LOGFONTA back;
  ASSERT_TRUE(::GetObjectA(edit.GetFont(), sizeof back, &back));
  EXPECT_EQ(back.lfHeight, wanted.lfHeight);
  EXPECT_STREQ(back.lfFaceName, gui.lfFaceName);

  // A window class that keeps no font answers none.
  CWnd plain;
  ASSERT_TRUE(plain.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  plain.SetFont(font.handle);
  EXPECT_EQ(plain.GetFont(), nullptr);
}

TEST(WndOps, WindowTextIsKeptAsGbkBytes) {
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  wnd.SetWindowText("画面运行");
  char text[32];
  EXPECT_EQ(wnd.GetWindowText(text, sizeof text), 8);
  EXPECT_STREQ(text, "画面运行");
  EXPECT_EQ(wnd.GetWindowTextLength(), 8);
  char small[5];
  wnd.GetWindowText(small, sizeof small);
  EXPECT_EQ(std::strncmp(small, "画面", 4), 0);
  CString all;
  wnd.GetWindowText(all);
  EXPECT_EQ(all, CString("画面运行"));
  wnd.SetWindowText(nullptr);
  wnd.GetWindowText(all);
  EXPECT_TRUE(all.IsEmpty());
  EXPECT_EQ(wnd.GetWindowTextLength(), 0);
}

TEST(WndOps, AWindowObjectKnowsItsRunTimeClass) {
  CWnd wnd;
  EXPECT_TRUE(wnd.IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_STREQ(wnd.GetRuntimeClass()->m_lpszClassName, "CWnd");
}

TEST(WndOps, ClientAndScreenPointsConvertBothWays) {
  CWnd top;
  ASSERT_TRUE(CreateTopLevel(top, false));
  CWnd child;
  ASSERT_TRUE(child.Create(PlainClass(), "", WS_CHILD, Rect(30, 40, 80, 90), top, 1));
  POINT pt = {5, 6};
  child.ClientToScreen(&pt);
  POINT inTop = pt;
  top.ScreenToClient(&inTop);
  POINT topOrigin = {0, 0};
  top.ClientToScreen(&topOrigin);
  EXPECT_EQ(pt.x - topOrigin.x, 35);
  EXPECT_EQ(pt.y - topOrigin.y, 46);
  EXPECT_EQ(inTop.x, 35);
  EXPECT_EQ(inTop.y, 46);

  RECT r = {0, 0, 10, 10};
  child.ClientToScreen(&r);
  child.ScreenToClient(&r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.bottom, 10);
}

TEST(WndOps, CaptureIsTakenAndReleased) {
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr));
  wnd.SetCapture();
  EXPECT_EQ(CWnd::GetCapture(), wnd.m_hWnd);
  CWnd::ReleaseCapture();
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST(WndOps, ABatchMovesEveryWindowAtItsEnd) {
  CWnd top;
  ASSERT_TRUE(CreateTopLevel(top, false));
  CWnd a, b;
  ASSERT_TRUE(a.Create(PlainClass(), "", WS_CHILD, Rect(0, 0, 10, 10), top, 1));
  ASSERT_TRUE(b.Create(PlainClass(), "", WS_CHILD, Rect(0, 0, 10, 10), top, 2));
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  {
    CDeferWindowPos batch(2);
    batch.Update(a.DeferWindowPos(batch.Handle(), nullptr, 5, 6, 20, 30, flags));
    batch.Update(b.DeferWindowPos(batch.Handle(), nullptr, 50, 60, 70, 80, flags));
    ASSERT_TRUE(batch.Handle());
  }
  RECT ra, rb;
  a.GetWindowRect(&ra);
  top.ScreenToClient(&ra);
  b.GetWindowRect(&rb);
  top.ScreenToClient(&rb);
  EXPECT_EQ(ra.left, 5);
  EXPECT_EQ(ra.top, 6);
  EXPECT_EQ(ra.right - ra.left, 20);
  EXPECT_EQ(rb.left, 50);
  EXPECT_EQ(rb.bottom - rb.top, 80);
}

// Answers a private message so that tests see what reached it.
class CAnsweringWnd : public CWnd {
 public:
  LPARAM lastParam = 0;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_APP + 7: lastParam = lp; return static_cast<LRESULT>(wp) + 1;
    }
    return CWnd::WindowProc(msg, wp, lp);
  }
};

TEST(WndOps, MessagesGoToTheWindowAndToItsParent) {
  CAnsweringWnd top;
  ASSERT_TRUE(CreateTopLevel(top, false));
  CAnsweringWnd child;
  ASSERT_TRUE(child.Create(PlainClass(), "", WS_CHILD, Rect(0, 0, 10, 10), top, 9));
  EXPECT_EQ(child.SendMessageToParent(WM_APP + 7, 41, 5), 42);
  EXPECT_EQ(top.lastParam, 5);
  EXPECT_EQ(top.SendMessageToParent(WM_APP + 7, 1, 1), 0);  // no parent
  EXPECT_EQ(top.GetParent(), nullptr);
  EXPECT_EQ(top.GetDlgItem(9), child.m_hWnd);
  EXPECT_EQ(child.SetDlgCtrlID(12), 9);
  EXPECT_EQ(child.GetDlgCtrlID(), 12);

  EXPECT_TRUE(child.PostMessage(WM_APP + 7, 0, 77));
  EXPECT_TRUE(PumpUntil([&] { return child.lastParam == 77; }));
}

TEST(WndOps, ShowEnableAndInvalidate) {
  CWnd top;
  ASSERT_TRUE(CreateTopLevel(top, false));
  CWnd child;
  ASSERT_TRUE(child.Create(PlainClass(), "", WS_CHILD, Rect(0, 0, 40, 40), top, 1));
  EXPECT_FALSE(child.IsWindowVisible());
  top.ShowWindow(SW_SHOWNA);
  child.ShowWindow(SW_SHOW);
  EXPECT_TRUE(child.IsWindowVisible());
  child.EnableWindow(FALSE);
  EXPECT_FALSE(child.IsWindowEnabled());
  EXPECT_TRUE(child.GetStyle() & WS_DISABLED);
  child.EnableWindow(TRUE);
  EXPECT_TRUE(child.IsWindowEnabled());

  child.UpdateWindow();
  child.ValidateRect(nullptr);
  EXPECT_FALSE(::GetUpdateRect(child, nullptr, FALSE));
  RECT part = {1, 1, 5, 5};
  child.InvalidateRect(&part, FALSE);
  RECT dirty;
  ASSERT_TRUE(::GetUpdateRect(child, &dirty, FALSE));
  EXPECT_EQ(dirty.right, 5);
  child.Invalidate(FALSE);
  ASSERT_TRUE(::GetUpdateRect(child, &dirty, FALSE));
  EXPECT_EQ(dirty.right, 40);
}

TEST(WndOps, StylesChangeBitByBit) {
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  EXPECT_TRUE(wnd.ModifyStyle(0, WS_HSCROLL | WS_VSCROLL, SWP_FRAMECHANGED));
  EXPECT_TRUE(wnd.GetStyle() & WS_VSCROLL);
  EXPECT_FALSE(wnd.ModifyStyle(0, WS_VSCROLL));  // nothing changes
  EXPECT_TRUE(wnd.ModifyStyle(WS_HSCROLL, 0));
  EXPECT_FALSE(wnd.GetStyle() & WS_HSCROLL);
}

TEST(WndOps, ScrollBarsKeepRangePageAndPosition) {
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP | WS_HSCROLL | WS_VSCROLL, 0, 0, 200, 200, nullptr,
                           nullptr));
  SCROLLINFO info = {};
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = 1920;
  info.nPage = 500;
  info.nPos = 100;
  wnd.SetScrollInfo(SB_HORZ, info);
  SCROLLINFO back = {};
  ASSERT_TRUE(wnd.GetScrollInfo(SB_HORZ, &back));
  EXPECT_EQ(back.nMax, 1920);
  EXPECT_EQ(back.nPage, 500u);
  EXPECT_EQ(back.nPos, 100);
  wnd.SetScrollPos(SB_HORZ, 300);
  EXPECT_EQ(wnd.GetScrollPos(SB_HORZ), 300);
}

}  // namespace
