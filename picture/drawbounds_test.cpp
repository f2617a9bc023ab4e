// Damaged pictures draw quickly: every number a file holds is bounded where
// it reaches the platform (coordinates saturated, what is not finite
// skipped, pens, fonts, pipes and arrow heads held to sane sizes), and the
// valid objects next to the damaged ones still draw. The work is read back
// from what the drawing handed to the platform, never from a clock.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "drawbitmap.h"
#include "drawline.h"
#include "drawmtext.h"
#include "drawpipe.h"
#include "drawtext.h"
#include "frametext.h"
#include "gdi_recording.h"
#include "hostile_pictures.h"
#include "imagedata.h"
#include "imagesize.h"
#include "picobj.h"
#include "pipepath.h"
#include "render_surface.h"
#include "shapepaint.h"
#include "shapes_test_util.h"
#include "strokerun.h"
#include "textfont.h"
#include "visibleimage.h"

namespace {

using qeltest::GdiRecording;
using qeltest::RecordGdi;
using qeltest::RenderSurface;
using qeltest::RgbOf;

constexpr int kSide = 200;
// Handle squares and selection frames reach a few pixels past a coordinate.
constexpr LONG kMostCoord = static_cast<LONG>(kCoordLimit) + 8;

// The objects of the damaged picture, in order: each case, then its neighbour.
class HostilePictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    picture = hostile::HostilePicture();
    CObList& list = picture->GetLayer(0)->m_objects;
    for (POSITION pos = list.GetHeadPosition(); pos;)
      objects.push_back(static_cast<CDrawObj*>(list.GetNext(pos)));
    ASSERT_EQ(objects.size(), 2 * hostile::Cases().size());
  }
  CDrawObj* Case(size_t i) const { return objects[2 * i]; }
  CDrawObj* Neighbour(size_t i) const { return objects[2 * i + 1]; }
  // What drawing the case and its handles at the zoom hands to the platform.
  GdiRecording Record(size_t i, double zoom) const {
    Case(i)->SetViewTransform(POINT{0, 0}, zoom);
    return RecordGdi(kSide, kSide, [&](HDC hdc) {
      CDC dc(hdc);
      Case(i)->Draw(&dc, 0);
      Case(i)->DrawTracker(&dc, 1);
    });
  }

  std::unique_ptr<CPicObj> picture;
  std::vector<CDrawObj*> objects;
};

TEST_F(HostilePictureTest, EveryDamagedObjectHandsThePlatformOnlyBoundedWork) {
  for (size_t i = 0; i < hostile::Cases().size(); ++i) {
    for (double zoom : {1.0, 4.0}) {
      SCOPED_TRACE(hostile::Cases()[i].what);
      SCOPED_TRACE(zoom);
      const GdiRecording done = Record(i, zoom);
      EXPECT_LE(done.WidestPen(), kMaxPenWidth);
      EXPECT_LE(done.TallestFont(), kMaxFontPixels);
      EXPECT_LE(done.WidestFont(), kMaxFontPixels);
      for (const LOGFONTW& f : done.fonts) EXPECT_LE(f.lfWeight, 1000);
      EXPECT_LE(done.maxCoord, kMostCoord);
      // Two dotted selection frames, visible along the 200 x 200 clip only
      // (drawn pixel by pixel or copied by runs).
      EXPECT_LE(done.setPixels + done.copiedPixels, 2 * 4 * 2 * kSide);
      // At most the pipe's 2 x 512 shading paths, each a handful of records.
      EXPECT_LE(done.records, 12 * 1024);
    }
  }
}

TEST_F(HostilePictureTest, ValidNeighboursStillDrawInPlace) {
  RenderSurface surface(kSide, kSide);
  ASSERT_TRUE(surface.IsValid());
  CDC dc(surface.dc());
  for (size_t i = 0; i < hostile::Cases().size(); ++i) {
    SCOPED_TRACE(hostile::Cases()[i].what);
    surface.Fill(0xFFFFFF);
    Case(i)->Draw(&dc, 0);
    Case(i)->DrawTracker(&dc, 1);
    Neighbour(i)->SetSelected(FALSE);
    Neighbour(i)->Draw(&dc, 0);
    // The damaged object leaves no transform, pen or mode behind: the
    // neighbour lands exactly on its own square.
    EXPECT_EQ(surface.Pixel(160, 160), RgbOf(hostile::kNeighbourColour));
    EXPECT_EQ(surface.Pixel(150, 150), RgbOf(hostile::kNeighbourColour));
    EXPECT_EQ(surface.Pixel(170, 160), RgbOf(hostile::kNeighbourColour));
  }
}

size_t CaseNamed(const char* what) {
  for (size_t i = 0; i < hostile::Cases().size(); ++i)
    if (std::strcmp(hostile::Cases()[i].what, what) == 0) return i;
  ADD_FAILURE() << "no case " << what;
  return 0;
}

TEST_F(HostilePictureTest, WhatIsNotFiniteIsNotDrawn) {
  for (const char* what :
       {"poly-line with a NaN point", "curve through an infinite point", "rectangle with NaN corners"}) {
    SCOPED_TRACE(what);
    const GdiRecording done = Record(CaseNamed(what), 1.0);
    EXPECT_EQ(done.shapes, 0);
    EXPECT_EQ(done.setPixels, 0);
    EXPECT_EQ(done.copiedPixels, 0);
  }
}

TEST_F(HostilePictureTest, FarPointsAreSaturatedNotWrapped) {
  const GdiRecording done = Record(CaseNamed("poly-line reaching 1e9"), 1.0);
  EXPECT_GT(done.shapes, 0);
  EXPECT_GE(done.maxCoord, static_cast<LONG>(kCoordLimit));
  EXPECT_LE(done.maxCoord, kMostCoord);
}

TEST_F(HostilePictureTest, AStoredLineWidthOfMillionsSelectsTheWidestPen) {
  const GdiRecording done = Record(CaseNamed("line 8,000,000 wide"), 1.0);
  ASSERT_FALSE(done.penWidths.empty());
  EXPECT_EQ(done.WidestPen(), kMaxPenWidth);
}

TEST_F(HostilePictureTest, AFontOfTwoBillionPixelsIsCreatedAtTheLargestSize) {
  for (const char* what : {"text with a font of 0x80000000", "upright tag value with a font of 0x80000000"}) {
    SCOPED_TRACE(what);
    const GdiRecording done = Record(CaseNamed(what), 1.0);
    ASSERT_FALSE(done.fonts.empty());
    EXPECT_EQ(done.TallestFont(), kMaxFontPixels);
    EXPECT_EQ(done.WidestFont(), kMaxFontPixels);
    EXPECT_GT(done.texts, 0);
  }
}

TEST_F(HostilePictureTest, APipeOfTwoBillionUnitsShadesInAtMost512Steps) {
  const GdiRecording done = Record(CaseNamed("pipe 2^31-1 wide"), 1.0);
  // The centre line and 512 paths on each side.
  EXPECT_EQ(done.shapes, 1 + 2 * 512);
  EXPECT_LE(done.WidestPen(), 2);
}

TEST_F(HostilePictureTest, ThinDashedAndPipeStrokesReachOnlyNearThePaintedArea) {
  const struct {
    const char* what;
    int guard;
    bool crossesTheArea;  // else nothing of the stroke is drawn
  } cases[] = {
      {"dotted poly-line of 385 points zig-zagging across 2e9", kDashedStrokeGuard, true},
      {"dash-dot filled rectangle 2e9 wide with a one-pixel line", kDashedStrokeGuard, false},
      {"dotted ellipse 2e9 wide with a one-pixel line", kDashedStrokeGuard, false},
      {"dash-dot-dot arrow 2e9 long with a one-pixel line", kDashedStrokeGuard, true},
      {"dotted curve across 2e9 with a one-pixel line", kDashedStrokeGuard, false},
      {"dashed filled polygon across 2e9 with a one-pixel line", kDashedStrokeGuard, true},
      {"pipe 2^31-1 wide", kStrokeGuard, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CDrawObj* obj = Case(CaseNamed(c.what));
    obj->SetSelected(FALSE);
    const GdiRecording done = RecordGdi(kSide, kSide, [&](HDC hdc) {
      CDC dc(hdc);
      obj->Draw(&dc, 0);
    });
    EXPECT_EQ(done.strokes > 0, c.crossesTheArea);
    // The guard, a dash period more where a run starts, and the rounding.
    EXPECT_LE(done.maxStrokeCoord, kSide + c.guard + kDashPeriodPixels + 1);
  }
}

// The damaged cases in groups nested 16 deep (what a fuzzed picture of
// nested groups holds) load and paint the pixels of the same objects painted
// one by one, within a clip box and without.
TEST_F(HostilePictureTest, DamagedObjectsInNestedGroupsPaintAsTheyDoAlone) {
  std::unique_ptr<CPicObj> nested = hostile::NestedHostilePicture(16);
  CObList& top = nested->GetLayer(0)->m_objects;
  ASSERT_EQ(top.GetCount(), 1);
  CDrawObj* group = static_cast<CDrawObj*>(top.GetHead());
  for (const RECT& clip : {RECT{0, 0, kSide, kSide}, RECT{37, 41, 163, 155}}) {
    SCOPED_TRACE(testing::Message() << "clip " << clip.left << "," << clip.top);
    RenderSurface inGroups(kSide, kSide), alone(kSide, kSide);
    for (RenderSurface* surface : {&inGroups, &alone}) {
      surface->Fill(0x808080);
      ::IntersectClipRect(surface->dc(), clip.left, clip.top, clip.right, clip.bottom);
    }
    {
      CDC dc(inGroups.dc());
      group->Draw(&dc, 0);
    }
    {
      CDC dc(alone.dc());
      for (CDrawObj* obj : objects) obj->Draw(&dc, 0);
    }
    EXPECT_EQ(inGroups.Pixels(), alone.Pixels());
    EXPECT_GT(alone.CountPixels(RgbOf(hostile::kNeighbourColour)), 0);  // something was painted
  }
}

TEST(StrokeRuns, AStrokeNearThePaintedAreaIsDrawnAsItIs) {
  const RECT guard = {-64, -64, 264, 264};
  const POINT pts[] = {{10, 10}, {190, 30}, {50, 180}, {10, 10}};
  const auto runs = StrokeRunsWithin(pts, 4, guard);
  ASSERT_EQ(runs.size(), 1u);
  ASSERT_EQ(runs[0].size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(runs[0][i].x, pts[i].x);
    EXPECT_EQ(runs[0][i].y, pts[i].y);
  }
}

TEST(StrokeRuns, AFarStrokeIsCutWholePeriodsFromItsStart) {
  const RECT guard = {-64, -64, 264, 264};
  // Across the area, out of it and round, and up across it again.
  const POINT pts[] = {{-100000, 100}, {100000, 100}, {100000, 50000}, {100, 50000}, {100, -100000}};
  const auto runs = StrokeRunsWithin(pts, 5, guard);
  ASSERT_EQ(runs.size(), 2u);
  // Across: the run starts a whole number of periods from x = -100000, at
  // most a period before the guard, and ends where the segment leaves it.
  ASSERT_EQ(runs[0].size(), 2u);
  EXPECT_EQ((runs[0][0].x + 100000) % kDashPeriodPixels, 0);
  EXPECT_LE(runs[0][0].x, guard.left);
  EXPECT_GT(runs[0][0].x, guard.left - kDashPeriodPixels);
  EXPECT_EQ(runs[0][0].y, 100);
  EXPECT_EQ(runs[0][1].x, guard.right);
  // Up: the steps count from the stroke's start, over the segments that
  // missed the area too.
  ASSERT_EQ(runs[1].size(), 2u);
  const long before = 200000 + 49900 + 99900;
  EXPECT_EQ(runs[1][0].x, 100);
  EXPECT_EQ((before + 50000 - runs[1][0].y) % kDashPeriodPixels, 0);
  EXPECT_GE(runs[1][0].y, guard.bottom);
  EXPECT_LT(runs[1][0].y, guard.bottom + kDashPeriodPixels);
  EXPECT_EQ(runs[1][1].y, guard.top);
}

// The runs of one segment from x0 to x0 + steps along y = 100 (rising one
// pixel), cut to the box with dash pieces.
std::vector<std::vector<POINT>> PiecedRuns(LONG x0, LONG steps, const RECT& guard) {
  const POINT pts[] = {{x0, 100}, {x0 + steps, 101}};
  return StrokeRunsWithin(pts, 2, guard, kDashPieceSteps);
}

TEST(StrokeRuns, ASegmentBeyondTheValidExtentIsCutIntoDashPiecesNearTheArea) {
  const RECT guard = {-64, -64, 264, 264};
  const LONG x0 = -static_cast<LONG>(kCoordLimit);
  const auto runs = PiecedRuns(x0, 2 * static_cast<LONG>(kCoordLimit), guard);
  ASSERT_GT(runs.size(), 1u);
  // The first run begins as an unpieced one would, a whole number of periods
  // from the start just before the guard; the last ends where it leaves.
  EXPECT_EQ((runs.front()[0].x - x0) % kDashPeriodPixels, 0);
  EXPECT_LE(runs.front()[0].x, guard.left);
  EXPECT_GT(runs.front()[0].x, guard.left - kDashPeriodPixels);
  EXPECT_EQ(runs.back().back().x, guard.right);
  for (size_t i = 0; i < runs.size(); ++i) {
    SCOPED_TRACE(i);
    ASSERT_EQ(runs[i].size(), 2u);
    EXPECT_GT(runs[i][1].x, runs[i][0].x);
    EXPECT_LE(runs[i][1].x - runs[i][0].x, kDashPieceSteps);
    if (i == 0) continue;
    // Each piece starts where the one before ended, whole pieces from the start.
    EXPECT_EQ(runs[i][0].x, runs[i - 1][1].x);
    EXPECT_EQ(runs[i][0].y, runs[i - 1][1].y);
    EXPECT_EQ((runs[i][0].x - x0) % kDashPieceSteps, 0);
  }
}

TEST(StrokeRuns, ASegmentAValidPictureCanSpanStaysOneRun) {
  const RECT guard = {-64, -64, 264, 264};
  const LONG x0 = -static_cast<LONG>(kCoordLimit) + 1000;
  const auto runs = PiecedRuns(x0, static_cast<LONG>(kCoordLimit), guard);
  ASSERT_EQ(runs.size(), 1u);
  ASSERT_EQ(runs[0].size(), 2u);
  EXPECT_EQ((runs[0][0].x - x0) % kDashPeriodPixels, 0);
  EXPECT_EQ(runs[0][1].x, guard.right);
}

// Poly-lines within 0 .. kSide: rows zig-zagging across (every vertex a
// whole number of periods from the start), steep and flat zig-zags of odd
// lengths, and scattered points with repeated ones.
std::vector<std::vector<POINT>> ThinDashedStrokes() {
  std::vector<std::vector<POINT>> strokes(5);
  for (LONG i = 0; i < 40; ++i) strokes[0].push_back(POINT{i % 2 ? kSide - 4 : 4, 3 + i});
  for (LONG i = 0; i < 30; ++i) strokes[1].push_back(POINT{5 + i * 6, i % 2 ? 190 : 7 + i});
  for (LONG i = 0; i < 25; ++i) strokes[2].push_back(POINT{i % 2 ? 197 : 3, 10 + i * 7 + i % 3});
  unsigned seed = 12345;
  auto next = [&] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<LONG>((seed >> 8) % kSide);
  };
  for (int i = 0; i < 40; ++i) strokes[3].push_back(POINT{next(), next()});
  for (int i = 0; i < 40; ++i) {
    strokes[4].push_back(POINT{next(), next()});
    if (i % 5 == 0) strokes[4].push_back(strokes[4].back());
  }
  return strokes;
}

TEST(StrokeRuns, ALongThinDashedStrokeDrawnInRunsGivesThePixelsOfOneCall) {
  for (int style : {PS_DOT, PS_DASH, PS_DASHDOT, PS_DASHDOTDOT}) {
    const LOGBRUSH brush = {BS_SOLID, 0, 0};
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT | style, 1, &brush));
    const std::vector<std::vector<POINT>> strokes = ThinDashedStrokes();
    for (size_t k = 0; k < strokes.size(); ++k) {
      const std::vector<POINT>& stroke = strokes[k];
      for (const RECT& clip : {RECT{0, 0, kSide, kSide}, RECT{37, 41, 163, 155}}) {
        SCOPED_TRACE(testing::Message() << "style " << style << " stroke " << k << " clip " << clip.left);
        // The guard takes in the whole stroke: only the runs differ.
        RECT guard = clip;
        ::InflateRect(&guard, kDashedStrokeGuard, kDashedStrokeGuard);
        const auto runs =
            StrokeRunsWithin(stroke.data(), stroke.size(), guard, kDashPieceSteps, DashPeriodOfPen(pen));
        RenderSurface inRuns(kSide, kSide), whole(kSide, kSide);
        ASSERT_TRUE(inRuns.IsValid() && whole.IsValid());
        for (RenderSurface* surface : {&inRuns, &whole}) {
          surface->Fill(0xFFFFFF);
          ::IntersectClipRect(surface->dc(), clip.left, clip.top, clip.right, clip.bottom);
          ::SelectObject(surface->dc(), pen);
        }
        CDC dc(inRuns.dc());
        StrokePolyline(&dc, stroke.data(), stroke.size(), kDashedStrokeGuard);
        ::Polyline(whole.dc(), stroke.data(), static_cast<int>(stroke.size()));
        for (RenderSurface* surface : {&inRuns, &whole})
          ::SelectObject(surface->dc(), ::GetStockObject(BLACK_PEN));
        EXPECT_EQ(inRuns.Pixels(), whole.Pixels());
        EXPECT_GT(whole.CountPixels(0), 0);
        // The stroke was drawn in several calls, each a run from a vertex.
        EXPECT_GT(runs.size(), 1u);
      }
    }
  }
}

TEST(StrokeRuns, AThinDashedPensPeriodIsItsPatterns) {
  const struct {
    DWORD style;
    DWORD width;
    int period;
  } cases[] = {
      {PS_GEOMETRIC | PS_DOT, 1, 2},
      {PS_GEOMETRIC | PS_DASH, 1, 4},
      {PS_GEOMETRIC | PS_DASHDOT, 1, 6},
      {PS_GEOMETRIC | PS_DASHDOTDOT, 1, 8},
      {PS_GEOMETRIC | PS_DOT, 3, kDashPeriodPixels},
      {PS_GEOMETRIC | PS_SOLID, 1, kDashPeriodPixels},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.style << " width " << c.width);
    const LOGBRUSH brush = {BS_SOLID, 0, 0};
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(c.style | PS_ENDCAP_FLAT, c.width, &brush));
    EXPECT_EQ(DashPeriodOfPen(pen), c.period);
  }
  CPen cosmetic;
  ASSERT_TRUE(cosmetic.CreatePen(PS_DOT, 1, RGB(0, 0, 0)));
  EXPECT_EQ(DashPeriodOfPen(cosmetic), kDashPeriodPixels);
  // Each period divides the one every cut keeps to.
  for (int period : {2, 4, 6, 8}) EXPECT_EQ(kDashPeriodPixels % period, 0);
}

TEST_F(HostilePictureTest, InvalidAreasOfHugeSizesDoNotOverflow) {
  for (const char* what : {"pipe 2^31-1 wide", "arrow head 2^31-1 long", "line 8,000,000 wide",
                           "dashed rectangle 1e9 wide with a line 8,000,000 wide"}) {
    SCOPED_TRACE(what);
    const RECT r = Case(CaseNamed(what))->GetInvalidRect();
    EXPECT_LT(r.left, r.right);
    EXPECT_LT(r.top, r.bottom);
    EXPECT_LE(std::labs(r.left), kMostCoord);
    EXPECT_LE(std::labs(r.bottom), kMostCoord);
  }
}

// ---- valid sizes draw exactly as they did ----------------------------------

TEST(DrawBounds, ValidPensAndFontsKeepTheirSizes) {
  CDrawLine line;
  line.m_points = {CPointD(10, 10), CPointD(190, 10)};
  line.m_nLineWidth = 32;
  line.SetViewTransform(POINT{0, 0}, 4.0);
  const GdiRecording pen = RecordGdi(kSide, kSide, [&](HDC hdc) {
    CDC dc(hdc);
    line.Draw(&dc, 0);
  });
  EXPECT_EQ(pen.WidestPen(), 128);

  CDrawText text;
  LOGFONTA lf = DefaultTextFont();
  lf.lfHeight = -200;
  text.SetFont(lf);
  text.SetPoints(CPointD(10, 10), CPointD(100, 10));
  text.SetViewTransform(POINT{0, 0}, 4.0);
  const GdiRecording font = RecordGdi(kSide, kSide, [&](HDC hdc) {
    CDC dc(hdc);
    text.Draw(&dc, 0);
  });
  ASSERT_EQ(font.fonts.size(), 1u);
  EXPECT_EQ(font.fonts[0].lfHeight, -800);
}

TEST(DrawBounds, PenWidthIsTheZoomedLineWidthHeldToItsRange) {
  const struct {
    int width;
    double zoom;
    int pen;
  } cases[] = {{1, 1.0, 1},       {0, 4.0, 1},          {7, 2.5, 17},
               {32, 4.0, 128},    {8000000, 1.0, 1024}, {INT_MAX, 4.0, 1024},
               {INT_MIN, 1.0, 1}, {-5, 2.0, 1},         {3, std::numeric_limits<double>::quiet_NaN(), 1}};
  for (const auto& c : cases) EXPECT_EQ(PenWidth(c.width, c.zoom), c.pen) << c.width << "@" << c.zoom;
}

TEST(DrawBounds, FontSizesAreTruncatedAndHeldToTheLargestCell) {
  const struct {
    double size;
    LONG bounded;
  } cases[] = {{13.0, 13},
               {-13.9, -13},
               {1024.0, 1024},
               {1e9, 1024},
               {-2147483648.0, -1024},
               {1023.99, 1023},
               {0.0, 0},
               {std::numeric_limits<double>::quiet_NaN(), 0}};
  for (const auto& c : cases) EXPECT_EQ(BoundedFontSize(c.size), c.bounded) << c.size;
  LOGFONTA lf = DefaultTextFont();
  lf.lfHeight = INT_MIN;
  lf.lfWidth = INT_MAX;
  lf.lfWeight = -5;
  std::memset(lf.lfFaceName, 'A', sizeof lf.lfFaceName);
  const LOGFONTA bounded = BoundedFont(lf);
  EXPECT_EQ(bounded.lfHeight, -kMaxFontPixels);
  EXPECT_EQ(bounded.lfWidth, kMaxFontPixels);
  EXPECT_EQ(bounded.lfWeight, 0);
  EXPECT_EQ(bounded.lfFaceName[LF_FACESIZE - 1], '\0');
}

TEST(DrawBounds, PipeWidthOnTheDeviceIsHeldToTheWidestStroke) {
  EXPECT_EQ(PipeDeviceWidth(15, 2.0), 30.0);
  EXPECT_EQ(PipeDeviceWidth(INT_MAX, 1.0), kMaxPenWidth);
  EXPECT_EQ(PipeDeviceWidth(-15, 1.0), 0.0);
  EXPECT_EQ(PipeShadeSteps(INT_MAX, 4.0), 512);
  EXPECT_EQ(PipeShadeSteps(INT_MIN, 1.0), 0);
}

TEST(DrawBounds, ArrowHeadsAreDrawnAtMostTheLargestHeadLong) {
  CDrawArrow arrow;
  arrow.m_points = {CPointD(0, 0), CPointD(100, 0)};
  arrow.m_nHeadSize = INT_MAX;
  EXPECT_EQ(arrow.DrawnHeadSize(), CDrawArrow::kMaxHeadSize);
  arrow.m_nHeadSize = INT_MIN;
  EXPECT_EQ(arrow.DrawnHeadSize(), -CDrawArrow::kMaxHeadSize);
  arrow.m_nHeadSize = 18;
  CPointD left, right;
  ASSERT_TRUE(arrow.GetHeadCorners(left, right));
  EXPECT_NEAR(Distance(arrow.m_points[1], left), 18.0, 1e-9);
}

// ---- images ----------------------------------------------------------------

std::vector<BYTE> Header(std::initializer_list<int> bytes) {
  std::vector<BYTE> out;
  for (int b : bytes) out.push_back(static_cast<BYTE>(b));
  return out;
}

TEST(ImageSize, HeadersStateTheirSizeBeforeAnythingIsDecoded) {
  const struct {
    const char* what;
    std::vector<BYTE> bytes;
    bool known;
    LONG cx, cy;
  } cases[] = {
      {"png", Header({0x89, 'P', 'N', 'G', 13, 10, 0x1A, 10,   0,    0, 0, 13,
                      'I',  'H', 'D', 'R', 0,  0,  0x4E, 0x20, 0x80, 0, 0, 0}),
       true, 20000, 0x7FFFFFFF},
      {"gif", Header({'G', 'I', 'F', '8', '9', 'a', 0x10, 0x27, 0xFF, 0xFF}), true, 10000, 65535},
      {"bmp top-down", Header({'B', 'M', 0, 0, 0, 0,    0,    0, 0, 0,    0,    0,    0,
                               0,   40,  0, 0, 0, 0x30, 0x75, 0, 0, 0xD0, 0x8A, 0xFF, 0xFF}),
       true, 30000, 30000},
      {"bmp core", Header({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0, 0, 4, 0, 3, 0}), true, 4,
       3},
      {"jpeg", Header({0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0, 0, 0xFF, 0xFF, 0xC2, 0, 11, 8, 0x10, 0, 0x20, 0}),
       true, 8192, 4096},
      {"jpeg without a frame", Header({0xFF, 0xD8, 0xFF, 0xE0, 0, 200}), false, 0, 0},
      {"png cut short", Header({0x89, 'P', 'N', 'G', 13, 10, 0x1A, 10, 0, 0, 0}), false, 0, 0},
      {"tiff", Header({'I', 'I', 42, 0, 8, 0, 0, 0}), false, 0, 0},
      {"nothing", Header({}), false, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SIZE size = {0, 0};
    ASSERT_EQ(ReadStatedImageSize(c.bytes.data(), c.bytes.size(), &size), c.known);
    if (!c.known) continue;
    EXPECT_EQ(size.cx, c.cx);
    EXPECT_EQ(size.cy, c.cy);
  }
  EXPECT_TRUE(IsDrawableImageSize(6000, 4000));
  EXPECT_FALSE(IsDrawableImageSize(30000, 30000));
}

TEST_F(HostilePictureTest, AnImageStatingThirtyThousandPixelsASideIsRefusedUndecoded) {
  const size_t i = CaseNamed("image stating 30,000 x 30,000 pixels");
  auto* bitmap = static_cast<CDrawBitmap*>(Case(i));
  EXPECT_FALSE(bitmap->LoadImageStream());
  EXPECT_TRUE(bitmap->GetImageData().IsUndecodable());
  EXPECT_FALSE(bitmap->GetImageData().HasImage());
  EXPECT_EQ(bitmap->GetImageSize().cx, CImageData::kDefaultWidth);
  // Only its selection frame and handles are drawn.
  const GdiRecording done = Record(i, 1.0);
  EXPECT_EQ(done.shapes, 0);
  EXPECT_GT(done.patternFills, 0);
}

// Whether two colours differ by at most `most` in every channel.
bool CloseColours(DWORD a, DWORD b, int most) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > most)
      return false;
  return true;
}

TEST_F(HostilePictureTest, AnImageWithCornersAtABillionShowsWhereTheWholeImageWould) {
  auto* bitmap = static_cast<CDrawBitmap*>(Case(CaseNamed("image with corners at 1e9")));
  bitmap->SetSelected(FALSE);
  ASSERT_TRUE(bitmap->LoadImageStream());
  RenderSurface drawn(kSide, kSide);
  RenderSurface whole(kSide, kSide);
  ASSERT_TRUE(drawn.IsValid() && whole.IsValid());
  drawn.Fill(0xFFFFFF);
  whole.Fill(0xFFFFFF);
  CDC dc(drawn.dc());
  bitmap->Draw(&dc, 0);
  // What the platform makes of the whole saturated destination.
  const float edge = static_cast<float>(kCoordLimit);
  const Gdiplus::GpPointF corners[3] = {{-edge, -edge}, {edge, -edge}, {-edge, edge}};
  ASSERT_TRUE(IsBeyondValidImageExtent(corners));
  {
    qel::GdipGraphics graphics(whole.dc());
    ASSERT_TRUE(graphics);
    qel::gdip::GdipDrawImagePoints(graphics.get(), bitmap->GetImageData().Image(), corners, 3);
  }
  EXPECT_EQ(drawn.CountPixels(0xFFFFFF), 0);
  for (const POINT& p : {POINT{0, 0}, POINT{100, 100}, POINT{kSide - 1, kSide - 1}, POINT{5, 190}}) {
    SCOPED_TRACE(p.x);
    SCOPED_TRACE(p.y);
    EXPECT_TRUE(CloseColours(drawn.Pixel(p.x, p.y), whole.Pixel(p.x, p.y), 4))
        << std::hex << drawn.Pixel(p.x, p.y) << " " << whole.Pixel(p.x, p.y);
  }
}

TEST(VisibleImage, AHugeImageEndingInTheClipBoxShowsItsEdgeWhereTheWholeImageWould) {
  CImageData image;
  image.Assign(shapetest::QuadrantBmp(4096, 2));
  ASSERT_TRUE(image.Decode());
  const float edge = static_cast<float>(kCoordLimit);
  // Ends at x = 100: the raster of the visible part is covered only in part.
  const Gdiplus::GpPointF corners[3] = {{-edge, -edge}, {100, -edge}, {-edge, edge}};
  ASSERT_TRUE(IsBeyondValidImageExtent(corners));
  RenderSurface drawn(kSide, kSide);
  RenderSurface whole(kSide, kSide);
  ASSERT_TRUE(drawn.IsValid() && whole.IsValid());
  drawn.Fill(0xFFFFFF);
  whole.Fill(0xFFFFFF);
  DrawVisibleImagePart(drawn.dc(), image.Image(), corners);
  {
    qel::GdipGraphics graphics(whole.dc());
    ASSERT_TRUE(graphics);
    qel::gdip::GdipDrawImagePoints(graphics.get(), image.Image(), corners, 3);
  }
  EXPECT_NE(drawn.Pixel(50, 50), 0xFFFFFFu);
  EXPECT_EQ(drawn.Pixel(150, 50), 0xFFFFFFu);
  for (int y : {0, 100, kSide - 1}) {
    for (int x : {10, 50, 80, 120, kSide - 1}) {
      SCOPED_TRACE(x);
      SCOPED_TRACE(y);
      EXPECT_TRUE(CloseColours(drawn.Pixel(x, y), whole.Pixel(x, y), 4))
          << std::hex << drawn.Pixel(x, y) << " " << whole.Pixel(x, y);
    }
  }
}

TEST(VisibleImage, OnlyADestinationBeyondWhatAValidPictureSpansIsDrawnInPart) {
  const float limit = static_cast<float>(kCoordLimit);
  const struct {
    Gdiplus::GpPointF corners[3];
    bool beyond;
  } cases[] = {
      {{{0, 0}, {limit, 0}, {0, limit}}, false},      // a whole valid picture at 400%
      {{{-limit, 0}, {0, 0}, {-limit, 100}}, false},  // scrolled far
      {{{0, 0}, {limit + 2, 0}, {0, 10}}, true},
      {{{0, -limit}, {0, 0}, {limit, -limit}}, false},    // turned
      {{{0, 0}, {limit, limit}, {limit, -limit}}, true},  // turned: the box spans 2 x limit
  };
  for (const auto& c : cases) EXPECT_EQ(IsBeyondValidImageExtent(c.corners), c.beyond);
}

TEST(DrawBounds, ALongTextInAHugeFrameLaysOutOnlyTheLinesDownToWhatIsVisible) {
  CDrawMtext text;
  text.SetCorners(CRectD(0, 0, 300, 1e9));
  LOGFONTA lf = DefaultTextFont();
  lf.lfHeight = -20;
  text.SetFont(lf);
  std::string words;
  for (int i = 0; i < 20000; ++i) words += "WORD ";
  text.SetText(words.c_str());
  const GdiRecording done = RecordGdi(kSide, kSide, [&](HDC hdc) {
    CDC dc(hdc);
    text.Draw(&dc, 0);
  });
  // Lines of at least 20 pixels down to the bottom of a 200-pixel area, and
  // the one that passes it; the text holds thousands.
  EXPECT_GE(done.texts, 5);
  EXPECT_LE(done.texts, 200 / 20 + 1);
}

// ---- turned texts of any size ------------------------------------------------

TEST(TurnedText, TheBitmapCoversOnlyWhatTheClipBoxShows) {
  // A frame of 100,000 x 100,000 pixels turned by 30 degrees, seen through
  // 200 x 200 pixels.
  DeviceFrame frame;
  frame.width = 100000;
  frame.height = 100000;
  const DirPair turn = DirectionOfDegrees(30);
  frame.xform = XFORM{static_cast<FLOAT>(turn.cosine),
                      static_cast<FLOAT>(turn.sine),
                      static_cast<FLOAT>(-turn.sine),
                      static_cast<FLOAT>(turn.cosine),
                      -20000,
                      -60000};
  const RECT clip = {0, 0, kSide, kSide};
  const RECT part = VisibleFramePart(frame, clip);
  const LONG w = part.right - part.left;
  const LONG h = part.bottom - part.top;
  ASSERT_GT(w, 0);
  ASSERT_GT(h, 0);
  // The clip box's bounding box in the frame, a pixel more on each side.
  const double reach = kSide * (turn.cosine + turn.sine) + 4;
  EXPECT_LE(w, reach);
  EXPECT_LE(h, reach);
  // Every corner of the clip box lies inside the part.
  for (POINT c : {POINT{0, 0}, POINT{kSide, 0}, POINT{0, kSide}, POINT{kSide, kSide}}) {
    const double dx = c.x - frame.xform.eDx, dy = c.y - frame.xform.eDy;
    const double u = dx * turn.cosine + dy * turn.sine;
    const double v = -dx * turn.sine + dy * turn.cosine;
    EXPECT_GE(u, part.left);
    EXPECT_LE(u, part.right);
    EXPECT_GE(v, part.top);
    EXPECT_LE(v, part.bottom);
  }
  // Nothing of a frame beside the clip box shows.
  frame.xform.eDx = 5000;
  frame.xform.eDy = 5000;
  const RECT none = VisibleFramePart(frame, clip);
  EXPECT_TRUE(::IsRectEmpty(&none));
}

TEST(TurnedText, AHugeTurnedTextShowsItsGlyphsWhereItIsVisible) {
  RenderSurface surface(kSide, kSide);
  ASSERT_TRUE(surface.IsValid());
  surface.Fill(0xFFFFFF);
  CDC dc(surface.dc());
  // 6,000 x 6,000 turned by 180 degrees about (100, 100): the frame's top-left
  // corner (where its first line starts) lies at (100, 100), the rest of it
  // far up and to the left, out of sight.
  CDrawMtext text;
  text.SetCorners(CRectD(100, 100, 6100, 6100));
  text.m_nFillStyle = 0;
  text.m_clrLine = kNoColor;
  text.m_clrText = RGB(0, 0, 255);
  LOGFONTA lf = DefaultTextFont();
  lf.lfHeight = -40;
  text.SetFont(lf);
  text.SetText("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
  text.Rotate(CPointD(100, 100), DirectionOfDegrees(180));
  text.Draw(&dc, 0);
  // The first line runs leftwards from about (96, 96), upside down, so its
  // glyphs fill the band just above that point.
  int blue = 0;
  for (int y = 40; y < 100; ++y)
    for (int x = 0; x < 100; ++x)
      blue += (surface.Pixel(x, y) & 0xFF) > 0x80 && (surface.Pixel(x, y) >> 16) < 0x80;
  EXPECT_GT(blue, 300);
  // Nothing lands beyond the frame.
  for (int y = 110; y < kSide; ++y) EXPECT_EQ(surface.Pixel(150, y), 0xFFFFFFu);
}

}  // namespace
