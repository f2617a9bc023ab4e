// The kept surface of the runtime window paints the same pixels as a fresh
// memory surface made for each paint.
#include "runsurface.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "drawellipse.h"
#include "drawrect.h"
#include "geometry.h"
#include "memdc.h"
#include "render_surface.h"

using qeltest::RenderSurface;

namespace {

constexpr int kWidth = 200, kHeight = 150;
constexpr DWORD kUntouched = 0x123456;
constexpr COLORREF kBack = RGB(250, 250, 240);

// An object that leaves the context as it found it only in part: colours,
// modes, a selected brush and the graphics mode stay changed after it drew.
class CCarelessObj : public CDrawObj {
 public:
  void Draw(CDC* pDC, DWORD) override {
    ::SetBkColor(*pDC, RGB(1, 2, 3));
    ::SetTextColor(*pDC, RGB(200, 0, 200));
    ::SetBkMode(*pDC, OPAQUE);
    ::SelectObject(*pDC, ::GetStockObject(BLACK_BRUSH));
    ::SetGraphicsMode(*pDC, GM_ADVANCED);
    const XFORM shift = {1, 0, 0, 1, 7, 5};
    ::SetWorldTransform(*pDC, &shift);
    ::Rectangle(*pDC, 150, 10, 170, 30);
    ::ModifyWorldTransform(*pDC, nullptr, MWT_IDENTITY);
  }
};

// An object that draws with whatever the context holds.
class CTrustingObj : public CDrawObj {
 public:
  void Draw(CDC* pDC, DWORD) override {
    ::Rectangle(*pDC, 120, 100, 190, 140);
    ::TextOutA(*pDC, 125, 110, "Ab", 2);
  }
};

// A few filled shapes, one of them turned (drawn through a world transform),
// and one that takes the context as it comes.
std::vector<std::unique_ptr<CDrawObj>> Scene(bool careless) {
  std::vector<std::unique_ptr<CDrawObj>> objects;
  if (careless) objects.emplace_back(new CCarelessObj);
  objects.emplace_back(new CTrustingObj);
  auto* rect = new CDrawRect;
  rect->SetCorners(CRectD(10, 10, 90, 60));
  rect->m_nFillStyle = 1;
  rect->m_clrFill1 = RGB(0, 160, 0);
  rect->m_clrLine = RGB(0, 0, 0);
  objects.emplace_back(rect);
  auto* turned = new CDrawRect;
  turned->SetCorners(CRectD(100, 40, 180, 80));
  turned->Rotate(CPointD(140, 60), DirectionOfDegrees(30));
  turned->m_nFillStyle = 1;
  turned->m_clrFill1 = RGB(200, 0, 0);
  objects.emplace_back(turned);
  auto* ellipse = new CDrawEllipse;
  ellipse->SetCorners(CRectD(30, 70, 130, 140));
  ellipse->m_nFillStyle = 1;
  ellipse->m_clrFill1 = RGB(0, 0, 200);
  objects.emplace_back(ellipse);
  return objects;
}

// Paints `objects` over `area` of `out` as each paint did before: a memory
// surface made for the paint over the clip box.
void PaintFresh(RenderSurface& out, const RECT& area, const std::vector<std::unique_ptr<CDrawObj>>& objects) {
  CDC output(out.dc());
  const int saved = output.SaveDC();
  ::IntersectClipRect(out.dc(), area.left, area.top, area.right, area.bottom);
  output.SetBkColor(kBack);
  {
    CMemDC surface(&output);
    for (const auto& obj : objects) obj->Draw(&surface, 0);
  }
  output.RestoreDC(saved);
  output.Detach();
  ::GdiFlush();
}

void PaintKept(CRunSurface& kept, RenderSurface& out, const RECT& area,
               const std::vector<std::unique_ptr<CDrawObj>>& objects) {
  CDC output(out.dc());
  CDC* surface = kept.Begin(output, SIZE{kWidth, kHeight}, area, kBack);
  ASSERT_NE(surface, nullptr);
  for (const auto& obj : objects) obj->Draw(surface, 0);
  kept.End(output);
  output.Detach();
  ::GdiFlush();
}

int DifferentPixels(const RenderSurface& a, const RenderSurface& b) {
  int different = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) ++different;
  return different;
}

TEST(RunSurface, EveryPaintGivesThePixelsOfAFreshSurface) {
  // One kept surface through a series of paints: the whole window, parts of
  // it, a part after a larger one, and paints after an object that left the
  // context changed.
  const struct {
    RECT area;
    bool careless;
  } kPaints[] = {
      {{0, 0, kWidth, kHeight}, false},   {{20, 30, 120, 90}, false},       {{0, 0, kWidth, kHeight}, true},
      {{95, 35, 185, 85}, false},         {{0, 0, kWidth, kHeight}, false}, {{1, 1, 2, 2}, true},
      {{0, 100, kWidth, kHeight}, false},
  };
  CRunSurface kept;
  for (const auto& paint : kPaints) {
    const auto objects = Scene(paint.careless);
    RenderSurface fresh(kWidth, kHeight), reused(kWidth, kHeight);
    ASSERT_TRUE(fresh.IsValid() && reused.IsValid());
    fresh.Fill(kUntouched);
    reused.Fill(kUntouched);
    PaintFresh(fresh, paint.area, objects);
    PaintKept(kept, reused, paint.area, objects);
    EXPECT_EQ(DifferentPixels(fresh, reused), 0)
        << paint.area.left << "," << paint.area.top << " - " << paint.area.right << "," << paint.area.bottom;
    const int areaPixels = (paint.area.right - paint.area.left) * (paint.area.bottom - paint.area.top);
    EXPECT_EQ(reused.CountPixels(kUntouched), kWidth * kHeight - areaPixels) << "only the area";
  }
}

TEST(RunSurface, AWindowThatGrewGetsASurfaceOfItsNewSize) {
  CRunSurface kept;
  RenderSurface out(kWidth, kHeight);
  ASSERT_TRUE(out.IsValid());
  CDC output(out.dc());
  const RECT small = {0, 0, 50, 40};
  ASSERT_NE(kept.Begin(output, SIZE{50, 40}, small, RGB(0, 0, 255)), nullptr);
  kept.End(output);
  const RECT whole = {0, 0, kWidth, kHeight};
  ASSERT_NE(kept.Begin(output, SIZE{kWidth, kHeight}, whole, RGB(255, 0, 0)), nullptr);
  kept.End(output);
  output.Detach();
  ::GdiFlush();
  EXPECT_EQ(out.CountPixels(qeltest::RgbOf(RGB(255, 0, 0))), kWidth * kHeight);
}

}  // namespace
