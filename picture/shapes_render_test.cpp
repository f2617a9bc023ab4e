// What the shapes look like: each one drawn into a DIB section and checked
// where a person would look.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "drawbitmap.h"
#include "drawellipse.h"
#include "drawmtext.h"
#include "drawrect.h"
#include "drawtext.h"
#include "render_surface.h"
#include "shapes_test_util.h"

namespace {

using qeltest::RenderSurface;
using qeltest::RgbOf;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);

// Each channel within tol of the colour reference.
::testing::AssertionResult ColourNear(const RenderSurface& s, int x, int y, COLORREF want, int tol = 0) {
  const DWORD got = s.Pixel(x, y);
  const DWORD rgb = RgbOf(want);
  for (int shift : {0, 8, 16}) {
    const int a = (got >> shift) & 0xFF;
    const int b = (rgb >> shift) & 0xFF;
    if (std::abs(a - b) > tol) {
      char text[96];
      wsprintfA(text, "pixel (%d, %d) is %06lX, wanted %06lX", x, y, got, rgb);
      return ::testing::AssertionFailure() << text;
    }
  }
  return ::testing::AssertionSuccess();
}

// Pixels in which the colour's strongest channel stands out by at least 64:
// text ink of that colour, also where it is smoothed against white.
int CountTinted(const RenderSurface& s, COLORREF c) {
  const int want[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
  int strongest = 0;
  for (int i = 1; i < 3; ++i)
    if (want[i] > want[strongest]) strongest = i;
  int count = 0;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) {
      const DWORD px = s.Pixel(x, y);
      const int got[3] = {static_cast<int>((px >> 16) & 0xFF), static_cast<int>((px >> 8) & 0xFF),
                          static_cast<int>(px & 0xFF)};
      bool stands = true;
      for (int i = 0; i < 3; ++i)
        if (i != strongest && got[strongest] - got[i] < 64) stands = false;
      count += stands;
    }
  return count;
}

class ShapeRender : public ::testing::Test {
 protected:
  ShapeRender() : surface(200, 200), dc(surface.dc()) {}
  void SetUp() override {
    ASSERT_TRUE(surface.IsValid());
    surface.Fill(0xFFFFFF);
  }
  void Draw(CDrawObj& obj) { obj.Draw(&dc, 0); }
  RECT Ink() const { return surface.BoundsOfDifferent(0xFFFFFF); }

  RenderSurface surface;
  CDC dc;
};

template <class T>
void Shape(T& obj, const CRectD& r, int fillStyle, COLORREF line, COLORREF fill1, COLORREF fill2 = kBlue) {
  obj.SetCorners(r);
  obj.m_nFillStyle = fillStyle;
  obj.m_clrLine = line;
  obj.m_clrFill1 = fill1;
  obj.m_clrFill2 = fill2;
}

// ---- rectangle ---------------------------------------------------------------

TEST_F(ShapeRender, FilledRectangleShowsItsOutlineAndFill) {
  CDrawRect rect;
  Shape(rect, CRectD(20, 20, 120, 80), 1, kBlack, kRed);
  Draw(rect);
  EXPECT_TRUE(ColourNear(surface, 70, 50, kRed));
  EXPECT_TRUE(ColourNear(surface, 20, 50, kBlack));
  EXPECT_TRUE(ColourNear(surface, 120, 50, kBlack));
  EXPECT_TRUE(ColourNear(surface, 70, 20, kBlack));
  EXPECT_TRUE(ColourNear(surface, 70, 80, kBlack));
  EXPECT_TRUE(ColourNear(surface, 15, 50, kWhite));
  EXPECT_TRUE(ColourNear(surface, 125, 50, kWhite));
}

TEST_F(ShapeRender, RectangleWithoutOutlineOrFillDrawsNothing) {
  CDrawRect rect;
  Shape(rect, CRectD(20, 20, 120, 80), 0, kNoColor, kRed);
  Draw(rect);
  EXPECT_EQ(surface.CountPixels(0xFFFFFF), 200 * 200);
}

TEST_F(ShapeRender, InvisibleRectangleDrawsNothingEvenWhenSelected) {
  CDrawRect rect;
  Shape(rect, CRectD(20, 20, 120, 80), 1, kBlack, kRed);
  rect.m_bVisible = FALSE;
  rect.SetSelected(TRUE);
  Draw(rect);
  EXPECT_EQ(surface.CountPixels(0xFFFFFF), 200 * 200);
}

TEST_F(ShapeRender, ZoomWidensThePenAndMovesTheShape) {
  CDrawRect rect;
  Shape(rect, CRectD(20, 20, 70, 60), 0, kBlack, kWhite);
  rect.m_nLineWidth = 2;
  rect.SetViewTransform(POINT{20, 20}, 2.0);  // device (20, 20)-(120, 100), pen 4 wide
  Draw(rect);
  const RECT ink = Ink();
  EXPECT_GE(ink.left, 17);
  EXPECT_LE(ink.left, 19);
  EXPECT_GE(ink.right, 122);
  EXPECT_LE(ink.right, 124);
  int across = 0;
  for (int x = 14; x < 28; ++x) across += surface.Pixel(x, 60) == 0;
  EXPECT_EQ(across, 4);
}

TEST_F(ShapeRender, DottedLineStylesOneAndTwoDrawTheSamePattern) {
  CDrawRect one;
  Shape(one, CRectD(20, 20, 180, 60), 0, kBlack, kWhite);
  one.m_nLineStyle = 1;
  Draw(one);
  std::vector<DWORD> first;
  for (int x = 0; x < 200; ++x) first.push_back(surface.Pixel(x, 20));
  EXPECT_GT(surface.CountPixels(0x000000), 50);
  EXPECT_GT(surface.CountPixels(0xFFFFFF), 200 * 200 - 400);  // dotted, not solid

  surface.Fill(0xFFFFFF);
  CDrawRect two;
  Shape(two, CRectD(20, 20, 180, 60), 0, kBlack, kWhite);
  two.m_nLineStyle = 2;
  Draw(two);
  for (int x = 0; x < 200; ++x) EXPECT_EQ(surface.Pixel(x, 20), first[x]) << x;
}

TEST_F(ShapeRender, DashedRectangleWithoutLineColourHasNoOutline) {
  CDrawRect rect;
  Shape(rect, CRectD(20, 20, 120, 80), 1, kNoColor, kGreen);
  rect.m_nLineStyle = 3;
  Draw(rect);
  EXPECT_TRUE(ColourNear(surface, 70, 50, kGreen));
  EXPECT_EQ(surface.CountPixels(0x000000), 0);
}

// A memory surface paints a part of a window with its window origin at the
// part's top-left corner; every way of drawing must land there alike.
TEST_F(ShapeRender, ShapesLandInPlaceUnderAWindowOrigin) {
  ::SetWindowOrgEx(surface.dc(), 100, 100, nullptr);
  CDrawRect gradient;
  Shape(gradient, CRectD(110, 110, 150, 150), 5, kNoColor, kRed, kRed);
  CDrawEllipse ellipse;
  Shape(ellipse, CRectD(160, 110, 200, 150), 1, kNoColor, kGreen);
  CDrawBitmap bitmap;
  bitmap.SetCorners(CRectD(210, 110, 250, 150));
  shapetest::SetImageBytes(bitmap, shapetest::QuadrantBmp(4, 4));
  CDrawMtext turned;
  Shape(turned, CRectD(110, 160, 250, 200), 0, kNoColor, kWhite);
  turned.m_clrText = kBlue;
  turned.SetText("HELLO HELLO HELLO");
  turned.Rotate(CPointD(180, 180), DirectionOfDegrees(180));
  for (CDrawObj* obj : std::initializer_list<CDrawObj*>{&gradient, &ellipse, &bitmap, &turned}) Draw(*obj);
  ::SetWindowOrgEx(surface.dc(), 0, 0, nullptr);
  EXPECT_TRUE(ColourNear(surface, 30, 30, kRed, 16));
  EXPECT_TRUE(ColourNear(surface, 8, 30, kWhite));
  EXPECT_TRUE(ColourNear(surface, 80, 30, kGreen));
  EXPECT_TRUE(ColourNear(surface, 120, 20, shapetest::kTopLeft, 8));
  EXPECT_TRUE(ColourNear(surface, 140, 40, shapetest::kBottomRight, 8));
  int blue = 0;
  for (int y = 60; y < 100; ++y)
    for (int x = 10; x < 150; ++x)
      blue += (surface.Pixel(x, y) & 0xFF) > 0x80 && ((surface.Pixel(x, y) >> 16) & 0xFF) < 0x80;
  EXPECT_GT(blue, 20);
}

// A point d pixels from a corner towards (d > 0) or away from (d < 0) the centre.
POINT Near(const CPointD& corner, const CPointD& centre, double d) {
  const double dx = centre.x - corner.x;
  const double dy = centre.y - corner.y;
  const double len = std::sqrt(dx * dx + dy * dy);
  return POINT{static_cast<LONG>(corner.x + dx / len * d + 0.5),
               static_cast<LONG>(corner.y + dy / len * d + 0.5)};
}

TEST_F(ShapeRender, TurnedRectangleFillsBetweenItsCorners) {
  for (int fillStyle : {1, 5}) {
    SCOPED_TRACE(fillStyle);
    surface.Fill(0xFFFFFF);
    CDrawRect rect;
    Shape(rect, CRectD(50, 60, 150, 120), fillStyle, kNoColor, kBlue, kBlue);
    const CPointD centre(100, 90);
    rect.Rotate(centre, DirectionOfDegrees(30));
    Draw(rect);
    for (const CPointD& corner : rect.GetCorners().p) {
      const POINT in = Near(corner, centre, 4);
      const POINT out = Near(corner, centre, -4);
      EXPECT_TRUE(ColourNear(surface, in.x, in.y, kBlue)) << "inside " << corner.x << "," << corner.y;
      EXPECT_TRUE(ColourNear(surface, out.x, out.y, kWhite)) << "outside " << corner.x << "," << corner.y;
    }
  }
}

struct GradientCase {
  int fillStyle;
  COLORREF atStart, atMiddle, atEnd;  // along the gradient's direction
  bool across;
};

TEST_F(ShapeRender, GradientsShowTheirColoursAtTheEndsAndInTheMiddle) {
  const GradientCase cases[] = {
      {2, kBlue, kRed, kBlue, true},
      {3, kBlue, kRed, kBlue, false},
      {4, kRed, RGB(128, 0, 128), kBlue, false},
      {5, kRed, RGB(128, 0, 128), kBlue, true},
  };
  for (const GradientCase& c : cases) {
    SCOPED_TRACE(c.fillStyle);
    surface.Fill(0xFFFFFF);
    CDrawRect rect;
    Shape(rect, CRectD(20, 20, 180, 120), c.fillStyle, kNoColor, kRed, kBlue);
    Draw(rect);
    if (c.across) {
      EXPECT_TRUE(ColourNear(surface, 21, 70, c.atStart, 16));
      EXPECT_TRUE(ColourNear(surface, 100, 70, c.atMiddle, 16));
      EXPECT_TRUE(ColourNear(surface, 178, 70, c.atEnd, 16));
    } else {
      EXPECT_TRUE(ColourNear(surface, 100, 21, c.atStart, 16));
      EXPECT_TRUE(ColourNear(surface, 100, 70, c.atMiddle, 16));
      EXPECT_TRUE(ColourNear(surface, 100, 118, c.atEnd, 16));
    }
    EXPECT_TRUE(ColourNear(surface, 100, 125, kWhite));
    EXPECT_TRUE(ColourNear(surface, 185, 70, kWhite));
  }
}

TEST_F(ShapeRender, GradientOfARectangleWithoutWidthOrHeightIsSkipped) {
  for (const CRectD& r : {CRectD(20, 20, 120, 20), CRectD(20, 20, 20, 120), CRectD(5, 5, 5, 5)}) {
    for (int fillStyle = 2; fillStyle <= 5; ++fillStyle) {
      CDrawRect rect;
      Shape(rect, r, fillStyle, kNoColor, kRed, kBlue);
      Draw(rect);
      CDrawEllipse ellipse;
      Shape(ellipse, r, fillStyle, kNoColor, kRed, kBlue);
      Draw(ellipse);
    }
  }
  EXPECT_EQ(surface.CountPixels(0xFFFFFF), 200 * 200);
}

TEST_F(ShapeRender, TurnedGradientKeepsColourTwoAlongTheTurnedTopAndBottom) {
  // Fill style 3 turned by 90 degrees: the frame's top and bottom become the
  // right and left sides on the screen.
  CDrawRect rect;
  Shape(rect, CRectD(40, 40, 160, 100), 3, kNoColor, kRed, kBlue);
  rect.Rotate(CPointD(100, 70), DirectionOfDegrees(90));
  Draw(rect);
  const CRectD b = rect.GetRect();  // about (70, 10)-(130, 130)
  EXPECT_TRUE(ColourNear(surface, static_cast<int>(b.left) + 1, 70, kBlue, 24));
  EXPECT_TRUE(ColourNear(surface, static_cast<int>(b.right) - 2, 70, kBlue, 24));
  EXPECT_TRUE(ColourNear(surface, 100, 70, kRed, 24));
  EXPECT_TRUE(ColourNear(surface, 100, 30, kRed, 24));
}

TEST_F(ShapeRender, MirroredRectangleMirrorsItsGradient) {
  CDrawRect rect;
  Shape(rect, CRectD(20, 20, 180, 120), 4, kNoColor, kRed, kBlue);
  rect.Flip(0, 70, 1);  // P1 now lies at the bottom
  Draw(rect);
  EXPECT_TRUE(ColourNear(surface, 100, 118, kRed, 16));
  EXPECT_TRUE(ColourNear(surface, 100, 22, kBlue, 16));
}

TEST_F(ShapeRender, PercentageFillCoversItsShareFromTheChosenSide) {
  const struct {
    int direction;
    double fraction;
    POINT filled, unfilled;
  } cases[] = {
      {0, 0.25, {70, 115}, {70, 60}},  // from the bottom
      {1, 0.25, {70, 25}, {70, 60}},   // from the top
      {2, 0.5, {40, 70}, {100, 70}},   // from the left
      {3, 0.5, {100, 70}, {40, 70}},   // from the right
      {1, 1.5, {70, 118}, {70, 125}},  // clamped: the whole rectangle, nothing beyond
      {0, -2.0, {0, 0}, {70, 115}},    // clamped to nothing
      {7, 0.5, {0, 0}, {70, 115}},     // an unknown direction fills nothing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.direction);
    surface.Fill(0xFFFFFF);
    CDrawRect rect;
    Shape(rect, CRectD(20, 20, 120, 120), 1, kNoColor, kGreen);
    rect.m_nPerFillDir = c.direction;
    rect.m_dPerFill = c.fraction;
    rect.m_clrPerFill = kRed;
    Draw(rect);
    if (c.filled.x) {
      EXPECT_TRUE(ColourNear(surface, c.filled.x, c.filled.y, kRed));
    }
    const COLORREF rest = c.unfilled.y > 120 ? kWhite : kGreen;
    EXPECT_TRUE(ColourNear(surface, c.unfilled.x, c.unfilled.y, rest));
  }
}

TEST_F(ShapeRender, PercentageFillShowsOnTextsButNotOnEllipsesOrImages) {
  CDrawTagVal tag;
  Shape(tag, CRectD(20, 20, 120, 60), 0, kNoColor, kWhite);
  CDrawEllipse ellipse;
  Shape(ellipse, CRectD(20, 80, 120, 120), 1, kNoColor, kGreen);
  CDrawBitmap bitmap;
  bitmap.SetCorners(CRectD(20, 130, 120, 170));
  for (CDrawObj* obj : std::initializer_list<CDrawObj*>{&tag, &ellipse, &bitmap}) {
    obj->m_nPerFillDir = 0;
    obj->m_dPerFill = 1.0;
    obj->m_clrPerFill = kRed;
    Draw(*obj);
  }
  EXPECT_TRUE(ColourNear(surface, 25, 55, kRed));
  EXPECT_TRUE(ColourNear(surface, 70, 100, kGreen));
  EXPECT_TRUE(ColourNear(surface, 70, 150, kWhite));
}

TEST_F(ShapeRender, TrackerSquaresMarkTheRotationHandleTheOtherWayRound) {
  CDrawRect rect;
  rect.SetCorners(CRectD(50, 50, 150, 100));
  rect.DrawTracker(&dc, 1);
  EXPECT_TRUE(ColourNear(surface, 47, 47, RGB(0xE1, 0xE1, 0xE1)));
  EXPECT_TRUE(ColourNear(surface, 50, 50, kBlack));
  EXPECT_TRUE(ColourNear(surface, 122, 47, kBlack));  // handle 9 at (125, 50)
  EXPECT_TRUE(ColourNear(surface, 125, 50, RGB(0xE1, 0xE1, 0xE1)));
  surface.Fill(0xFFFFFF);
  rect.DrawTracker(&dc, 0);
  EXPECT_EQ(surface.CountPixels(0xFFFFFF), 200 * 200);
}

// ---- ellipse -----------------------------------------------------------------

TEST_F(ShapeRender, EllipseIsFilledInsideAndOutlinedOnItsEdge) {
  CDrawEllipse ellipse;
  Shape(ellipse, CRectD(20, 20, 180, 120), 1, kBlack, kGreen);
  Draw(ellipse);
  EXPECT_TRUE(ColourNear(surface, 100, 70, kGreen));
  EXPECT_TRUE(ColourNear(surface, 24, 24, kWhite));  // a corner of its rectangle
  EXPECT_TRUE(ColourNear(surface, 176, 116, kWhite));
  int outline = 0;
  for (int x = 18; x <= 22; ++x) outline += surface.Pixel(x, 70) == 0;
  EXPECT_GT(outline, 0);
}

TEST_F(ShapeRender, EllipseWithoutLineColourIsFilledWithoutOutline) {
  CDrawEllipse ellipse;
  Shape(ellipse, CRectD(20, 20, 180, 120), 1, kNoColor, kGreen);
  Draw(ellipse);
  EXPECT_TRUE(ColourNear(surface, 100, 70, kGreen));
  EXPECT_EQ(surface.CountPixels(0x000000), 0);
}

TEST_F(ShapeRender, TurnedEllipseFollowsItsAxes) {
  CDrawEllipse ellipse;
  Shape(ellipse, CRectD(50, 75, 150, 125), 1, kBlack, kGreen);
  const CPointD centre(100, 100);
  ellipse.Rotate(centre, DirectionOfDegrees(30));
  Draw(ellipse);
  const DirPair axis = DirectionOfDegrees(30);
  // Along the turned major axis (a = 50) the fill reaches 45 out; across it
  // (b = 25) 35 out is outside.
  EXPECT_TRUE(ColourNear(surface, static_cast<int>(100 + 45 * axis.cosine),
                         static_cast<int>(100 + 45 * axis.sine), kGreen));
  EXPECT_TRUE(ColourNear(surface, static_cast<int>(100 - 35 * axis.sine),
                         static_cast<int>(100 + 35 * axis.cosine), kWhite));
  EXPECT_TRUE(ColourNear(surface, static_cast<int>(100 - 15 * axis.sine),
                         static_cast<int>(100 + 15 * axis.cosine), kGreen));
}

TEST_F(ShapeRender, GradientEllipseUsesTheRectanglesGradients) {
  CDrawEllipse ellipse;
  Shape(ellipse, CRectD(20, 20, 180, 120), 5, kNoColor, kRed, kBlue);
  Draw(ellipse);
  EXPECT_TRUE(ColourNear(surface, 24, 70, kRed, 16));
  EXPECT_TRUE(ColourNear(surface, 176, 70, kBlue, 16));
  EXPECT_TRUE(ColourNear(surface, 24, 24, kWhite));
}

// ---- image -------------------------------------------------------------------

class ImageRender : public ShapeRender {
 protected:
  void Expect(int x, int y, COLORREF c) { EXPECT_TRUE(ColourNear(surface, x, y, c, 8)); }
};

TEST_F(ImageRender, ImageLiesOnItsCorners) {
  CDrawBitmap bitmap;
  bitmap.SetCorners(CRectD(10, 10, 90, 90));
  shapetest::SetImageBytes(bitmap, shapetest::QuadrantBmp(4, 4));
  ASSERT_TRUE(bitmap.GetImageData().HasImage());
  EXPECT_EQ(bitmap.GetImageSize().cx, 4);
  EXPECT_EQ(bitmap.GetImageSize().cy, 4);
  Draw(bitmap);
  Expect(30, 30, shapetest::kTopLeft);
  Expect(70, 30, shapetest::kTopRight);
  Expect(30, 70, shapetest::kBottomLeft);
  Expect(70, 70, shapetest::kBottomRight);
  Expect(95, 50, kWhite);
  Expect(50, 95, kWhite);
}

TEST_F(ImageRender, FlippedImageIsMirrored) {
  CDrawBitmap bitmap;
  bitmap.SetCorners(CRectD(10, 10, 90, 90));
  shapetest::SetImageBytes(bitmap, shapetest::QuadrantBmp(4, 4));
  bitmap.Flip(50, 0, 0);
  Draw(bitmap);
  Expect(30, 30, shapetest::kTopRight);
  Expect(70, 30, shapetest::kTopLeft);
  Expect(30, 70, shapetest::kBottomRight);
}

TEST_F(ImageRender, TurnedImageTurnsWithItsCorners) {
  CDrawBitmap bitmap;
  bitmap.SetCorners(CRectD(10, 10, 90, 90));
  shapetest::SetImageBytes(bitmap, shapetest::QuadrantBmp(4, 4));
  bitmap.Rotate(CPointD(50, 50), DirectionOfDegrees(90));  // P1 to the top right
  Draw(bitmap);
  Expect(70, 30, shapetest::kTopLeft);
  Expect(70, 70, shapetest::kTopRight);
  Expect(30, 30, shapetest::kBottomLeft);
}

TEST_F(ImageRender, ZoomAndOriginMoveTheImage) {
  CDrawBitmap bitmap;
  bitmap.SetCorners(CRectD(10, 10, 50, 50));
  shapetest::SetImageBytes(bitmap, shapetest::QuadrantBmp(4, 4));
  bitmap.SetViewTransform(POINT{10, 10}, 2.0);  // device (10, 10)-(90, 90)
  Draw(bitmap);
  Expect(30, 30, shapetest::kTopLeft);
  Expect(70, 70, shapetest::kBottomRight);
}

TEST_F(ImageRender, UndecodableImageDrawsNothingAndIsRememberedAsSuch) {
  CDrawBitmap bitmap;
  bitmap.SetCorners(CRectD(10, 10, 90, 90));
  shapetest::SetImageBytes(bitmap, std::vector<BYTE>{'B', 'M', 1, 2, 3, 4, 5, 6, 7, 8});
  EXPECT_TRUE(bitmap.GetImageData().IsUndecodable());
  EXPECT_EQ(bitmap.GetImageSize().cx, 320);
  EXPECT_EQ(bitmap.GetImageSize().cy, 240);
  Draw(bitmap);
  Draw(bitmap);
  EXPECT_EQ(surface.CountPixels(0xFFFFFF), 200 * 200);
  EXPECT_FALSE(bitmap.LoadImageStream());
  EXPECT_EQ(bitmap.GetImageData().Bytes().size(), 10u);
  // New bytes are tried again.
  shapetest::SetImageBytes(bitmap, shapetest::QuadrantBmp(4, 4));
  EXPECT_TRUE(bitmap.LoadImageStream());
}

TEST_F(ImageRender, ImageWithoutBytesDrawsOnlyItsSelectionFrame) {
  CDrawBitmap bitmap;
  bitmap.SetCorners(CRectD(10, 10, 90, 90));
  EXPECT_EQ(bitmap.GetImageSize().cx, 320);
  bitmap.SetSelected(TRUE);
  Draw(bitmap);
  const RECT ink = Ink();
  EXPECT_EQ(ink.left, 8);  // the dotted frame 2 pixels outside
  EXPECT_EQ(ink.top, 8);
  EXPECT_TRUE(ColourNear(surface, 50, 50, kWhite));
}

// ---- texts -------------------------------------------------------------------

bool Inside(const RECT& ink, const RECT& box) {
  return ink.left >= box.left && ink.top >= box.top && ink.right <= box.right && ink.bottom <= box.bottom;
}

TEST_F(ShapeRender, SingleLineTextInksInsideItsTextBox) {
  CDrawText text;
  text.SetText("HELLO world");
  text.SetPoints(CPointD(20, 30), CPointD(180, 30));
  text.m_clrLine = kRed;
  text.m_clrFill1 = kNoColor;
  Draw(text);
  EXPECT_GT(CountTinted(surface, kRed), 20);
  const RECT box = text.GetInvalidRect();  // the text box grown by 4
  EXPECT_TRUE(Inside(Ink(), box));
}

TEST_F(ShapeRender, SingleLineTextPaintsItsBackgroundColour) {
  CDrawText text;
  text.SetText("HELLO");
  text.SetPoints(CPointD(20, 30), CPointD(180, 30));
  text.m_clrLine = kBlack;
  text.m_clrFill1 = kYellow;
  Draw(text);
  EXPECT_GT(surface.CountPixels(RgbOf(kYellow)), 20);
  EXPECT_TRUE(Inside(Ink(), text.GetInvalidRect()));
}

TEST_F(ShapeRender, SingleLineTextTrackerInvertsTheTurnHandleAndFramesA) {
  CDrawText text;
  text.SetPoints(CPointD(40, 40), CPointD(140, 40));
  text.DrawTracker(&dc, 2);
  EXPECT_TRUE(ColourNear(surface, 140, 40, kBlack));  // inverted square at B
  EXPECT_TRUE(ColourNear(surface, 137, 37, kBlack));
  // A grey frame (XOR over white) round A, hollow inside.
  EXPECT_FALSE(ColourNear(surface, 37, 37, kWhite));
  EXPECT_TRUE(ColourNear(surface, 40, 40, kWhite));
}

TEST_F(ShapeRender, SingleLineTextGoingDownIsDrawnDownwards) {
  CDrawText text;
  text.SetText("HELLO world");
  text.SetPoints(CPointD(100, 20), CPointD(100, 180));
  text.m_clrFill1 = kNoColor;
  Draw(text);
  const RECT ink = Ink();
  ASSERT_GT(ink.bottom, ink.top);
  EXPECT_GT(ink.bottom - ink.top, 2 * (ink.right - ink.left));
  // Turned clockwise on the screen: the glyphs hang to the left of A.
  EXPECT_LE(ink.right, 101);
}

TEST_F(ShapeRender, MultiLineTextWrapsInsideItsRectangle) {
  CDrawMtext mtext;
  Shape(mtext, CRectD(20, 20, 180, 180), 0, kNoColor, kWhite);
  mtext.m_clrText = kBlue;
  mtext.SetText(
      "many words that wrap onto several lines inside the rectangle of this "
      "multi-line text, which is not wide enough for them");
  Draw(mtext);
  const RECT ink = Ink();
  EXPECT_GT(CountTinted(surface, kBlue), 20);
  EXPECT_TRUE(Inside(ink, RECT{24, 24, 176, 176}));
  LOGFONTA lf = mtext.GetFont();
  EXPECT_GT(ink.bottom - ink.top, 2 * std::abs(lf.lfHeight));  // more than one line
}

TEST_F(ShapeRender, MultiLineTextTurnedByNinetyDegreesRunsDownTheScreen) {
  CDrawMtext mtext;
  Shape(mtext, CRectD(40, 80, 160, 120), 0, kNoColor, kWhite);
  mtext.m_clrText = kBlue;
  mtext.SetText("HELLO HELLO");
  mtext.Rotate(CPointD(100, 100), DirectionOfDegrees(90));
  Draw(mtext);
  const RECT ink = Ink();
  ASSERT_GT(CountTinted(surface, kBlue), 20);
  EXPECT_GT(ink.bottom - ink.top, 2 * (ink.right - ink.left));
  EXPECT_TRUE(Inside(ink, RECT{80, 40, 120, 160}));
}

TEST_F(ShapeRender, MultiLineTextIsClippedToItsRectangle) {
  CDrawMtext mtext;
  Shape(mtext, CRectD(20, 20, 60, 40), 0, kNoColor, kWhite);
  mtext.m_clrText = kBlue;
  mtext.SetText("averyveryverylongwordthatcannotwrap");
  mtext.Rotate(CPointD(40, 30), DirectionOfDegrees(30));
  Draw(mtext);
  const CRectD bounds = mtext.GetRect();
  EXPECT_TRUE(Inside(Ink(), RECT{static_cast<LONG>(bounds.left), static_cast<LONG>(bounds.top),
                                 static_cast<LONG>(bounds.right) + 1, static_cast<LONG>(bounds.bottom) + 1}));
}

TEST_F(ShapeRender, TagValueShowsItsTextRightAlignedAndCentred) {
  CDrawTagVal tag;
  Shape(tag, CRectD(20, 20, 180, 60), 0, kNoColor, kWhite);
  tag.m_clrText = kBlue;
  Draw(tag);
  RECT ink = Ink();
  ASSERT_GT(CountTinted(surface, kBlue), 10);
  EXPECT_LE(ink.right, 177);
  EXPECT_GE(ink.right, 170);
  EXPECT_GT(ink.left, 100);
  EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 40, 4);

  surface.Fill(0xFFFFFF);
  tag.SetText("1.5");
  Draw(tag);
  const RECT shorter = Ink();
  EXPECT_NEAR(shorter.right, ink.right, 2);
  EXPECT_GT(shorter.left, ink.left);

  surface.Fill(0xFFFFFF);
  tag.m_nAlign = 0;
  Draw(tag);
  ink = Ink();
  EXPECT_GE(ink.left, 23);
  EXPECT_LE(ink.left, 30);
}

TEST_F(ShapeRender, HiddenTagValueShowsNeitherFrameNorText) {
  CDrawTagVal tag;
  Shape(tag, CRectD(20, 20, 180, 60), 1, kBlack, kYellow);
  tag.m_bVisible = FALSE;
  tag.SetSelected(TRUE);
  Draw(tag);
  EXPECT_EQ(surface.CountPixels(0xFFFFFF), 200 * 200);
}

}  // namespace
