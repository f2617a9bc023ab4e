// What the list window paints, read back from a surface it printed itself
// into: the header, the cells with their colours, texts shown as typed, the
// grid lines and the drag guide.
#include <gtest/gtest.h>

#include "gridtest_util.h"

namespace {

using gridtest::GridFixture;
using qeltest::RenderSurface;
using qeltest::RgbOf;

constexpr DWORD kWhite = 0xFFFFFF;

TEST(GridPaint, WithoutRowsOnlyTheHeaderIsPainted) {
  GridFixture f;
  ASSERT_TRUE(f.Create(300, 200, 0, 3));
  auto surface = f.Render();
  ASSERT_TRUE(surface->IsValid());
  EXPECT_EQ(RgbOf(::GetSysColor(COLOR_BTNFACE)), surface->Pixel(5, 10));
  EXPECT_EQ(RgbOf(::GetSysColor(COLOR_BTNFACE)), surface->Pixel(280, 10)) << "the header goes on";
  int painted = 0;
  for (int y = 20; y < surface->height(); ++y)
    for (int x = 0; x < surface->width(); ++x) painted += surface->Pixel(x, y) != kWhite;
  EXPECT_EQ(0, painted);
}

TEST(GridPaint, TheCurrentRowIsWhiteOnBlueAndTheOthersBlackOnWhite) {
  GridFixture f;
  ASSERT_TRUE(f.Create(300, 200, 4, 2));
  f.grid.texts = {{"", ""}, {"", ""}, {"", ""}, {"", ""}};
  f.grid.SelectRow(1);
  auto surface = f.Render();
  EXPECT_EQ(RgbOf(RGB(0, 0, 255)), surface->Pixel(40, 50));  // row 1: y 40 to 60
  EXPECT_EQ(kWhite, surface->Pixel(40, 30));
  EXPECT_EQ(kWhite, surface->Pixel(40, 70));
  // The left border of each cell in the grid colour; no bottom line without grid lines.
  EXPECT_EQ(RgbOf(::GetSysColor(COLOR_BTNSHADOW)), surface->Pixel(80, 50));
  EXPECT_EQ(RgbOf(RGB(0, 0, 255)), surface->Pixel(40, 59));
}

TEST(GridPaint, GridLinesDrawBottomAndRightBordersAcrossTheWidth) {
  GridFixture f;
  ASSERT_TRUE(f.Create(300, 200, 3, 2));
  f.grid.texts = {{"", ""}, {"", ""}, {"", ""}};
  f.grid.SetGridLines(true);
  auto surface = f.Render();
  const DWORD grid = RgbOf(::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(grid, surface->Pixel(40, 40));   // under row 0
  EXPECT_EQ(grid, surface->Pixel(250, 40));  // and on across the empty space
  EXPECT_EQ(grid, surface->Pixel(160, 30));  // right of the last column
  EXPECT_EQ(kWhite, surface->Pixel(250, 30));
  EXPECT_EQ(kWhite, surface->Pixel(40, 100)) << "nothing below the last row";
}

// The cell's pixels against the same text drawn by hand with the list's
// font: as typed (no prefix processing) they match, with an underlined
// letter they would not.
TEST(GridPaint, AnAmpersandShowsAsItself) {
  GridFixture f;
  ASSERT_TRUE(f.Create(300, 100, 1, 1));
  f.grid.SetColumnWidth(0, 200);
  f.grid.SetColumnFormat(0, CGridWnd::kFormatLeft);
  f.grid.texts = {{"A&B&&C"}};
  auto surface = f.Render();

  auto drawn = [&](UINT extra) {
    auto expected = std::make_unique<RenderSurface>(surface->width(), surface->height());
    expected->Fill(kWhite);
    HGDIOBJ old = ::SelectObject(expected->dc(), f.grid.GetListFont());
    ::SetBkMode(expected->dc(), TRANSPARENT);
    RECT inner = {2, 22, 198, 38};
    ::DrawTextA(expected->dc(), "A&B&&C", -1, &inner, CGridWnd::kFormatLeft | extra);
    ::SelectObject(expected->dc(), old);
    ::GdiFlush();
    return expected;
  };
  auto asTyped = drawn(DT_NOPREFIX);
  auto withPrefix = drawn(0);
  int sameAsTyped = 0, sameWithPrefix = 0, inked = 0;
  for (int y = 21; y < 40; ++y)
    for (int x = 3; x < 198; ++x) {
      inked += asTyped->Pixel(x, y) != kWhite;
      sameAsTyped += surface->Pixel(x, y) == asTyped->Pixel(x, y);
      sameWithPrefix += surface->Pixel(x, y) == withPrefix->Pixel(x, y);
    }
  ASSERT_GT(inked, 20);
  EXPECT_EQ(195 * 19, sameAsTyped);
  EXPECT_LT(sameWithPrefix, 195 * 19);
}

TEST(GridPaint, TheDragGuideIsABlackLineFromTopToBottom) {
  GridFixture f;
  ASSERT_TRUE(f.Create(300, 200, 3, 2));
  f.Mouse(WM_LBUTTONDOWN, 160, 5);
  f.Mouse(WM_MOUSEMOVE, 230, 50, MK_LBUTTON);
  auto surface = f.Render();
  for (int y : {0, 10, 50, 150, 199}) EXPECT_EQ(0u, surface->Pixel(230, y)) << y;
  f.Mouse(WM_LBUTTONUP, 230, 50);
  auto after = f.Render();
  EXPECT_EQ(kWhite, after->Pixel(230, 150));
  EXPECT_EQ(150, f.grid.GetColumnWidth(1));
}

}  // namespace
