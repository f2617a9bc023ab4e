// The control wrappers against the platform's controls: what goes in reads
// back, GBK texts included.
#include <gtest/gtest.h>

#include <string>

#include "controls/combobox.h"
#include "controls/edit.h"
#include "controls/imagelist.h"
#include "controls/ipaddress.h"
#include "controls/listbox.h"
#include "controls/listctrl.h"
#include "controls/richedit.h"
#include "controls/spinctrl.h"
#include "controls/tabctrl.h"
#include "controls/toolbarctrl.h"
#include "controls/tooltip.h"
#include "controls/treectrl.h"
#include "gdiwrap.h"
#include "wndtest/wndtest_util.h"

namespace {

const UINT kTwoImagesBitmap = 400;
const RECT kBox = {10, 10, 300, 200};

class Controls : public ::testing::Test {
 protected:
  CWnd top;
  void SetUp() override { ASSERT_TRUE(wndtest::CreateTopLevel(top, true, "控件")); }
};

TEST_F(Controls, ListViewColumnsRowsAndSelection) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, kBox, top, 27000));
  list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  EXPECT_EQ(list.GetExtendedStyle() & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
            static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
  EXPECT_EQ(list.InsertColumn(0, "IP地址", LVCFMT_LEFT, 120), 0);
  EXPECT_EQ(list.InsertColumn(1, "端口", LVCFMT_LEFT, 60), 1);
  EXPECT_EQ(list.GetColumnWidth(0), 120);
  EXPECT_EQ(list.InsertItem(0, "10.0.0.1", 0), 0);
  EXPECT_EQ(list.InsertItem(1, "10.0.0.2"), 1);
  EXPECT_TRUE(list.SetItemText(1, 1, "账号很长很长的文本"));
  EXPECT_EQ(list.GetItemText(1, 1), "账号很长很长的文本");
  EXPECT_EQ(list.GetItemText(0, 0), "10.0.0.1");
  EXPECT_EQ(list.GetItemCount(), 2);
  EXPECT_EQ(list.GetSelectedItem(), -1);
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(list.GetSelectedItem(), 1);
  list.SetItemData(0, 77);
  EXPECT_EQ(list.GetItemData(0), 77u);
  EXPECT_TRUE(list.DeleteItem(0));
  EXPECT_EQ(list.GetItemText(0, 0), "10.0.0.2");
  EXPECT_NE(list.GetHeaderCtrl(), nullptr);
}

TEST_F(Controls, ListViewTextsOfAnyLengthReadBackWhole) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, kBox, top, 1));
  list.InsertColumn(0, "长");
  std::string text(1000, 'x');
  list.InsertItem(0, text.c_str());
  EXPECT_EQ(list.GetItemText(0, 0).str(), text);
}

int CALLBACK FoldersFirst(LPARAM a, LPARAM b, LPARAM) { return static_cast<int>(a - b); }

TEST_F(Controls, TreeItemsDataOrderAndState) {
  CTreeCtrl tree;
  ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS, kBox, top, 1));
  HTREEITEM root = tree.InsertItem("画面", 0, 1);
  HTREEITEM pic = tree.InsertItem("a.pic", 5, 5, root);
  HTREEITEM folder = tree.InsertItem("sub", 1, 2, root);
  tree.SetItemData(pic, 1);
  tree.SetItemData(folder, 0);
  EXPECT_TRUE(tree.SortChildrenCB(root, FoldersFirst, 0));
  EXPECT_EQ(tree.GetChildItem(root), folder);
  EXPECT_EQ(tree.GetNextSiblingItem(folder), pic);
  EXPECT_EQ(tree.GetParentItem(pic), root);
  EXPECT_EQ(tree.GetRootItem(), root);
  EXPECT_EQ(tree.GetItemText(root), "画面");
  EXPECT_EQ(tree.GetItemData(pic), 1u);
  tree.SetItemState(root, TVIS_BOLD, TVIS_BOLD);
  EXPECT_EQ(tree.GetItemState(root, TVIS_BOLD), static_cast<UINT>(TVIS_BOLD));
  tree.Expand(root);
  EXPECT_NE(tree.GetItemState(root, TVIS_EXPANDED), 0u);
  EXPECT_TRUE(tree.SelectItem(pic));
  EXPECT_EQ(tree.GetSelectedItem(), pic);
  EXPECT_EQ(tree.GetCount(), 3u);
  EXPECT_TRUE(tree.DeleteAllItems());
  EXPECT_EQ(tree.GetCount(), 0u);
}

TEST_F(Controls, TabsSpinAndIpAddress) {
  CTabCtrl tabs;
  ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, kBox, top, 1005));
  for (const char* t : {"函数", "本地标签", "QEL库标签"}) tabs.InsertItem(tabs.GetItemCount(), t);
  EXPECT_EQ(tabs.GetItemCount(), 3);
  EXPECT_EQ(tabs.GetItemText(1), "本地标签");
  tabs.SetCurSel(2);
  EXPECT_EQ(tabs.GetCurSel(), 2);

  CEdit buddy;
  ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, wndtest::Rect(10, 210, 60, 230), top, 5011));
  CSpinButtonCtrl spin;
  ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT,
                          wndtest::Rect(60, 210, 80, 230), top, 5012));
  spin.SetBuddy(buddy);
  spin.SetRange(2, 5);
  spin.SetPos(4);
  int low = 0, high = 0;
  spin.GetRange(low, high);
  EXPECT_EQ(low, 2);
  EXPECT_EQ(high, 5);
  EXPECT_EQ(spin.GetPos(), 4);
  EXPECT_EQ(spin.GetBuddy(), buddy.m_hWnd);
  EXPECT_EQ(QelGetWindowText(buddy), "4");
  spin.SetPos(9);  // held inside the range
  EXPECT_EQ(spin.GetPos(), 5);

  CIPAddressCtrl ip;
  ASSERT_TRUE(ip.Create(WS_CHILD | WS_VISIBLE, wndtest::Rect(100, 210, 250, 232), top, 27004));
  EXPECT_TRUE(ip.IsBlank());
  EXPECT_EQ(ip.GetAddressText(), "0.0.0.0");
  ip.SetAddressText("192.168.1.20");
  EXPECT_FALSE(ip.IsBlank());
  EXPECT_EQ(ip.GetAddressText(), "192.168.1.20");
  ip.SetAddressText("256.1.1.1");
  EXPECT_TRUE(ip.IsBlank());
  EXPECT_EQ(ip.GetAddressText(), "0.0.0.0");
}

TEST(DottedAddress, OnlyFourDecimalFieldsUpTo255AreAnAddress) {
  struct Case {
    const char* text;
    bool ok;
    DWORD packed;
  } cases[] = {
      {"0.0.0.0", true, 0},
      {"255.255.255.255", true, 0xFFFFFFFF},
      {"10.1.2.3", true, 0x0A010203},
      {"256.0.0.0", false, 0},
      {"1.2.3", false, 0},
      {"1.2.3.4.5", false, 0},
      {"1..3.4", false, 0},
      {"a.b.c.d", false, 0},
      {"1.2.3.4 ", false, 0},
      {"0001.2.3.4", false, 0},
      {"", false, 0},
  };
  for (const Case& c : cases) {
    DWORD packed = 0;
    EXPECT_EQ(QelParseDottedAddress(c.text, &packed) != FALSE, c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(packed, c.packed) << c.text;
    }
  }
  EXPECT_FALSE(QelParseDottedAddress(nullptr, nullptr));
  EXPECT_EQ(QelDottedAddress(0x0A010203), "10.1.2.3");
}

TEST_F(Controls, ComboAndListBoxKeepTextsAndData) {
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, kBox, top, 1111));
  for (const char* t : {"digital", "int32", "float32"}) combo.AddString(t);
  EXPECT_EQ(combo.GetCount(), 3);
  combo.SetCurSel(2);
  EXPECT_EQ(combo.GetCurSel(), 2);
  EXPECT_EQ(combo.GetLBText(1), "int32");
  EXPECT_EQ(combo.FindStringExact(-1, "INT32"), 1);  // any case
  combo.SetItemData(0, 42);
  EXPECT_EQ(combo.GetItemData(0), 42u);

  CListBox list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_SORT | LBS_NOTIFY, kBox, top, 5037));
  list.AddString("dbr_SetLoaclVal(char* s)");
  list.AddString("abs(int n)");
  EXPECT_EQ(list.GetText(0), "abs(int n)");  // sorted
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.FindStringExact(-1, "abs(int n)"), 0);
  list.SetCurSel(1);
  EXPECT_EQ(list.GetCurSel(), 1);
  EXPECT_GT(list.GetItemHeight(), 0);
}

TEST_F(Controls, EditLinesAndReplacement) {
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, kBox, top, 5000));
  edit.SetWindowText("第一行\r\n\tsecond");
  EXPECT_EQ(edit.GetLineCount(), 2);
  EXPECT_EQ(edit.GetLine(0), "第一行");
  EXPECT_EQ(edit.GetLine(1), "\tsecond");
  edit.SetSel(0, -1);
  edit.ReplaceSel("新");
  EXPECT_EQ(QelGetWindowText(edit), "新");
}

TEST_F(Controls, RichEditTakesAndGivesGbkPlainTextAndFormats) {
  CRichEditCtrl rich;
  ASSERT_TRUE(rich.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, kBox, top, 5018));
  rich.SetPlainText("int main()\r\n{\r\n\t//注释\r\n}");
  CString back = rich.GetPlainText();
  EXPECT_NE(back.Find("//注释"), -1);
  EXPECT_EQ(rich.GetLineCount(), 4);
  EXPECT_EQ(rich.LineIndex(1), 11);  // a line ends in one character in the control
  rich.SetSel(0, 3);
  EXPECT_EQ(rich.GetSelText(), "int");
  CHARFORMAT2A green = {};
  green.dwMask = CFM_COLOR;
  green.crTextColor = RGB(0, 0xAA, 0);
  EXPECT_TRUE(rich.SetSelectionCharFormat(green));
  CHARFORMAT2A read = {};
  read.cbSize = sizeof read;
  rich.SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&read));
  EXPECT_EQ(read.crTextColor, RGB(0, 0xAA, 0));
  rich.SetSel(-1, -1);
  rich.ReplaceSel("汉");
  EXPECT_NE(rich.GetPlainText().Find("}汉"), -1);
}

TEST_F(Controls, RichEditTakesLongGbkPlainTextWholeWhereverThePlatformsPiecesEnd) {
  // The control reads plain text in pieces of 4 KB; a line of five bytes
  // puts the end of successive pieces at each of its bytes in turn: inside
  // the GBK character and between "\r" and "\n" too.
  std::string text;
  for (int line = 0; line < 8000; ++line) text += "第a\r\n";
  text += "末";
  CRichEditCtrl rich;
  ASSERT_TRUE(rich.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, kBox, top, 5018));
  rich.SendMessage(EM_EXLIMITTEXT, 0, 1 << 20);
  rich.SetPlainText(text.c_str());
  EXPECT_EQ(rich.GetLineCount(), 8001);
  EXPECT_TRUE(rich.GetPlainText() == text.c_str());
  EXPECT_EQ(rich.GetTextLength(), 8000 * 3 + 1);  // a line end is one character in the control
}

TEST_F(Controls, AMaskedImageListLeavesTheMaskColourTransparent) {
  CImageList images;
  ASSERT_TRUE(images.CreateFromBitmap(kTwoImagesBitmap, 16, 4, RGB(255, 255, 255)));
  EXPECT_EQ(images.GetImageCount(), 2);
  int cx = 0, cy = 0;
  images.GetIconSize(&cx, &cy);
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 16);

  CDC screen(::GetDC(nullptr));
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
  CBitmap canvas;
  ASSERT_TRUE(canvas.CreateDIBSection32(screen, 16, 16));
  CSelectGdi selected(dc, canvas);
  dc.FillSolidRect(RECT{0, 0, 16, 16}, RGB(0, 0, 255));
  ASSERT_TRUE(images.Draw(dc, 0, 0, 0, ILD_TRANSPARENT));
  EXPECT_EQ(dc.GetPixel(8, 8), RGB(255, 0, 0));  // the red square
  EXPECT_EQ(dc.GetPixel(1, 1), RGB(0, 0, 255));  // white was the mask: the blue shows
  ::ReleaseDC(nullptr, screen.Detach());

  CImageList made;
  ASSERT_TRUE(made.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 8));
  EXPECT_EQ(made.GetImageCount(), 0);
  HIMAGELIST handle = made.Detach();
  EXPECT_EQ(made.GetSafeHandle(), nullptr);
  ImageList_Destroy(handle);
}

TEST_F(Controls, ToolTipsCountTheirTools) {
  CToolTipCtrl tips;
  ASSERT_TRUE(tips.Create(top));
  CWnd child;
  ASSERT_TRUE(child.Create(wndtest::PlainClass(), "", WS_CHILD | WS_VISIBLE, kBox, top, 9));
  EXPECT_TRUE(tips.AddTool(child, "保存"));
  RECT cell = {0, 0, 18, 18};
  EXPECT_TRUE(tips.AddTool(child, "Black", &cell, 1));
  EXPECT_EQ(tips.GetToolCount(), 2);
  tips.DelTool(child, 1);
  tips.DelTool(child);
  EXPECT_EQ(tips.GetToolCount(), 0);
}

TEST_F(Controls, ToolbarButtonsEnableCheckAndChangeImage) {
  CToolBarCtrl bar;
  ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, kBox, top, 1));
  CImageList images;
  ASSERT_TRUE(images.CreateFromBitmap(kTwoImagesBitmap, 16, 4, RGB(255, 255, 255)));
  bar.SetImageList(images);
  int save = bar.AddString("Save");
  TBBUTTON buttons[] = {QelToolButton(0, 32771, TBSTYLE_BUTTON, save), QelToolSeparator(),
                        QelToolButton(1, 32777, TBSTYLE_CHECK)};
  ASSERT_TRUE(bar.AddButtons(3, buttons));
  EXPECT_EQ(bar.GetButtonCount(), 3);
  EXPECT_EQ(bar.CommandToIndex(32777), 2);
  EXPECT_TRUE(bar.IsButtonEnabled(32771));
  bar.EnableButton(32771, FALSE);
  EXPECT_FALSE(bar.IsButtonEnabled(32771));
  bar.CheckButton(32777);
  EXPECT_TRUE(bar.IsButtonChecked(32777));
  EXPECT_TRUE(bar.ChangeBitmap(32777, 0));
  EXPECT_EQ(bar.SendMessage(TB_GETBITMAP, 32777), 0);
  RECT r;
  EXPECT_TRUE(bar.GetItemRect(0, &r));
  EXPECT_NE(bar.GetToolTips(), nullptr);
}

}  // namespace
