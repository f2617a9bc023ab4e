// The event-link list of the running editor: its rows, its menu and the
// modes it sends back to a stand-in editing window; and the widths of the
// columns of both lists of the "属性/动作" tab.
#include "attrlist/attrlist_testutil.h"
#include "qel/picmsg.h"
#include "resource.h"
#include "wndtest/wndtest_util.h"

namespace editortest {
namespace {

class EventLinkListTest : public ListsTest {
 protected:
  // The state of a command of a menu made for a row.
  struct ItemState {
    bool enabled;
    bool checked;
  };
  ItemState State(HMENU menu, UINT command) {
    const UINT state = ::GetMenuState(::GetSubMenu(menu, 0), command, MF_BYCOMMAND);
    return {!(state & (MF_GRAYED | MF_DISABLED)), (state & MF_CHECKED) != 0};
  }
  std::vector<std::string> Headings(CListCtrl& list) {
    std::vector<std::string> heads;
    for (int column = 0;; ++column) {
      char text[64] = "";
      LVCOLUMNA col = {};
      col.mask = LVCF_TEXT;
      col.pszText = text;
      col.cchTextMax = sizeof text;
      if (!list.SendMessage(LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&col))) return heads;
      heads.push_back(text);
    }
  }
  std::vector<ActionKindDesc> links_;
};

TEST_F(EventLinkListTest, EachLinkKindIsARowWithItsImageNameAndMode) {
  links_ = {Link(AK_COLOR, 0x0301, " 颜色"),  Link(AK_FILLCOLOR, 0x0302, " 填充颜色"),
            Link(AK_FLASH, 0x0300, " 闪烁"),  Link(AK_MOUSE_CLICK, 0x0300, " 鼠标单击"),
            Link(AK_SCRIPT, 0x0202, " 脚本"), Link(AK_CHANGE, 0x0200, " 内容改变")};
  ShowLinks(links_);
  const struct {
    const char* name;
    const char* mode;
    int image;
  } rows[] = {{" 颜色", "直接连接", 0},   {" 填充颜色", "CScript脚本", 1}, {" 闪烁", "    －", -1},
              {" 鼠标单击", "    －", 5}, {" 脚本", "CScript脚本", 4},     {" 内容改变", "    －", -1}};
  ASSERT_EQ(Links().GetItemCount(), 6);
  for (int row = 0; row < 6; ++row) {
    EXPECT_EQ(Links().GetItemText(row, 0), rows[row].name) << row;
    EXPECT_EQ(Links().GetItemText(row, 1), rows[row].mode) << row;
    EXPECT_EQ(Links().GetRowImage(row), rows[row].image) << row;
  }
  EXPECT_EQ(Links().GetEditWindow(), stub_.m_hWnd);
  // New records replace the rows.
  links_.resize(1);
  ShowLinks(links_);
  EXPECT_EQ(Links().GetItemCount(), 1);
}

TEST_F(EventLinkListTest, AtMostThirtyTwoLinksAreKept) {
  for (int i = 0; i < 40; ++i) links_.push_back(Link(AK_FLASH, 0x0300, " 闪烁"));
  ShowLinks(links_);
  EXPECT_EQ(Links().GetItemCount(), 32);
  EXPECT_EQ(Links().GetLinkCount(), 32);
}

TEST_F(EventLinkListTest, TheMenuOffersTheAllowedModesAndChecksTheExistingOne) {
  const struct {
    DWORD flags;
    ItemState direct, script, remove;
  } cases[] = {
      {0x0301, {true, true}, {true, false}, {true, false}},
      {0x0302, {true, false}, {true, true}, {true, false}},
      {0x0300, {true, false}, {true, false}, {false, false}},
      {0x0200, {false, false}, {true, false}, {false, false}},
      {0x0202, {false, false}, {true, true}, {true, false}},
  };
  for (const auto& c : cases) {
    links_ = {Link(AK_COLOR, c.flags, " 颜色")};
    ShowLinks(links_);
    HMENU menu = Links().MakeLinkMenu(0);
    ASSERT_NE(menu, nullptr);
    for (auto item : {std::make_pair(ID_LINK_DIRECT, c.direct), std::make_pair(ID_LINK_SCRIPT, c.script),
                      std::make_pair(ID_LINK_DELETE, c.remove)}) {
      const ItemState state = State(menu, item.first);
      EXPECT_EQ(state.enabled, item.second.enabled) << std::hex << c.flags << " " << std::dec << item.first;
      EXPECT_EQ(state.checked, item.second.checked) << std::hex << c.flags << " " << std::dec << item.first;
    }
    ::DestroyMenu(menu);
  }
  EXPECT_EQ(Links().MakeLinkMenu(1), nullptr);  // no such row
}

TEST_F(EventLinkListTest, AChoiceSendsItsModeWithTheRowsKindUnlessTheRowForbidsIt) {
  links_ = {Link(AK_COLOR, 0x0301, " 颜色"), Link(AK_MOUSE_CLICK, 0x0200, " 鼠标单击")};
  ShowLinks(links_);
  Links().ChooseLinkMode(0, ID_LINK_SCRIPT);
  Links().ChooseLinkMode(0, ID_LINK_DELETE);
  Links().ChooseLinkMode(0, ID_LINK_DIRECT);
  Links().ChooseLinkMode(1, ID_LINK_DIRECT);  // script only
  Links().ChooseLinkMode(1, ID_LINK_DELETE);  // no link to remove
  Links().ChooseLinkMode(1, ID_LINK_SCRIPT);
  Links().ChooseLinkMode(1, 0);  // the menu closed without a choice
  EXPECT_EQ(stub_.sent,
            (std::vector<SentMessage>{SentLink(AM_SCRIPT, AK_COLOR), SentLink(AM_NONE, AK_COLOR),
                                      SentLink(AM_DIRECT, AK_COLOR), SentLink(AM_SCRIPT, AK_MOUSE_CLICK)}));
}

// Presses keys in the pop-up menu that opens next: a timer of this thread
// runs inside the menu's own loop.
std::vector<UINT> g_menuKeys;
void CALLBACK PressMenuKeys(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = wndtest::ShownMenuOfThisThread();
  if (!menu) return;
  ::KillTimer(nullptr, id);
  for (UINT key : g_menuKeys) ::PostMessageA(menu, WM_KEYDOWN, key, 0);
}

TEST_F(EventLinkListTest, ARightClickOnTheSelectedRowPopsUpTheMenuAndSendsTheChoice) {
  links_ = {Link(AK_FLASH, 0x0300, " 闪烁"), Link(AK_COLOR, 0x0301, " 颜色")};
  ShowLinks(links_);
  RECT row = {LVIR_BOUNDS, 0, 0, 0};
  Links().GetItemRect(1, &row, LVIR_BOUNDS);
  const LPARAM at = MAKELPARAM(row.left + 20, (row.top + row.bottom) / 2);
  g_menuKeys = {VK_DOWN, VK_DOWN, VK_RETURN};  // the second item: "CScript脚本"
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, PressMenuKeys);
  Links().PostMessage(WM_RBUTTONUP, 0, at);
  Links().SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, at);
  Settle();
  ::KillTimer(nullptr, timer);
  EXPECT_EQ(Links().GetSelectedItem(), 1);
  EXPECT_EQ(stub_.sent, std::vector<SentMessage>{SentLink(AM_SCRIPT, AK_COLOR)});
}

TEST_F(EventLinkListTest, TheNameColumnsAre108AndTheValueColumnsTheRestLess112) {
  CWorkspaceBar& bar = Frame()->GetWorkspaceBar();
  for (int width : {260, 400}) {
    RECT now;
    bar.GetWindowRect(&now);
    bar.SetWindowPos(nullptr, 0, 0, width, now.bottom - now.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (CListCtrl* list : {static_cast<CListCtrl*>(&Links()), static_cast<CListCtrl*>(&Attributes())}) {
      RECT placed;
      list->GetWindowRect(&placed);
      EXPECT_EQ(list->GetColumnWidth(0), 108) << width;
      EXPECT_EQ(list->GetColumnWidth(1), placed.right - placed.left - 112) << width;
    }
    // The panel's list fills the panel.
    RECT panel, attributes;
    ::GetWindowRect(bar.GetPropertyPanel(), &panel);
    Attributes().GetWindowRect(&attributes);
    EXPECT_TRUE(::EqualRect(&panel, &attributes)) << width;
  }
  EXPECT_EQ(Links().GetDlgCtrlID(), IDC_EVENT_LINKS);
  EXPECT_EQ(Attributes().GetDlgCtrlID(), IDC_ATTRIBUTES);
  EXPECT_NE(Links().GetExtendedStyle() & LVS_EX_FULLROWSELECT, 0u);
  EXPECT_NE(Attributes().GetExtendedStyle() & LVS_EX_GRIDLINES, 0u);
  const std::vector<std::string> attributeHeads = {"属性", "值"}, linkHeads = {"动作", "定义"};
  EXPECT_EQ(Headings(Attributes()), attributeHeads);
  EXPECT_EQ(Headings(Links()), linkHeads);
}

}  // namespace
}  // namespace editortest
