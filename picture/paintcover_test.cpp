// A paint that leaves out what a later object hides (CCoverCut) sets the
// very pixels of a paint that draws everything: the cut is compared with
// drawing every object (every child of a group alone) on small pictures
// whose covers stand just inside or outside what they may hide, and what
// it leaves out is seen not to be drawn.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "drawbezier.h"
#include "drawbitmap.h"
#include "drawbutton.h"
#include "drawcell.h"
#include "drawellipse.h"
#include "drawgroup.h"
#include "drawline.h"
#include "drawmtext.h"
#include "drawpipe.h"
#include "drawpolygon.h"
#include "drawrect.h"
#include "drawtext.h"
#include "gdi_recording.h"
#include "hostile_pictures.h"
#include "paintcover.h"
#include "pictureclasses.h"
#include "picobj.h"
#include "render_surface.h"
#include "shapepaint.h"
#include "shapes_test_util.h"

namespace {

using qeltest::RenderSurface;

constexpr int kSide = 40;
// The area painted: the DC is clipped to it.
constexpr RECT kArea = {8, 8, 32, 32};
const double kNaN = std::numeric_limits<double>::quiet_NaN();

using Objects = std::vector<CDrawObj*>;

// A plain red rectangle with a black outline one pixel wide.
CDrawRect* Cover(const CRectD& r) {
  auto* cover = new CDrawRect;
  cover->SetCorners(r);
  cover->m_nFillStyle = 1;
  cover->m_clrFill1 = RGB(200, 0, 0);
  return cover;
}

// A cover reaching two pixels past the area on every side.
CDrawRect* Cover() { return Cover(CRectD(6, 6, 34, 34)); }

template <class T>
T* With(T* obj, const std::function<void(T&)>& change) {
  change(*obj);
  return obj;
}

// What lies under a cover: a gradient ellipse and a dotted line across the
// surface, a green rectangle over the area's edge.
void AddUnder(Objects& objects) {
  auto* ellipse = new CDrawEllipse;
  ellipse->SetCorners(CRectD(0, 0, kSide, kSide));
  ellipse->m_nFillStyle = 3;
  ellipse->m_clrFill2 = RGB(0, 0, 255);
  objects.push_back(ellipse);
  auto* line = new CDrawPoly;
  line->m_points = {CPointD(0, 0), CPointD(kSide, kSide), CPointD(0, kSide)};
  line->m_nLineStyle = PS_DOT;
  objects.push_back(line);
  auto* edge = Cover(CRectD(2, 2, 12, 36));
  edge->m_clrFill1 = RGB(0, 160, 0);
  objects.push_back(edge);
}

// What comes after a cover: a selected blue square inside the area.
CDrawObj* Over() {
  CDrawRect* over = Cover(CRectD(14, 14, 22, 22));
  over->m_clrFill1 = RGB(0, 0, 255);
  over->SetSelected(TRUE);
  return over;
}

// The objects under, then the cover, then one over it.
Objects Around(CDrawObj* cover) {
  Objects objects;
  AddUnder(objects);
  objects.push_back(cover);
  objects.push_back(Over());
  return objects;
}

CDrawGroup* GroupOf(const Objects& children) {
  auto* group = new CDrawGroup;
  for (CDrawObj* child : children) EXPECT_TRUE(group->AddChild(child));
  group->ResetReferenceRect();
  return group;
}

struct Case {
  const char* what;
  bool hides;  // whether the cut leaves out what lies under the cover
  std::function<Objects()> make;
  std::function<void(HDC)> prepare = nullptr;  // the DC's state, if not the default
};

void ScaleTwice(HDC hdc) {
  ::SetMapMode(hdc, MM_ANISOTROPIC);
  ::SetWindowExtEx(hdc, 1, 1, nullptr);
  ::SetViewportExtEx(hdc, 2, 2, nullptr);
}

std::vector<Case> Cases() {
  return {
      {"a cover two pixels past the area", true, [] { return Around(Cover()); }},
      {"a cover one pixel past the area", false, [] { return Around(Cover(CRectD(7, 7, 34, 34))); }},
      {"a cover without an outline whose fill ends inside the area", false,
       [] {
         return Around(With<CDrawRect>(Cover(CRectD(6, 6, 31, 34)), [](auto& c) { c.m_clrLine = kNoColor; }));
       }},
      {"a cover without an outline", true,
       [] { return Around(With<CDrawRect>(Cover(), [](auto& c) { c.m_clrLine = kNoColor; })); }},
      {"a cover with a dashed outline", true,
       [] { return Around(With<CDrawRect>(Cover(), [](auto& c) { c.m_nLineStyle = PS_DASH; })); }},
      {"a cover with an outline 10 pixels wide", true,
       [] { return Around(With<CDrawRect>(Cover(), [](auto& c) { c.m_nLineWidth = 10; })); }},
      {"a cover with an outline 100 pixels wide", false,
       [] { return Around(With<CDrawRect>(Cover(), [](auto& c) { c.m_nLineWidth = 100; })); }},
      {"a cover with a line style of 99", false,
       [] { return Around(With<CDrawRect>(Cover(), [](auto& c) { c.m_nLineStyle = 99; })); }},
      {"a hidden cover", false,
       [] { return Around(With<CDrawRect>(Cover(), [](auto& c) { c.m_bVisible = FALSE; })); }},
      {"a cover with a gradient fill", false,
       [] { return Around(With<CDrawRect>(Cover(), [](auto& c) { c.m_nFillStyle = 2; })); }},
      {"a cover with a percentage fill", false,
       [] {
         return Around(With<CDrawRect>(Cover(), [](auto& c) { c.SetPercentFill(0.5, 1, RGB(0, 0, 0)); }));
       }},
      {"a cover with a palette colour", false,
       [] { return Around(With<CDrawRect>(Cover(), [](auto& c) { c.m_clrFill1 = PALETTEINDEX(1); })); }},
      {"a turned cover", false,
       [] {
         return Around(With<CDrawRect>(Cover(CRectD(-100, -100, 140, 140)),
                                       [](auto& c) { c.Rotate(CPointD(20, 20), DirectionOfDegrees(30)); }));
       }},
      {"a cover with NaN corners", false, [] { return Around(Cover(CRectD(kNaN, -100, 140, kNaN))); }},
      {"a cover whose sides overflow", false,
       [] { return Around(Cover(CRectD(-1e308, -1e308, 1e308, 1e308))); }},
      {"a cover 2e9 wide", true, [] { return Around(Cover(CRectD(-1e9, -1e9, 1e9, 1e9))); }},
      {"a cover zoomed and scrolled onto the area", true,
       [] {
         return Around(With<CDrawRect>(Cover(CRectD(8, 8, 22, 22)), [](auto& c) {
           c.SetViewTransform(POINT{10, 10}, 2.0);
         }));
       }},
      {"a cover zoomed and scrolled off the area", false,
       [] {
         return Around(With<CDrawRect>(Cover(CRectD(8, 8, 22, 22)), [](auto& c) {
           c.SetViewTransform(POINT{11, 10}, 2.0);
         }));
       }},
      {"a cover under R2_XORPEN", false, [] { return Around(Cover()); },
       [](HDC hdc) { ::SetROP2(hdc, R2_XORPEN); }},
      {"a cover on a DC that scales", false, [] { return Around(Cover(CRectD(3, 3, 17, 17))); }, ScaleTwice},
      {"a cover inside a group", true,
       [] {
         Objects inside;
         AddUnder(inside);
         inside.push_back(Cover());
         inside.push_back(Over());
         Objects objects;
         AddUnder(objects);
         objects.push_back(GroupOf(inside));
         return objects;
       }},
      {"a cover after a group", true,
       [] {
         Objects under;
         AddUnder(under);
         return Objects{GroupOf(under), Cover(), Over()};
       }},
      {"a cover after a group holding a text", true,
       [] {
         Objects under;
         AddUnder(under);
         auto* text = new CDrawText;
         text->SetText("under");
         text->SetPoints(CPointD(10, 10), CPointD(30, 30));
         under.push_back(text);
         return Objects{GroupOf(under), Cover(), Over()};
       }},
      {"a hidden cover inside a group", false,
       [] {
         Objects inside;
         AddUnder(inside);
         inside.push_back(With<CDrawRect>(Cover(), [](auto& c) { c.m_bVisible = FALSE; }));
         return Objects{GroupOf(inside), Over()};
       }},
  };
}

// The objects, groups taken apart into their children (each drawn alone).
void DrawEachAlone(CDC& dc, CDrawObj* obj) {
  if (obj->IsKindOf(RUNTIME_CLASS(CDrawGroup)))
    static_cast<CDrawGroup*>(obj)->ForEachChild([&](CDrawObj* child) { DrawEachAlone(dc, child); });
  else
    obj->Draw(&dc, 0);
}

// What a window paints under its objects: stripes over the area.
void PaintBackground(HDC hdc) {
  for (int x = kArea.left; x < kArea.right; x += 3) {
    const RECT stripe = {x, kArea.top, x + 1, kArea.bottom};
    ::FillRect(hdc, &stripe, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  }
}

struct Painted {
  std::vector<DWORD> pixels;
  bool hidden = false;
};

// The objects painted on a grey surface clipped to the area, every one of
// them or only those the cut leaves in.
Painted Paint(const Case& c, bool cut) {
  RenderSurface surface(kSide, kSide);
  EXPECT_TRUE(surface.IsValid());
  surface.Fill(0x808080);
  const int saved = ::SaveDC(surface.dc());
  if (c.prepare) c.prepare(surface.dc());
  ::IntersectClipRect(surface.dc(), kArea.left, kArea.top, kArea.right, kArea.bottom);
  Objects objects = c.make();
  Painted painted;
  {
    CDC dc(surface.dc());
    if (cut) {
      const CCoverCut cover(dc, objects);
      painted.hidden = cover.HidesBackground();
      if (!painted.hidden) PaintBackground(dc);
      for (size_t i = 0; i < objects.size(); ++i)
        if (cover.Draws(i, objects[i])) objects[i]->Draw(&dc, 0);
    } else {
      PaintBackground(dc);
      for (CDrawObj* obj : objects) DrawEachAlone(dc, obj);
    }
  }
  ::RestoreDC(surface.dc(), saved);
  for (CDrawObj* obj : objects) delete obj;
  painted.pixels = surface.Pixels();
  return painted;
}

class CoverCutTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterPictureClasses(); }
};

TEST_F(CoverCutTest, LeavingOutWhatACoverHidesPaintsThePixelsOfDrawingEverything) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.what);
    const Painted all = Paint(c, false);
    const Painted cut = Paint(c, true);
    EXPECT_EQ(cut.hidden, c.hides);
    EXPECT_EQ(cut.pixels, all.pixels);
  }
}

// The worst damaged picture: its screen-wide rectangles hide what lies
// under them, its rectangle of sides of 1e308 does not.
TEST_F(CoverCutTest, TheDamagedPictureCutPaintsThePixelsOfDrawingEverything) {
  std::unique_ptr<CPicObj> picture = hostile::HostilePicture();
  Objects objects;
  CObList& list = picture->GetLayer(0)->m_objects;
  for (POSITION pos = list.GetHeadPosition(); pos;)
    objects.push_back(static_cast<CDrawObj*>(list.GetNext(pos)));
  RenderSurface all(kSide * 5, kSide * 5), cut(kSide * 5, kSide * 5);
  {
    CDC dc(all.dc());
    for (CDrawObj* obj : objects) obj->Draw(&dc, 0);
  }
  {
    CDC dc(cut.dc());
    const CCoverCut cover(dc, objects);
    EXPECT_TRUE(cover.HidesBackground());
    size_t left = 0;
    for (size_t i = 0; i < objects.size(); ++i) {
      if (cover.Draws(i, objects[i]))
        objects[i]->Draw(&dc, 0);
      else
        ++left;
    }
    EXPECT_GT(left, objects.size() / 2);
  }
  EXPECT_EQ(cut.Pixels(), all.Pixels());
}

// A gradient or an image is kept at its second paint: under a cover, left
// out of both paints, they keep nothing; without the cover over them, both
// are kept, and so once the cover goes.
TEST_F(CoverCutTest, WhatACoverHidesIsNotDrawn) {
  for (bool coverLast : {true, false}) {
    SCOPED_TRACE(coverLast ? "the cover last" : "the cover first");
    auto* ellipse = new CDrawEllipse;
    ellipse->SetCorners(CRectD(0, 0, kSide, kSide));
    ellipse->m_nFillStyle = 3;
    auto* image = new CDrawBitmap;
    image->SetCorners(CRectD(0, 0, kSide, kSide));
    shapetest::SetImageBytes(*image, shapetest::QuadrantBmp(2, 2));
    CDrawRect* cover = Cover();
    Objects objects = coverLast ? Objects{ellipse, image, cover} : Objects{cover, ellipse, image};
    std::unique_ptr<CDrawGroup> group(GroupOf(objects));
    RenderSurface surface(kSide, kSide);
    ::IntersectClipRect(surface.dc(), kArea.left, kArea.top, kArea.right, kArea.bottom);
    CDC dc(surface.dc());
    for (int paint = 0; paint < 2; ++paint) group->Draw(&dc, 0);
    EXPECT_EQ(ellipse->m_paintCache.Kept() == nullptr, coverLast);
    EXPECT_EQ(image->m_paintCache.Kept() == nullptr, coverLast);
    if (!coverLast) continue;
    cover->SetVisible(FALSE);
    for (int paint = 0; paint < 2; ++paint) group->Draw(&dc, 0);
    EXPECT_NE(ellipse->m_paintCache.Kept(), nullptr);
    EXPECT_NE(image->m_paintCache.Kept(), nullptr);
  }
}

// A metafile records the calls, which a later playing may scale or clip
// elsewhere: nothing is left out of it.
TEST_F(CoverCutTest, AMetafileRecordsEveryObject) {
  const auto record = [](bool cut) {
    return qeltest::RecordGdi(kSide, kSide, [&](HDC hdc) {
      Objects objects = Around(Cover());
      CDC dc(hdc);
      const CCoverCut cover(dc, objects);
      EXPECT_FALSE(cover.HidesBackground());
      for (size_t i = 0; i < objects.size(); ++i)
        if (!cut || cover.Draws(i, objects[i])) objects[i]->Draw(&dc, 0);
      for (CDrawObj* obj : objects) delete obj;
    });
  };
  const qeltest::GdiRecording all = record(false), cut = record(true);
  EXPECT_GE(all.shapes, 4);
  EXPECT_EQ(cut.shapes, all.shapes);
  EXPECT_EQ(cut.records, all.records);
}

// A class derived from the rectangle may draw anything.
class CDerivedRect : public CDrawRect {};

TEST_F(CoverCutTest, OnlyObjectsThatDoNothingButPaintAreLeftOut) {
  const struct {
    const char* what;
    std::function<CDrawObj*()> make;
    bool onlyPaints;
  } cases[] = {
      {"poly-line", [] { return new CDrawPoly; }, true},
      {"line", [] { return new CDrawLine; }, true},
      {"arrow", [] { return new CDrawArrow; }, true},
      {"polygon", [] { return new CDrawPolygon; }, true},
      {"curve", [] { return new CDrawBezier; }, true},
      {"closed curve", [] { return new CDrawBezierFill; }, true},
      {"pipe", [] { return new CDrawPipe; }, true},
      {"rectangle", [] { return new CDrawRect; }, true},
      {"ellipse", [] { return new CDrawEllipse; }, true},
      {"multi-line text", [] { return new CDrawMtext; }, true},
      {"tag value", [] { return new CDrawTagVal; }, true},
      {"text", [] { return new CDrawText; }, false},
      {"image", [] { return new CDrawBitmap; }, true},
      {"push button", [] { return new CDrawPushBt; }, false},
      {"base object", [] { return new CDrawObj; }, false},
      {"derived rectangle", [] { return new CDerivedRect; }, false},
      {"group of shapes",
       [] {
         return GroupOf({new CDrawRect, new CDrawEllipse});
       },
       true},
      {"sub-picture of a polygon",
       [] {
         auto* cell = new CDrawCell;
         cell->AddChild(new CDrawPolygon);
         return cell;
       },
       true},
      {"group holding a text",
       [] {
         return GroupOf({new CDrawRect, new CDrawText});
       },
       false},
      {"group holding a group holding a button",
       [] {
         return GroupOf({new CDrawRect, GroupOf({new CDrawPushBt})});
       },
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<CDrawObj> obj(c.make());
    EXPECT_EQ(CCoverCut::OnlyPaints(obj.get()), c.onlyPaints);
  }
}

}  // namespace
