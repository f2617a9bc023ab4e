// Groups and sub-pictures: the union rectangle, fitting the children into a
// dragged frame, hit testing through the children, searches, links and the
// stored form.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "drawcell.h"
#include "drawgroup.h"
#include "drawpolygon.h"
#include "drawrect.h"
#include "groupclasses.h"
#include "groups_test_link.h"
#include "objtest_util.h"
#include "render_surface.h"
#include "wndtest/wndtest_util.h"

namespace {

using grouptest::CStandInLink;

CDrawObj* Leaf(double l, double t, double r, double b, const char* name = "") {
  auto* p = new CDrawObj;
  p->m_rect = CRectD(l, t, r, b);
  p->m_strName = name;
  return p;
}

// A child whose drawing reaches far beyond its rectangle (a wide pen).
class CWidePenObj : public CDrawObj {
 public:
  RECT GetInvalidRect() override { return InvalidRectOf(m_rect, 20); }
};

class DrawGroupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterObjectClasses();
    RegisterGroupAndControlClasses();
  }
};

void ExpectRect(const CRectD& r, double l, double t, double rt, double b) {
  EXPECT_DOUBLE_EQ(r.left, l);
  EXPECT_DOUBLE_EQ(r.top, t);
  EXPECT_DOUBLE_EQ(r.right, rt);
  EXPECT_DOUBLE_EQ(r.bottom, b);
}

TEST_F(DrawGroupTest, AnEmptyGroupIsZeroSizedDrawsNothingAndIsNeverHit) {
  CDrawGroup group;
  ExpectRect(group.GetRect(), 0, 0, 0, 0);
  CDrawObj* hit = nullptr;
  EXPECT_EQ(group.HitTest(CPointD(0, 0), &hit), -1);
  EXPECT_EQ(hit, nullptr);
  qeltest::RenderSurface surface(40, 40);
  ASSERT_TRUE(surface.IsValid());
  surface.Fill(0x123456);
  CDC dc(surface.dc());
  group.SetSelected(TRUE);
  group.Draw(&dc, 0);
  EXPECT_EQ(surface.CountPixels(0x123456), 40 * 40);
}

TEST_F(DrawGroupTest, TheRectangleIsTheUnionOfTheNormalisedChildren) {
  CDrawGroup group;
  group.AddChild(Leaf(50, 40, 10, 20));  // reversed
  group.AddChild(Leaf(30, 5, 70, 25));
  ExpectRect(group.GetRect(), 10, 5, 70, 40);
  ExpectRect(group.m_rect, 10, 5, 70, 40);
}

TEST_F(DrawGroupTest, AGroupReadBackTakesItsChildrenUnionNotTheStoredRectangle) {
  CDrawGroup group;
  group.AddChild(Leaf(10, 10, 20, 30));
  group.m_rect = CRectD(0, 0, 500, 500);  // out of step with the children
  std::unique_ptr<CObject> back(objtest::ReadObjectBytes(objtest::ObjectBytes(&group)));
  auto* loaded = dynamic_cast<CDrawGroup*>(back.get());
  ASSERT_NE(loaded, nullptr);
  ExpectRect(loaded->m_rect, 10, 10, 20, 30);
  ExpectRect(loaded->GetReferenceRect(), 10, 10, 20, 30);
}

TEST_F(DrawGroupTest, DraggingTheCornerScalesByTheDimensionThatChangedMore) {
  CDrawGroup group;
  group.AddChild(Leaf(100, 100, 150, 150));
  group.AddChild(Leaf(150, 120, 200, 150));
  group.ResetReferenceRect();  // 100 x 50
  int handle = 5;
  group.MoveHandleTo(handle, CPointD(300, 160), nullptr);  // 200 x 60 wanted
  ExpectRect(group.GetRect(), 100, 100, 200, 150);         // children wait
  group.RescaleChildren();
  ExpectRect(group.GetRect(), 100, 100, 300, 200);
  ExpectRect(group.GetReferenceRect(), 100, 100, 300, 200);
  ExpectRect(ChildAt(group.GetChildren().GetTail())->m_rect, 200, 140, 300, 200);
}

TEST_F(DrawGroupTest, TheTopLeftCornerGoesToTheWantedOne) {
  CDrawGroup group;
  group.AddChild(Leaf(100, 100, 200, 150));
  group.ResetReferenceRect();
  int handle = 1;
  group.MoveHandleTo(handle, CPointD(80, 90), nullptr);  // 120 x 60
  group.RescaleChildren();
  ExpectRect(group.GetRect(), 80, 90, 200, 150);
}

TEST_F(DrawGroupTest, AFactorOutOfRangeLeavesTheChildrenAndDropsTheRequest) {
  struct Case {
    double right, bottom;
  };
  for (Case c : {Case{100.05, 100.01}, Case{200000.0, 150.0}}) {
    CDrawGroup group;
    group.AddChild(Leaf(100, 100, 200, 150));
    group.ResetReferenceRect();
    group.SetReferenceRect(CRectD(100, 100, c.right, c.bottom));
    group.RescaleChildren();
    ExpectRect(ChildAt(group.GetChildren().GetHead())->m_rect, 100, 100, 200, 150);
    ExpectRect(group.GetReferenceRect(), 100, 100, 200, 150);
  }
}

TEST_F(DrawGroupTest, MovingResetsTheReferenceRectangle) {
  CDrawGroup group;
  group.AddChild(Leaf(0, 0, 10, 10));
  group.ResetReferenceRect();
  int handle = 4;
  group.MoveHandleTo(handle, CPointD(40, 5), nullptr);
  group.MoveBy(CPointD(5, 5));
  ExpectRect(group.GetReferenceRect(), 5, 5, 15, 15);
}

TEST_F(DrawGroupTest, DraggingAHandleRepaintsTheOldAndTheNewFrame) {
  CWnd view;
  ASSERT_TRUE(wndtest::CreateTopLevel(view, true));
  struct Case {
    CPointD to;
    RECT expected;
  };
  const Case cases[] = {{CPointD(80, 70), RECT{7, 7, 83, 73}}, {CPointD(30, 30), RECT{7, 7, 53, 53}}};
  for (const Case& c : cases) {
    CDrawGroup group;
    group.AddChild(Leaf(10, 10, 50, 50));
    group.ResetReferenceRect();
    view.UpdateWindow();
    view.ValidateRect(nullptr);
    int handle = 5;
    group.MoveHandleTo(handle, c.to, view);
    RECT dirty = {};
    ::GetUpdateRect(view, &dirty, FALSE);
    EXPECT_TRUE(::EqualRect(&dirty, &c.expected))
        << dirty.left << "," << dirty.top << "," << dirty.right << "," << dirty.bottom;
  }
  view.DestroyWindow();
}

TEST_F(DrawGroupTest, ClickingAChildReportsTheGroupAndMarksTheLeaf) {
  CDrawGroup outer;
  CDrawObj* leaf = Leaf(10, 10, 50, 50);
  auto* inner = new CDrawGroup;
  CDrawObj* deepLeaf = Leaf(100, 10, 150, 50);
  inner->AddChild(deepLeaf);
  outer.AddChild(leaf);
  outer.AddChild(inner);
  // Both reference rectangles are left unset: only the children are hit.
  CDrawObj* hit = nullptr;
  EXPECT_EQ(outer.HitTest(CPointD(20, 10), &hit), 0);  // on the leaf's frame
  EXPECT_EQ(hit, &outer);
  EXPECT_TRUE(leaf->m_bSelected);

  hit = nullptr;
  EXPECT_EQ(outer.HitTest(CPointD(100, 20), &hit), 0);  // the nested leaf's frame
  EXPECT_EQ(hit, &outer);
  EXPECT_TRUE(deepLeaf->m_bSelected);
  CDrawObj* selected = nullptr;
  EXPECT_TRUE(inner->IsSelected(&selected));
  EXPECT_EQ(selected, deepLeaf);

  EXPECT_EQ(outer.HitTest(CPointD(75, 30), &hit), -1);   // inside, between the children
  EXPECT_EQ(outer.HitTest(CPointD(300, 30), &hit), -1);  // outside
}

TEST_F(DrawGroupTest, TheReferenceFrameIsHitFirstThenTheChildrenInside) {
  CDrawGroup group;
  CDrawObj* leaf = Leaf(40, 40, 60, 60);
  group.AddChild(Leaf(0, 0, 100, 100));
  group.AddChild(leaf);
  group.ResetReferenceRect();
  CDrawObj* hit = nullptr;
  EXPECT_EQ(group.HitTest(CPointD(100, 100), &hit), 5);
  EXPECT_EQ(group.HitTest(CPointD(50, 1), &hit), 2);
  EXPECT_EQ(group.HitTest(CPointD(30, 1), &hit), 0);
  EXPECT_FALSE(leaf->m_bSelected);
  EXPECT_EQ(group.HitTest(CPointD(50, 40), &hit), 0);  // through the frame to a child
  EXPECT_TRUE(leaf->m_bSelected);
}

TEST_F(DrawGroupTest, HandlesLieOnTheReferenceRectangleOrTheOwnOneWhileItIsUnset) {
  CDrawGroup group;
  group.AddChild(Leaf(10, 20, 30, 60));
  group.GetRect();
  EXPECT_EQ(group.GetHandle(4), CPointD(30, 40));
  group.SetReferenceRect(CRectD(0, 0, 100, 50));
  EXPECT_EQ(group.GetHandle(6), CPointD(50, 50));
  EXPECT_EQ(group.GetHandle(9), CPointD(0, 0));
}

TEST_F(DrawGroupTest, TheInvalidAreaCoversWhatTheChildrenDraw) {
  CDrawGroup group;
  auto* wide = new CWidePenObj;
  wide->m_rect = CRectD(50, 50, 60, 60);
  group.AddChild(Leaf(10, 10, 20, 20));
  group.AddChild(wide);
  RECT r = group.GetInvalidRect();
  EXPECT_EQ(r.left, 6);
  EXPECT_EQ(r.top, 6);
  EXPECT_EQ(r.right, 80);
  EXPECT_EQ(r.bottom, 80);
}

TEST_F(DrawGroupTest, ShallowSearchSkipsTheInsideOfSubPicturesOnly) {
  CDrawGroup root;
  root.m_strName = "root";
  auto* group = new CDrawGroup;
  group->AddChild(Leaf(0, 0, 1, 1, "inGroup"));
  auto* cell = new CDrawCell;
  cell->m_strName = "cell";
  cell->AddChild(Leaf(0, 0, 1, 1, "inCell"));
  root.AddChild(group);
  root.AddChild(cell);
  EXPECT_EQ(root.FindByName("root"), &root);
  EXPECT_NE(root.FindByNameShallow("inGroup"), nullptr);
  EXPECT_EQ(root.FindByNameShallow("inCell"), nullptr);
  EXPECT_EQ(root.FindByNameShallow("cell"), cell);
  EXPECT_NE(root.FindByName("inCell"), nullptr);
  EXPECT_EQ(root.FindByName("missing"), nullptr);
}

TEST_F(DrawGroupTest, FiringCountsOwnAndNestedLinks) {
  grouptest::StandInLinks links;
  CDrawCell cell;
  cell.AddAction(new CStandInLink(101));
  auto* group = new CDrawGroup;
  CDrawObj* a = Leaf(0, 0, 1, 1);
  a->AddAction(new CStandInLink(101));
  a->AddAction(new CStandInLink(2));
  CDrawObj* b = Leaf(0, 0, 1, 1);
  b->AddAction(new CStandInLink(101));
  group->AddChild(a);
  group->AddChild(b);
  cell.AddChild(group);
  EXPECT_EQ(cell.FireActions(101, 0, nullptr), 3);
  EXPECT_EQ(grouptest::RunLog(), (std::vector<int>{101, 101, 101}));
}

TEST_F(DrawGroupTest, KindsSelectionAndCopiesPassThroughTheChildren) {
  CDrawGroup group;
  auto* cell = new CDrawCell;
  cell->AddChild(Leaf(0, 0, 5, 5));
  group.AddChild(cell);
  group.AddChild(Leaf(0, 0, 2, 2));
  EXPECT_TRUE(group.HasType(DOT_GROUP));
  EXPECT_TRUE(group.HasType(DOT_CELL));
  EXPECT_TRUE(group.HasType(DOT_BASE));
  EXPECT_FALSE(group.HasType(DOT_CTRL));
  EXPECT_FALSE(group.IsSelected(nullptr));
  group.SetSelected(TRUE);
  EXPECT_FALSE(group.m_bSelected);
  EXPECT_TRUE(group.IsSelected(nullptr));
  CObList copies;
  group.CopyToList(copies);
  EXPECT_EQ(copies.GetCount(), 2);  // the cell's leaf and the second leaf
  DeleteObjectList(copies);
}

TEST_F(DrawGroupTest, PropertiesListTheChildCountAndTheTopLeftCorner) {
  CDrawGroup group;
  group.AddChild(Leaf(10.7, 20.9, 30, 40));
  group.AddChild(Leaf(15, 25, 35, 45));
  PropDesc items[32];
  PropDescList list = {0, items};
  group.GetPropList(&list);
  ASSERT_EQ(list.count, 6);
  EXPECT_EQ(items[3].id, PROP_CHILDCOUNT);
  EXPECT_EQ(items[3].kind, 128);
  EXPECT_EQ(items[3].value, 2);
  EXPECT_EQ(items[4].id, PROP_TOPX);
  EXPECT_EQ(items[4].value, 10);
  EXPECT_EQ(items[5].id, PROP_TOPY);
  EXPECT_EQ(items[5].value, 20);
  EXPECT_TRUE(group.SetProp(PROP_TOPX, 100));
  EXPECT_TRUE(group.SetProp(PROP_TOPY, 0));
  ExpectRect(group.GetRect(), 100, 0, 124.3, 24.1);
  EXPECT_FALSE(group.SetProp(PROP_WIDTH, 5));
  EXPECT_TRUE(group.SetProp(PROP_NAME, reinterpret_cast<LONG_PTR>("组")));
  EXPECT_EQ(group.m_strName, "组");
}

TEST_F(DrawGroupTest, ASubPictureListsItsIdentifierAndOffersItsLinks) {
  CDrawCell cell;
  cell.AddChild(Leaf(0, 0, 10, 10));
  PropDesc items[32];
  PropDescList list = {0, items};
  cell.GetPropList(&list);
  ASSERT_EQ(list.count, 7);
  EXPECT_EQ(items[3].id, PROP_SUBPICID);
  EXPECT_EQ(items[3].kind, 134);
  EXPECT_EQ(items[3].value, reinterpret_cast<LONG_PTR>(&cell.m_id));
  EXPECT_EQ(items[4].id, PROP_CHILDCOUNT);

  ActionKindDesc kinds[kMaxActionKinds];
  ActionKindList offers = {0, kinds};
  ASSERT_EQ(cell.GetActionKinds(&offers), 8);
  const int expected[8] = {7, 4, 5, 6, 101, 102, 103, 0};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(kinds[i].kind, expected[i]) << i;
  EXPECT_EQ(kinds[0].flags, 0x0200u);
  EXPECT_EQ(kinds[1].flags, 0x0300u);
  CDrawGroup group;
  EXPECT_EQ(group.GetActionKinds(&offers), 0);
}

TEST_F(DrawGroupTest, ASubPictureStoresItsIdentifierBeforeItsTwoStrings) {
  CDrawCell cell;
  const GUID id = {0x01020304, 0x0506, 0x0708, {9, 10, 11, 12, 13, 14, 15, 16}};
  cell.m_id = id;
  cell.m_strFirst = "A";
  cell.m_strSecond = "BC";
  std::vector<BYTE> bytes = objtest::FieldBytes(cell);
  const BYTE tail[] = {4, 3, 2, 1, 6, 5, 8, 7, 9, 10, 11, 12, 13, 14, 15, 16, 1, 'A', 2, 'B', 'C'};
  ASSERT_GE(bytes.size(), sizeof tail);
  EXPECT_EQ(std::memcmp(bytes.data() + bytes.size() - sizeof tail, tail, sizeof tail), 0);
  // The group part before it: the CDrawObj part, then an empty child list.
  CDrawGroup group;
  std::vector<BYTE> groupBytes = objtest::FieldBytes(group);
  EXPECT_EQ(bytes.size(), groupBytes.size() + sizeof tail);
}

TEST_F(DrawGroupTest, NestedGroupsAndSubPicturesRoundTripByteForByte) {
  grouptest::StandInLinks links;
  CDrawGroup top;
  top.m_strName = "top";
  auto* cell = new CDrawCell;
  cell->m_strName = "子图";
  cell->m_id = {0xDEADBEEF, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  cell->m_strFirst = "first";
  cell->AddAction(new CStandInLink(101, 1));
  auto* inner = new CDrawGroup;
  inner->AddChild(Leaf(1.5, 2.25, 3, 4, "a"));
  inner->AddChild(Leaf(-10, 7, 0, 9, "b"));
  cell->AddChild(inner);
  cell->AddChild(Leaf(20, 20, 30, 30, "c"));
  top.AddChild(cell);
  top.AddChild(Leaf(50, 60, 70, 80, "d"));
  top.GetRect();
  inner->GetRect();
  cell->GetRect();
  std::vector<BYTE> bytes = objtest::ObjectBytes(&top);
  std::unique_ptr<CObject> back(objtest::ReadObjectBytes(bytes));
  ASSERT_NE(dynamic_cast<CDrawGroup*>(back.get()), nullptr);
  EXPECT_EQ(objtest::ObjectBytes(back.get()), bytes);
  auto* loaded = static_cast<CDrawGroup*>(back.get());
  auto* loadedCell = dynamic_cast<CDrawCell*>(loaded->FindByName("子图"));
  ASSERT_NE(loadedCell, nullptr);
  EXPECT_EQ(std::memcmp(&loadedCell->m_id, &cell->m_id, sizeof(GUID)), 0);
  EXPECT_EQ(loadedCell->m_strFirst, "first");
  EXPECT_EQ(loadedCell->GetActions().GetSize(), 1);
  EXPECT_NE(loaded->FindByName("b"), nullptr);
}

TEST_F(DrawGroupTest, TheTrackerInvertsEightHandleSquaresAndDrawsTheFrame) {
  CDrawGroup group;
  group.AddChild(Leaf(20, 20, 60, 50));
  group.ResetReferenceRect();
  qeltest::RenderSurface surface(100, 100);
  ASSERT_TRUE(surface.IsValid());
  surface.Fill(0x000000);
  CDC dc(surface.dc());
  group.DrawTracker(&dc, 0);
  EXPECT_EQ(surface.CountPixels(0x000000), 100 * 100);
  group.DrawTracker(&dc, 1);
  // Handle 1 at (20, 20): a 7 by 7 square from (17, 17) inverted to white.
  EXPECT_EQ(surface.Pixel(17, 17), 0xFFFFFFu);
  EXPECT_EQ(surface.Pixel(23, 23), 0xFFFFFFu);
  EXPECT_EQ(surface.Pixel(24, 24), 0x000000u);
  // Frame: (16, 16, 64, 54) less 2 pixels; its top row starts black at 18.
  EXPECT_EQ(surface.Pixel(31, 18), 0xFFFFFFu);
  EXPECT_EQ(surface.Pixel(32, 19), 0xFFFFFFu);
  EXPECT_EQ(surface.Pixel(33, 19), 0x000000u);
}

}  // namespace

// A group draws its children as each draws alone, also where plain polygons
// one after another share one pen and brush.
namespace {

CDrawObj* Polygon(std::initializer_list<CPointD> pts, COLORREF line, COLORREF fill, int fillStyle = 1,
                  int lineStyle = 0, int lineWidth = 1) {
  auto* polygon = new CDrawPolygon;
  for (const CPointD& p : pts) polygon->m_points.push_back(p);
  polygon->m_clrLine = line;
  polygon->m_clrFill1 = fill;
  polygon->m_clrFill2 = RGB(0, 0, 90);
  polygon->m_nFillStyle = fillStyle;
  polygon->m_nLineStyle = lineStyle;
  polygon->m_nLineWidth = lineWidth;
  return polygon;
}

// Overlapping plain polygons of a few looks, broken by the kinds that draw
// on their own, at two zooms: some selected, one hidden, one with a NaN
// point, one with repeated points, one without an outline.
std::vector<CDrawObj*> MixedChildren() {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const COLORREF none = static_cast<COLORREF>(-1);
  std::vector<CDrawObj*> children = {
      Polygon({{5, 5}, {60, 10}, {20, 50}}, RGB(0, 0, 0), RGB(255, 255, 255)),
      Polygon({{15, 8}, {70, 30}, {10, 40}}, RGB(0, 0, 0), RGB(255, 255, 255)),
      Polygon({{50, 30}, {79, 40}, {55, 60}}, RGB(0, 0, 0), RGB(255, 200, 200)),
      Polygon({{25, 20}, {25, 20}, {75, 35}, {75, 35}, {30, 70}}, RGB(0, 0, 0), RGB(255, 255, 255)),
      Polygon({{40, 5}, {78, 60}, {35, 75}}, RGB(200, 0, 0), RGB(255, 255, 255)),
      Polygon({{2, 60}, {50, 45}, {45, 78}}, none, RGB(0, 160, 0)),
      Polygon({{10, 10}, {70, 70}, {10, 70}}, RGB(0, 0, 0), RGB(250, 200, 0), 4),
      Polygon({{30, 2}, {76, 12}, {50, 40}}, RGB(0, 0, 0), RGB(255, 255, 255)),
      Polygon({{3, 30}, {40, 33}, {20, 77}}, RGB(0, 0, 255), RGB(255, 255, 255), 1, 2),
      Polygon({{0, 0}, {nan, 5}, {60, 60}}, RGB(0, 0, 0), RGB(255, 255, 255)),
      Polygon({{45, 45}, {79, 50}, {60, 79}}, RGB(0, 0, 0), RGB(255, 255, 255), 1, 0, 3),
      Polygon({{12, 12}, {66, 22}, {40, 66}}, RGB(0, 0, 0), RGB(128, 128, 255)),
  };
  auto* rect = new CDrawRect;
  rect->SetCorners(CRectD(50, 2, 70, 20));
  rect->m_clrFill1 = RGB(0, 200, 200);
  children.insert(children.begin() + 7, rect);
  auto* hidden = Polygon({{0, 0}, {79, 0}, {0, 79}}, RGB(0, 0, 0), RGB(255, 0, 255));
  hidden->m_bVisible = FALSE;
  children.insert(children.begin() + 2, hidden);
  for (size_t i = 0; i < children.size(); i += 3) children[i]->SetSelected(TRUE);
  return children;
}

TEST_F(DrawGroupTest, AGroupPaintsTheSamePixelsAsItsChildrenEachAlone) {
  for (double zoom : {1.0, 2.0}) {
    SCOPED_TRACE(testing::Message() << "zoom " << zoom);
    const POINT origin = {zoom == 1.0 ? 0 : -20, 0};
    CDrawGroup group;
    for (CDrawObj* child : MixedChildren()) ASSERT_TRUE(group.AddChild(child));
    group.SetViewTransform(origin, zoom);
    std::vector<CDrawObj*> alone = MixedChildren();
    for (CDrawObj* child : alone) child->SetViewTransform(origin, zoom);

    qeltest::RenderSurface byGroup(160, 160), byChildren(160, 160);
    byGroup.Fill(0x808080);
    byChildren.Fill(0x808080);
    const HGDIOBJ pen = ::GetCurrentObject(byGroup.dc(), OBJ_PEN);
    const HGDIOBJ brush = ::GetCurrentObject(byGroup.dc(), OBJ_BRUSH);
    {
      CDC dc(byGroup.dc());
      group.Draw(&dc, 0);
    }
    {
      CDC dc(byChildren.dc());
      for (CDrawObj* child : alone) child->Draw(&dc, 0);
    }
    EXPECT_EQ(byGroup.Pixels(), byChildren.Pixels());
    // The DC has its own pen and brush back.
    EXPECT_EQ(::GetCurrentObject(byGroup.dc(), OBJ_PEN), pen);
    EXPECT_EQ(::GetCurrentObject(byGroup.dc(), OBJ_BRUSH), brush);
    for (CDrawObj* child : alone) delete child;
  }
}

}  // namespace

// A large group leaves out a drawing that a later child repeats, and only
// such a drawing: its pixels are those of every child drawn alone in order.
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Children enough for the search, each a small triangle of its own along
// the bottom, where the cases' drawings reach too.
void AddFillers(std::vector<CDrawObj*>& children, int count) {
  for (int i = 0; i < count; ++i) {
    const double x = (i % 40) * 4, y = 120 + (i / 40) * 5;
    children.push_back(
        Polygon({{x, y}, {x + 6, y + 1}, {x + 1, y + 7 + i % 3}}, kBlack, RGB(i % 256, 90, 0)));
  }
}

CDrawObj* Selected(CDrawObj* obj) {
  obj->SetSelected(TRUE);
  return obj;
}

CDrawObj* Triangle(COLORREF fill = kWhite) { return Polygon({{10, 10}, {90, 20}, {30, 110}}, kBlack, fill); }
CDrawObj* Across() { return Polygon({{0, 40}, {150, 50}, {60, 140}}, kBlack, RGB(0, 0, 200)); }

CDrawObj* Box() {
  auto* rect = new CDrawRect;
  rect->SetCorners(CRectD(20, 15, 70, 60));
  rect->m_clrFill1 = RGB(0, 200, 200);
  return rect;
}

struct TwinCase {
  const char* what;
  std::vector<CDrawObj*> (*children)();  // in drawing order, fillers first
  bool nested;                           // the children after the fillers in a group of their own
  double zoom;
  POINT origin;
  RECT clip;  // device; all zero for none
  int rop2;
};

std::vector<CDrawObj*> WithFillers(std::initializer_list<CDrawObj*> drawn) {
  std::vector<CDrawObj*> children;
  AddFillers(children, CDrawGroup::kTwinSearchChildren);
  children.insert(children.end(), drawn);
  return children;
}

const TwinCase kTwinCases[] = {
    {"repeats with other children between",
     [] {
       return WithFillers({Selected(Triangle()), Across(), Box(), Selected(Triangle()), Across(),
                           Selected(Triangle()), Box()});
     },
     false,
     1.0,
     {0, 0},
     {0, 0, 0, 0},
     R2_COPYPEN},
    {"repeats differing in colour only",
     [] {
       return WithFillers({Triangle(RGB(255, 0, 0)), Across(), Triangle(RGB(0, 255, 0))});
     },
     false,
     1.0,
     {0, 0},
     {0, 0, 0, 0},
     R2_COPYPEN},
    {"repeats differing in pen width",
     [] {
       CDrawObj* wide = Triangle();
       wide->m_nLineWidth = 2;
       return WithFillers({Triangle(), Across(), wide, Across(), Triangle()});
     },
     false,
     1.0,
     {0, 0},
     {0, 0, 0, 0},
     R2_COPYPEN},
    {"repeats differing in the selected state",
     [] {
       return WithFillers({Selected(Triangle()), Across(), Triangle(), Box(), Triangle()});
     },
     false,
     1.0,
     {0, 0},
     {0, 0, 0, 0},
     R2_COPYPEN},
    {"repeats differing in their frames only",
     [] {
       return WithFillers({Selected(Polygon({{10.6, 10}, {90, 20}, {30, 110.4}}, kBlack, kWhite)), Across(),
                           Selected(Triangle())});
     },
     false,
     1.0,
     {0, 0},
     {0, 0, 0, 0},
     R2_COPYPEN},
    {"repeats differing in one point",
     [] {
       return WithFillers({Triangle(), Across(), Polygon({{10, 10}, {90, 20}, {30, 100}}, kBlack, kWhite),
                           Selected(Triangle()), Box(),
                           Selected(Polygon({{10, 10}, {91, 20}, {30, 110}}, kBlack, kWhite))});
     },
     false,
     1.0,
     {0, 0},
     {0, 0, 0, 0},
     R2_COPYPEN},
    {"repeats differing in the outline only",
     [] {
       return WithFillers({Triangle(), Across(), Polygon({{10, 10}, {90, 20}, {30, 110}}, kNoColor, kWhite)});
     },
     false,
     1.0,
     {0, 0},
     {0, 0, 0, 0},
     R2_COPYPEN},
    {"repeats with dotted or hatched looks",
     [] {
       return WithFillers({Polygon({{10, 10}, {90, 20}, {30, 110}}, kBlack, kWhite, 1, 8), Across(),
                           Polygon({{10, 10}, {90, 20}, {30, 110}}, kBlack, kWhite, 1, 8),
                           Polygon({{5, 30}, {120, 35}, {50, 100}}, kBlack, kWhite, 1002, 0), Box(),
                           Polygon({{5, 30}, {120, 35}, {50, 100}}, kBlack, kWhite, 1002, 0),
                           Polygon({{40, 5}, {130, 60}, {20, 90}}, kBlack, kWhite, 1, 2), Across(),
                           Polygon({{40, 5}, {130, 60}, {20, 90}}, kBlack, kWhite, 1, 2)});
     },
     false,
     1.0,
     {0, 0},
     {0, 0, 0, 0},
     R2_COPYPEN},
    {"repeats on a DC that mixes what it draws",
     [] {
       return WithFillers({Selected(Triangle()), Across(), Selected(Triangle())});
     },
     false,
     1.0,
     {0, 0},
     {0, 0, 0, 0},
     R2_XORPEN},
    {"repeats in a group in the group",
     [] {
       std::vector<CDrawObj*> children = WithFillers({Selected(Triangle()), Across(), Box()});
       AddFillers(children, CDrawGroup::kTwinSearchChildren);
       children.insert(children.end(), {Selected(Triangle()), Across(), Selected(Triangle())});
       return children;
     },
     true,
     1.0,
     {0, 0},
     {0, 0, 0, 0},
     R2_COPYPEN},
    {"repeats cut by the clip through their frames",
     [] {
       return WithFillers({Selected(Triangle()), Across(), Box(), Selected(Triangle())});
     },
     false,
     1.0,
     {0, 0},
     {9, 19, 61, 107},
     R2_COPYPEN},
    {"repeats in a zoomed and moved view",
     [] {
       return WithFillers({Selected(Triangle()), Across(), Box(), Selected(Triangle()), Triangle()});
     },
     false,
     1.5,
     {-7, 13},
     {0, 0, 0, 0},
     R2_COPYPEN},
};

// The group of the children, those after the fillers nested when asked.
std::unique_ptr<CDrawGroup> GroupOf(const std::vector<CDrawObj*>& children, bool nested) {
  auto group = std::make_unique<CDrawGroup>();
  auto inner = nested ? std::make_unique<CDrawGroup>() : nullptr;
  for (size_t i = 0; i < children.size(); ++i) {
    const bool inside = inner && i >= static_cast<size_t>(CDrawGroup::kTwinSearchChildren);
    EXPECT_TRUE((inside ? inner.get() : group.get())->AddChild(children[i]));
  }
  if (inner) {
    EXPECT_TRUE(group->AddChild(inner.release()));
  }
  return group;
}

// A surface ready for a case: grey, clipped and mixing as it says.
void Prepare(qeltest::RenderSurface& surface, const TwinCase& c) {
  surface.Fill(0x808080);
  if (!::IsRectEmpty(&c.clip))
    ::IntersectClipRect(surface.dc(), c.clip.left, c.clip.top, c.clip.right, c.clip.bottom);
  ::SetROP2(surface.dc(), c.rop2);
}

// The pixels of the children drawn one by one, alone, in order.
std::vector<DWORD> EachAlone(const TwinCase& c, const std::vector<CDrawObj*>& children) {
  qeltest::RenderSurface surface(160, 160);
  Prepare(surface, c);
  CDC dc(surface.dc());
  for (CDrawObj* child : children) {
    child->SetViewTransform(c.origin, c.zoom);
    child->Draw(&dc, 0);
  }
  return surface.Pixels();
}

std::vector<DWORD> ByGroup(const TwinCase& c, CDrawGroup& group) {
  qeltest::RenderSurface surface(160, 160);
  Prepare(surface, c);
  CDC dc(surface.dc());
  group.Draw(&dc, 0);
  return surface.Pixels();
}

TEST_F(DrawGroupTest, ALargeGroupPaintsTheSamePixelsAsItsChildrenEachAloneLeavingOutRepeats) {
  for (const TwinCase& c : kTwinCases) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<CDrawGroup> group = GroupOf(c.children(), c.nested);
    group->SetViewTransform(c.origin, c.zoom);
    std::vector<CDrawObj*> alone = c.children();
    EXPECT_EQ(ByGroup(c, *group), EachAlone(c, alone));
    for (CDrawObj* child : alone) delete child;
  }
}

// What one paint found is not what the next one draws: each child changed
// after a paint is drawn again as it now is.
TEST_F(DrawGroupTest, AChildChangedAfterAPaintOfALargeGroupIsDrawnAsItNowIs) {
  const TwinCase& c = kTwinCases[0];
  const struct {
    const char* what;
    void (*change)(CDrawObj* twin);  // the last repeat of the triangle
  } changes[] = {
      {"moved", [](CDrawObj* twin) { twin->MoveBy(CPointD(5, 3)); }},
      {"filled otherwise", [](CDrawObj* twin) { twin->m_clrFill1 = RGB(250, 0, 0); }},
      {"no longer selected", [](CDrawObj* twin) { twin->SetSelected(FALSE); }},
      {"hidden", [](CDrawObj* twin) { twin->SetVisible(FALSE); }},
  };
  const size_t lastTwin = CDrawGroup::kTwinSearchChildren + 5;
  for (const auto& change : changes) {
    SCOPED_TRACE(change.what);
    std::vector<CDrawObj*> children = c.children();
    CDrawObj* twin = children[lastTwin];
    std::unique_ptr<CDrawGroup> group = GroupOf(children, false);
    group->SetViewTransform(c.origin, c.zoom);
    ByGroup(c, *group);
    change.change(twin);
    std::vector<CDrawObj*> alone = c.children();
    change.change(alone[lastTwin]);
    EXPECT_EQ(ByGroup(c, *group), EachAlone(c, alone));
    for (CDrawObj* child : alone) delete child;
  }
  // The view changed after a paint.
  std::unique_ptr<CDrawGroup> group = GroupOf(c.children(), false);
  ByGroup(c, *group);
  TwinCase zoomed = c;
  zoomed.zoom = 0.5;
  zoomed.origin = POINT{-30, -10};
  group->SetViewTransform(zoomed.origin, zoomed.zoom);
  std::vector<CDrawObj*> alone = c.children();
  EXPECT_EQ(ByGroup(zoomed, *group), EachAlone(zoomed, alone));
  for (CDrawObj* child : alone) delete child;
}

}  // namespace
