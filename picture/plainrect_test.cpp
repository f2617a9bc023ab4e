// The plain rectangle's one-call drawing gives the pixels of the general
// drawing (a made pen and brush, the polygon and its outline poly-line).
#include "plainrect.h"

#include <gtest/gtest.h>

#include "drawrect.h"
#include "render_surface.h"

namespace {

using qeltest::RenderSurface;

constexpr int kSize = 64;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kRed = RGB(200, 0, 0);

struct PlainCase {
  const char* what;
  POINT corners[4];
  COLORREF line;
  COLORREF fill;
  RECT clip;  // the DC's clip box; empty for none
};

// The general drawing of the rectangle, as it has been drawn so far.
void DrawGeneral(HDC hdc, const PlainCase& c) {
  CPen pen;
  CBrush brush;
  ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, c.line));
  ASSERT_TRUE(brush.CreateSolidBrush(c.fill));
  CSelectGdi selectPen(hdc, pen);
  CSelectGdi selectBrush(hdc, brush);
  ::Polygon(hdc, c.corners, 4);
  const POINT outline[5] = {c.corners[0], c.corners[1], c.corners[2], c.corners[3], c.corners[0]};
  ::Polyline(hdc, outline, 5);
}

void Clip(HDC hdc, const RECT& clip) {
  if (!::IsRectEmpty(&clip)) ::IntersectClipRect(hdc, clip.left, clip.top, clip.right, clip.bottom);
}

const PlainCase kPlainCases[] = {
    {"a square as the runtime bench draws it", {{10, 10}, {26, 10}, {26, 26}, {10, 26}}, kBlack, kGrey, {}},
    {"recoloured and moved one pixel", {{11, 10}, {27, 10}, {27, 26}, {11, 26}}, kBlack, kGreen, {}},
    {"one pixel wide", {{5, 5}, {6, 5}, {6, 30}, {5, 30}}, kRed, kGreen, {}},
    {"one pixel wide and high", {{40, 40}, {41, 40}, {41, 41}, {40, 41}}, kRed, kGrey, {}},
    {"two pixels high", {{3, 50}, {60, 50}, {60, 52}, {3, 52}}, kGreen, kRed, {}},
    {"mirrored (corners the other way round)", {{10, 10}, {10, 30}, {40, 30}, {40, 10}}, kBlack, kRed, {}},
    {"turned half a turn", {{40, 30}, {10, 30}, {10, 10}, {40, 10}}, kRed, kGrey, {}},
    {"cut by the painted area", {{10, 10}, {50, 10}, {50, 50}, {10, 50}}, kBlack, kGreen, {20, 5, 35, 30}},
    {"partly off the surface", {{-8, -8}, {8, -8}, {8, 8}, {-8, 8}}, kRed, kGreen, {}},
    {"line and fill of one colour", {{12, 20}, {30, 20}, {30, 44}, {12, 44}}, kGreen, kGreen, {}},
};

class PlainRect : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainRect, GivesThePixelsOfTheGeneralDrawing) {
  const PlainCase& c = GetParam();
  RenderSurface general(kSize, kSize), plain(kSize, kSize);
  ASSERT_TRUE(general.IsValid() && plain.IsValid());
  general.Fill(0xFFFFFF);
  plain.Fill(0xFFFFFF);
  Clip(general.dc(), c.clip);
  Clip(plain.dc(), c.clip);
  DrawGeneral(general.dc(), c);
  {
    PlainShapeColours colours(plain.dc());
    ASSERT_TRUE(PaintPlainRect(plain.dc(), c.corners, c.line, c.fill)) << c.what;
    // The DC pen and brush keep their colours for what draws next.
    EXPECT_EQ(kBlack, ::GetDCPenColor(plain.dc()));
    EXPECT_EQ(RGB(255, 255, 255), ::GetDCBrushColor(plain.dc()));
  }
  EXPECT_EQ(general.Pixels(), plain.Pixels()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, PlainRect, ::testing::ValuesIn(kPlainCases));

// What the one call leaves to the general drawing: nothing is drawn.
TEST(PlainRectRefuses, ShapesAndDCsItDoesNotDraw) {
  RenderSurface s(kSize, kSize);
  ASSERT_TRUE(s.IsValid());
  s.Fill(0xFFFFFF);
  const POINT square[4] = {{10, 10}, {26, 10}, {26, 26}, {10, 26}};
  // Without the DC pen and brush selected.
  EXPECT_FALSE(PaintPlainRect(s.dc(), square, kBlack, kGrey));
  PlainShapeColours colours(s.dc());
  const struct {
    const char* what;
    POINT corners[4];
    COLORREF line;
  } kRefused[] = {
      {"turned", {{20, 5}, {35, 20}, {20, 35}, {5, 20}}, kBlack},
      {"no width", {{10, 10}, {10, 10}, {10, 30}, {10, 30}}, kBlack},
      {"no height", {{10, 10}, {30, 10}, {30, 10}, {10, 10}}, kBlack},
      {"a palette colour", {{10, 10}, {26, 10}, {26, 26}, {10, 26}}, PALETTEINDEX(3)},
  };
  for (const auto& r : kRefused) EXPECT_FALSE(PaintPlainRect(s.dc(), r.corners, r.line, kGrey)) << r.what;
  EXPECT_EQ(0, s.CountPixels(0x000000) + s.CountPixels(0x808080));
}

// A rectangle object moved and recoloured as a tick does, drawn on a DC with
// the DC pen and brush (the runtime window's surface) and on one without.
TEST(PlainRectObject, DrawsAsWithoutTheDcPenAndBrush) {
  CDrawRect rect;
  rect.SetCorners(CRectD(10, 10, 26, 26));
  rect.m_nFillStyle = 1;
  rect.m_clrFill1 = kGrey;
  rect.m_clrLine = kBlack;
  const struct {
    double dx;
    COLORREF fill;
    COLORREF line;
  } kSteps[] = {{0, kGrey, kBlack}, {1, kGreen, kBlack}, {-1, kRed, kBlack}, {7.5, kRed, kGreen}};
  for (const auto& step : kSteps) {
    rect.MoveBy(CPointD(step.dx, 0));
    rect.m_clrFill1 = step.fill;
    rect.m_clrLine = step.line;
    RenderSurface general(kSize, kSize), plain(kSize, kSize);
    ASSERT_TRUE(general.IsValid() && plain.IsValid());
    general.Fill(0xFFFFFF);
    plain.Fill(0xFFFFFF);
    CDC generalDc(general.dc()), plainDc(plain.dc());
    rect.Draw(&generalDc, 0);
    {
      PlainShapeColours colours(plain.dc());
      rect.Draw(&plainDc, 0);
    }
    EXPECT_EQ(general.Pixels(), plain.Pixels()) << "moved by " << step.dx;
    EXPECT_GT(plain.CountPixels(qeltest::RgbOf(step.fill)), 0);
  }
}

}  // namespace
