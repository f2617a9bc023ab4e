// Scrolling the list window: bars, keys and the wheel, each stopping where
// the list's rules say, and a list without rows that does not move at all.
#include <gtest/gtest.h>

#include <functional>

#include "gridtest_util.h"

namespace {

using gridtest::GridFixture;

void Send(CGridWnd& grid, UINT msg, WPARAM wp) { grid.SendMessage(msg, wp, 0); }
void Wheel(CGridWnd& grid, int delta) { grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0); }

// 100 rows in a client 200 pixels high: ten rows a page, a bar from 0 to 101
// with a page of 11, so a page stops at row 90 and a line one row later.
struct StopCase {
  const char* what;
  std::function<void(CGridWnd&)> step;
  int stop;  // the first row after many steps
};

TEST(GridScroll, HundredRowsStopWhereEachWayOfScrollingStops) {
  const StopCase cases[] = {
      {"bar page down", [](CGridWnd& g) { Send(g, WM_VSCROLL, SB_PAGEDOWN); }, 90},
      {"bar line down", [](CGridWnd& g) { Send(g, WM_VSCROLL, SB_LINEDOWN); }, 91},
      {"bar bottom", [](CGridWnd& g) { Send(g, WM_VSCROLL, SB_BOTTOM); }, 90},
      {"Page Down", [](CGridWnd& g) { Send(g, WM_KEYDOWN, VK_NEXT); }, 90},
      {"Down", [](CGridWnd& g) { Send(g, WM_KEYDOWN, VK_DOWN); }, 90},
      {"wheel down", [](CGridWnd& g) { Wheel(g, -WHEEL_DELTA); }, 91},
      {"a long wheel turn moves one row", [](CGridWnd& g) { Wheel(g, -5 * WHEEL_DELTA); }, 91},
  };
  for (const StopCase& c : cases) {
    SCOPED_TRACE(c.what);
    GridFixture f;
    ASSERT_TRUE(f.Create(300, 200, 100, 2));
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(f.grid.GetScrollInfo(SB_VERT, &info));
    ASSERT_EQ(101, info.nMax);
    ASSERT_EQ(11u, info.nPage);
    for (int i = 0; i < 150; ++i) c.step(f.grid);
    EXPECT_EQ(c.stop, f.grid.GetFirstRow());
  }
}

TEST(GridScroll, StepsUpStopAtTheFirstRow) {
  const struct {
    const char* what;
    std::function<void(CGridWnd&)> step;
    int rows;  // rows moved by one step
  } cases[] = {
      {"bar line up", [](CGridWnd& g) { Send(g, WM_VSCROLL, SB_LINEUP); }, 1},
      {"bar page up", [](CGridWnd& g) { Send(g, WM_VSCROLL, SB_PAGEUP); }, 11},
      {"Up", [](CGridWnd& g) { Send(g, WM_KEYDOWN, VK_UP); }, 1},
      {"Page Up", [](CGridWnd& g) { Send(g, WM_KEYDOWN, VK_PRIOR); }, 11},
      {"wheel up", [](CGridWnd& g) { Wheel(g, WHEEL_DELTA); }, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    GridFixture f;
    ASSERT_TRUE(f.Create(300, 200, 100, 2));
    Send(f.grid, WM_VSCROLL, SB_BOTTOM);
    ASSERT_EQ(90, f.grid.GetFirstRow());
    c.step(f.grid);
    EXPECT_EQ(90 - c.rows, f.grid.GetFirstRow());
    EXPECT_EQ(90 - c.rows, f.grid.GetScrollPos(SB_VERT)) << "the bar follows";
    for (int i = 0; i < 150; ++i) c.step(f.grid);
    EXPECT_EQ(0, f.grid.GetFirstRow());
  }
}

TEST(GridScroll, NoRowsMeansNoScrollingByWheelOrKeys) {
  GridFixture f;
  ASSERT_TRUE(f.Create(300, 200, 0, 2));
  const UINT keys[] = {VK_NEXT, VK_DOWN, VK_PRIOR, VK_UP};
  for (UINT key : keys) {
    Send(f.grid, WM_KEYDOWN, key);
    EXPECT_EQ(0, f.grid.GetFirstRow()) << key;
  }
  Wheel(f.grid, -WHEEL_DELTA);
  Wheel(f.grid, WHEEL_DELTA);
  EXPECT_EQ(0, f.grid.GetFirstRow());
  EXPECT_EQ(0, f.grid.GetScrollPos(SB_VERT));
  int first = 5, last = 5;
  f.grid.GetVisibleRows(&first, &last);
  EXPECT_EQ(-1, first);
  EXPECT_EQ(-1, last);
}

TEST(GridScroll, RowsThatFitDoNotScrollByWheelOrKeys) {
  GridFixture f;
  ASSERT_TRUE(f.Create(300, 200, 8, 2));
  Wheel(f.grid, -WHEEL_DELTA);
  Send(f.grid, WM_KEYDOWN, VK_NEXT);
  EXPECT_EQ(0, f.grid.GetFirstRow());
}

TEST(GridScroll, TheLastVisibleRowIsTheLastWhoseTopIsInside) {
  const struct {
    int height;  // client height
    int scroll;  // lines scrolled down first
    int first, last;
  } cases[] = {
      {200, 0, 0, 8},                         // row 9's top lies on the client's bottom edge
      {205, 0, 0, 9},                         // and here one pixel of it is inside
      {200, 10, 10, 18}, {200, 150, 91, 99},  // never past the last row
      {30, 0, 0, 0},                          // a client with room for the header only
  };
  for (const auto& c : cases) {
    GridFixture f;
    ASSERT_TRUE(f.Create(300, c.height, 100, 2));
    for (int i = 0; i < c.scroll; ++i) Send(f.grid, WM_VSCROLL, SB_LINEDOWN);
    int first = -5, last = -5;
    f.grid.GetVisibleRows(&first, &last);
    EXPECT_EQ(c.first, first) << c.height << " " << c.scroll;
    EXPECT_EQ(c.last, last) << c.height << " " << c.scroll;
  }
}

TEST(GridScroll, TheHorizontalBarScrollsByPixelsWithinTheContent) {
  GridFixture f;
  ASSERT_TRUE(f.Create(200, 200, 5, 4));  // 320 pixels of columns, bar page 200
  const struct {
    int code;
    int offset;
  } steps[] = {{SB_LINERIGHT, 48}, {SB_LINERIGHT, 96},  {SB_LINERIGHT, 120}, {SB_LINELEFT, 72},
               {SB_PAGELEFT, 0},   {SB_PAGERIGHT, 120}, {SB_LEFT, 0},        {SB_RIGHT, 120}};
  for (const auto& s : steps) {
    Send(f.grid, WM_HSCROLL, s.code);
    EXPECT_EQ(s.offset, f.grid.GetHorizontalOffset()) << s.code;
    EXPECT_EQ(s.offset, f.grid.GetScrollPos(SB_HORZ));
  }
  // Narrowing the columns below the window's width scrolls back to 0.
  for (int c = 0; c < 4; ++c) f.grid.SetColumnWidth(c, 20);
  f.grid.Relayout();
  EXPECT_EQ(0, f.grid.GetHorizontalOffset());
}

TEST(GridScroll, RelayoutKeepsTheFirstRowWithinTheBar) {
  GridFixture f;
  ASSERT_TRUE(f.Create(300, 200, 100, 2));
  Send(f.grid, WM_VSCROLL, SB_BOTTOM);
  ASSERT_EQ(90, f.grid.GetFirstRow());
  f.grid.SetRowCount(50);
  f.grid.Relayout();
  EXPECT_EQ(40, f.grid.GetFirstRow());  // 51 - 11
  f.grid.SetRowCount(11);               // fits with one row to spare: back to the top
  f.grid.Relayout();
  EXPECT_EQ(0, f.grid.GetFirstRow());
}

}  // namespace
