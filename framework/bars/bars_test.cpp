// Control bars: toolbars from their resource and updated by the command
// route, the status bar's indicators, and the layout of bars docked on the
// four sides.
#include <gtest/gtest.h>

#include "bars/dockbar.h"
#include "bars/dockcontext.h"
#include "bars/minidockframe.h"
#include "boxrecorder.h"
#include "test/frametest_app.h"

namespace frametest {
namespace {

// A docking window of a fixed thickness that takes the rest of its row.
class Slab : public CControlBar {
 public:
  explicit Slab(int thickness) : m_thickness(thickness) {}
  BOOL Make(CFrameWnd* frame, UINT id) {
    return CreateBar(frame, "Static", "", 0, WS_CHILD | WS_VISIBLE, id);
  }
  SIZE CalcFixedLayout(BOOL, BOOL horz) override {
    return horz ? SIZE{10, m_thickness} : SIZE{m_thickness, 10};
  }
  BOOL IsStretchable() const override { return TRUE; }
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

 private:
  int m_thickness;
};

class BarsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app_.Start());
    frame_ = app_.Frame();
    frame_->MoveWindow(0, 0, 800, 600);
  }
  RECT RectIn(HWND hwnd) {
    RECT r;
    ::GetWindowRect(hwnd, &r);
    ::MapWindowPoints(HWND_DESKTOP, frame_->m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  RECT Client() {
    RECT r;
    frame_->GetClientRect(&r);
    return r;
  }

  progtest::BoxRecorder boxes_;
  TestApp app_;
  TestMainFrame* frame_ = nullptr;
};

TEST_F(BarsTest, AToolbarHasTheButtonsOfItsResource) {
  CToolBar& bar = frame_->m_toolBar;
  ASSERT_EQ(bar.GetCount(), 5);
  const UINT kIds[] = {ID_FILE_NEW, ID_SEPARATOR, ID_TEST_ROUTE, ID_TEST_NOHANDLER, ID_TEST_CHECKED};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(bar.GetItemID(i), kIds[i]) << i;
  EXPECT_NE(bar.GetButtonStyle(1) & BTNS_SEP, 0u);
  EXPECT_EQ(bar.GetButtonImage(2), 1);  // separators take no image
  ToolBarResource res;
  ASSERT_TRUE(QelLoadToolBarResource(IDR_TESTBAR, &res));
  EXPECT_EQ(res.image.cx, 16);
  EXPECT_EQ(res.image.cy, 15);
  EXPECT_FALSE(QelLoadToolBarResource(IDR_TESTMAIN, &res));
}

TEST_F(BarsTest, ButtonsAreEnabledAndCheckedByTheCommandRouteWhenIdle) {
  CToolBar& bar = frame_->m_toolBar;
  Settle(app_);
  EXPECT_NE(bar.GetButtonState(ID_FILE_NEW) & TBSTATE_ENABLED, 0);
  EXPECT_EQ(bar.GetButtonState(ID_TEST_NOHANDLER) & TBSTATE_ENABLED, 0);
  EXPECT_NE(bar.GetButtonState(ID_TEST_CHECKED) & TBSTATE_CHECKED, 0);
  // A click on a button is a command through the route.
  Log().clear();
  ::SendMessageA(frame_->m_hWnd, WM_COMMAND, MAKEWPARAM(ID_TEST_ROUTE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(bar.GetToolBarCtrl().m_hWnd));
  EXPECT_EQ(Log(), std::vector<std::string>{"main"});
}

TEST_F(BarsTest, IndicatorsShowTheirTextWhileTheirKeyIsOn) {
  CStatusBar& status = frame_->m_statusBar;
  ASSERT_EQ(status.GetPaneCount(), 4);
  BYTE keys[256];
  ::GetKeyboardState(keys);
  keys[VK_CAPITAL] = 1;
  keys[VK_NUMLOCK] = 0;
  ::SetKeyboardState(keys);
  Settle(app_);
  EXPECT_EQ(status.GetPaneText(1), "大写");
  EXPECT_EQ(status.GetPaneText(2), "");
  keys[VK_CAPITAL] = 0;
  ::SetKeyboardState(keys);
  Settle(app_);
  EXPECT_EQ(status.GetPaneText(1), "");
}

TEST_F(BarsTest, BarsOnTheFourSidesLeaveTheRestToTheClient) {
  Slab left(120), right(90), bottom(70);
  ASSERT_TRUE(left.Make(frame_, 2001) && right.Make(frame_, 2002) && bottom.Make(frame_, 2003));
  frame_->DockControlBar(&left, AFX_IDW_DOCKBAR_LEFT);
  frame_->DockControlBar(&right, AFX_IDW_DOCKBAR_RIGHT);
  frame_->DockControlBar(&bottom, AFX_IDW_DOCKBAR_BOTTOM);
  RECT client = Client();
  RECT status = RectIn(frame_->m_statusBar.m_hWnd);
  RECT tool = RectIn(frame_->m_toolBar.m_hWnd);
  RECT pane = RectIn(frame_->m_hWndMDIClient);
  EXPECT_EQ(status.bottom, client.bottom);
  EXPECT_EQ(status.left, 0);
  EXPECT_EQ(status.right, client.right);
  // The bottom bar spans the width above the status bar.
  EXPECT_EQ(RectIn(bottom.m_hWnd).bottom, status.top);
  EXPECT_EQ(RectIn(bottom.m_hWnd).top, status.top - 70);
  EXPECT_EQ(RectIn(bottom.m_hWnd).right - RectIn(bottom.m_hWnd).left, client.right);
  // Left and right stand between the toolbar and the bottom bar.
  EXPECT_EQ(RectIn(left.m_hWnd).right - RectIn(left.m_hWnd).left, 120);
  EXPECT_EQ(RectIn(left.m_hWnd).top, tool.bottom);
  EXPECT_EQ(RectIn(left.m_hWnd).bottom, status.top - 70);
  EXPECT_EQ(RectIn(right.m_hWnd).right, client.right);
  EXPECT_EQ(pane.left, 120);
  EXPECT_EQ(pane.right, client.right - 90);
  EXPECT_EQ(pane.top, tool.bottom);
  EXPECT_EQ(pane.bottom, status.top - 70);
  // Hidden, a bar gives its room back.
  frame_->ShowControlBar(&left, FALSE);
  EXPECT_EQ(RectIn(frame_->m_hWndMDIClient).left, 0);
  frame_->ShowControlBar(&left, TRUE);
  EXPECT_EQ(RectIn(frame_->m_hWndMDIClient).left, 120);
}

TEST_F(BarsTest, ABarDockedInTheRowOfAnotherStandsBesideIt) {
  CToolBar second;
  ASSERT_TRUE(second.CreateEx(frame_, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, 2010));
  ASSERT_TRUE(second.LoadToolBar(IDR_TESTBAR));
  second.EnableDocking(CBRS_ALIGN_ANY);
  frame_->DockControlBar(&second, AFX_IDW_DOCKBAR_TOP, &frame_->m_toolBar);
  RECT first = RectIn(frame_->m_toolBar.m_hWnd);
  RECT beside = RectIn(second.m_hWnd);
  EXPECT_EQ(beside.top, first.top);
  EXPECT_EQ(beside.left, first.right);
  CDockBar* top = frame_->GetDockBar(AFX_IDW_DOCKBAR_TOP);
  ASSERT_EQ(top->Rows().size(), 1u);
  EXPECT_EQ(top->Rows()[0].size(), 2u);
}

TEST_F(BarsTest, AToolbarDockedOnTheLeftStandsInOneColumn) {
  CToolBar& bar = frame_->m_toolBar;
  frame_->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
  RECT r = RectIn(bar.m_hWnd);
  EXPECT_GT(r.bottom - r.top, r.right - r.left);
  RECT a, b;
  bar.GetItemRect(0, &a);
  bar.GetItemRect(2, &b);
  EXPECT_EQ(a.left, b.left);
  EXPECT_GT(b.top, a.top);
  EXPECT_EQ(RectIn(frame_->m_hWndMDIClient).left, r.right);
}

TEST_F(BarsTest, AFloatingToolbarLivesInACaptionedWindowOfItsOwnInRows) {
  CToolBar& bar = frame_->m_toolBar;
  bar.SetWindowText("工具");
  frame_->FloatControlBar(&bar, POINT{300, 300});
  ASSERT_TRUE(bar.IsFloating());
  CMiniDockFrameWnd* floating = bar.m_pFloatFrame;
  ASSERT_NE(floating, nullptr);
  EXPECT_EQ(::GetParent(bar.m_hWnd), floating->m_hWnd);
  EXPECT_EQ(::GetWindow(floating->m_hWnd, GW_OWNER), frame_->m_hWnd);
  EXPECT_TRUE(floating->IsWindowVisible());
  char title[32] = "";
  ::GetWindowTextA(floating->m_hWnd, title, sizeof title);
  EXPECT_STREQ(title, "工具");
  EXPECT_TRUE(frame_->GetDockBar(AFX_IDW_DOCKBAR_TOP)->Rows().empty());
  EXPECT_EQ(RectIn(frame_->m_hWndMDIClient).top, 0);  // the top gave its room back
  RECT first, fifth;                                  // five items in rows of four
  bar.GetItemRect(0, &first);
  bar.GetItemRect(4, &fifth);
  EXPECT_GT(fifth.top, first.top);
  EXPECT_EQ(fifth.left, first.left);
  // Hidden and shown with the bar.
  frame_->ShowControlBar(&bar, FALSE);
  EXPECT_FALSE(floating->IsWindowVisible());
  frame_->ShowControlBar(&bar, TRUE);
  EXPECT_TRUE(floating->IsWindowVisible());
  // Its close button hides the bar; a double click on its caption docks it where it was.
  floating->SendMessage(WM_CLOSE);
  EXPECT_FALSE(bar.IsWindowVisible());
  frame_->ShowControlBar(&bar, TRUE);
  HWND gone = floating->m_hWnd;
  floating->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  EXPECT_FALSE(::IsWindow(gone));
  EXPECT_FALSE(bar.IsFloating());
  EXPECT_EQ(bar.m_pDockBar, frame_->GetDockBar(AFX_IDW_DOCKBAR_TOP));
  EXPECT_EQ(RectIn(bar.m_hWnd).top, 0);
}

TEST_F(BarsTest, TheMouseDocksABarOnTheSideItIsNearAndFloatsItElsewhere) {
  CToolBar& bar = frame_->m_toolBar;
  RECT client = Client();
  frame_->ClientToScreen(&client);
  CDockContext context(&bar);
  RECT outline;
  const struct {
    POINT at;
    UINT side;
  } kCases[] = {
      {{client.left + 5, (client.top + client.bottom) / 2}, AFX_IDW_DOCKBAR_LEFT},
      {{client.right - 5, (client.top + client.bottom) / 2}, AFX_IDW_DOCKBAR_RIGHT},
      {{(client.left + client.right) / 2, client.bottom - 30}, AFX_IDW_DOCKBAR_BOTTOM},
      {{(client.left + client.right) / 2, client.top + 5}, AFX_IDW_DOCKBAR_TOP},
      {{(client.left + client.right) / 2, (client.top + client.bottom) / 2}, 0},
  };
  for (const auto& c : kCases) EXPECT_EQ(context.TargetAt(c.at, &outline), c.side) << c.at.x << "," << c.at.y;
  // Dragged from its gripper to the left edge and let go there.
  RECT r;
  bar.GetWindowRect(&r);
  POINT grip = {r.left + 3, r.top + 5};
  EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y)), HTCAPTION);
  POINT to = {client.left + 5, (client.top + client.bottom) / 2};
  bar.ScreenToClient(&to);
  bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
  bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
  EXPECT_TRUE(CDockContext(&bar).Track(grip));
  EXPECT_EQ(bar.m_pDockBar, frame_->GetDockBar(AFX_IDW_DOCKBAR_LEFT));
  EXPECT_EQ(RectIn(frame_->m_hWndMDIClient).left, RectIn(bar.m_hWnd).right);
  // Escape leaves it where it is.
  bar.GetWindowRect(&r);
  grip = {r.left + 5, r.top + 3};
  bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 200));
  bar.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(CDockContext(&bar).Track(grip));
  EXPECT_EQ(bar.m_pDockBar, frame_->GetDockBar(AFX_IDW_DOCKBAR_LEFT));
}

}  // namespace
}  // namespace frametest
