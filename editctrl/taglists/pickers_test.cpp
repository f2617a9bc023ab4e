// The pickers as an engineer uses them: double clicks on tags and functions
// put text into the target edit, "GO" searches, the tabs switch the parts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "localtag.h"
#include "picktab.h"
#include "taglisttest_util.h"

namespace {

using taglisttest::ServerTag;

std::vector<LocalTagRecord> g_localTags;
int __stdcall LocalTagAt(void*, int index, void* record) {
  if (index < 0 || index >= (int)g_localTags.size()) return -1;
  *static_cast<LocalTagRecord*>(record) = g_localTags[index];
  return index;
}

std::vector<QB_TAGATTR> g_serverTags;
std::vector<std::string> g_patterns;
int __stdcall TagQuery(void*, const char* pattern, const char*, int, int, QB_TAGQUERYPROC proc, void* user) {
  g_patterns.push_back(pattern);
  proc(g_serverTags.data(), (int)g_serverTags.size(), user);
  return 0;
}

// A picker of either kind over an edit holding "a+b" with "b" selected.
template <class Picker>
struct PickerFixture {
  CWnd parent;
  Picker picker;
  CEdit target;
  LocalTagCallbackBlock local = {&local, &LocalTagAt, nullptr, nullptr};
  HostCallbackBlock host = {};

  bool Create() {
    g_localTags = {MakeLocalTag("demo_str", "", "", "", 6), MakeLocalTag("level", "液位", "m", "0", 3)};
    g_serverTags = {ServerTag("FIC101", 5), ServerTag("MSG", 7)};
    g_patterns.clear();
    host.context = &host;
    host.pfnTagQuery = &TagQuery;
    if (!taglisttest::CreateParent(parent)) return false;
    if (!picker.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 500, 300}, parent, 1000)) return false;
    if (!target.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, RECT{0, 310, 300, 330}, parent, 2000)) return false;
    target.SetWindowText("a+b");
    target.SetSel(2, 3);
    picker.SetTarget(target);
    picker.SetHostCallbacks(&host);
    picker.LoadLocalTags(&local);
    return true;
  }
  std::string TargetText() {
    CString text;
    target.GetWindowText(text);
    return text.str();
  }
  // A double click on a row of a panel's list, as the mouse does it.
  void DoubleClickRow(CTagPickPanel& panel, int row) {
    const int y = 18 * (row + 1) + 9;
    panel.List().SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(100, y));
    taglisttest::PumpPending();  // the row notice is posted
  }
  HTREEITEM FindItem(const char* text, HTREEITEM from = TVI_ROOT) {
    CTreeCtrl& tree = picker.Tree();
    for (HTREEITEM item = from == TVI_ROOT ? tree.GetRootItem() : tree.GetChildItem(from); item;
         item = tree.GetNextSiblingItem(item)) {
      if (tree.GetItemText(item) == text) return item;
      if (HTREEITEM inner = tree.ItemHasChildren(item) ? FindItem(text, item) : nullptr) return inner;
    }
    return nullptr;
  }
  void DoubleClickItem(HTREEITEM item) {
    CTreeCtrl& tree = picker.Tree();
    tree.SelectItem(item);
    RECT rect;
    tree.GetItemRect(item, &rect, TRUE);
    tree.SendMessage(WM_LBUTTONDBLCLK, 0,
                     MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
    taglisttest::PumpPending();
  }
};

TEST(TagPickers, TheExpressionPageInsertsReferencesAtTheCaret) {
  const struct {
    bool local;
    int row;
    const char* text;
  } cases[] = {
      {true, 0, "a+LVV(demo_str)"},  // a local string tag
      {true, 1, "a+LV(level)"},
      {false, 0, "a+TV(FIC101)"},
      {false, 1, "a+TVV(MSG)"},  // a database blob tag
  };
  for (const auto& c : cases) {
    PickerFixture<CExpPickTab> f;
    ASSERT_TRUE(f.Create());
    CTagPickPanel& panel = c.local ? f.picker.LocalPanel() : f.picker.DatabasePanel();
    if (!c.local) panel.Go();
    f.DoubleClickRow(panel, c.row);
    EXPECT_EQ(c.text, f.TargetText());
  }
}

TEST(TagPickers, TheScriptEditorInsertsPlainNames) {
  PickerFixture<CScriptPickTab> f;
  ASSERT_TRUE(f.Create());
  f.DoubleClickRow(f.picker.LocalPanel(), 0);
  EXPECT_EQ("a+demo_str", f.TargetText());
  f.picker.DatabasePanel().Go();
  f.DoubleClickRow(f.picker.DatabasePanel(), 1);
  EXPECT_EQ("a+demo_strMSG", f.TargetText());
}

TEST(TagPickers, WithoutATargetADoubleClickInsertsNothing) {
  PickerFixture<CExpPickTab> f;
  ASSERT_TRUE(f.Create());
  f.picker.LocalPanel().SetReferenceTarget(nullptr);
  f.DoubleClickRow(f.picker.LocalPanel(), 0);
  f.picker.LocalPanel().SetInsertMode(CTagPickPanel::kInsertName);  // its name target is still set
  f.DoubleClickRow(f.picker.LocalPanel(), 1);
  EXPECT_EQ("a+level", f.TargetText());
}

TEST(TagPickers, GoQueriesTheDatabaseEvenWithoutAPattern) {
  PickerFixture<CExpPickTab> f;
  ASSERT_TRUE(f.Create());
  CTagPickPanel& panel = f.picker.DatabasePanel();
  panel.SearchEdit().SetWindowText("  ");
  const CTagPickPanel::ChildIds& ids = panel.Ids();
  ::SendMessageA(panel.GetDlgItem(ids.button), BM_CLICK, 0, 0);
  panel.SearchEdit().SetWindowText(" FIC* ");
  ::SendMessageA(panel.GetDlgItem(ids.button), BM_CLICK, 0, 0);
  EXPECT_EQ((std::vector<std::string>{"", "FIC*"}), g_patterns) << "blanks trimmed";
  EXPECT_EQ(2, panel.List().GetRowCount());
}

TEST(TagPickers, GoFindsALocalNameAndIgnoresAnEmptyText) {
  PickerFixture<CExpPickTab> f;
  ASSERT_TRUE(f.Create());
  CTagPickPanel& panel = f.picker.LocalPanel();
  panel.SearchEdit().SetWindowText(" lev ");
  ::SendMessageA(panel.GetDlgItem(panel.Ids().button), BM_CLICK, 0, 0);
  EXPECT_EQ(1, panel.List().GetCurrentRow());
  EXPECT_TRUE(panel.List().IsMarked(1));
  panel.SearchEdit().SetWindowText("   ");
  ::SendMessageA(panel.GetDlgItem(panel.Ids().button), BM_CLICK, 0, 0);
  EXPECT_EQ(1, panel.List().GetCurrentRow());
}

TEST(TagPickers, PanelsLayOutTheirSearchRowAboveTheList) {
  PickerFixture<CExpPickTab> f;
  ASSERT_TRUE(f.Create());
  for (CTagPickPanel* panel : {&f.picker.LocalPanel(), &f.picker.DatabasePanel()}) {
    const CTagPickPanel::ChildIds& ids = panel->Ids();
    RECT client;
    panel->GetClientRect(&client);
    const struct {
      UINT id;
      RECT rect;
    } children[] = {{ids.list, {0, 22, client.right, client.bottom}},
                    {ids.edit, {2, 2, 162, 19}},
                    {ids.button, {170, 2, 200, 20}}};
    for (const auto& c : children) {
      RECT r;
      ::GetWindowRect(panel->GetDlgItem(c.id), &r);
      ::MapWindowPoints(nullptr, *panel, reinterpret_cast<POINT*>(&r), 2);
      EXPECT_TRUE(::EqualRect(&r, &c.rect))
          << c.id << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    char text[8] = "";
    ::GetWindowTextA(panel->GetDlgItem(ids.button), text, sizeof text);
    EXPECT_STREQ("GO", text);
  }
  EXPECT_EQ(1088u, f.picker.LocalPanel().Ids().list);
  EXPECT_EQ(1080u, f.picker.DatabasePanel().Ids().list);
}

// Clicking a tab shows its part and hides the other two.
TEST(TagPickers, TabsSwitchBetweenTheTreeAndThePanels) {
  PickerFixture<CScriptPickTab> f;
  ASSERT_TRUE(f.Create());
  CTabCtrl& tabs = f.picker.Tabs();
  ASSERT_EQ(3, tabs.GetItemCount());
  EXPECT_EQ("函数", tabs.GetItemText(0).str());
  EXPECT_EQ("本地标签", tabs.GetItemText(1).str());
  EXPECT_EQ("QEL库标签", tabs.GetItemText(2).str());
  EXPECT_EQ(1095, tabs.GetDlgCtrlID());
  EXPECT_EQ(1097, f.picker.Tree().GetDlgCtrlID());
  EXPECT_EQ(1096, f.picker.LocalPanel().GetDlgCtrlID());
  EXPECT_EQ(1098, f.picker.DatabasePanel().GetDlgCtrlID());
  CWnd* parts[] = {&f.picker.Tree(), &f.picker.LocalPanel(), &f.picker.DatabasePanel()};
  auto shown = [&] {
    std::vector<bool> visible;
    for (CWnd* part : parts) visible.push_back((part->GetStyle() & WS_VISIBLE) != 0);
    return visible;
  };
  EXPECT_EQ((std::vector<bool>{true, false, false}), shown());
  for (int tab : {2, 1, 0}) {
    RECT rect;
    ASSERT_TRUE(tabs.GetItemRect(tab, &rect));
    tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
    tabs.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
    std::vector<bool> expected(3, false);
    expected[tab] = true;
    EXPECT_EQ(expected, shown()) << tab;
  }
  for (CWnd* part : parts) {
    EXPECT_TRUE(part->GetExStyle() & WS_EX_CLIENTEDGE);
    RECT r;
    part->GetWindowRect(&r);
    ::MapWindowPoints(nullptr, f.picker, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(20, r.top);
    EXPECT_EQ(300, r.bottom);
    EXPECT_EQ(500, r.right);
  }
}

TEST(FunctionTrees, TheExpressionTreeInsertsAfterTheFirstBlank) {
  PickerFixture<CExpPickTab> f;
  ASSERT_TRUE(f.Create());
  EXPECT_EQ(19u, f.picker.Tree().GetCount());
  EXPECT_EQ("int abs(int)", f.picker.Tree().GetItemText(f.picker.Tree().GetRootItem()).str());
  HTREEITEM labs = f.FindItem("long   labs(long)");
  ASSERT_NE(nullptr, labs);
  f.DoubleClickItem(labs);
  EXPECT_EQ("a+  labs(long)", f.TargetText());
  const DWORD style = f.picker.Tree().GetStyle();
  EXPECT_EQ(DWORD(TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS),
            style & (TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS));
}

TEST(FunctionTrees, TheScriptTreeShowsBoldExpandedCategoriesThatInsertNothing) {
  PickerFixture<CScriptPickTab> f;
  ASSERT_TRUE(f.Create());
  CTreeCtrl& tree = f.picker.Tree();
  int categories = 0;
  for (HTREEITEM item = tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item)) {
    ++categories;
    EXPECT_EQ(0u, tree.GetItemData(item));
    EXPECT_TRUE(tree.GetItemState(item, TVIS_BOLD) & TVIS_BOLD);
    if (tree.ItemHasChildren(item)) {
      EXPECT_TRUE(tree.GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED);
    }
  }
  EXPECT_EQ(11, categories);
  EXPECT_EQ(11u + 19 + 11 + 5 + 7 + 9 + 5 + 1 + 5 + 3 + 1, tree.GetCount());

  f.DoubleClickItem(f.FindItem("其它"));
  EXPECT_EQ("a+b", f.TargetText());
  HTREEITEM rgb = f.FindItem("long RGB(int r, int g, int b);//颜色合成");
  ASSERT_NE(nullptr, rgb);
  EXPECT_EQ(1u, tree.GetItemData(rgb));
  f.DoubleClickItem(rgb);
  EXPECT_EQ("a+RGB(int r, int g, int b);//颜色合成", f.TargetText());
}

}  // namespace
