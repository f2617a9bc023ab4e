// What a person would see: shapes rendered into a 32-bit DIB and read back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "drawbezier.h"
#include "drawline.h"
#include "drawpipe.h"
#include "drawpolygon.h"
#include "objectclasses.h"
#include "render_surface.h"

namespace {

using qeltest::RenderSurface;
using qeltest::RgbOf;

constexpr DWORD kWhite = 0xFFFFFF;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

class ShapeDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterObjectClasses();
    ASSERT_TRUE(surface.IsValid());
    surface.Fill(kWhite);
  }
  void Draw(CDrawObj& obj) {
    CDC dc(surface.dc());
    obj.Draw(&dc, 0);
  }
  RenderSurface surface{200, 200};
};

template <class T>
std::unique_ptr<T> Make(std::initializer_list<CPointD> pts) {
  std::unique_ptr<T> obj(new T);
  for (const CPointD& p : pts) obj->AddPoint(p);
  return obj;
}

// Channels of 0x00RRGGBB within a tolerance.
bool Near(DWORD rgb, COLORREF expected, int tolerance) {
  DWORD want = RgbOf(expected);
  for (int shift : {0, 8, 16}) {
    int a = (rgb >> shift) & 0xFF, b = (want >> shift) & 0xFF;
    if (std::abs(a - b) > tolerance) return false;
  }
  return true;
}

TEST_F(ShapeDrawTest, PolyLineDrawsThroughItsPointsOnly) {
  auto poly = Make<CDrawPoly>({{10, 10}, {100, 10}, {100, 100}});
  poly->m_clrLine = kRed;
  Draw(*poly);
  EXPECT_EQ(surface.Pixel(50, 10), RgbOf(kRed));
  EXPECT_EQ(surface.Pixel(100, 50), RgbOf(kRed));
  EXPECT_EQ(surface.Pixel(50, 50), kWhite);
  RECT box = surface.BoundsOfDifferent(kWhite);
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(box.top, 10);
}

TEST_F(ShapeDrawTest, InvisibleShapesDrawNothing) {
  auto poly = Make<CDrawPolygon>({{10, 10}, {100, 10}, {100, 100}});
  poly->m_nFillStyle = 1;
  poly->SetVisible(FALSE);
  Draw(*poly);
  EXPECT_EQ(surface.CountPixels(kWhite), 200 * 200);
}

TEST_F(ShapeDrawTest, ZoomAndOriginMoveTheDrawing) {
  auto line = Make<CDrawLine>({{10, 10}, {40, 10}});
  line->SetViewTransform(POINT{5, 0}, 2.0);
  Draw(*line);
  EXPECT_EQ(surface.Pixel(15, 20), 0u);
  EXPECT_EQ(surface.Pixel(70, 20), 0u);
  EXPECT_EQ(surface.Pixel(10, 10), kWhite);
}

TEST_F(ShapeDrawTest, DottedStylesOneAndTwoDrawTheSamePattern) {
  auto one = Make<CDrawLine>({{10, 20}, {190, 20}});
  one->m_nLineStyle = 1;
  auto two = Make<CDrawLine>({{10, 60}, {190, 60}});
  two->m_nLineStyle = 2;
  Draw(*one);
  Draw(*two);
  int gaps = 0;
  for (int x = 10; x < 190; ++x) {
    EXPECT_EQ(surface.Pixel(x, 20), surface.Pixel(x, 60)) << x;
    gaps += surface.Pixel(x, 20) == kWhite;
  }
  EXPECT_GT(gaps, 30);  // really dotted
}

TEST_F(ShapeDrawTest, WideLinePenHasFlatEnds) {
  auto line = Make<CDrawLine>({{50, 100}, {150, 100}});
  line->m_nLineWidth = 10;
  line->m_nLineStyle = 2;  // geometric, flat ends
  line->m_clrLine = kBlue;
  Draw(*line);
  RECT box = surface.BoundsOfDifferent(kWhite);
  EXPECT_GE(box.left, 49);  // no round cap beyond the end point
  EXPECT_LE(box.right, 152);
  EXPECT_GE(box.bottom - box.top, 9);
}

TEST_F(ShapeDrawTest, PolygonPlainFillWithOutline) {
  auto polygon = Make<CDrawPolygon>({{20, 20}, {180, 20}, {180, 180}, {20, 180}});
  polygon->m_nFillStyle = 1;
  polygon->m_clrFill1 = kGreen;
  polygon->m_clrLine = kRed;
  Draw(*polygon);
  EXPECT_EQ(surface.Pixel(100, 100), RgbOf(kGreen));
  EXPECT_EQ(surface.Pixel(100, 20), RgbOf(kRed));
  EXPECT_EQ(surface.Pixel(20, 100), RgbOf(kRed));
  EXPECT_EQ(surface.Pixel(10, 10), kWhite);
}

TEST_F(ShapeDrawTest, PolygonWithoutLineColourHasNoOutline) {
  auto polygon = Make<CDrawPolygon>({{20, 20}, {180, 20}, {180, 180}, {20, 180}});
  polygon->m_nFillStyle = 1;
  polygon->m_clrFill1 = kGreen;
  polygon->m_clrLine = kNoColor;
  Draw(*polygon);
  EXPECT_EQ(surface.CountPixels(0), 0);
  EXPECT_EQ(surface.Pixel(100, 100), RgbOf(kGreen));
  EXPECT_EQ(surface.Pixel(21, 100), RgbOf(kGreen));
}

TEST_F(ShapeDrawTest, UnfilledPolygonShowsTheBackgroundInside) {
  auto polygon = Make<CDrawPolygon>({{20, 20}, {180, 20}, {100, 180}});
  Draw(*polygon);
  EXPECT_EQ(surface.Pixel(100, 60), kWhite);
  EXPECT_EQ(surface.Pixel(100, 20), 0u);
  EXPECT_EQ(surface.Pixel(100, 180), 0u);  // closed back to point 0
}

struct GradientCase {
  int style;
  // Expected colour (1 or 2) at the left, centre and right (across) or top, centre, bottom.
  int start, middle, end;
  bool across;
};

TEST_F(ShapeDrawTest, GradientFillsShowTheirColoursAtEndsAndMiddle) {
  const GradientCase cases[] = {
      {2, 2, 1, 2, true}, {3, 2, 1, 2, false}, {4, 1, 0, 2, false}, {5, 1, 0, 2, true}};
  for (const GradientCase& c : cases) {
    surface.Fill(kWhite);
    auto polygon = Make<CDrawPolygon>({{20, 20}, {180, 20}, {180, 180}, {20, 180}});
    polygon->m_nFillStyle = c.style;
    polygon->m_clrFill1 = kRed;
    polygon->m_clrFill2 = kBlue;
    polygon->m_clrLine = kNoColor;
    Draw(*polygon);
    auto at = [&](int along) { return c.across ? surface.Pixel(along, 100) : surface.Pixel(100, along); };
    auto colour = [](int which) { return which == 1 ? kRed : kBlue; };
    EXPECT_TRUE(Near(at(22), colour(c.start), 24)) << c.style << " start " << std::hex << at(22);
    EXPECT_TRUE(Near(at(177), colour(c.end), 24)) << c.style << " end " << std::hex << at(177);
    if (c.middle)
      EXPECT_TRUE(Near(at(100), colour(c.middle), 24)) << c.style << " middle " << std::hex << at(100);
    else
      EXPECT_TRUE(Near(at(100), RGB(128, 0, 128), 24)) << c.style << " middle " << std::hex << at(100);
    // The gradient stays inside the outline.
    EXPECT_EQ(surface.Pixel(10, 100), kWhite);
    EXPECT_EQ(surface.Pixel(100, 190), kWhite);
  }
}

TEST_F(ShapeDrawTest, FlatPolygonWithGradientDrawsNothing) {
  auto polygon = Make<CDrawPolygon>({{20, 50}, {180, 50}, {100, 50}});
  polygon->m_nFillStyle = 4;
  polygon->m_clrLine = kNoColor;
  Draw(*polygon);
  EXPECT_EQ(surface.CountPixels(kWhite), 200 * 200);
}

TEST_F(ShapeDrawTest, HatchValuesFrom1000DrawHatchStyles) {
  for (int style = 1000; style <= 1005; ++style) {
    surface.Fill(kWhite);
    auto polygon = Make<CDrawPolygon>({{20, 20}, {180, 20}, {180, 180}, {20, 180}});
    polygon->m_nFillStyle = style;
    polygon->m_clrFill1 = kRed;
    polygon->m_clrLine = kNoColor;
    Draw(*polygon);
    int red = surface.CountPixels(RgbOf(kRed));
    EXPECT_GT(red, 500) << style;
    EXPECT_LT(red, 160 * 160 / 2) << style;  // hatched, not solid
  }
  surface.Fill(kWhite);
  auto none = Make<CDrawPolygon>({{20, 20}, {180, 20}, {180, 180}});
  none->m_nFillStyle = 1006;
  none->m_clrLine = kNoColor;
  Draw(*none);
  EXPECT_EQ(surface.CountPixels(kWhite), 200 * 200);
}

TEST_F(ShapeDrawTest, ArrowDrawsAFilledHeadAtItsEnd) {
  auto arrow = Make<CDrawArrow>({{20, 100}, {180, 100}});
  arrow->m_clrLine = kBlue;
  Draw(*arrow);
  EXPECT_EQ(surface.Pixel(100, 100), RgbOf(kBlue));
  EXPECT_EQ(surface.Pixel(172, 102), RgbOf(kBlue));  // inside the head
  EXPECT_EQ(surface.Pixel(172, 98), RgbOf(kBlue));
  EXPECT_EQ(surface.Pixel(172, 96), kWhite);
  EXPECT_EQ(surface.Pixel(30, 97), kWhite);  // the tail has no head
  RECT box = surface.BoundsOfDifferent(kWhite);
  EXPECT_LE(box.right, 182);
  EXPECT_GE(box.top, 100 - 5 - 1);  // 18 * sin(15 degrees) = 4.66
}

TEST_F(ShapeDrawTest, DottedWideArrowKeepsASolidHeadOfItsSize) {
  auto arrow = Make<CDrawArrow>({{20, 100}, {180, 100}});
  arrow->m_nLineStyle = 2;
  arrow->m_nLineWidth = 6;
  arrow->m_clrLine = kBlue;
  Draw(*arrow);
  for (int x = 168; x < 178; ++x) EXPECT_EQ(surface.Pixel(x, 100), RgbOf(kBlue)) << x;
  RECT box = surface.BoundsOfDifferent(kWhite);
  EXPECT_LE(box.right, 182);
  EXPECT_GE(box.top, 94);
}

TEST_F(ShapeDrawTest, ClosedCurveOfThreePointsIsClosedByAChord) {
  auto shape = Make<CDrawBezierFill>({{20, 150}, {100, 10}, {180, 150}});
  shape->m_clrLine = kRed;
  Draw(*shape);
  EXPECT_EQ(surface.Pixel(100, 150), RgbOf(kRed));
  EXPECT_EQ(surface.Pixel(100, 100), kWhite);
}

TEST_F(ShapeDrawTest, ZeroLengthArrowDrawsNoHead) {
  auto arrow = Make<CDrawArrow>({{100, 100}, {100, 100}});
  Draw(*arrow);
  RECT box = surface.BoundsOfDifferent(kWhite);
  EXPECT_LE(box.right - box.left, 2);
}

TEST_F(ShapeDrawTest, CurvePassesThroughItsEndsAndBendsTowardTheControlPoint) {
  auto curve = Make<CDrawBezier>({{10, 150}, {100, 10}, {190, 150}});
  curve->m_clrLine = kRed;
  Draw(*curve);
  EXPECT_EQ(surface.Pixel(10, 150), RgbOf(kRed));
  EXPECT_EQ(surface.Pixel(100, 80), RgbOf(kRed));  // the top of the arc
  EXPECT_EQ(surface.Pixel(100, 10), kWhite);
  RECT box = surface.BoundsOfDifferent(kWhite);
  EXPECT_GE(box.top, 79);
  EXPECT_GE(box.right, 189);  // up to the end point (a line leaves out its last pixel)
}

TEST_F(ShapeDrawTest, ClosedCurveFillsItsInside) {
  auto shape = Make<CDrawBezierFill>({{20, 100}, {100, 0}, {180, 100}, {100, 200}});
  shape->m_nFillStyle = 1;
  shape->m_clrFill1 = kGreen;
  shape->m_clrLine = kRed;
  Draw(*shape);
  EXPECT_EQ(surface.Pixel(100, 100), RgbOf(kGreen));
  EXPECT_EQ(surface.Pixel(100, 50), RgbOf(kRed));  // the top of the outline
  EXPECT_EQ(surface.Pixel(30, 30), kWhite);
}

TEST_F(ShapeDrawTest, PipeIsLitAlongItsAxisAndDarkAtItsEdges) {
  auto pipe = Make<CDrawPipe>({{20, 100}, {180, 100}});
  pipe->m_clrFill1 = RGB(255, 255, 255);
  pipe->m_clrLine = RGB(0, 0, 0);
  surface.Fill(0x0000FF);  // blue background to see the white axis
  Draw(*pipe);
  // Two-pixel pens: the first shade overlaps the axis, so the axis shows
  // ramp colour 1 (255 - 255 / 7) and the rows darken outwards.
  DWORD axis = surface.Pixel(100, 100);
  EXPECT_TRUE(Near(axis, RGB(219, 219, 219), 1)) << std::hex << axis;
  DWORD edge = surface.Pixel(100, 107);
  EXPECT_TRUE(Near(edge, RGB(0, 0, 0), 40)) << std::hex << edge;
  DWORD mid = surface.Pixel(100, 96);
  EXPECT_TRUE(Near(mid, RGB(145, 145, 145), 40)) << std::hex << mid;
  for (int y = 101; y < 107; ++y)
    EXPECT_GE(surface.Pixel(100, y) & 0xFF, surface.Pixel(100, y + 1) & 0xFF) << y;
  EXPECT_EQ(surface.Pixel(100, 112), 0x0000FFu);
  EXPECT_EQ(surface.Pixel(100, 88), 0x0000FFu);
}

TEST_F(ShapeDrawTest, BentPipeIsShadedAroundTheBend) {
  auto pipe = Make<CDrawPipe>({{20, 20}, {150, 20}, {150, 180}});
  surface.Fill(0x0000FF);
  Draw(*pipe);
  EXPECT_GE(surface.Pixel(150, 20) & 0xFF, 0xDBu);  // the lit axis
  EXPECT_NE(surface.Pixel(155, 15), 0x0000FFu);     // outer corner rounded, not open
  EXPECT_EQ(surface.Pixel(170, 2), 0x0000FFu);
}

TEST_F(ShapeDrawTest, SelectedObjectDrawsADottedFrame) {
  auto line = Make<CDrawLine>({{50, 50}, {150, 150}});
  line->SetSelected(TRUE);
  Draw(*line);
  // Frame at the bounds grown by 2: row 48, alternating black and white from x = 48.
  EXPECT_EQ(surface.Pixel(48, 48), 0u);
  EXPECT_EQ(surface.Pixel(49, 48), kWhite);
  EXPECT_EQ(surface.Pixel(50, 48), 0u);
  EXPECT_EQ(surface.Pixel(49, 49), 0u);  // the inner frame, grown by 1
}

TEST_F(ShapeDrawTest, LineTrackerMarksItsFirstPointDifferently) {
  auto line = Make<CDrawLine>({{50, 50}, {150, 150}});
  CDC dc(surface.dc());
  line->DrawTracker(&dc, 1);
  EXPECT_EQ(surface.Pixel(47, 47), RgbOf(0xE1E1E1));
  EXPECT_EQ(surface.Pixel(50, 50), 0u);
  EXPECT_EQ(surface.Pixel(147, 147), 0u);
  EXPECT_EQ(surface.Pixel(150, 150), RgbOf(0xE1E1E1));
  surface.Fill(kWhite);
  line->DrawTracker(&dc, 0);
  EXPECT_EQ(surface.CountPixels(kWhite), 200 * 200);
}

TEST_F(ShapeDrawTest, PolyTrackerMarksVerticesGreyAndBoxHandlesBlack) {
  auto poly = Make<CDrawPoly>({{50, 50}, {120, 80}, {150, 150}});
  CDC dc(surface.dc());
  poly->DrawTracker(&dc, 2);
  EXPECT_EQ(surface.Pixel(117, 77), RgbOf(0xE1E1E1));  // vertex 1: grey outside
  EXPECT_EQ(surface.Pixel(120, 80), 0u);               // black inside
  EXPECT_EQ(surface.Pixel(97, 47), 0u);                // box handle 2: black outside
  EXPECT_EQ(surface.Pixel(100, 50), RgbOf(0xE1E1E1));  // grey inside
}

TEST_F(ShapeDrawTest, BaseTrackerInvertsEightSquares) {
  CDrawObj obj;
  obj.m_rect.Set(50, 50, 150, 150);
  CDC dc(surface.dc());
  obj.DrawTracker(&dc, 2);
  EXPECT_EQ(surface.CountPixels(0), 8 * 36);
}

TEST_F(ShapeDrawTest, SolidEllipseFillsInOneColour) {
  CDC dc(surface.dc());
  CDrawObj::DrawSolidEllipse(&dc, RECT{50, 50, 150, 150}, kRed);
  EXPECT_EQ(surface.Pixel(100, 100), RgbOf(kRed));
  EXPECT_EQ(surface.Pixel(52, 52), kWhite);
}

}  // namespace
