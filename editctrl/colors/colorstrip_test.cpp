// The colour strip: its segments as painted, which segment a click opens,
// the colours it keeps and the page notices, and a strip too narrow for
// its segments.
#include <gtest/gtest.h>

#include "colorstrip.h"
#include "colortest_util.h"
#include "render_surface.h"

namespace {

using colortest::CRecorder;
using colortest::Key;
using colortest::OpenPopup;
using qeltest::RgbOf;

struct StripFixture {
  CRecorder page;
  CColorStrip strip;
  bool Create(int width, int height, int segments) {
    if (!page.Create()) return false;
    strip.SetSegmentCount(segments);
    return strip.Create("STATIC", "", WS_CHILD | WS_VISIBLE, RECT{0, 0, width, height}, page, 1300) != FALSE;
  }
  std::unique_ptr<qeltest::RenderSurface> Render(int width, int height) {
    auto surface = std::make_unique<qeltest::RenderSurface>(width, height);
    strip.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface->dc()), PRF_CLIENT);
    ::GdiFlush();
    return surface;
  }
  void Click(int x) { strip.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, 10)); }
};

TEST(ColorStrip, PaintsEqualSegmentsWithTheirBoundsUnderThem) {
  StripFixture f;
  ASSERT_TRUE(f.Create(300, 60, 3));
  f.strip.SetBoundText(0, "100");
  auto s = f.Render(300, 60);
  const DWORD face = RgbOf(::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(RgbOf(0x00FF00), s->Pixel(50, 20));   // green
  EXPECT_EQ(RgbOf(0x0000FF), s->Pixel(150, 20));  // red
  EXPECT_EQ(RgbOf(0x00FFFF), s->Pixel(250, 20));  // yellow
  EXPECT_EQ(0u, s->Pixel(0, 20)) << "the first segment's left border";
  EXPECT_EQ(0u, s->Pixel(99, 20)) << "one line between neighbours";
  EXPECT_EQ(RgbOf(0x0000FF), s->Pixel(100, 20));
  EXPECT_EQ(0u, s->Pixel(299, 20));
  EXPECT_EQ(0u, s->Pixel(150, 59)) << "the bottom border";
  EXPECT_EQ(face, s->Pixel(150, 50)) << "the band of the bound texts";
  // The bound is right-aligned: ink near the segment's right end only.
  int inkRight = 0, inkLeft = 0;
  for (int y = 41; y < 59; ++y)
    for (int x = 1; x < 98; ++x)
      if (s->Pixel(x, y) != face) (x < 50 ? inkLeft : inkRight)++;
  EXPECT_GT(inkRight, 0);
  EXPECT_EQ(0, inkLeft);
}

TEST(ColorStrip, AClickOpensThePopupForItsSegment) {
  StripFixture f;
  ASSERT_TRUE(f.Create(300, 60, 3));
  f.Click(150);
  CColorPopup* popup = OpenPopup();
  ASSERT_NE(nullptr, popup);
  EXPECT_EQ(1, f.strip.GetEditedSegment());
  EXPECT_EQ(16, popup->GetChosenItem()) << "red, the segment's colour";
  Key(popup->m_hWnd, VK_RIGHT);
  Key(popup->m_hWnd, VK_RETURN);
  EXPECT_EQ(0x5BADFFu, f.strip.GetColor(1));
  EXPECT_EQ(0x00FF00u, f.strip.GetColor(0));
  EXPECT_EQ(0x00FFFFu, f.strip.GetColor(2));
  EXPECT_EQ(1, f.page.Changes());

  f.Click(10);  // the same colour again: no notice
  popup = OpenPopup();
  ASSERT_NE(nullptr, popup);
  Key(popup->m_hWnd, VK_RETURN);
  EXPECT_EQ(1, f.page.Changes());
  f.Click(10);  // Esc: no change
  popup = OpenPopup();
  ASSERT_NE(nullptr, popup);
  Key(popup->m_hWnd, VK_LEFT);
  Key(popup->m_hWnd, VK_ESCAPE);
  EXPECT_EQ(0x00FF00u, f.strip.GetColor(0));
  EXPECT_EQ(1, f.page.Changes());
}

TEST(ColorStrip, AutomaticGivesTheSegmentsInitialColour) {
  StripFixture f;
  ASSERT_TRUE(f.Create(300, 60, 3));
  f.strip.InitColor(2, 0x123456);
  f.Click(250);
  CColorPopup* popup = OpenPopup();
  ASSERT_NE(nullptr, popup);
  ASSERT_EQ(kPopupMoreBox, popup->GetChosenItem());
  Key(popup->m_hWnd, VK_DOWN);  // from "More Colors..." to "Automatic"
  Key(popup->m_hWnd, VK_RETURN);
  EXPECT_EQ(0x00FFFFu, f.strip.GetColor(2));
  EXPECT_EQ(1, f.page.Changes());
}

TEST(ColorStrip, ClicksFindTheirSegmentAndTheLastReachesTheRightEdge) {
  StripFixture f;
  ASSERT_TRUE(f.Create(105, 40, 10));  // segments of 10 pixels, the last one 15
  const int cases[][2] = {{0, 0}, {9, 0}, {10, 1}, {99, 9}, {104, 9}, {-1, -1}, {105, -1}};
  for (const auto& c : cases) EXPECT_EQ(c[1], f.strip.SegmentAt(c[0])) << c[0];
}

// Ten segments in five pixels: nothing but the background, and clicks do
// nothing; the same without segments.
TEST(ColorStrip, TooNarrowOrWithoutSegmentsItPaintsOnlyItsBackground) {
  const struct { int width, segments; } cases[] = {{5, 10}, {9, 10}, {100, 0}};
  for (const auto& c : cases) {
    StripFixture f;
    ASSERT_TRUE(f.Create(c.width, 40, c.segments));
    auto s = f.Render(c.width, 40);
    EXPECT_EQ(c.width * 40, s->CountPixels(RgbOf(::GetSysColor(COLOR_BTNFACE)))) << c.width;
    f.Click(2);
    EXPECT_EQ(nullptr, OpenPopup());
    EXPECT_EQ(-1, f.strip.GetEditedSegment());
  }
}

TEST(ColorStrip, HoldsAtMostTenSegments) {
  CColorStrip strip;
  const int counts[][2] = {{-3, 0}, {0, 0}, {4, 4}, {10, 10}, {11, 10}};
  for (const auto& c : counts) {
    strip.SetSegmentCount(c[0]);
    EXPECT_EQ(c[1], strip.GetSegmentCount());
  }
  EXPECT_EQ(0u, strip.GetColor(10));
  strip.InitColor(-1, 5);
  EXPECT_EQ(0x00FF00u, strip.GetColor(0));
}

}  // namespace
