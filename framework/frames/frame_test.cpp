// Frames: the command route, menu items and toolbar buttons updated by it,
// disabled commands refused, accelerators, and the MDI child's menu and title.
#include <gtest/gtest.h>

#include "boxrecorder.h"
#include "test/frametest_app.h"

namespace frametest {
namespace {

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app_.Start());
    frame_ = app_.Frame();
    Log().clear();
  }
  TestDoc* NewDoc() { return static_cast<TestDoc*>(app_.Template()->OpenDocumentFile(nullptr)); }
  void Command(UINT id) { frame_->SendMessage(WM_COMMAND, id, 0); }
  // The state of a menu item after the frame prepared its pop-up.
  UINT MenuState(UINT popupIndex, UINT id) {
    HMENU popup = ::GetSubMenu(::GetMenu(frame_->m_hWnd), static_cast<int>(popupIndex));
    frame_->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), popupIndex);
    return ::GetMenuState(popup, id, MF_BYCOMMAND);
  }

  progtest::BoxRecorder boxes_;
  TestApp app_;
  TestMainFrame* frame_ = nullptr;
};

TEST_F(FrameTest, UpdatesTravelFromTheViewThroughDocumentTemplateAndFramesToTheApplication) {
  NewDoc();
  CTestCmdUI probe;
  probe.m_nID = ID_TEST_PROBE;
  frame_->OnCmdMsg(ID_TEST_PROBE, CN_UPDATE_COMMAND_UI, &probe, nullptr);
  EXPECT_EQ(Log(), (std::vector<std::string>{"view", "doc", "template", "child", "main", "app"}));
}

TEST_F(FrameTest, TheFirstTargetOnTheRouteTakesTheCommand) {
  TestDoc* doc = NewDoc();
  Command(ID_TEST_ROUTE);
  EXPECT_EQ(Log(), std::vector<std::string>{"view"});
  doc->OnCloseDocument();
  Log().clear();
  Command(ID_TEST_ROUTE);  // without a child the main frame is first
  EXPECT_EQ(Log(), std::vector<std::string>{"main"});
}

TEST_F(FrameTest, ARangeHandlerIsToldWhichCommandCame) {
  for (UINT id : {ID_TEST_RANGE_FIRST, ID_TEST_RANGE_LAST, ID_TEST_RANGE_FIRST + 2}) Command(id);
  EXPECT_EQ(Log(), (std::vector<std::string>{"range 0", "range 3", "range 2"}));
}

TEST_F(FrameTest, MenuItemsFollowTheirUpdateHandlersAndCommandsWithoutHandlerAreGrey) {
  EXPECT_EQ(MenuState(1, ID_TEST_ROUTE) & MF_GRAYED, 0u);
  EXPECT_NE(MenuState(1, ID_TEST_NOHANDLER) & MF_GRAYED, 0u);
  UINT checked = MenuState(1, ID_TEST_CHECKED);
  EXPECT_NE(checked & MF_CHECKED, 0u);
  EXPECT_EQ(checked & MF_GRAYED, 0u);
  EXPECT_NE(MenuState(1, ID_TEST_DISABLED) & MF_GRAYED, 0u);
  EXPECT_EQ(MenuState(0, ID_FILE_NEW) & MF_GRAYED, 0u);  // the application's command
}

TEST_F(FrameTest, ADisabledCommandIsNotCarriedOutFromAMenuOrAKey) {
  Command(ID_TEST_DISABLED);
  EXPECT_TRUE(Log().empty());
  Command(ID_TEST_CHECKED);
  EXPECT_EQ(Log(), std::vector<std::string>{"checked"});
}

TEST_F(FrameTest, AcceleratorsOfTheFrameAndOfTheActiveChildBecomeCommands) {
  MSG key = {frame_->m_hWnd, WM_KEYDOWN, 'R', 0, 0, {0, 0}};
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  ::SetKeyboardState(keys);
  EXPECT_TRUE(app_.PreTranslateTree(&key));
  EXPECT_EQ(Log(), std::vector<std::string>{"main"});
  NewDoc();
  Log().clear();
  MSG save = {frame_->m_hWnd, WM_KEYDOWN, 'S', 0, 0, {0, 0}};
  EXPECT_TRUE(app_.PreTranslateTree(&save));  // only in the document's table
  MSG route = {frame_->m_hWnd, WM_KEYDOWN, 'R', 0, 0, {0, 0}};
  EXPECT_TRUE(app_.PreTranslateTree(&route));
  EXPECT_EQ(Log(), std::vector<std::string>{"view"});
  keys[VK_CONTROL] = 0;
  ::SetKeyboardState(keys);
}

TEST_F(FrameTest, AnActiveChildBringsItsTemplatesMenuAndTheLastOneGoingPutsTheFramesBack) {
  HMENU own = ::GetMenu(frame_->m_hWnd);
  ASSERT_EQ(own, frame_->m_hMenuDefault);
  TestDoc* doc = NewDoc();
  EXPECT_EQ(::GetMenu(frame_->m_hWnd), app_.Template()->m_hMenuShared);
  doc->OnCloseDocument();
  EXPECT_EQ(::GetMenu(frame_->m_hWnd), own);
}

TEST_F(FrameTest, TitlesShowTheActiveDocument) {
  char text[256];
  ::GetWindowTextA(frame_->m_hWnd, text, sizeof text);
  EXPECT_STREQ(text, "框架测试");
  TestDoc* doc = NewDoc();
  doc->SetTitle("图一");
  Settle(app_);
  CMDIChildWnd* child = frame_->MDIGetActive();
  ASSERT_NE(child, nullptr);
  ::GetWindowTextA(child->m_hWnd, text, sizeof text);
  EXPECT_STREQ(text, "图一");
  EXPECT_EQ(frame_->GetTitle(), "框架测试");
  EXPECT_EQ(frame_->GetActiveDocument(), doc);
}

TEST_F(FrameTest, ViewsGetTheirFirstUpdateOnceWhenTheFrameIsShown) {
  TestDoc* doc = NewDoc();
  ASSERT_EQ(doc->GetViews().size(), 1u);
  auto* view = static_cast<TestView*>(doc->GetViews().front());
  EXPECT_EQ(view->m_initialUpdates, 1);
  EXPECT_EQ(view->GetParentFrame(), frame_->MDIGetActive());
  EXPECT_EQ(frame_->MDIGetActive()->GetActiveView(), view);
}

TEST_F(FrameTest, ClosingTheLastFrameOfADocumentClosesTheDocument) {
  TestDoc* doc = NewDoc();
  ASSERT_EQ(app_.Template()->GetDocuments().size(), 1u);
  CMDIChildWnd* child = frame_->MDIGetActive();
  child->SendMessage(WM_CLOSE);
  EXPECT_TRUE(app_.Template()->GetDocuments().empty());
  EXPECT_EQ(frame_->MDIGetActive(), nullptr);
  (void)doc;
}

TEST_F(FrameTest, TheStatusLineShowsAMenuItemsPromptAndThenTheIdleText) {
  EXPECT_EQ(frame_->m_statusBar.GetPaneText(0), "就绪");  // from the start
  frame_->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_OPEN, MF_STRING), 0);
  EXPECT_EQ(frame_->m_statusBar.GetPaneText(0), "打开一个文档");
  frame_->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(frame_->m_statusBar.GetPaneText(0), "就绪");
}

TEST_F(FrameTest, TheButtonUnderTheMouseShowsItsPromptOnTheStatusLine) {
  NMTBHOTITEM hot = {};
  hot.hdr.hwndFrom = frame_->m_toolBar.GetToolBarCtrl().m_hWnd;
  hot.hdr.code = TBN_HOTITEMCHANGE;
  hot.idNew = ID_TEST_ROUTE;
  frame_->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hot));
  EXPECT_EQ(frame_->m_statusBar.GetPaneText(0), "沿命令路由");
  hot.dwFlags = HICF_LEAVING;
  frame_->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hot));
  EXPECT_EQ(frame_->m_statusBar.GetPaneText(0), "就绪");
}

TEST_F(FrameTest, ToolbarTipsAreTheSecondPartOfTheCommandsString) {
  NMTTDISPINFOA info = {};
  info.hdr.hwndFrom = frame_->m_hWnd;
  info.hdr.idFrom = ID_TEST_ROUTE;
  info.hdr.code = TTN_GETDISPINFOA;
  frame_->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(info.lpszText, "路由");
}

}  // namespace
}  // namespace frametest
