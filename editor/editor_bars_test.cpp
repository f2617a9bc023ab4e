// The main frame's bars: the toolbars and their items, the drop-down
// choices, the menus' images, the workspace bar's tabs, the output bar, and
// the sizing bars' edge, close button and show/hide commands.
#include <algorithm>
#include "bars/minidockframe.h"
#include "qel/picmsg.h"
#include "resource.h"
#include "test/editor_harness.h"

namespace editortest {
namespace {

class BarsTest : public EditorTest {
 protected:
  void SetUp() override { Start(); }
  int State(CToolBar& bar, UINT id) { return bar.GetButtonState(id); }
  RECT WindowRect(HWND hwnd) {
    RECT r;
    ::GetWindowRect(hwnd, &r);
    return r;
  }
};

TEST_F(BarsTest, TheThreeToolbarsHaveTheirButtonsInOrder) {
  const UINT kStandard[] = {ID_FILE_OPEN,       ID_SAVE_PICTURE,    ID_FILE_SAVE,      0,
                            ID_EDIT_CUT,        ID_EDIT_COPY,       ID_EDIT_PASTE,     0,
                            ID_EDIT_UNDO,       ID_EDIT_REDO,       ID_VIEW_WORKSPACE, ID_VIEW_OUTPUT,
                            ID_COMPILE_PICTURE, ID_COMPILE_PROJECT, ID_PREVIEW};
  CWrapToolBar& standard = Frame()->GetStandardBar();
  ASSERT_EQ(standard.GetCount(), 15);
  for (int i = 0; i < 15; ++i) EXPECT_EQ(standard.GetItemID(i), kStandard[i]) << i;
  CWrapToolBar& draw = Frame()->GetDrawBar();
  ASSERT_EQ(draw.GetCount(), 35);
  EXPECT_EQ(draw.GetItemID(0), static_cast<UINT>(ID_TOOL_SELECT));
  EXPECT_EQ(draw.GetItemID(34), static_cast<UINT>(ID_ZOOM_DROPDOWN));
  for (UINT id : {ID_ALIGN_DROPDOWN, ID_ZOOM_DROPDOWN})
    EXPECT_NE(draw.GetButtonStyle(draw.CommandToIndex(id)) & BTNS_DROPDOWN, 0u);
  CWrapToolBar& align = Frame()->GetAlignBar();
  ASSERT_EQ(align.GetCount(), 8);
  EXPECT_EQ(align.GetItemID(7), static_cast<UINT>(ID_CONNECTION_SETTINGS));
  for (CWrapToolBar* bar : {&standard, &draw, &align}) {
    int cx = 0, cy = 0;
    bar->GetImages(CWrapToolBar::kHot).GetIconSize(&cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
  }
  EXPECT_EQ(draw.GetImages(CWrapToolBar::kNormal).GetImageCount(), 42);
  // The drawing toolbar stands beside the standard one.
  EXPECT_EQ(WindowRect(draw.m_hWnd).top, WindowRect(standard.m_hWnd).top);
  EXPECT_EQ(WindowRect(draw.m_hWnd).left, WindowRect(standard.m_hWnd).right);
  char title[64] = "";
  ::GetWindowTextA(standard.m_hWnd, title, sizeof title);
  EXPECT_STREQ(title, "工具条");
}

TEST_F(BarsTest, ButtonsFollowTheCommandsOfTheProgramAndTheProject) {
  CWrapToolBar& standard = Frame()->GetStandardBar();
  EXPECT_NE(State(standard, ID_FILE_OPEN) & TBSTATE_ENABLED, 0);
  EXPECT_EQ(State(standard, ID_FILE_SAVE) & TBSTATE_ENABLED, 0);
  EXPECT_EQ(State(standard, ID_COMPILE_PROJECT) & TBSTATE_ENABLED, 0);
  EXPECT_EQ(State(standard, ID_EDIT_CUT) & TBSTATE_ENABLED, 0);  // no handler yet
  EXPECT_NE(State(standard, ID_VIEW_WORKSPACE) & TBSTATE_CHECKED, 0);
  EXPECT_EQ(State(standard, ID_VIEW_OUTPUT) & TBSTATE_CHECKED, 0);
  ASSERT_NE(NewProject("p1"), nullptr);
  Settle();
  EXPECT_NE(State(standard, ID_COMPILE_PROJECT) & TBSTATE_ENABLED, 0);
  EXPECT_EQ(State(standard, ID_FILE_SAVE) & TBSTATE_ENABLED, 0);  // just written
  app_->GetProject()->SetModifiedFlag(TRUE);
  Settle();
  EXPECT_NE(State(standard, ID_FILE_SAVE) & TBSTATE_ENABLED, 0);
  EXPECT_NE(State(Frame()->GetAlignBar(), ID_CONNECTION_SETTINGS) & TBSTATE_ENABLED, 0);
}

// The drawing toolbar serves the picture windows: it comes with the first
// and goes when the project, and its pictures with it, is closed.
TEST_F(BarsTest, TheDrawingToolbarGoesWithThePictureWindowsWhenTheProjectCloses) {
  UseFakePictures();
  CWrapToolBar& draw = Frame()->GetDrawBar();
  for (int round = 0; round < 2; ++round) {
    CQelideDoc* doc = NewProject(round == 0 ? "p1" : "p2");
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(doc->OpenPicture("a.pic", TRUE), 1);
    Settle();
    EXPECT_TRUE(draw.IsWindowVisible()) << round;
    Command(ID_FILE_CLOSE);
    ASSERT_EQ(app_->GetProject(), nullptr);
    EXPECT_FALSE(draw.IsWindowVisible()) << round;
  }
}

TEST_F(BarsTest, ADropDownChoiceShowsItsImageOnTheButton) {
  CWrapToolBar& draw = Frame()->GetDrawBar();
  int index = draw.CommandToIndex(ID_ALIGN_DROPDOWN);
  int before = draw.GetButtonImage(index);
  EXPECT_EQ(Frame()->GetAlignChoice(), static_cast<UINT>(ID_ALIGN_LEFT));
  Frame()->SetAlignChoice(ID_ALIGN_BOTTOM);
  EXPECT_EQ(draw.GetButtonImage(index), IMAGE_ALIGN_BOTTOM);
  EXPECT_NE(before, IMAGE_ALIGN_BOTTOM);
  Frame()->SetZoomChoice(ID_ZOOM_100);
  EXPECT_EQ(draw.GetButtonImage(draw.CommandToIndex(ID_ZOOM_DROPDOWN)), IMAGE_ZOOM_100);
  EXPECT_EQ(Frame()->GetZoomChoice(), static_cast<UINT>(ID_ZOOM_100));
}

TEST_F(BarsTest, MenuItemsGetTheImagesOfTheirButtons) {
  HMENU file = ::GetSubMenu(::GetMenu(Frame()->m_hWnd), 0);
  Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
  MENUINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = MIM_STYLE;
  ::GetMenuInfo(file, &info);
  EXPECT_EQ(info.dwStyle & MNS_CHECKORBMP, 0u);  // the images do not share the check marks' column
  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_BITMAP;
  ASSERT_TRUE(::GetMenuItemInfoA(file, ID_FILE_OPEN, FALSE, &item));
  EXPECT_EQ(item.hbmpItem, HBMMENU_CALLBACK);
  MEASUREITEMSTRUCT measure = {};
  measure.CtlType = ODT_MENU;
  measure.itemID = ID_FILE_OPEN;
  EXPECT_TRUE(Frame()->SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
  EXPECT_GE(measure.itemHeight, 18u);
  EXPECT_EQ(measure.itemWidth, 16u + 2 * 3);  // the image with a margin on either side
}

TEST_F(BarsTest, TheWorkspaceTabsShowTheTreeOrThePanelAndTheList) {
  CWorkspaceBar& bar = Frame()->GetWorkspaceBar();
  EXPECT_EQ(bar.GetSelectedTab(), 0);
  EXPECT_TRUE(bar.GetTree().IsWindowVisible());
  EXPECT_FALSE(bar.GetEventLinkList().IsWindowVisible());
  bar.SelectTab(1);
  EXPECT_FALSE(bar.GetTree().IsWindowVisible());
  EXPECT_TRUE(::IsWindowVisible(bar.GetPropertyPanel()));
  EXPECT_TRUE(bar.GetEventLinkList().IsWindowVisible());
  // The panel takes the top half, the list the bottom half of the area above the tabs.
  RECT panel = WindowRect(bar.GetPropertyPanel()), list = WindowRect(bar.GetEventLinkList().m_hWnd);
  EXPECT_LT(panel.bottom, list.top);
  EXPECT_EQ(panel.left, list.left);
  EXPECT_EQ(bar.GetTabs().GetItemText(1), "属性/动作");
  TCITEMA tab = {};
  tab.mask = TCIF_IMAGE;
  bar.GetTabs().SendMessage(TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&tab));
  EXPECT_EQ(tab.iImage, 4);
  // Each tab is at least 40 x 19 and wide enough for its image and its whole text.
  HDC dc = ::GetDC(bar.GetTabs().m_hWnd);
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(bar.GetTabs().SendMessage(WM_GETFONT)));
  for (int i = 0; i < 2; ++i) {
    RECT item = {};
    bar.GetTabs().SendMessage(TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
    CString text = bar.GetTabs().GetItemText(i);
    SIZE extent = {};
    ::GetTextExtentPoint32A(dc, text, text.GetLength(), &extent);
    EXPECT_GE(item.right - item.left, std::max(40L, 16 + extent.cx)) << i;
    EXPECT_GE(item.bottom - item.top, 19) << i;
  }
  ::SelectObject(dc, old);
  ::ReleaseDC(bar.GetTabs().m_hWnd, dc);
  EXPECT_EQ(bar.GetEventLinkList().GetColumnWidth(0), 108);
  // A click on a tab (its selection notice) does the same.
  bar.GetTabs().SetCurSel(0);
  NMHDR change = {bar.GetTabs().m_hWnd, IDC_WORKSPACE_TABS, static_cast<UINT>(TCN_SELCHANGE)};
  bar.SendMessage(WM_NOTIFY, IDC_WORKSPACE_TABS, reinterpret_cast<LPARAM>(&change));
  EXPECT_TRUE(bar.GetTree().IsWindowVisible());
}

TEST_F(BarsTest, TheOutputBarAppendsAtTheEndAndClears) {
  Frame()->ShowOutput();
  COutputBar& out = Frame()->GetOutputBar();
  EXPECT_TRUE(out.IsWindowVisible());
  out.AppendText("编译整个工程...\n");
  out.AppendText("a\tb\n");
  EXPECT_EQ(out.GetText(), "编译整个工程...\na\tb\n");
  Frame()->SendMessage(QCN_OUTPUTTEXT, 1, reinterpret_cast<LPARAM>("错误 C1 (2): x\n"));
  EXPECT_EQ(out.GetText(), "编译整个工程...\na\tb\n错误 C1 (2): x\n");
  Frame()->ShowOutput();
  EXPECT_EQ(out.GetText(), "");
}

TEST_F(BarsTest, TheViewCommandsShowAndHideTheBarsAndCheckTheirItems) {
  COutputBar& out = Frame()->GetOutputBar();
  Command(ID_VIEW_OUTPUT);
  EXPECT_TRUE(out.IsWindowVisible());
  RECT client = WindowRect(Frame()->m_hWndMDIClient);
  EXPECT_EQ(WindowRect(out.m_hWnd).top, client.bottom);
  EXPECT_EQ(WindowRect(out.m_hWnd).bottom - WindowRect(out.m_hWnd).top, 150);
  Command(ID_VIEW_OUTPUT);
  EXPECT_FALSE(out.IsWindowVisible());
  Command(ID_VIEW_WORKSPACE);
  EXPECT_FALSE(Frame()->GetWorkspaceBar().IsWindowVisible());
  POINT origin = {0, 0};
  Frame()->ClientToScreen(&origin);
  EXPECT_EQ(WindowRect(Frame()->m_hWndMDIClient).left, origin.x);
  Command(ID_VIEW_WORKSPACE);
  EXPECT_TRUE(Frame()->GetWorkspaceBar().IsWindowVisible());
  EXPECT_EQ(WindowRect(Frame()->GetWorkspaceBar().m_hWnd).right -
                WindowRect(Frame()->GetWorkspaceBar().m_hWnd).left,
            220);
}

// Drags the bar's inner edge by dx, dy (screen pixels) and lets go, or
// presses Escape instead.
void DragEdge(CSizingControlBar& bar, UINT hit, POINT from, int dx, int dy, bool escape) {
  bar.SendMessage(WM_NCLBUTTONDOWN, hit, MAKELPARAM(from.x, from.y));
  POINT to = {from.x + dx, from.y + dy};
  POINT client = to;
  bar.ScreenToClient(&client);
  bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y));
  if (escape)
    bar.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  else
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
}

TEST_F(BarsTest, DraggingTheWorkspaceEdgeResizesItWithinItsLimits) {
  CWorkspaceBar& bar = Frame()->GetWorkspaceBar();
  RECT r = WindowRect(bar.m_hWnd);
  POINT edge = {r.right - 2, (r.top + r.bottom) / 2};
  EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y)), HTRIGHT);
  DragEdge(bar, HTRIGHT, edge, 80, 0, false);
  EXPECT_EQ(WindowRect(bar.m_hWnd).right - WindowRect(bar.m_hWnd).left, 300);
  EXPECT_EQ(bar.GetVertSize().cx, 300);
  EXPECT_EQ(WindowRect(Frame()->m_hWndMDIClient).left, WindowRect(bar.m_hWnd).right);
  edge.x += 80;
  DragEdge(bar, HTRIGHT, edge, -1000, 0, false);  // not below the minimum
  EXPECT_EQ(WindowRect(bar.m_hWnd).right - WindowRect(bar.m_hWnd).left, 33);
  edge.x = WindowRect(bar.m_hWnd).right - 2;
  DragEdge(bar, HTRIGHT, edge, 5000, 0, false);  // not past the client area
  EXPECT_GT(WindowRect(Frame()->m_hWndMDIClient).right, WindowRect(Frame()->m_hWndMDIClient).left);
  int wide = WindowRect(bar.m_hWnd).right - WindowRect(bar.m_hWnd).left;
  edge.x = WindowRect(bar.m_hWnd).right - 2;
  DragEdge(bar, HTRIGHT, edge, -50, 0, true);  // Escape: as it was
  EXPECT_EQ(WindowRect(bar.m_hWnd).right - WindowRect(bar.m_hWnd).left, wide);
}

TEST_F(BarsTest, TheCloseButtonHidesTheBarAndTheCommandBringsItBack) {
  COutputBar& out = Frame()->GetOutputBar();
  Frame()->ShowOutput();
  RECT r = WindowRect(out.m_hWnd);
  // The output bar lies at the bottom: its gripper runs down its left side,
  // the close button at the gripper's top.
  POINT button = {r.left + 2 + 6, r.top + 5 + 6};
  ASSERT_EQ(out.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(button.x, button.y)), HTCLOSE);
  out.SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(button.x, button.y));
  POINT inside = button;
  out.ScreenToClient(&inside);
  out.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
  out.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
  EXPECT_FALSE(out.IsWindowVisible());
  Settle();
  EXPECT_EQ(Frame()->GetStandardBar().GetButtonState(ID_VIEW_OUTPUT) & TBSTATE_CHECKED, 0);
  Command(ID_VIEW_OUTPUT);
  EXPECT_TRUE(out.IsWindowVisible());
}

TEST_F(BarsTest, TheWorkspaceFloatsInAFrameThatSizesItAndDocksBackByItsCaption) {
  CWorkspaceBar& bar = Frame()->GetWorkspaceBar();
  RECT r = WindowRect(bar.m_hWnd);
  POINT grip = {(r.left + r.right) / 2 - 20, r.top + 2 + 6};  // the gripper runs along its top
  EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y)), HTCAPTION);
  Frame()->FloatControlBar(&bar, POINT{400, 300});
  ASSERT_NE(bar.m_pFloatFrame, nullptr);
  HWND floating = bar.m_pFloatFrame->m_hWnd;
  EXPECT_NE(::GetWindowLongA(floating, GWL_STYLE) & WS_THICKFRAME, 0);
  RECT client;
  ::GetClientRect(floating, &client);
  EXPECT_EQ(client.right, 220);  // its floating size: the size it was made with
  EXPECT_EQ(client.bottom, 100);
  EXPECT_TRUE(bar.GetTree().IsWindowVisible());
  ::SetWindowPos(floating, nullptr, 0, 0, 320, 260, SWP_NOMOVE | SWP_NOZORDER);
  ::GetClientRect(floating, &client);
  EXPECT_EQ(bar.CalcFloatingSize().cx, client.right);
  EXPECT_EQ(WindowRect(bar.m_hWnd).right - WindowRect(bar.m_hWnd).left, client.right);
  POINT origin = {0, 0};
  Frame()->ClientToScreen(&origin);
  EXPECT_EQ(WindowRect(Frame()->m_hWndMDIClient).left, origin.x);
  ::SendMessageA(floating, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  EXPECT_FALSE(::IsWindow(floating));
  EXPECT_EQ(WindowRect(Frame()->m_hWndMDIClient).left, WindowRect(bar.m_hWnd).right);
  EXPECT_EQ(WindowRect(bar.m_hWnd).right - WindowRect(bar.m_hWnd).left, 220);
}

TEST_F(BarsTest, EverySizingBarIsInTheSharedList) {
  const auto& bars = CSizingControlBar::AllBars();
  EXPECT_EQ(bars.size(), 2u);
  EXPECT_NE(std::find(bars.begin(), bars.end(), &Frame()->GetWorkspaceBar()), bars.end());
  EXPECT_NE(std::find(bars.begin(), bars.end(), &Frame()->GetOutputBar()), bars.end());
}

}  // namespace
}  // namespace editortest
