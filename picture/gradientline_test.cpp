// Gradients filled through one line of them come out as GDI+ fills them
// pixel by pixel: upright rectangles and polygons, on DCs set up as a
// window's partial repaint or a kept drawing's surface sets them up.
#include "gradientline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "rectpaint.h"
#include "render_surface.h"
#include "shapepaint.h"

namespace {

using qeltest::RenderSurface;

constexpr int kSide = 160;

// How the DC is set up before the fill: the clip and the mapping a window's
// partial repaint or a kept drawing's surface gives it.
struct DcSetup {
  const char* what;
  std::function<void(HDC)> apply;
};

void ClipTo(HDC hdc, std::initializer_list<RECT> parts) {
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  for (const RECT& r : parts) {
    HRGN part = ::CreateRectRgnIndirect(&r);
    ::CombineRgn(region, region, part, RGN_OR);
    ::DeleteObject(part);
  }
  ::SelectClipRgn(hdc, region);
  ::DeleteObject(region);
}

const DcSetup kSetups[] = {
    {"the whole surface", [](HDC) {}},
    {"a clip box inside",
     [](HDC dc) {
       ClipTo(dc, {{31, 17, 97, 120}});
     }},
    {"a clip of two parts",
     [](HDC dc) {
       ClipTo(dc, {{0, 0, 40, 40}, {70, 90, 150, 140}});
     }},
    {"a window origin", [](HDC dc) { ::SetWindowOrgEx(dc, 23, -11, nullptr); }},
    {"a window origin and a clip",
     [](HDC dc) {
       ClipTo(dc, {{5, 60, 120, 100}});
       ::SetViewportOrgEx(dc, -37, 14, nullptr);
     }},
};

struct FrameCase {
  const char* what;
  int left, top, width, height;
};

const FrameCase kFrames[] = {
    {"inside the surface", 20, 30, 120, 60},
    {"one pixel wide", 50, 10, 1, 90},
    {"one pixel high", 10, 50, 90, 1},
    {"past the left and top edges", -45, -20, 110, 70},
    {"past the right and bottom edges", 100, 110, 90, 80},
    {"over the whole surface and far beyond", -65535, -65535, 131071, 131071},
};

DeviceFrame UprightFrame(const FrameCase& f) {
  DeviceFrame frame;
  frame.width = f.width;
  frame.height = f.height;
  frame.xform.eDx = static_cast<FLOAT>(f.left);
  frame.xform.eDy = static_cast<FLOAT>(f.top);
  return frame;
}

// A background GDI+ must leave alone outside the fill.
void Paper(RenderSurface& surface) {
  surface.Fill(0xF0E0D0);
  ::SelectClipRgn(surface.dc(), nullptr);
  ::SetWindowOrgEx(surface.dc(), 0, 0, nullptr);
  ::SetViewportOrgEx(surface.dc(), 0, 0, nullptr);
}

// Fills the same way on two surfaces, each papered and set up alike, and
// compares every pixel.
void ExpectSamePixels(const DcSetup& setup, const std::function<void(HDC)>& reference,
                      const std::function<void(HDC)>& fill) {
  RenderSurface byGdiplus(kSide, kSide), filled(kSide, kSide);
  Paper(byGdiplus);
  setup.apply(byGdiplus.dc());
  reference(byGdiplus.dc());
  Paper(filled);
  setup.apply(filled.dc());
  fill(filled.dc());
  const std::vector<DWORD> expected = byGdiplus.Pixels();
  const std::vector<DWORD> got = filled.Pixels();
  int differing = 0;
  size_t first = 0;
  for (size_t i = got.size(); i-- > 0;)
    if (got[i] != expected[i]) {
      ++differing;
      first = i;
    }
  EXPECT_EQ(differing, 0) << "pixels differ, the first at (" << first % kSide << ", " << first / kSide
                          << "): " << std::hex << got[first] << " instead of " << expected[first];
}

// Every gradient style (and the plain fill from firstStyle 1), every case,
// every DC set-up.
template <class Case, size_t N, class Check>
void ForEachStyleCaseAndSetup(const Case (&cases)[N], Check check, int firstStyle = 2) {
  for (int style = firstStyle; style <= 5; ++style)
    for (const Case& c : cases)
      for (const DcSetup& setup : kSetups) {
        SCOPED_TRACE(testing::Message() << "style " << style << ", " << c.what << ", " << setup.what);
        check(style, c, setup);
      }
}

TEST(GradientLine, AnUprightPlainOrGradientRectangleHasGdiplusOwnPixels) {
  ForEachStyleCaseAndSetup(
      kFrames,
      [](int style, const FrameCase& f, const DcSetup& setup) {
        const DeviceFrame frame = UprightFrame(f);
        const COLORREF c1 = RGB(250, 120 + style, 3);
        const COLORREF c2 = RGB(7, 40, 200 - style);
        ExpectSamePixels(
            setup, [&](HDC dc) { FillFrameShapeByGdiplus(dc, frame, FrameShape::rectangle, style, c1, c2); },
            [&](HDC dc) { FillFrameShape(dc, frame, FrameShape::rectangle, style, c1, c2); });
      },
      1);
}

TEST(GradientLine, AnUprightPlainOrGradientEllipseHasGdiplusOwnPixels) {
  ForEachStyleCaseAndSetup(
      kFrames,
      [](int style, const FrameCase& f, const DcSetup& setup) {
        const DeviceFrame frame = UprightFrame(f);
        const COLORREF c1 = RGB(5, 120 + style, 250);
        const COLORREF c2 = RGB(240, 40, 20 + style);
        ExpectSamePixels(
            setup, [&](HDC dc) { FillFrameShapeByGdiplus(dc, frame, FrameShape::ellipse, style, c1, c2); },
            [&](HDC dc) { FillFrameShape(dc, frame, FrameShape::ellipse, style, c1, c2); });
      },
      1);
}

struct PolygonCase {
  const char* what;
  std::vector<POINT> points;
};

const PolygonCase kPolygons[] = {
    {"a triangle", {{20, 10}, {140, 60}, {35, 150}}},
    {"a concave outline", {{10, 10}, {150, 10}, {150, 150}, {80, 40}, {10, 150}}},
    {"a star crossing itself", {{80, 5}, {125, 150}, {8, 55}, {152, 55}, {35, 150}}},
    {"a sliver", {{5, 70}, {155, 72}, {5, 73}}},
    {"past the edges", {{-40, -30}, {200, 20}, {90, 210}}},
    {"saturated far out", {{-65536, 50}, {150, -65536}, {65536, 65536}}},
};

TEST(GradientLine, AGradientPolygonHasGdiplusOwnPixels) {
  ForEachStyleCaseAndSetup(kPolygons, [](int style, const PolygonCase& p, const DcSetup& setup) {
    RECT spread = {p.points[0].x, p.points[0].y, p.points[0].x, p.points[0].y};
    for (const POINT& pt : p.points) {
      spread.left = std::min(spread.left, pt.x);
      spread.top = std::min(spread.top, pt.y);
      spread.right = std::max(spread.right, pt.x);
      spread.bottom = std::max(spread.bottom, pt.y);
    }
    const int n = static_cast<int>(p.points.size());
    const COLORREF c1 = RGB(255, 200, 10 * style);
    const COLORREF c2 = RGB(0, 30, 120);
    ExpectSamePixels(
        setup, [&](HDC dc) { FillGradientPolygonByGdiplus(dc, p.points.data(), n, spread, style, c1, c2); },
        [&](HDC dc) { FillGradientPolygon(dc, p.points.data(), n, spread, style, c1, c2); });
  });
}

}  // namespace
