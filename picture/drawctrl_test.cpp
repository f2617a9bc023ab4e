// Control objects without windows: minimum size, geometry properties, hit
// test, kinds, property and link-kind records, and the stored form.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "drawbutton.h"
#include "drawctrledit.h"
#include "drawgroup.h"
#include "groupclasses.h"
#include "objtest_util.h"
#include "render_surface.h"
#include "wndfont.h"

namespace {

class DrawCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterObjectClasses();
    RegisterGroupAndControlClasses();
  }
};

int ExpectedDefaultHeight() {
  LOGFONTA gui = {};
  EXPECT_TRUE(QelGetDefaultGuiFont(&gui));
  return std::abs(gui.lfHeight) + 2;
}

const PropDesc* FindProp(const PropDescList& list, int id) {
  for (int i = 0; i < list.count; ++i)
    if (list.items[i].id == id) return &list.items[i];
  return nullptr;
}

TEST_F(DrawCtrlTest, AViewChangeRegrowsACollapsedControlButTheWindowBatchOnlyToSix) {
  CDrawCtrl ctrl;
  ctrl.m_rect = CRectD(10, 10, 13, 40);
  ctrl.SetViewTransform(POINT{0, 0}, 1.0);
  EXPECT_DOUBLE_EQ(ctrl.m_rect.right, 22.0);
  EXPECT_DOUBLE_EQ(ctrl.m_rect.bottom, 40.0);
  ctrl.m_rect = CRectD(10, 40, 40, 36);  // reversed and 4 high
  ctrl.OnViewChanged();
  EXPECT_DOUBLE_EQ(ctrl.m_rect.top, 36.0);
  EXPECT_DOUBLE_EQ(ctrl.m_rect.bottom, 48.0);
}

TEST_F(DrawCtrlTest, GeometryPropertiesReadRoundedAndSetTheSize) {
  CDrawPushBt button;
  button.m_rect = CRectD(10.8, 20.2, 110.4, 60);  // 99.6 wide
  PropDesc items[32];
  PropDescList list = {0, items};
  button.GetPropList(&list);
  ASSERT_NE(FindProp(list, PROP_WIDTH), nullptr);
  EXPECT_EQ(FindProp(list, PROP_WIDTH)->value, 100);
  EXPECT_EQ(FindProp(list, PROP_WIDTH)->kind, 256);
  EXPECT_EQ(FindProp(list, PROP_WIDTH)->minimum, 4);
  EXPECT_EQ(FindProp(list, PROP_TOPX)->value, 10);
  EXPECT_EQ(FindProp(list, PROP_TOPY)->value, 20);
  EXPECT_TRUE(button.SetProp(PROP_WIDTH, 50));
  EXPECT_DOUBLE_EQ(button.GetWidth(), 50.0);
  EXPECT_TRUE(button.SetProp(PROP_TOPY, 0));
  EXPECT_DOUBLE_EQ(button.m_rect.top, 0.0);
  EXPECT_DOUBLE_EQ(button.GetHeight(), 39.8);
  EXPECT_TRUE(button.SetProp(PROP_HEIGHT, 2));  // then regrown by the minimum size
  EXPECT_DOUBLE_EQ(button.GetHeight(), 12.0);
  EXPECT_FALSE(button.SetProp(PROP_ARROWSIZE, 5));
}

TEST_F(DrawCtrlTest, TheWholeRectangleIsTheBody) {
  CDrawCtrl ctrl;
  ctrl.m_rect = CRectD(100, 100, 200, 150);
  CDrawObj* hit = nullptr;
  EXPECT_EQ(ctrl.HitTest(CPointD(150, 125), &hit), 0);
  EXPECT_EQ(hit, &ctrl);
  EXPECT_EQ(ctrl.HitTest(CPointD(200, 125), &hit), 4);
  EXPECT_EQ(ctrl.HitTest(CPointD(250, 125), &hit), -1);
  EXPECT_EQ(ctrl.GetHandleCount(), 8);
}

// What the ActiveX and plug-in objects build on.
class CHostedStandIn : public CDrawCtrl {
 public:
  void GetPropList(PropDescList* pList) override { GetHostedPropList(pList); }
  int GetActionKinds(ActionKindList* pList) override { return GetHostedActionKinds(pList); }
};

TEST_F(DrawCtrlTest, HostedControlsListTheirPageButtonAndGeometry) {
  CHostedStandIn hosted;
  hosted.m_rect = CRectD(5.9, 6, 50.4, 26.6);
  PropDesc items[32];
  PropDescList list = {0, items};
  hosted.GetPropList(&list);
  const int ids[] = {0, 1, 2, 50, 9, 10, 11, 12};
  const LONG_PTR values[] = {0, 5, 6, 45, 21};
  ASSERT_EQ(list.count, 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(items[i].id, ids[i]) << i;
  EXPECT_EQ(items[3].kind, PE_BUTTON);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(items[3 + i].value, values[i]) << i;
  EXPECT_EQ(items[7].minimum, 4);
  ActionKindDesc kinds[kMaxActionKinds];
  ActionKindList offers = {0, kinds};
  ASSERT_EQ(hosted.GetActionKinds(&offers), 1);
  EXPECT_EQ(kinds[0].kind, 0);
  EXPECT_EQ(kinds[0].flags, 0x0200u);
}

TEST_F(DrawCtrlTest, EveryControlAnswersOnlyToTheControlKind) {
  CDrawPushBt push;
  CDrawCheckBt check;
  CDrawRadioBt radio;
  CDrawCtrlEdit edit;
  CDrawObj* all[] = {&push, &check, &radio, &edit};
  const int kinds[] = {101, 102, 103, 104};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(all[i]->GetObjType(), kinds[i]);
    EXPECT_TRUE(all[i]->HasType(DOT_CTRL));
    EXPECT_FALSE(all[i]->HasType(static_cast<DrawObjType>(kinds[i])));
  }
}

TEST_F(DrawCtrlTest, FlippingMirrorsAndNormalises) {
  CDrawCtrl ctrl;
  ctrl.m_rect = CRectD(10, 20, 30, 60);
  ctrl.Flip(50, 0, 0);
  EXPECT_DOUBLE_EQ(ctrl.m_rect.left, 70.0);
  EXPECT_DOUBLE_EQ(ctrl.m_rect.right, 90.0);
  ctrl.Flip(0, 10, 1);
  EXPECT_DOUBLE_EQ(ctrl.m_rect.top, -40.0);
  EXPECT_DOUBLE_EQ(ctrl.m_rect.bottom, 0.0);
}

TEST_F(DrawCtrlTest, NewButtonsAndEditBoxesTakeTheirDefaults) {
  struct Case {
    CDrawObj* obj;
    const char* text;
    const LOGFONTA* font;
  };
  CDrawPushBt push;
  CDrawCheckBt check;
  CDrawRadioBt radio;
  CDrawCtrlEdit edit;
  const Case cases[] = {{&push, "按钮", &push.m_font},
                        {&check, "check", &check.m_font},
                        {&radio, "radio", &radio.m_font},
                        {&edit, "edit", &edit.m_font}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.obj->GetText(), c.text);
    EXPECT_EQ(c.obj->m_clrLine, 0u);
    EXPECT_EQ(c.obj->m_clrFill1, 0xC8D0D4u);
    EXPECT_EQ(c.font->lfHeight, ExpectedDefaultHeight());
    EXPECT_EQ(c.font->lfWidth, 0);
  }
  EXPECT_EQ(push.GetButton().GetType(), CBT_PUSH);
  EXPECT_EQ(check.GetButton().GetType(), CBT_CHECK);
  EXPECT_EQ(radio.GetButton().GetType(), CBT_RADIO);
  EXPECT_EQ(edit.m_dwStyle, 0u);
}

TEST_F(DrawCtrlTest, ButtonsListCaptionColoursAndFont) {
  CDrawCheckBt check;
  PropDesc items[32];
  PropDescList list = {0, items};
  check.GetPropList(&list);
  const int ids[] = {0, 1, 2, 3, 6, 13, 7, 9, 10, 11, 12};
  ASSERT_EQ(list.count, 11);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(items[i].id, ids[i]) << i;
  EXPECT_STREQ(items[4].name, "字体颜色");
  EXPECT_STREQ(items[6].name, "背景颜色");
  EXPECT_EQ(items[5].kind, PE_FONT);
  EXPECT_EQ(items[5].value, reinterpret_cast<LONG_PTR>(&check.m_font));
}

TEST_F(DrawCtrlTest, EditBoxesListTheirStyleFlags) {
  CDrawCtrlEdit edit;
  edit.m_dwStyle = EDIT_PASSWORD | EDIT_MULTILINE;
  PropDesc items[32];
  PropDescList list = {0, items};
  edit.GetPropList(&list);
  const int ids[] = {0, 1, 2, 3, 13, 20, 18, 19, 9, 10, 11, 12};
  const LONG_PTR flags[] = {1, 0, 1};
  ASSERT_EQ(list.count, 12);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(items[i].id, ids[i]) << i;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(items[5 + i].kind, PE_BOOL);
    EXPECT_EQ(items[5 + i].value, flags[i]);
  }
  EXPECT_FALSE(edit.SetProp(PROP_LINECOLOR, 255));
  EXPECT_TRUE(edit.SetProp(PROP_READONLY, 1));
  EXPECT_TRUE(edit.SetProp(PROP_PASSWORD, 0));
  EXPECT_EQ(edit.m_dwStyle, static_cast<DWORD>(EDIT_READONLY | EDIT_MULTILINE));
}

TEST_F(DrawCtrlTest, LinkKindsFollowTheControl) {
  struct Case {
    CDrawObj* obj;
    std::vector<int> kinds;
    DWORD clickFlags;  // of kind 500, where offered
  };
  CDrawPushBt push;
  CDrawRadioBt radio;
  CDrawCtrlEdit edit;
  CDrawCtrl plain;
  const Case cases[] = {{&push, {2, 3, 500, 0}, 0x0300},
                        {&radio, {2, 3, 500, 0}, 0x0200},
                        {&edit, {520, 511, 510, 0}, 0},
                        {&plain, {}, 0}};
  for (const Case& c : cases) {
    ActionKindDesc kinds[kMaxActionKinds];
    ActionKindList list = {0, kinds};
    ASSERT_EQ(c.obj->GetActionKinds(&list), static_cast<int>(c.kinds.size()));
    for (size_t i = 0; i < c.kinds.size(); ++i) {
      EXPECT_EQ(kinds[i].kind, c.kinds[i]);
      if (kinds[i].kind == 500) {
        EXPECT_EQ(kinds[i].flags, c.clickFlags);
      }
      if (c.obj == &edit) {
        EXPECT_EQ(kinds[i].flags, 0x0200u);
      }
    }
  }
}

TEST_F(DrawCtrlTest, SettingAFontStoresItsHeightPositiveAndWidthZero) {
  CDrawPushBt button;
  LOGFONTA lf = button.m_font;
  lf.lfHeight = -17;
  lf.lfWidth = 9;
  EXPECT_TRUE(button.SetProp(PROP_FONT, reinterpret_cast<LONG_PTR>(&lf)));
  EXPECT_EQ(button.m_font.lfHeight, 17);
  EXPECT_EQ(button.m_font.lfWidth, 0);
  std::vector<BYTE> bytes = objtest::FieldBytes(button);
  LOGFONTA stored;
  ASSERT_GE(bytes.size(), sizeof stored);
  std::memcpy(&stored, bytes.data() + bytes.size() - sizeof stored, sizeof stored);
  EXPECT_EQ(stored.lfHeight, 17);
}

TEST_F(DrawCtrlTest, AnEditFontResizesTheBoxByTheStoredHeight) {
  struct Case {
    DWORD style;
    double height;
    double zoom;
    double expected;
  };
  const Case cases[] = {
      {0, 50, 1.0, 26},                 // single-line: exactly fits
      {0, 10, 1.0, 26},                 // too low: grows
      {EDIT_MULTILINE, 100, 1.0, 100},  // multi-line keeps its height
      {EDIT_MULTILINE, 10, 1.0, 26},
      {0, 50, 2.0, 26},  // the zoom does not count
  };
  for (const Case& c : cases) {
    CDrawCtrlEdit edit;
    edit.m_dwStyle = c.style;
    edit.m_rect = CRectD(0, 0, 200, c.height);
    edit.SetViewTransform(POINT{0, 0}, c.zoom);
    LOGFONTA lf = edit.m_font;
    lf.lfHeight = 20;
    EXPECT_TRUE(edit.SetProp(PROP_FONT, reinterpret_cast<LONG_PTR>(&lf)));
    EXPECT_DOUBLE_EQ(edit.GetHeight(), c.expected) << c.style << " " << c.height;
  }
}

TEST_F(DrawCtrlTest, ButtonsAndEditBoxesRoundTripByteForByte) {
  CDrawGroup group;
  auto* push = new CDrawPushBt;
  push->m_rect = CRectD(1, 2, 80, 30);
  push->SetText("启动");
  auto* edit = new CDrawCtrlEdit;
  edit->m_rect = CRectD(1, 40, 80, 60);
  edit->m_dwStyle = EDIT_READONLY;
  edit->SetText("12.5");
  group.AddChild(push);
  group.AddChild(new CDrawRadioBt);
  group.AddChild(edit);
  group.GetRect();
  std::vector<BYTE> bytes = objtest::ObjectBytes(&group);
  std::unique_ptr<CObject> back(objtest::ReadObjectBytes(bytes));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(objtest::ObjectBytes(back.get()), bytes);
  auto* loaded = static_cast<CDrawGroup*>(back.get());
  auto* loadedEdit = dynamic_cast<CDrawCtrlEdit*>(ChildAt(loaded->GetChildren().GetTail()));
  ASSERT_NE(loadedEdit, nullptr);
  EXPECT_EQ(loadedEdit->GetText(), "12.5");
  EXPECT_EQ(loadedEdit->m_dwStyle, static_cast<DWORD>(EDIT_READONLY));
}

TEST_F(DrawCtrlTest, TheEditPartHoldsTextStyleThenFont) {
  CDrawCtrlEdit edit;
  edit.m_dwStyle = 0x20;
  edit.SetText("ab");
  std::vector<BYTE> bytes = objtest::FieldBytes(edit);
  CDrawCtrl plain;
  std::vector<BYTE> base = objtest::FieldBytes(plain);
  ASSERT_EQ(bytes.size(), base.size() + 3 + 4 + sizeof(LOGFONTA));
  const BYTE textAndStyle[] = {2, 'a', 'b', 0x20, 0, 0, 0};
  EXPECT_EQ(std::memcmp(bytes.data() + base.size(), textAndStyle, sizeof textAndStyle), 0);
  EXPECT_EQ(std::memcmp(bytes.data() + base.size() + 7, &edit.m_font, sizeof(LOGFONTA)), 0);
}

TEST_F(DrawCtrlTest, TheTrackerFramesTheControlAndMarksEightHandles) {
  CDrawCtrl ctrl;
  ctrl.m_rect = CRectD(20, 20, 60, 50);
  qeltest::RenderSurface surface(100, 100);
  ASSERT_TRUE(surface.IsValid());
  surface.Fill(0x336699);
  CDC dc(surface.dc());
  ctrl.DrawTracker(&dc, 1);
  EXPECT_EQ(surface.Pixel(20, 20), 0x000000u);  // handle 1: black core
  EXPECT_EQ(surface.Pixel(17, 17), 0xE1E1E1u);  // and its light rim
  EXPECT_EQ(surface.Pixel(24, 24), 0x336699u);
  EXPECT_EQ(surface.Pixel(40, 35), 0x336699u);  // no handle in the middle
  // Frame (16, 16, 64, 54) less 2: its top row at y = 18.
  EXPECT_EQ(surface.Pixel(30, 18), 0x000000u);
  EXPECT_EQ(surface.Pixel(31, 18), 0xFFFFFFu);
}

}  // namespace
