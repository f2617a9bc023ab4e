// Sampex's face painted onto a surface of the test: back colour, the 3D
// frame's two colours, and the text centred in black.
#include <gtest/gtest.h>

#include "render_surface.h"
#include "sampexpaint.h"

namespace {

using qeltest::RenderSurface;
using qeltest::RgbOf;

constexpr int kWidth = 160;
constexpr int kHeight = 60;
constexpr COLORREF kBack = RGB(10, 200, 30);

void Paint(RenderSurface& surface, const SampexFace& face) {
  CDC dc(surface.dc());
  PaintSampexFace(&dc, RECT{0, 0, kWidth, kHeight}, face);
  ::GdiFlush();
}

SampexFace GreenFace() {
  SampexFace face = DefaultSampexFace();
  face.back = kBack;
  return face;
}

TEST(SampexPaint, ANewControlHasTheButtonFaceAndTheGuiFont) {
  const SampexFace face = DefaultSampexFace();
  EXPECT_EQ(face.back, ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(face.format, 37u);
  LOGFONTA gui = {};
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  EXPECT_EQ(face.font.lfHeight, gui.lfHeight);
  EXPECT_STREQ(face.font.lfFaceName, gui.lfFaceName);
}

TEST(SampexPaint, TheFrameIsDarkAtTopLeftAndLightAtBottomRight) {
  RenderSurface surface(kWidth, kHeight);
  ASSERT_TRUE(surface.IsValid());
  Paint(surface, GreenFace());
  const DWORD dark = RgbOf(::GetSysColor(COLOR_3DDKSHADOW));
  const DWORD light = RgbOf(::GetSysColor(COLOR_BTNHIGHLIGHT));
  const struct {
    int x, y;
    DWORD expected;
  } probes[] = {
      {0, 0, dark},
      {80, 0, dark},
      {0, 30, dark},
      {kWidth - 2, 0, dark},
      {0, kHeight - 2, dark},
      {kWidth - 1, 0, light},
      {kWidth - 1, 30, light},
      {80, kHeight - 1, light},
      {0, kHeight - 1, light},
      {kWidth - 1, kHeight - 1, light},
      {1, 1, RgbOf(kBack)},
      {5, 30, RgbOf(kBack)},
      {kWidth - 2, kHeight - 2, RgbOf(kBack)},
  };
  for (const auto& p : probes) EXPECT_EQ(surface.Pixel(p.x, p.y), p.expected) << p.x << "," << p.y;
}

TEST(SampexPaint, TheTextIsBlackAndCentred) {
  RenderSurface surface(kWidth, kHeight);
  ASSERT_TRUE(surface.IsValid());
  Paint(surface, GreenFace());
  // Only the inside: the frame's dark edge may be black as well.
  RenderSurface inside(kWidth - 2, kHeight - 2);
  ::BitBlt(inside.dc(), 0, 0, kWidth - 2, kHeight - 2, surface.dc(), 1, 1, SRCCOPY);
  ::GdiFlush();
  EXPECT_GT(inside.CountPixels(0x000000), 20);
  const RECT ink = inside.BoundsOfDifferent(RgbOf(kBack));
  ASSERT_LT(ink.left, ink.right);
  const int leftGap = ink.left;
  const int rightGap = (kWidth - 2) - ink.right;
  EXPECT_LE(std::abs(leftGap - rightGap), 2) << ink.left << ".." << ink.right;
  const int topGap = ink.top;
  const int bottomGap = (kHeight - 2) - ink.bottom;
  EXPECT_LE(std::abs(topGap - bottomGap), 3) << ink.top << ".." << ink.bottom;
}

TEST(SampexPaint, OnlyThePartToPaintIsTouched) {
  RenderSurface surface(kWidth, kHeight);
  ASSERT_TRUE(surface.IsValid());
  surface.Fill(0x0000FF);
  HRGN clip = ::CreateRectRgn(100, 10, 150, 40);
  ::SelectClipRgn(surface.dc(), clip);
  ::DeleteObject(clip);
  Paint(surface, GreenFace());
  EXPECT_EQ(surface.Pixel(120, 12), RgbOf(kBack));
  EXPECT_EQ(surface.Pixel(20, 20), 0x0000FFu);
  EXPECT_EQ(surface.Pixel(0, 0), 0x0000FFu);
  EXPECT_EQ(surface.Pixel(120, 45), 0x0000FFu);
}

}  // namespace
