#include "render_surface.h"

#include <gtest/gtest.h>

namespace {

using qeltest::RenderSurface;
using qeltest::RgbOf;

TEST(RenderSurface, ReadsWhatGdiDrew) {
  RenderSurface surface(64, 48);
  ASSERT_TRUE(surface.IsValid());
  surface.Fill(0xFFFFFF);
  EXPECT_EQ(surface.CountPixels(0xFFFFFF), 64 * 48);
  EXPECT_EQ(surface.BoundsOfDifferent(0xFFFFFF).right, 0);

  const COLORREF red = RGB(255, 0, 0);
  HBRUSH brush = CreateSolidBrush(red);
  const RECT box = {10, 5, 30, 25};
  FillRect(surface.dc(), &box, brush);
  DeleteObject(brush);

  EXPECT_EQ(RgbOf(red), 0xFF0000u);
  EXPECT_EQ(surface.Pixel(10, 5), 0xFF0000u);
  EXPECT_EQ(surface.Pixel(29, 24), 0xFF0000u);
  EXPECT_EQ(surface.Pixel(30, 24), 0xFFFFFFu);  // right edge excluded
  EXPECT_EQ(surface.Pixel(9, 5), 0xFFFFFFu);
  EXPECT_EQ(surface.Pixel(64, 0), 0xFFFFFFFFu);  // outside
  EXPECT_EQ(surface.CountPixels(0xFF0000), 20 * 20);
  const RECT found = surface.BoundsOfDifferent(0xFFFFFF);
  EXPECT_EQ(found.left, 10);
  EXPECT_EQ(found.top, 5);
  EXPECT_EQ(found.right, 30);
  EXPECT_EQ(found.bottom, 25);
}

TEST(RenderSurface, PixelsAreDevicePixelsWhateverTheWindowOrigin) {
  RenderSurface surface(20, 20);
  ASSERT_TRUE(surface.IsValid());
  surface.Fill(0x000000);
  SetViewportOrgEx(surface.dc(), 5, 5, nullptr);
  SetPixelV(surface.dc(), 0, 0, RGB(0, 0, 255));  // lands on device (5, 5)
  EXPECT_EQ(surface.Pixel(5, 5), 0x0000FFu);
  EXPECT_EQ(surface.Pixel(0, 0), 0x000000u);
}

}  // namespace
