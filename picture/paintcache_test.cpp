// What a draw object keeps between paints never shows stale or foreign
// pixels: after any change that alters its drawing the object paints what a
// fresh object in the same state paints, a copy or a loaded picture starts
// with nothing kept, and all that is kept stays within its budget. Only
// what is drawn onto a 32-bit memory DC is kept, and a drawing that cannot
// be put back exactly is drawn every time.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "crtformat.h"
#include "drawbezier.h"
#include "drawbitmap.h"
#include "drawellipse.h"
#include "drawmtext.h"
#include "drawpipe.h"
#include "drawpolygon.h"
#include "drawrect.h"
#include "gdi_recording.h"
#include "objectclasses.h"
#include "paintcache.h"
#include "picfile.h"
#include "picobj.h"
#include "rectpaint.h"
#include "render_surface.h"
#include "shapeclasses.h"
#include "shapes_test_util.h"
#include "textfont.h"

namespace {

using qeltest::RecordGdi;
using qeltest::RenderSurface;

constexpr int kSide = 160;

// The pixels of the last of n paints, each on a fresh white surface.
std::vector<DWORD> Painted(CDrawObj& obj, int paints, int side = kSide) {
  RenderSurface surface(side, side);
  CDC dc(surface.dc());
  for (int i = 0; i < paints; ++i) {
    surface.Fill(0xFFFFFF);
    obj.Draw(&dc, 0);
  }
  return surface.Pixels();
}

template <class T>
T* Rect(const CRectD& r, int fillStyle, double degrees) {
  T* obj = new T;
  obj->SetCorners(r);
  obj->m_nFillStyle = fillStyle;
  obj->m_clrFill1 = RGB(250, 200, 0);
  obj->m_clrFill2 = RGB(0, 40, 160);
  obj->m_clrLine = RGB(120, 0, 0);
  if (degrees != 0) obj->Rotate(CPointD(70, 60), DirectionOfDegrees(degrees));
  return obj;
}

template <class T>
T* Poly(std::initializer_list<CPointD> pts, int fillStyle) {
  T* obj = new T;
  for (const CPointD& p : pts) obj->m_points.push_back(p);
  obj->m_nFillStyle = fillStyle;
  obj->m_nLineWidth = 2;
  obj->m_clrFill1 = RGB(250, 200, 0);
  obj->m_clrFill2 = RGB(0, 40, 160);
  return obj;
}

// Every kind of drawing that is kept.
struct Kind {
  const char* what;
  std::function<CDrawObj*()> make;
};

const std::vector<Kind>& Kinds() {
  static const std::vector<Kind> kinds = {
      {"turned gradient rectangle", [] { return Rect<CDrawRect>(CRectD(20, 30, 120, 90), 3, 20); }},
      // Filled through one line of the gradient (gradientline.h).
      {"upright gradient rectangle", [] { return Rect<CDrawRect>(CRectD(20, 30, 120, 90), 3, 0); }},
      {"upright gradient ellipse", [] { return Rect<CDrawEllipse>(CRectD(20, 30, 120, 90), 2, 0); }},
      {"percentage-filled rectangle",
       [] {
         auto* rect = Rect<CDrawRect>(CRectD(20, 30, 120, 90), 1, 0);
         rect->SetPercentFill(0.4, 0, RGB(0, 160, 0));
         return rect;
       }},
      {"filled ellipse", [] { return Rect<CDrawEllipse>(CRectD(20, 30, 120, 90), 1, 15); }},
      {"gradient polygon",
       [] {
         return Poly<CDrawPolygon>({{10, 10}, {140, 30}, {120, 140}, {20, 100}}, 5);
       }},
      {"plain closed curve",
       [] {
         return Poly<CDrawBezierFill>({{10, 10}, {140, 30}, {120, 140}, {20, 100}}, 1);
       }},
      {"bent pipe",
       [] {
         return Poly<CDrawPipe>({{15, 20}, {130, 30}, {100, 140}}, 0);
       }},
      {"turned image",
       [] {
         auto* image = Rect<CDrawBitmap>(CRectD(20, 30, 120, 110), 0, 25);
         shapetest::SetImageBytes(*image, shapetest::QuadrantBmp(4, 4));
         return image;
       }},
      {"turned multi-line text",
       [] {
         auto* text = Rect<CDrawMtext>(CRectD(15, 30, 145, 100), 0, 30);
         text->SetText("kept until it changes");
         return text;
       }},
      {"turned tag value",
       [] {
         auto* tag = Rect<CDrawTagVal>(CRectD(15, 40, 145, 80), 1, -20);
         tag->SetText("123.45");
         return tag;
       }},
  };
  return kinds;
}

// A change that alters a drawing; false when it does not apply to the object.
struct Change {
  const char* what;
  std::function<bool(CDrawObj&)> apply;
};

template <class T>
bool On(CDrawObj& obj, const std::function<void(T&)>& f) {
  T* typed = dynamic_cast<T*>(&obj);
  if (typed) f(*typed);
  return typed != nullptr;
}

const std::vector<Change>& Changes() {
  static const std::vector<Change> changes = {
      {"moved by a fraction",
       [](CDrawObj& o) {
         o.MoveBy(CPointD(3.5, 2.25));
         return true;
       }},
      {"zoomed",
       [](CDrawObj& o) {
         o.SetViewTransform(POINT{0, 0}, 1.25);
         return true;
       }},
      {"scrolled",
       [](CDrawObj& o) {
         o.SetViewTransform(POINT{7, -5}, 1.0);
         return true;
       }},
      {"turned",
       [](CDrawObj& o) {
         o.Rotate(CPointD(70, 60), DirectionOfDegrees(10));
         return true;
       }},
      {"fill colour 1",
       [](CDrawObj& o) {
         o.m_clrFill1 = RGB(0, 200, 200);
         return true;
       }},
      {"fill colour 2",
       [](CDrawObj& o) {
         o.m_clrFill2 = RGB(200, 0, 200);
         return true;
       }},
      {"line colour",
       [](CDrawObj& o) {
         o.m_clrLine = RGB(0, 0, 255);
         return true;
       }},
      {"line width",
       [](CDrawObj& o) {
         o.m_nLineWidth = 5;
         return true;
       }},
      {"fill style",
       [](CDrawObj& o) {
         o.m_nFillStyle = 4;
         return true;
       }},
      {"percentage",
       [](CDrawObj& o) {
         o.SetPercentFill(0.7, 2, RGB(0, 0, 255));
         return true;
       }},
      {"text colour",
       [](CDrawObj& o) {
         o.m_clrText = RGB(0, 120, 255);
         return true;
       }},
      {"text",
       [](CDrawObj& o) {
         o.SetText("another text");
         return true;
       }},
      {"font",
       [](CDrawObj& o) {
         LOGFONTA font = DefaultTextFont();
         font.lfHeight = 22;
         return o.SetProp(PROP_FONT, reinterpret_cast<LONG_PTR>(&font)) != FALSE;
       }},
      {"image",
       [](CDrawObj& o) {
         return On<CDrawBitmap>(
             o, [](CDrawBitmap& b) { shapetest::SetImageBytes(b, shapetest::QuadrantBmp(2, 8)); });
       }},
      {"pipe width", [](CDrawObj& o) { return On<CDrawPipe>(o, [](CDrawPipe& p) { p.m_nPipeWidth = 25; }); }},
      {"a point", [](CDrawObj& o) { return On<CDrawPoly>(o, [](CDrawPoly& p) { p.m_points[1].x -= 30; }); }},
  };
  return changes;
}

TEST(PaintCache, AfterEveryChangeAnObjectPaintsWhatAFreshOneInTheSameStatePaints) {
  RegisterObjectClasses();
  RegisterShapeClasses();
  int tried = 0;
  for (const Kind& kind : Kinds()) {
    for (const Change& change : Changes()) {
      SCOPED_TRACE(std::string(kind.what) + ", " + change.what);
      std::unique_ptr<CDrawObj> kept(kind.make());
      const size_t held = CPaintCache::HeldBytes();
      const std::vector<DWORD> before = Painted(*kept, 3);
      ASSERT_GT(CPaintCache::HeldBytes(), held);
      if (!change.apply(*kept)) continue;
      std::unique_ptr<CDrawObj> fresh(kind.make());
      change.apply(*fresh);
      const std::vector<DWORD> once = Painted(*fresh, 1);
      if (once == before) continue;  // a change this drawing does not show
      ++tried;
      EXPECT_EQ(Painted(*kept, 1), once);
      // Kept again in the new state, as the fresh one keeps it.
      EXPECT_EQ(Painted(*kept, 2), Painted(*fresh, 2));
    }
  }
  EXPECT_GT(tried, 60);
}

// The platform cuts a gradient, an image or a turned shape at the edges of
// the bitmap it draws on and rounds it after the cut: a drawing reaching out
// of the DC's pixels, at any edge, is kept from a surface with the same
// edges, never from one with others.
TEST(PaintCache, ADrawingCutByTheSurfacesEdgesPaintsWhatAFreshOnePaints) {
  RegisterObjectClasses();
  RegisterShapeClasses();
  const POINT crossings[] = {{60, 0}, {-60, 0}, {0, 75}, {0, -55}, {70, 70}};
  for (const Kind& kind : Kinds()) {
    for (const POINT& origin : crossings) {
      SCOPED_TRACE(std::string(kind.what) + qel::FormatStr(" at %ld, %ld", origin.x, origin.y));
      std::unique_ptr<CDrawObj> kept(kind.make()), fresh(kind.make());
      kept->SetViewTransform(origin, 1.0);
      fresh->SetViewTransform(origin, 1.0);
      const std::vector<DWORD> once = Painted(*fresh, 1);
      const size_t held = CPaintCache::HeldBytes();
      for (int paints = 1; paints <= 3; ++paints) EXPECT_EQ(Painted(*kept, 1), once) << "paint " << paints;
      // Its part on the surface is kept, for a DC of that size and place only.
      EXPECT_GT(CPaintCache::HeldBytes(), held);
      kept->SetViewTransform(POINT{origin.x + 3, origin.y - 2}, 1.0);
      fresh->SetViewTransform(POINT{origin.x + 3, origin.y - 2}, 1.0);
      EXPECT_EQ(Painted(*kept, 1), Painted(*fresh, 1));
    }
  }
}

TEST(PaintCache, CopiesAndLoadedPicturesStartWithNothingKept) {
  RegisterObjectClasses();
  RegisterShapeClasses();
  for (const Kind& kind : Kinds()) {
    SCOPED_TRACE(kind.what);
    CPicObj picture;
    picture.EnsureLayer();
    CDrawObj* original = kind.make();
    picture.GetLayer(0)->m_objects.AddTail(original);
    const std::vector<DWORD> painted = Painted(*original, 3);
    const size_t held = CPaintCache::HeldBytes();

    std::unique_ptr<CDrawObj> copy(original->Clone());
    ASSERT_TRUE(copy);
    EXPECT_EQ(CPaintCache::HeldBytes(), held);
    copy->m_clrFill1 = RGB(0, 0, 0);
    copy->m_clrText = RGB(255, 0, 0);
    copy->MoveBy(CPointD(9, 4));
    EXPECT_NE(Painted(*copy, 3), painted);
    EXPECT_EQ(Painted(*original, 1), painted);

    const std::vector<BYTE> stored = StorePictureBytes(picture);
    std::unique_ptr<CPicObj> loaded(LoadPictureBuffer(stored.data(), static_cast<UINT>(stored.size())));
    ASSERT_TRUE(loaded);
    auto* back = static_cast<CDrawObj*>(loaded->GetLayer(0)->m_objects.GetHead());
    EXPECT_EQ(back->m_paintCache.Kept(), nullptr);
    // A twin made through the archive too (run-time fields such as the
    // percentage fill are not stored).
    std::unique_ptr<CDrawObj> twin(original->Clone());
    EXPECT_EQ(Painted(*back, 3), Painted(*twin, 3));
  }
}

TEST(PaintCache, EverythingKeptStaysWithinTheBudgetAndGoesWithItsObjects) {
  const size_t held = CPaintCache::HeldBytes();
  // Rectangles of about 1.4 million pixels each on a surface that holds
  // them: far more than the budget together, each kept at about 5.6 MB.
  constexpr int kLargeSide = 1240;
  std::vector<std::unique_ptr<CDrawRect>> rects;
  for (int i = 0; i < 14; ++i) {
    rects.emplace_back(Rect<CDrawRect>(CRectD(10 + i, 10, 1210 + i, 1210), 2, 0));
    Painted(*rects.back(), 2, kLargeSide);
    EXPECT_LE(CPaintCache::HeldBytes(), CPaintCache::kBudgetBytes);
  }
  EXPECT_GT(CPaintCache::HeldBytes(), CPaintCache::kBudgetBytes / 2);
  // The first ones gave way; they still paint what a fresh one paints.
  EXPECT_EQ(rects.front()->m_paintCache.Kept(), nullptr);
  std::unique_ptr<CDrawRect> fresh(Rect<CDrawRect>(CRectD(10, 10, 1210, 1210), 2, 0));
  EXPECT_EQ(Painted(*rects.front(), 2, kLargeSide), Painted(*fresh, 1, kLargeSide));
  rects.clear();
  fresh.reset();
  EXPECT_EQ(CPaintCache::HeldBytes(), held);
}

// ---- what is kept, and where -------------------------------------------------

// A gradient across a frame turned by 30 degrees, within (40, 40, 80, 80):
// GDI+ works its colours out in the device pixels it draws to and rounds
// them there, so the same gradient drawn a few pixels over differs a shade.
void FillTurnedGradient(CDC* dc) {
  const DirPair turn = DirectionOfDegrees(30);
  DeviceFrame frame;
  frame.width = 30;
  frame.height = 20;
  frame.xform.eM11 = frame.xform.eM22 = static_cast<FLOAT>(turn.cosine);
  frame.xform.eM12 = static_cast<FLOAT>(turn.sine);
  frame.xform.eM21 = -frame.xform.eM12;
  frame.xform.eDx = 50;
  frame.xform.eDy = 42;
  FillFrameShape(*dc, frame, FrameShape::rectangle, 2, RGB(250, 200, 0), RGB(0, 40, 160));
}

struct Probe {
  CPaintCache cache;
  PaintKey key;
  RECT reach = {40, 40, 80, 80};
  std::function<void(CDC*)> draw;

  std::vector<DWORD> Paint(RenderSurface& surface) {
    CDC dc(surface.dc());
    surface.Fill(0xFFFFFF);
    cache.Paint(
        &dc, key, [this] { return reach; }, draw);
    return surface.Pixels();
  }
};

TEST(PaintCache, ADrawingIsKeptOnlyWhenACopyRepeatsItExactly) {
  struct Case {
    const char* what;
    std::function<void(CDC*)> draw;
    bool kept;
  };
  const Case cases[] = {
      {"a fill within its reach",
       [](CDC* dc) {
         dc->FillSolidRect(RECT{45, 45, 75, 75}, RGB(10, 20, 30));
       },
       true},
      {"a fill past its reach",
       [](CDC* dc) {
         dc->FillSolidRect(RECT{45, 45, 95, 75}, RGB(10, 20, 30));
       },
       false},
      {"an inversion",
       [](CDC* dc) {
         dc->InvertRect(RECT{45, 45, 75, 75});
       },
       false},
      {"a turned gradient within its reach", FillTurnedGradient, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RenderSurface direct(kSide, kSide), surface(kSide, kSide);
    Probe once;
    once.draw = c.draw;
    const std::vector<DWORD> expected = once.Paint(direct);
    Probe probe;
    probe.draw = c.draw;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(probe.Paint(surface), expected);
    EXPECT_EQ(probe.cache.Kept() != nullptr, c.kept);
  }
}

TEST(PaintCache, KeptDrawingsLandInPlaceUnderAWindowOriginAndAClip) {
  // As a window repaints a part of itself: the memory DC's origin at the
  // part's corner, drawing clipped to it.
  auto paint = [](Probe& probe, RenderSurface& surface) {
    surface.Fill(0xFFFFFF);
    const int saved = ::SaveDC(surface.dc());
    ::SetWindowOrgEx(surface.dc(), 30, 15, nullptr);
    ::IntersectClipRect(surface.dc(), 50, 20, 90, 100);
    CDC dc(surface.dc());
    probe.cache.Paint(
        &dc, probe.key, [&] { return probe.reach; }, probe.draw);
    ::RestoreDC(surface.dc(), saved);
    return surface.Pixels();
  };
  auto fills = [](CDC* dc) {
    dc->FillSolidRect(RECT{45, 45, 75, 75}, RGB(10, 20, 30));
    dc->FillSolidRect(RECT{50, 60, 70, 65}, RGB(200, 100, 0));
  };
  {
    // The origin and the clip take effect: of the dark fill, the part in the clip shows.
    RenderSurface direct(kSide, kSide);
    Probe once;
    once.draw = fills;
    paint(once, direct);
    EXPECT_EQ(direct.CountPixels(qeltest::RgbOf(RGB(10, 20, 30))), (75 - 50) * (75 - 45) - 20 * 5);
  }
  struct Case {
    const char* what;
    std::function<void(CDC*)> draw;
  };
  const Case cases[] = {
      {"two fills", fills},
      // Kept from the same device pixels as the window's DC gives it.
      {"a turned gradient", FillTurnedGradient},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RenderSurface direct(kSide, kSide), surface(kSide, kSide);
    Probe once;
    once.draw = c.draw;
    const std::vector<DWORD> expected = paint(once, direct);
    Probe probe;
    probe.draw = c.draw;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(paint(probe, surface), expected);
    EXPECT_NE(probe.cache.Kept(), nullptr);
  }
}

TEST(PaintCache, PrintersAndMetafilesGetTheDrawingItself) {
  Probe probe;
  probe.draw = [](CDC* dc) { dc->Rectangle(RECT{45, 45, 75, 75}); };
  for (int i = 0; i < 3; ++i) {
    const qeltest::GdiRecording done = RecordGdi(kSide, kSide, [&](HDC hdc) {
      CDC dc(hdc);
      probe.cache.Paint(
          &dc, probe.key, [&] { return probe.reach; }, probe.draw);
    });
    EXPECT_EQ(done.shapes, 1);
  }
  EXPECT_EQ(probe.cache.Kept(), nullptr);
}

// ---- only what meets the painted area is drawn --------------------------------

TEST(PaintCache, ObjectsOutsideThePaintedAreaAreNotDrawn) {
  const int nothing = RecordGdi(kSide, kSide, [](HDC) {}).records;
  for (const Kind& kind : Kinds()) {
    SCOPED_TRACE(kind.what);
    std::unique_ptr<CDrawObj> obj(kind.make());
    obj->SetSelected(TRUE);
    for (const POINT& origin : {POINT{-400, 0}, POINT{0, 300}}) {
      obj->SetViewTransform(origin, 1.0);
      const qeltest::GdiRecording outside = RecordGdi(kSide, kSide, [&](HDC hdc) {
        CDC dc(hdc);
        obj->Draw(&dc, 0);
      });
      EXPECT_EQ(outside.records, nothing);
    }
    // Just reaching into the area, it is drawn.
    obj->SetViewTransform(POINT{100, 0}, 1.0);
    const qeltest::GdiRecording edge = RecordGdi(kSide, kSide, [&](HDC hdc) {
      CDC dc(hdc);
      obj->Draw(&dc, 0);
    });
    EXPECT_GT(edge.records, nothing);
  }
}

}  // namespace
