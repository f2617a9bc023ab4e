// The rectangle family as the editing window uses it: hit tests, handle
// drags through the object, properties and link kinds.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "drawbitmap.h"
#include "drawellipse.h"
#include "drawmtext.h"
#include "drawrect.h"

namespace {

struct PropArray {
  PropDesc items[32] = {};
  PropDescList list = {0, items};
};

std::vector<int> PropIds(CDrawObj& obj) {
  PropArray props;
  obj.GetPropList(&props.list);
  std::vector<int> ids;
  for (int i = 0; i < props.list.count; ++i) ids.push_back(props.items[i].id);
  return ids;
}

const PropDesc* FindProp(const PropArray& props, int id, int nth = 0) {
  for (int i = 0; i < props.list.count; ++i)
    if (props.items[i].id == id && nth-- == 0) return &props.items[i];
  return nullptr;
}

template <class T>
void MakeRect(T& obj, const CRectD& r, int fillStyle) {
  obj.SetCorners(r);
  obj.m_nFillStyle = fillStyle;
}

TEST(DrawRect, NewRectangleIsFilledPlainAndOfKindFive) {
  CDrawRect rect;
  EXPECT_EQ(rect.m_nFillStyle, 1);
  EXPECT_EQ(rect.GetObjType(), DOT_RECT);
  EXPECT_EQ(rect.GetHandleCount(), 9);
  EXPECT_EQ(rect.GetHandle(10), CPointD(0, 0));
  EXPECT_EQ(CDrawEllipse().GetObjType(), DOT_ELLIPSE);
  EXPECT_EQ(CDrawBitmap().GetObjType(), DOT_BITMAP);
  EXPECT_EQ(CDrawMtext().GetObjType(), DOT_MTEXT);
  EXPECT_EQ(CDrawTagVal().GetObjType(), DOT_TAGVAL);
}

TEST(DrawRect, HitTestOfUnfilledAndFilledRectangles) {
  const struct {
    const char* name;
    int fillStyle;
    CPointD at;
    int expected;
  } cases[] = {
      {"unfilled, 2 outside the top side", 0, {125, 98}, 0},
      {"unfilled, 3 outside the top side", 0, {125, 96.5}, -1},
      {"unfilled, in the middle", 0, {150, 150}, -1},
      {"unfilled, on the right side", 0, {201, 125}, 0},
      {"filled, in the middle", 1, {150, 150}, 0},
      {"gradient, in the middle", 4, {150, 150}, 0},
      {"filled, outside", 1, {250, 150}, -1},
      {"corner handle 5", 0, {200, 200}, 5},
      {"rotation handle 9", 1, {175, 100}, 9},
      {"side handle 8", 1, {101, 151}, 8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CDrawRect rect;
    MakeRect(rect, CRectD(100, 100, 200, 200), c.fillStyle);
    CDrawObj* hit = nullptr;
    EXPECT_EQ(rect.HitTest(c.at, &hit), c.expected);
    EXPECT_EQ(hit, c.expected == -1 ? nullptr : &rect);
  }
}

TEST(DrawRect, WideLinesWidenTheOutlineBand) {
  CDrawRect rect;
  MakeRect(rect, CRectD(100, 100, 200, 200), 0);
  rect.m_nLineWidth = 7;  // half-width 4
  EXPECT_EQ(rect.HitTest(CPointD(125, 97), nullptr), 0);
  EXPECT_EQ(rect.HitTest(CPointD(125, 95), nullptr), -1);
}

TEST(DrawRect, HandleDragThroughTheObjectUpdatesItsBounds) {
  CDrawRect rect;
  rect.SetCorners(CRectD(0, 0, 100, 50));
  int handle = 9;
  rect.MoveHandleTo(handle, CPointD(0, 100), nullptr);
  const CRectD bounds = rect.GetRect();
  EXPECT_NEAR(bounds.left, -50, 1e-9);
  EXPECT_NEAR(bounds.bottom, 100, 1e-9);
  EXPECT_NEAR(rect.m_rect.left, -50, 1e-9);
  EXPECT_NEAR(rect.GetWidth(), 100, 1e-9);
  EXPECT_NEAR(rect.GetHeight(), 50, 1e-9);
}

TEST(DrawRect, InvalidRectCoversTheLineWidthAndFourPixels) {
  CDrawRect rect;
  rect.SetCorners(CRectD(10, 20, 110, 70));
  rect.m_nLineWidth = 3;
  rect.SetViewTransform(POINT{5, 0}, 2.0);
  const RECT r = rect.GetInvalidRect();
  // (10 - 3) * 2 - 5 - 4 = 5; (20 - 3) * 2 - 4 = 30; (110 + 3) * 2 - 5 + 4 = 225; (70 + 3) * 2 + 4
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right, 225);
  EXPECT_EQ(r.bottom, 150);
}

TEST(DrawRect, PropertyListFollowsLineColourAndFillStyle) {
  CDrawRect rect;
  rect.SetCorners(CRectD(10.7, 20.2, 110.7, 70.2));
  rect.m_clrLine = kNoColor;
  rect.m_nFillStyle = 0;
  EXPECT_EQ(PropIds(rect), (std::vector<int>{0, 1, 2, 6, 8, 9, 10, 11, 12}));

  rect.m_clrLine = 0;
  rect.m_nFillStyle = 1;
  EXPECT_EQ(PropIds(rect), (std::vector<int>{0, 1, 2, 6, 4, 5, 8, 7, 9, 10, 11, 12}));
  rect.m_nFillStyle = 3;
  EXPECT_EQ(PropIds(rect), (std::vector<int>{0, 1, 2, 6, 4, 5, 8, 7, 23, 9, 10, 11, 12}));

  PropArray props;
  rect.GetPropList(&props.list);
  EXPECT_STREQ(FindProp(props, 6)->name, "边框颜色");
  EXPECT_EQ(FindProp(props, 6)->minimum, 1);
  EXPECT_STREQ(FindProp(props, 7)->name, "填充颜色1");
  EXPECT_STREQ(FindProp(props, 23)->name, "填充颜色2");
  EXPECT_EQ(FindProp(props, 5)->kind, 768);
  EXPECT_EQ(FindProp(props, 5)->maximum, 32);
  EXPECT_EQ(FindProp(props, 9)->value, 10);
  EXPECT_EQ(FindProp(props, 10)->value, 20);
  EXPECT_EQ(FindProp(props, 11)->kind, 256);
  EXPECT_EQ(FindProp(props, 11)->minimum, 4);
  EXPECT_EQ(FindProp(props, 11)->value, 100);
  EXPECT_EQ(FindProp(props, 12)->value, 50);

  rect.m_nFillStyle = 1;
  rect.GetPropList(&props.list);
  EXPECT_STREQ(FindProp(props, 7)->name, "填充颜色");
}

TEST(DrawRect, SetPropMovesAndResizes) {
  CDrawRect rect;
  rect.SetCorners(CRectD(40.6, 10, 140.6, 60));
  EXPECT_TRUE(rect.SetProp(PROP_TOPX, 100));
  EXPECT_NEAR(rect.GetRect().left, 100, 1e-9);
  EXPECT_NEAR(rect.GetCorners().p[1].x, 200, 1e-9);
  EXPECT_TRUE(rect.SetProp(PROP_TOPY, 0));
  EXPECT_NEAR(rect.GetRect().top, 0, 1e-9);
  EXPECT_TRUE(rect.SetProp(PROP_WIDTH, 30));
  EXPECT_TRUE(rect.SetProp(PROP_HEIGHT, 20));
  EXPECT_NEAR(rect.GetWidth(), 30, 1e-9);
  EXPECT_NEAR(rect.GetHeight(), 20, 1e-9);
  EXPECT_TRUE(rect.SetProp(PROP_FILLCOLOR2, 0x123456));
  EXPECT_EQ(rect.m_clrFill2, 0x123456u);
  EXPECT_TRUE(rect.SetProp(PROP_NAME, reinterpret_cast<LONG_PTR>("box")));
  EXPECT_STREQ(rect.m_strName.GetString(), "box");
  EXPECT_FALSE(rect.SetProp(PROP_FONT, 0));
  EXPECT_FALSE(rect.SetProp(PROP_ALIGN, 1));
}

TEST(DrawRect, LinkKindsOfTheFilledShapes) {
  const std::vector<int> filled = {2, 3, 4, 5, 7, 8, 6, 101, 102, 103, 0};
  const std::vector<int> tagValue = {1, 2, 3, 4, 7, 5, 6, 101, 102, 103, 0};
  CDrawRect rect;
  CDrawEllipse ellipse;
  CDrawBitmap bitmap;
  CDrawMtext mtext;
  CDrawTagVal tag;
  const struct {
    CDrawObj* obj;
    const std::vector<int>* kinds;
  } cases[] = {
      {&rect, &filled}, {&ellipse, &filled}, {&bitmap, &filled}, {&mtext, &filled}, {&tag, &tagValue}};
  for (const auto& c : cases) {
    ActionKindDesc items[16] = {};
    ActionKindList list = {0, items};
    const int n = c.obj->GetActionKinds(&list);
    ASSERT_EQ(n, static_cast<int>(c.kinds->size())) << c.obj->GetTypeName();
    EXPECT_EQ(list.count, n);
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(items[i].kind, (*c.kinds)[i]);
      const DWORD allowed = (items[i].kind == 7 || items[i].kind == 0) ? 2 : 3;
      EXPECT_EQ(items[i].flags, allowed << 8) << "kind " << items[i].kind;
    }
  }
}

TEST(DrawEllipse, TurnedEllipseIsHitInsideOnlyWhenFilled) {
  for (int fillStyle : {0, 1}) {
    CDrawEllipse ellipse;
    ellipse.SetCorners(CRectD(100, 100, 200, 150));
    ellipse.Rotate(CPointD(150, 125), DirectionOfDegrees(30));
    ellipse.m_nFillStyle = fillStyle;
    CDrawObj* hit = nullptr;
    EXPECT_EQ(ellipse.HitTest(CPointD(150, 125), &hit), fillStyle ? 0 : -1);
    // A point of the turned outline, away from the handles.
    std::vector<CPointD> outline;
    ellipse.GetEllipsePoints(outline);
    EXPECT_EQ(ellipse.HitTest(outline[12], nullptr), 0);
  }
}

TEST(DrawEllipse, UnfilledEllipseIsNotHitOnItsRectanglesSides) {
  CDrawEllipse ellipse;
  ellipse.SetCorners(CRectD(100, 100, 200, 200));
  ellipse.m_nFillStyle = 0;
  // Near a corner of the bounding rectangle, on its top side: far from the outline.
  EXPECT_EQ(ellipse.HitTest(CPointD(110, 100), nullptr), -1);
  // On the outline near the top.
  EXPECT_EQ(ellipse.HitTest(CPointD(140, 101), nullptr), 0);
  // The handles still count.
  EXPECT_EQ(ellipse.HitTest(CPointD(100, 100), nullptr), 1);
}

TEST(DrawEllipse, OutlineHasNinetyPointsAroundTheCentre) {
  CDrawEllipse ellipse;
  ellipse.SetCorners(CRectD(0, 0, 100, 50));
  std::vector<CPointD> points;
  ellipse.GetEllipsePoints(points);
  ASSERT_EQ(points.size(), 90u);
  EXPECT_NEAR(points[0].x, 100, 1e-9);
  EXPECT_NEAR(points[0].y, 25, 1e-9);
  EXPECT_NEAR(points[45].x, 0, 1e-9);  // 180 degrees
  EXPECT_NEAR(points[45].y, 25, 1e-9);
}

TEST(DrawMtext, HitInsideWhateverTheFill) {
  for (int fillStyle : {0, 1}) {
    CDrawMtext mtext;
    MakeRect(mtext, CRectD(0, 0, 200, 100), fillStyle);
    EXPECT_EQ(mtext.HitTest(CPointD(100, 50), nullptr), 0);
    EXPECT_EQ(mtext.HitTest(CPointD(300, 50), nullptr), -1);
    CDrawBitmap bitmap;
    MakeRect(bitmap, CRectD(0, 0, 200, 100), fillStyle);
    EXPECT_EQ(bitmap.HitTest(CPointD(100, 50), nullptr), 0);
  }
}

TEST(DrawMtext, PropertyListsOfMultiLineTextAndTagValue) {
  CDrawMtext mtext;
  mtext.SetCorners(CRectD(0, 0, 200, 100));
  EXPECT_EQ(PropIds(mtext), (std::vector<int>{0, 1, 2, 50, 24, 13, 6, 4, 5, 8, 7, 9, 10, 11, 12}));
  CDrawTagVal tag;
  tag.SetCorners(CRectD(0, 0, 64, 20));
  tag.m_nFillStyle = 0;
  EXPECT_EQ(PropIds(tag), (std::vector<int>{0, 1, 2, 24, 13, 6, 4, 5, 8, 17, 9, 10, 11, 12}));

  PropArray props;
  tag.GetPropList(&props.list);
  EXPECT_STREQ(FindProp(props, 24)->name, "字体颜色");
  EXPECT_EQ(FindProp(props, 17)->kind, PE_ALIGN);
  EXPECT_EQ(FindProp(props, 17)->value, 2);
  EXPECT_EQ(reinterpret_cast<const LOGFONTA*>(FindProp(props, 13)->value), &tag.GetFont());
}

TEST(DrawMtext, SetPropTakesTextColourFontAndAlignment) {
  CDrawTagVal tag;
  EXPECT_STREQ(tag.GetText().GetString(), "##.##");
  EXPECT_EQ(tag.m_nAlign, 2);
  EXPECT_TRUE(tag.SetProp(PROP_TEXT, reinterpret_cast<LONG_PTR>("12.50")));
  EXPECT_STREQ(tag.GetText().GetString(), "12.50");
  EXPECT_TRUE(tag.SetProp(24, 0x00FF00));
  EXPECT_EQ(tag.m_clrText, 0x00FF00u);
  LOGFONTA lf = tag.GetFont();
  lf.lfHeight = 30;
  EXPECT_TRUE(tag.SetProp(PROP_FONT, reinterpret_cast<LONG_PTR>(&lf)));
  EXPECT_EQ(tag.GetFont().lfHeight, 30);
  EXPECT_TRUE(tag.SetProp(PROP_ALIGN, 0));
  EXPECT_EQ(tag.m_nAlign, 0);
  EXPECT_TRUE(tag.SetProp(PROP_FILLMODE, 2));
  EXPECT_EQ(tag.m_nFillStyle, 2);
  CDrawMtext mtext;
  EXPECT_FALSE(mtext.SetProp(PROP_ALIGN, 1));
  EXPECT_STREQ(mtext.GetText().GetString(), "多行文本");
}

TEST(DrawMtext, NewTextsTakeTheDefaultGuiFaceTwoPixelsHigher) {
  LOGFONTA gui = {};
  ASSERT_TRUE(::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui));
  CDrawMtext mtext;
  EXPECT_STREQ(mtext.GetFont().lfFaceName, gui.lfFaceName);
  EXPECT_EQ(mtext.GetFont().lfHeight, (gui.lfHeight < 0 ? -gui.lfHeight : gui.lfHeight) + 2);
  EXPECT_EQ(mtext.GetFont().lfWidth, 0);
}

}  // namespace
