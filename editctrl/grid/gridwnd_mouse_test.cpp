// The list window's hit test and mouse: clicks with and without Shift and
// Ctrl, the column-border drag, the double click notice and hover.
#include <gtest/gtest.h>

#include "qel/picmsg.h"
#include "gridtest_util.h"
#include "wndtest/wndtest_util.h"

namespace {

using gridtest::GridFixture;
using Calls = std::vector<std::string>;

// Two columns of 80 pixels and rows of 20 in a list 300 by 200 pixels; five
// rows, or thirty scrolled down by two; or, 100 pixels wide, scrolled right
// by one line (48 pixels).
struct HitCase {
  int firstRow;
  int offset;
  int x, y;
  int code, row, column;
};

TEST(GridHitTest, BordersHeadersAndCells) {
  const HitCase cases[] = {
      {0, 0, 80, 5, CGridWnd::kHitBorder, -1, 0},  // on the border
      {0, 0, 77, 5, CGridWnd::kHitBorder, -1, 0},  // three pixels off still grips it
      {0, 0, 83, 5, CGridWnd::kHitBorder, -1, 0},
      {0, 0, 76, 5, CGridWnd::kHitHeader, -1, 0},   // four pixels off is the header
      {0, 0, 163, 5, CGridWnd::kHitBorder, -1, 1},  // the last column's right border
      {0, 0, 40, 5, CGridWnd::kHitHeader, -1, 0},
      {0, 0, 120, 19, CGridWnd::kHitHeader, -1, 1},  // the header's last line
      {0, 0, 0, 5, CGridWnd::kHitNone, -1, -1},      // a left edge is inside no column
      {0, 0, 200, 5, CGridWnd::kHitNone, -1, -1},    // header right of the columns
      {0, 0, 40, 20, CGridWnd::kHitCell, 0, 0},      // the first row's first line
      {0, 0, 120, 45, CGridWnd::kHitCell, 1, 1},
      {0, 0, 40, 119, CGridWnd::kHitCell, 4, 0},    // the last row
      {0, 0, 40, 120, CGridWnd::kHitNone, -1, 0},   // below the last row
      {0, 0, 160, 25, CGridWnd::kHitCell, 0, -1},   // on the right border: a row, no column
      {0, 0, 161, 25, CGridWnd::kHitNone, -1, -1},  // right of the columns
      {2, 0, 40, 25, CGridWnd::kHitCell, 2, 0},     // scrolled down by two rows
      {2, 0, 120, 65, CGridWnd::kHitCell, 4, 1},
      {0, 48, 32, 5, CGridWnd::kHitBorder, -1, 0},  // content x 80
      {0, 48, 40, 25, CGridWnd::kHitCell, 0, 1},    // content x 88
      {0, 48, 20, 25, CGridWnd::kHitCell, 0, 0},
  };
  for (const HitCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "point " << c.x << "," << c.y << " first " << c.firstRow << " offset "
                                    << c.offset);
    GridFixture f;
    ASSERT_TRUE(f.Create(c.offset ? 100 : 300, 200, c.firstRow ? 30 : 5, 2));
    for (int i = 0; i < c.firstRow; ++i) f.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    if (c.offset) f.grid.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    ASSERT_EQ(c.firstRow, f.grid.GetFirstRow());
    ASSERT_EQ(c.offset, f.grid.GetHorizontalOffset());
    int row = 7, column = 7;
    EXPECT_EQ(c.code, f.grid.HitTest(c.x, c.y, &row, &column));
    EXPECT_EQ(c.row, row);
    EXPECT_EQ(c.column, column);
  }
}

// A press with the given keys at a point, on a list of ten rows whose
// current row was set before by a plain click.
struct ClickCase {
  const char* what;
  int current;  // -1: no row selected before
  int x, y;
  UINT keys;
  Calls calls;       // operations called by the press
  int currentAfter;  // the current row afterwards
};

TEST(GridMouse, ClicksSelectThroughTheOperations) {
  const ClickCase cases[] = {
      {"plain click in column 0", -1, 40, 65, 0, {"first 2", "select 2"}, 2},
      {"plain click in column 1", 1, 120, 65, 0, {"select 2"}, 2},
      {"Ctrl toggles, the current row stays", 1, 120, 85, MK_CONTROL, {"toggle 3"}, 1},
      {"Shift selects the range downwards", 1, 120, 105, MK_SHIFT, {"range 1 4"}, 1},
      {"Shift selects the range upwards", 3, 120, 25, MK_SHIFT, {"range 0 3"}, 3},
      {"Shift without a current row selects one row", -1, 120, 65, MK_SHIFT, {"select 2"}, 2},
      {"Shift wins over Ctrl", 1, 120, 65, MK_SHIFT | MK_CONTROL, {"range 1 2"}, 1},
      {"a header cell", 1, 120, 5, 0, {"header 1"}, 1},
      {"below the last row resets the current row", 4, 40, 190, 0, {}, -1},
      {"right of the columns resets it too", 4, 200, 45, 0, {}, -1},
  };
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(c.what);
    GridFixture f;
    ASSERT_TRUE(f.Create(300, 200, 8, 2));
    if (c.current >= 0) {
      f.Mouse(WM_LBUTTONDOWN, 120, 25 + 20 * c.current);
      f.Mouse(WM_LBUTTONUP, 120, 25 + 20 * c.current);
      ASSERT_EQ(c.current, f.grid.GetCurrentRow());
    }
    f.grid.calls.clear();
    f.Mouse(WM_LBUTTONDOWN, c.x, c.y, c.keys);
    f.Mouse(WM_LBUTTONUP, c.x, c.y, c.keys);
    EXPECT_EQ(c.calls, f.grid.calls);
    EXPECT_EQ(c.currentAfter, f.grid.GetCurrentRow());
  }
}

TEST(GridMouse, DoubleClickSelectsTheRowAndPostsItToTheParent) {
  GridFixture f;
  ASSERT_TRUE(f.Create(300, 200, 8, 2, 4321));
  f.Mouse(WM_LBUTTONDBLCLK, 120, 85);
  EXPECT_EQ(Calls{"select 3"}, f.grid.calls);
  EXPECT_TRUE(f.parent.notices.empty()) << "posted, not sent";
  gridtest::PumpPending();
  ASSERT_EQ(1u, f.parent.notices.size());
  EXPECT_EQ(4321u, f.parent.notices[0].id);
  EXPECT_EQ(3, f.parent.notices[0].row);

  // On the header and below the rows nothing happens.
  f.grid.calls.clear();
  f.Mouse(WM_LBUTTONDBLCLK, 120, 5);
  f.Mouse(WM_LBUTTONDBLCLK, 120, 190);
  gridtest::PumpPending();
  EXPECT_TRUE(f.grid.calls.empty());
  EXPECT_EQ(1u, f.parent.notices.size());
}

// A drag of the second column's right border (content x 160) through a list
// of moves; the column's left edge is at 80.
struct DragCase {
  const char* what;
  std::vector<int> moves;
  int width;  // the width after the release
};

TEST(GridMouse, DraggingABorderNeverLeavesAColumnBelowSixteenPixels) {
  const DragCase cases[] = {
      {"wider", {200, 230}, 150},
      {"narrower", {150}, 70},
      {"to the minimum", {96}, 16},
      {"past the minimum stops at the last point allowed", {120, 95}, 40},
      {"far past the left edge", {100, 0}, 20},
      {"straight past the left edge keeps the width", {10}, 80},
  };
  for (const DragCase& c : cases) {
    SCOPED_TRACE(c.what);
    GridFixture f;
    ASSERT_TRUE(f.Create(300, 200, 8, 2));
    f.Mouse(WM_LBUTTONDOWN, 161, 5);
    ASSERT_TRUE(f.grid.IsDragging());
    for (int x : c.moves) f.Mouse(WM_MOUSEMOVE, x, 50, MK_LBUTTON);
    f.Mouse(WM_LBUTTONUP, c.moves.back(), 50);
    EXPECT_FALSE(f.grid.IsDragging());
    EXPECT_EQ(c.width, f.grid.GetColumnWidth(1));
    EXPECT_GE(f.grid.GetColumnWidth(1), 16);
    EXPECT_EQ(80, f.grid.GetColumnWidth(0));
  }
}

TEST(GridMouse, HoverReportsTheCellAndLeavingReportsNone) {
  GridFixture f;
  ASSERT_TRUE(f.Create(300, 200, 8, 2));
  f.grid.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(120, 45));
  f.grid.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(200, 45));  // no column: no notice
  f.grid.SendMessage(WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ((Calls{"hover 1 1 1", "hover -1 -1 0"}), f.grid.calls);

  f.grid.calls.clear();
  f.Mouse(WM_MOUSEMOVE, 40, 65);
  f.Mouse(WM_MOUSEMOVE, 80, 5);  // a border: no cell notice
  f.Mouse(WM_MOUSEMOVE, 200, 5);
  EXPECT_EQ((Calls{"move 2 0", "move -1 -1"}), f.grid.calls);
}

bool PointerAt(POINT at) {
  POINT now = {};
  return ::GetCursorPos(&now) && now.x == at.x && now.y == at.y;
}

// The window's answer to WM_SETCURSOR with the pointer at a point of its
// client area, and the cursor it set (none if it set none). The window
// reads where the pointer is; the pointer of the shared display follows
// SetCursorPos only once the display has taken the move (Wine asks the
// display again after a while, and a move it refused shows then), so the
// message goes once the pointer is there, and again until it has stood
// there before and after it.
struct CursorAnswer {
  bool handled = false;
  HCURSOR cursor = nullptr;
  bool pointerStood = false;
};

CursorAnswer AnswerWithThePointerAt(CGridWnd& grid, POINT client) {
  POINT at = client;
  grid.ClientToScreen(&at);
  CursorAnswer answer;
  answer.pointerStood = wndtest::PumpUntil(
      [&] {
        ::SetCursorPos(at.x, at.y);
        if (!PointerAt(at)) return false;
        ::SetCursor(nullptr);
        answer.handled = grid.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(grid.m_hWnd),
                                          MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)) != 0;
        answer.cursor = ::GetCursor();
        return PointerAt(at);
      },
      10000);
  return answer;
}

TEST(GridMouse, TheSizingCursorIsThisWindowsOwnNotItsClasss) {
  GridFixture f;
  ASSERT_TRUE(f.Create(300, 200, 8, 2));
  const HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
  const HCURSOR sizing = ::LoadCursorA(nullptr, IDC_SIZEWE);
  const struct {
    int x, y;
    HCURSOR cursor;
  } cases[] = {{80, 5, sizing}, {40, 5, arrow}, {80, 45, arrow}, {160, 10, sizing}};
  for (const auto& c : cases) {
    const CursorAnswer answer = AnswerWithThePointerAt(f.grid, POINT{c.x, c.y});
    ASSERT_TRUE(answer.pointerStood) << "the pointer never stood at " << c.x << "," << c.y;
    EXPECT_TRUE(answer.handled) << c.x << "," << c.y;
    EXPECT_EQ(c.cursor, answer.cursor) << c.x << "," << c.y;
    EXPECT_EQ(arrow, reinterpret_cast<HCURSOR>(::GetClassLongPtrA(f.grid, GCLP_HCURSOR)));
  }
}

TEST(GridWnd, TheColumnCountIsClampedToThirtyTwo) {
  CGridWnd grid;
  const int counts[][2] = {{-1, 0}, {0, 0}, {5, 5}, {32, 32}, {33, 32}, {1000, 32}};
  for (const auto& c : counts) {
    grid.SetColumnCount(c[0]);
    EXPECT_EQ(c[1], grid.GetColumnCount()) << c[0];
  }
}

}  // namespace
