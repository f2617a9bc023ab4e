// When links fire: the picture cycle, their own period counted in ticks, and
// mouse and control events; and how draw objects drive and count them.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "actkinds.h"
#include "drawrect.h"
#include "picfile.h"
#include "picobj.h"
#include "links_test_util.h"

namespace {

class LinkTriggerTest : public ::testing::Test {
 protected:
  void SetUp() override { linktest::RegisterAll(); }
};

// The ticks from 0 to 30 on which a link of that period fires.
std::vector<DWORD> FiringTicks(int period) {
  CAction link;  // a script link without code: it runs and reports 1
  link.m_nTrigger = AT_OWN_PERIOD;
  link.m_nPeriod = period;
  std::vector<DWORD> ticks;
  for (DWORD t = 0; t <= 30; ++t)
    if (link.OnTrigger(AT_OWN_PERIOD, t, nullptr)) ticks.push_back(t);
  return ticks;
}

std::vector<DWORD> Every(DWORD first, DWORD step) {
  std::vector<DWORD> v;
  for (DWORD t = first; t <= 30; t += step) v.push_back(t);
  return v;
}

TEST_F(LinkTriggerTest, OwnPeriodCountsTicksOfAHundredMilliseconds) {
  struct Case {
    int period;
    std::vector<DWORD> ticks;
  } cases[] = {
      {1000, {1, 11, 21}}, {250, Every(1, 2)},  {200, Every(1, 2)}, {299, Every(1, 2)},
      {300, Every(1, 3)},  {199, Every(0, 1)},  {150, Every(0, 1)}, {100, Every(0, 1)},
      {0, Every(0, 1)},    {-500, Every(0, 1)},  // only a hand-made file holds this: every tick
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.period);
    EXPECT_EQ(FiringTicks(c.period), c.ticks);
  }
}

TEST_F(LinkTriggerTest, OnlyTheEventOfTheTriggerFiresTheLink) {
  struct Case {
    int trigger;
    int event;
    bool fires;
  } cases[] = {
      {AT_PICTURE_CYCLE, AT_PICTURE_CYCLE, true},
      {AT_PICTURE_CYCLE, AT_OWN_PERIOD, false},
      {AT_OWN_PERIOD, AT_PICTURE_CYCLE, false},
      {AK_MOUSE_CLICK, AK_MOUSE_CLICK, true},
      {AK_MOUSE_CLICK, AK_LBUTTON_UP, false},
      {AK_RBUTTON_DOWN, AK_RBUTTON_DOWN, true},
      {AK_CHANGE, AK_CHANGE, true},
      {AK_CHANGE, AK_CLICKED, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.trigger << " / " << c.event);
    CAction link;
    link.m_nTrigger = c.trigger;
    for (DWORD tick : {0u, 1u, 5u})  // events fire whatever the tick
      EXPECT_EQ(link.OnTrigger(c.event, tick, nullptr), c.fires ? 1 : 0);
  }
}

// An object whose links are prepared through the installed link operations.
class DrivenObjectTest : public LinkTriggerTest {
 protected:
  void Prepare() {
    DrawViewContext view;
    view.hView = window_.hwnd();
    view.pUpdateRect = &dirty_;
    rect_.PrepareActions(&view);
  }
  CActEvent* AddEvent(int event, int mode, const char* command = "") {
    auto* link = new CActEvent;
    link->m_nEvent = event;
    link->m_nTrigger = event;
    link->m_nMode = mode;
    link->m_strCommand = command;
    rect_.AddAction(link);
    return link;
  }

  linktest::TestPictureWindow window_;
  RECT dirty_ = {};
  CDrawRect rect_;
};

TEST_F(DrivenObjectTest, PreparingGivesEveryLinkItsOwnerAndChecksItsExpression) {
  auto* color = new CActColor;
  color->m_strExpression = "1";
  auto* broken = new CActTagVal;
  broken->m_strExpression = "1+*";
  rect_.AddAction(color);
  rect_.AddAction(broken);
  Prepare();
  EXPECT_EQ(color->GetOwner(), &rect_);
  EXPECT_EQ(color->GetContext().hView, window_.hwnd());
  EXPECT_EQ(color->GetContext().pUpdateRect, &dirty_);
  EXPECT_TRUE(color->IsCompiled());
  EXPECT_FALSE(broken->IsCompiled());
}

TEST_F(DrivenObjectTest, ARightButtonLinkThatRanIsCounted) {
  AddEvent(AK_RBUTTON_UP, AM_SCRIPT);
  AddEvent(AK_LBUTTON_DOWN, AM_DIRECT);  // no command: does nothing
  Prepare();
  EXPECT_TRUE(rect_.m_bHasMouseActions);
  EXPECT_EQ(rect_.FireActions(AK_RBUTTON_UP, 0, window_.hwnd()), 1);
  EXPECT_EQ(rect_.FireActions(AK_RBUTTON_DOWN, 0, window_.hwnd()), 0);
  EXPECT_EQ(rect_.FireActions(AK_LBUTTON_DOWN, 0, window_.hwnd()), 0);
}

TEST_F(DrivenObjectTest, ClickOnAPictureLinkSendsThePictureNameToTheWindow) {
  AddEvent(AK_MOUSE_CLICK, AM_DIRECT, "link\n泵站");
  Prepare();
  EXPECT_EQ(rect_.FireActions(AK_MOUSE_CLICK, 0, window_.hwnd()), 1);
  ASSERT_EQ(window_.linkedPictures.size(), 1u);
  EXPECT_EQ(window_.linkedPictures[0], "泵站");
  EXPECT_EQ(rect_.FindAction(AK_MOUSE_CLICK), AM_DIRECT);
}

TEST_F(DrivenObjectTest, TicksDriveDirectLinksAndCountThoseThatActed) {
  auto* color = new CActColor;  // picture cycle
  color->m_strExpression = "0";
  auto* show = new CActShowHide;  // own period of 300 ms
  show->m_nMode = AM_DIRECT;
  show->m_nTrigger = AT_OWN_PERIOD;
  show->m_nPeriod = 300;
  show->m_strExpression = "0";
  rect_.SetCorners(CRectD(10, 10, 20, 20));
  rect_.AddAction(color);
  rect_.AddAction(show);
  Prepare();
  EXPECT_EQ(rect_.FireActions(AT_OWN_PERIOD, 2, nullptr), 0);
  EXPECT_TRUE(::IsRectEmpty(&dirty_));
  EXPECT_EQ(rect_.FireActions(AT_OWN_PERIOD, 4, nullptr), 1);
  EXPECT_FALSE(rect_.IsVisible());
  EXPECT_FALSE(::IsRectEmpty(&dirty_));
  EXPECT_EQ(rect_.FireActions(AT_OWN_PERIOD, 7, nullptr), 0);  // already hidden
  EXPECT_EQ(rect_.FireActions(AT_PICTURE_CYCLE, 0, nullptr), 1);
  EXPECT_EQ(rect_.m_clrLine, 0x00FF00u);
}

// A flashing link at its default rate of 400 ms (every fourth tick) and a
// show/hide link on every picture cycle, driven tick by tick as the picture
// window does: the visibility after each tick, while the tag is true, then
// false from tick 10 on.
TEST_F(DrivenObjectTest, FlashPhasesFollowTheTicksAndEndOnTheFirstVisibility) {
  CScriptValue alarm;
  alarm.SetInt(1);
  window_.tags["alarm"] = alarm;
  auto* flash = new CActFlash;  // own period 400 ms
  flash->m_nMode = AM_DIRECT;
  flash->m_strExpression = "TV(alarm)";
  rect_.SetCorners(CRectD(10, 10, 20, 20));
  rect_.AddAction(flash);
  Prepare();
  const struct {
    DWORD tick;
    int fired;
    BOOL visible;
  } steps[] = {
      {0, 0, TRUE}, {1, 1, FALSE}, {2, 0, FALSE},  {3, 0, FALSE}, {4, 0, FALSE}, {5, 1, TRUE},
      {6, 0, TRUE}, {9, 1, FALSE}, {10, 0, FALSE}, {13, 1, TRUE}, {17, 1, TRUE}, {18, 0, TRUE},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.tick);
    if (s.tick == 10) window_.tags["alarm"].SetInt(0);
    EXPECT_EQ(rect_.FireActions(AT_OWN_PERIOD, s.tick, window_.hwnd()), s.fired);
    EXPECT_EQ(rect_.IsVisible(), s.visible);
    EXPECT_EQ(rect_.FireActions(AT_PICTURE_CYCLE, s.tick, window_.hwnd()), 0);  // not its trigger
  }
}

TEST_F(DrivenObjectTest, ObjectsFindAndRemoveLinksByKind) {
  AddEvent(AK_SETFOCUS, AM_SCRIPT);
  rect_.AddAction(new CActPerFill);
  EXPECT_EQ(rect_.FindAction(AK_SETFOCUS), AM_SCRIPT);
  EXPECT_EQ(rect_.FindAction(AK_PERFILL), AM_DIRECT);
  EXPECT_EQ(rect_.FindAction(AK_POINTER), 0);
  EXPECT_TRUE(rect_.RemoveAction(AK_SETFOCUS));
  EXPECT_EQ(rect_.GetActions().GetSize(), 1);
}

TEST_F(DrivenObjectTest, AnObjectOfAnotherClassInTheLinkArrayNeverRuns) {
  rect_.AddAction(new CDrawRect);  // only code can put one there
  Prepare();
  EXPECT_EQ(rect_.FindAction(AK_SCRIPT), AM_NONE);
  EXPECT_EQ(rect_.FireActions(AT_PICTURE_CYCLE, 0, nullptr), 0);
}

TEST_F(LinkTriggerTest, ALoadedPictureRunsItsLinks) {
  CPicObj picture;
  picture.EnsureLayer();
  auto* rect = new CDrawRect;
  rect->SetCorners(CRectD(0, 0, 10, 10));
  auto* fill = new CActFillColor;
  fill->m_strExpression = "0.5";
  rect->AddAction(fill);
  picture.GetLayer(0)->m_objects.AddTail(rect);
  const std::vector<BYTE> bytes = StorePictureBytes(picture);

  std::unique_ptr<CPicObj> loaded(LoadPictureBuffer(bytes.data(), static_cast<UINT>(bytes.size())));
  ASSERT_TRUE(loaded);
  auto* obj = static_cast<CDrawObj*>(loaded->GetLayer(0)->m_objects.GetHead());
  RECT dirty = {};
  DrawViewContext view;
  view.pPicture = loaded.get();
  view.pUpdateRect = &dirty;
  obj->AttachView(&view, TRUE);
  obj->PrepareActions(&view);
  auto* link = static_cast<CAction*>(obj->GetActions().GetAt(0));
  EXPECT_EQ(link->GetContext().pPicture, loaded.get());
  EXPECT_EQ(obj->FireActions(AT_PICTURE_CYCLE, 0, nullptr), 1);
  EXPECT_EQ(obj->m_clrFill1, 0x0000FFu);
  EXPECT_FALSE(::IsRectEmpty(&dirty));
  // A copy starts unprepared: its links wait for their own context.
  std::unique_ptr<CDrawObj> copy(obj->Clone());
  ASSERT_TRUE(copy);
  copy->m_clrFill1 = 0;
  EXPECT_EQ(copy->FireActions(AT_PICTURE_CYCLE, 0, nullptr), 0);
  EXPECT_EQ(copy->m_clrFill1, 0u);
}

}  // namespace
