// The local tag list: loading through the local-tag table, cells, row
// bitmaps, marks, sorting on header clicks and FindText.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "localtag.h"
#include "localtaglist.h"
#include "render_surface.h"
#include "taglisttest_util.h"

namespace {

using qeltest::RgbOf;

// The local-tag table of a test: its records, answered by index.
struct Table {
  std::vector<LocalTagRecord> records;
  LocalTagCallbackBlock block = {this, &At, nullptr, nullptr};

  static int __stdcall At(void* context, int index, void* record) {
    const Table* table = static_cast<const Table*>(context);
    if (index < 0 || index >= (int)table->records.size()) return -1;
    *static_cast<LocalTagRecord*>(record) = table->records[index];
    return index;
  }
};

// A local list 700 by 200 pixels (rows of 18: nine rows and a part on show)
// in a hidden parent, loaded from a table.
struct ListFixture {
  CWnd parent;
  CLocalTagList list;
  Table table;

  bool Create(int height = 200) {
    if (!taglisttest::CreateParent(parent)) return false;
    if (!list.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 700, height}, parent, 1088)) return false;
    list.Load(&table.block);
    list.Relayout();
    return true;
  }
  void Add(const char* name, int type, const char* description = "", BYTE system = 0) {
    table.records.push_back(MakeLocalTag(name, description, "unit", "0", (BYTE)type, system));
  }
  std::vector<std::string> Column(int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < list.GetRowCount(); ++row) texts.push_back(list.GetCellText(row, column).str());
    return texts;
  }
  std::vector<int> Marked() {
    std::vector<int> rows;
    for (int row = 0; row < list.GetRowCount(); ++row)
      if (list.IsMarked(row)) rows.push_back(row);
    return rows;
  }
  void Click(int x, int y, UINT keys = 0) {
    list.SendMessage(WM_LBUTTONDOWN, keys, MAKELPARAM(x, y));
    list.SendMessage(WM_LBUTTONUP, keys, MAKELPARAM(x, y));
  }
  // A click on the header of a column (columns 60, 120, 200, 80, 80, 120 wide).
  void ClickHeader(int column) {
    const int lefts[] = {0, 60, 180, 380, 460, 540};
    Click(lefts[column] + 20, 5);
  }
};

using Texts = std::vector<std::string>;

TEST(LocalTagList, ShowsTheTablesRecordsInItsSixColumns) {
  ListFixture f;
  f.Add("@suser", 6, "当前用户", 1);
  f.Add("level", 3, "液位");
  ASSERT_TRUE(f.Create());
  ASSERT_EQ(2, f.list.GetRowCount());
  EXPECT_EQ(6, f.list.GetColumnCount());
  const Texts headers = {"序号", "标签名", "描述", "单位", "类型", "初值"};
  const int widths[] = {60, 120, 200, 80, 80, 120};
  for (int c = 0; c < 6; ++c) {
    EXPECT_EQ(headers[c], f.list.GetHeaderText(c).str());
    EXPECT_EQ(widths[c], f.list.GetColumnWidth(c));
  }
  EXPECT_EQ((Texts{"1", "2"}), f.Column(0));
  EXPECT_EQ((Texts{"@suser", "level"}), f.Column(1));
  EXPECT_EQ((Texts{"当前用户", "液位"}), f.Column(2));
  EXPECT_EQ((Texts{"unit", "unit"}), f.Column(3));
  EXPECT_EQ((Texts{"string", "float32"}), f.Column(4));
  EXPECT_EQ((Texts{"0", "0"}), f.Column(5));
  EXPECT_EQ(18, f.list.GetRowHeight());
}

TEST(LocalTagList, ATableWithoutContextOrCallbackLeavesTheListEmpty) {
  ListFixture f;
  f.Add("a", 2);
  ASSERT_TRUE(f.Create());
  ASSERT_EQ(1, f.list.GetRowCount());
  LocalTagCallbackBlock noContext = f.table.block;
  noContext.context = nullptr;
  f.list.Load(&noContext);
  EXPECT_EQ(0, f.list.GetRowCount());
  f.list.Load(&f.table.block);
  LocalTagCallbackBlock noCallback = f.table.block;
  noCallback.pfnLocalTagAt = nullptr;
  f.list.Load(&noCallback);
  EXPECT_EQ(0, f.list.GetRowCount());
  f.list.Load(nullptr);
  EXPECT_EQ(0, f.list.GetRowCount());
}

// The bitmaps come from this program's resources: a yellow tag for a system
// tag, a green one for the others, at the first cell's top-left corner.
TEST(LocalTagList, RowBitmapsMarkSystemTags) {
  ListFixture f;
  f.Add("@suser", 6, "", 1);
  f.Add("level", 3);
  ASSERT_TRUE(f.Create());
  HBITMAP system = f.list.GetRowBitmap(0), other = f.list.GetRowBitmap(1);
  ASSERT_NE(nullptr, system);
  ASSERT_NE(nullptr, other);
  EXPECT_NE(system, other);
  BITMAP info = {};
  ASSERT_TRUE(::GetObjectA(system, sizeof info, &info));
  EXPECT_EQ(14, info.bmWidth);
  EXPECT_EQ(14, info.bmHeight);

  qeltest::RenderSurface surface(700, 200);
  f.list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
  ::GdiFlush();
  // Cell (row, 0) starts at y = 18 x (row + 1); the bitmap 2 pixels in.
  EXPECT_EQ(RgbOf(RGB(255, 255, 0)), surface.Pixel(2 + 6, 18 + 2 + 7));
  EXPECT_EQ(RgbOf(RGB(0, 160, 0)), surface.Pixel(2 + 6, 36 + 2 + 7));
}

TEST(LocalTagList, ClicksMarkRowsInTheRecords) {
  ListFixture f;
  for (const char* name : {"a", "b", "c", "d", "e", "f"}) f.Add(name, 2);
  ASSERT_TRUE(f.Create());
  const int rowY[] = {27, 45, 63, 81, 99, 117};
  f.Click(300, rowY[2]);
  EXPECT_EQ((std::vector<int>{2}), f.Marked());
  f.Click(300, rowY[4], MK_CONTROL);
  EXPECT_EQ((std::vector<int>{2, 4}), f.Marked());
  EXPECT_EQ(2, f.list.GetCurrentRow()) << "Ctrl leaves the current row";
  f.Click(300, rowY[2], MK_CONTROL);
  EXPECT_EQ((std::vector<int>{4}), f.Marked());
  f.Click(300, rowY[5], MK_SHIFT);
  EXPECT_EQ((std::vector<int>{2, 3, 4, 5}), f.Marked()) << "from the current row";
  EXPECT_EQ(2, f.list.GetCurrentRow());
  f.Click(300, rowY[0]);
  EXPECT_EQ((std::vector<int>{0}), f.Marked());
  // The mark is the record's row-mark byte.
  LocalTagRecord record;
  ASSERT_TRUE(f.list.GetRecord(0, &record));
  EXPECT_EQ(1, record.rowMark);
  EXPECT_FALSE(f.list.GetRecord(6, &record));
  EXPECT_FALSE(f.list.GetRecord(-1, &record));
  // Outside the records: unmarked, and nothing changes.
  f.list.SetMark(6, true);
  f.list.ToggleMark(-1);
  EXPECT_FALSE(f.list.IsMarked(6));
  EXPECT_EQ((std::vector<int>{0}), f.Marked());
}

TEST(LocalTagList, MarkedRowsAreNavyWithTheFocusAndGreyWithout) {
  ListFixture f;
  f.Add("a", 2);
  f.Add("b", 2);
  ASSERT_TRUE(f.Create());
  f.parent.ShowWindow(SW_SHOW);
  f.list.SelectRow(0);
  COLORREF text = 0, back = 0;
  f.list.SetFocus();
  ASSERT_EQ(f.list.m_hWnd, ::GetFocus());
  f.list.GetCellColors(0, 1, &text, &back);
  EXPECT_EQ(RGB(255, 255, 255), text);
  EXPECT_EQ(RGB(0, 0, 128), back);
  f.list.GetCellColors(1, 1, &text, &back);
  EXPECT_EQ(RGB(0, 0, 0), text);
  EXPECT_EQ(RGB(255, 255, 255), back);
  f.parent.SetFocus();
  f.list.GetCellColors(0, 1, &text, &back);
  EXPECT_EQ(RGB(0, 0, 0), text);
  EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), back);
}

TEST(LocalTagList, HeaderClicksSortAndToggleWithTheNameBreakingTies) {
  ListFixture f;
  f.Add("c", 2, "3");
  f.Add("a", 1, "5");
  f.Add("b", 2, "1");
  f.Add("d", 1, "4");
  f.Add("e", 2, "2");
  ASSERT_TRUE(f.Create());
  f.list.SelectRow(1);  // "a": its mark travels with its record

  f.ClickHeader(4);
  EXPECT_EQ((Texts{"a", "d", "b", "c", "e"}), f.Column(1));
  EXPECT_EQ(4, f.list.GetSortColumn());
  EXPECT_TRUE(f.list.IsSortAscending());
  EXPECT_EQ((std::vector<int>{0}), f.Marked());
  f.ClickHeader(4);
  EXPECT_EQ((Texts{"e", "c", "b", "d", "a"}), f.Column(1));
  EXPECT_FALSE(f.list.IsSortAscending());
  EXPECT_EQ((Texts{"1", "2", "3", "4", "5"}), f.Column(0)) << "row numbers stay in place";

  f.ClickHeader(2);  // another column sorts ascending again
  EXPECT_EQ((Texts{"1", "2", "3", "4", "5"}), f.Column(2));
  EXPECT_TRUE(f.list.IsSortAscending());

  for (int column : {0, 5}) {  // neither the row number nor the initial value sorts
    f.ClickHeader(column);
    EXPECT_EQ((Texts{"b", "e", "c", "d", "a"}), f.Column(1)) << column;
    EXPECT_EQ(2, f.list.GetSortColumn()) << column;
  }
}

TEST(LocalTagList, SortingOneRecordLeavesItAsItIs) {
  ListFixture f;
  f.Add("only", 7, "x");
  ASSERT_TRUE(f.Create());
  LocalTagRecord before, after;
  ASSERT_TRUE(f.list.GetRecord(0, &before));
  f.ClickHeader(1);
  ASSERT_TRUE(f.list.GetRecord(0, &after));
  EXPECT_EQ(0, std::memcmp(&before, &after, sizeof before));
  EXPECT_EQ(1, f.list.GetSortColumn());
}

// Ten tags, "pump" in rows 3 and 7.
void AddTenTags(ListFixture& f) {
  const char* names[] = {"t0", "t1", "t2", "pump_a", "t4", "t5", "t6", "main_pump", "t8", "t9"};
  for (const char* name : names) f.Add(name, 2, name[0] == 't' ? "阀门" : "泵");
}

TEST(LocalTagList, FindTextGoesOnFromTheLastMatchAndStartsAgainAfterTheLast) {
  ListFixture f;
  AddTenTags(f);
  ASSERT_TRUE(f.Create());
  const struct {
    int column;
    const char* text;
    int result;
    int selected;  // the current row afterwards
  } steps[] = {
      {1, "pump", 1, 3}, {1, "pump", 1, 7}, {1, "pump", 0, 7},
      {1, "pump", 1, 3}, {1, "", 0, 3},  // an empty text finds nothing and keeps the search
      {3, "pump", 0, 3},                 // so does a column that is not searched
      {1, "pump", 1, 7},                 // which goes on after row 3
      {1, "PUMP", 0, 7},                 // case matters
      {1, "t", 1, 0},                    // another text starts at row 0
      {2, "泵", 1, 3},                   // descriptions too
      {2, "泵", 1, 7},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(testing::Message() << s.column << " " << s.text);
    EXPECT_EQ(s.result, f.list.FindText(s.column, s.text));
    EXPECT_EQ(s.selected, f.list.GetCurrentRow());
    if (s.result) {
      EXPECT_EQ((std::vector<int>{s.selected}), f.Marked());
    }
  }
}

TEST(LocalTagList, FindTextScrollsOnlyForARowThatIsNotOnShow) {
  ListFixture f;
  for (int i = 0; i < 100; ++i) f.Add(("tag" + std::to_string(i)).c_str(), 2);
  ASSERT_TRUE(f.Create(180));  // the header and rows 0 to 8; row 9 starts at the bottom edge
  EXPECT_EQ(1, f.list.FindText(1, "tag8"));
  EXPECT_EQ(0, f.list.GetFirstRow()) << "row 8 is on show";
  EXPECT_EQ(1, f.list.FindText(1, "tag9"));
  EXPECT_EQ(9, f.list.GetFirstRow()) << "row 9 is hidden: it is scrolled to the top";
  EXPECT_EQ(9, f.list.GetScrollPos(SB_VERT));
  EXPECT_EQ(9, f.list.GetCurrentRow());

  for (int i = 0; i < 3; ++i) f.list.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
  ASSERT_EQ(12, f.list.GetFirstRow());
  EXPECT_EQ(1, f.list.FindText(1, "tag12"));
  EXPECT_EQ(12, f.list.GetFirstRow()) << "a match in the first visible row does not scroll";
  EXPECT_EQ(1, f.list.FindText(1, "tag99"));
  EXPECT_EQ(90, f.list.GetFirstRow()) << "as far as the bar goes";
  EXPECT_EQ(99, f.list.GetCurrentRow());
}

}  // namespace
