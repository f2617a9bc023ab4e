// Event links of control objects with the real link classes: preparing a
// control gives its event links their own event as trigger, so a link stored
// with the picture-cycle trigger still fires on the click or focus change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actkinds.h"
#include "drawbutton.h"
#include "drawctrledit.h"
#include "links_test_util.h"
#include "qel/picmsg.h"
#include "wndtest/wndtest_util.h"

namespace {

// The picture window: the controls' parent, recording the picture links.
class CRecordingView : public CWnd {
 public:
  std::vector<std::string> linked;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == QCN_LINKPICTURE) {
      linked.push_back(lp ? reinterpret_cast<const char*>(lp) : "");
      return 0;
    }
    return CWnd::WindowProc(msg, wp, lp);
  }
};

class ControlLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    linktest::RegisterAll();
    ASSERT_TRUE(wndtest::CreateTopLevel(view_, true, "control links"));
    context_.hView = view_;
  }
  void TearDown() override { view_.DestroyWindow(); }

  // A picture link stored as the editor's dialog may leave it: the event
  // number is right, the trigger still says picture cycle.
  static CActEvent* PictureLink(int event, const char* picture) {
    auto* link = new CActEvent;
    link->m_nEvent = event;
    link->m_nTrigger = 0;
    link->m_nMode = 1;
    link->m_strCommand = CString("link\n") + picture;
    return link;
  }
  void StartRunning(CDrawObj& obj) {
    obj.SetViewTransform(POINT{0, 0}, 1.0);
    ASSERT_TRUE(obj.AttachView(&context_, TRUE));
    obj.PrepareActions(&context_);
  }

  CRecordingView view_;
  DrawViewContext context_;
};

TEST_F(ControlLinkTest, PreparedButtonLinkFiresOnItsClick) {
  CDrawPushBt button;
  button.m_rect = CRectD(10, 10, 90, 40);
  CActEvent* link = PictureLink(500, "next.pic");
  button.AddAction(link);
  StartRunning(button);
  EXPECT_EQ(link->m_nTrigger, 500);
  // The picture cycle no longer runs it; the click does.
  EXPECT_EQ(button.FireActions(0, 1, view_), 0);
  EXPECT_TRUE(view_.linked.empty());
  ::SendMessageA(button.GetCtrlWnd(), BM_CLICK, 0, 0);
  wndtest::PumpPending();
  ASSERT_EQ(view_.linked.size(), 1u);
  EXPECT_EQ(view_.linked[0], "next.pic");
}

TEST_F(ControlLinkTest, PreparedEditLinksTakeTheirOwnEvents) {
  CDrawCtrlEdit edit;
  edit.m_rect = CRectD(10, 50, 120, 75);
  const int events[] = {520, 511, 510};
  CActEvent* links[3];
  for (int i = 0; i < 3; ++i) {
    links[i] = PictureLink(events[i], "x.pic");
    edit.AddAction(links[i]);
  }
  StartRunning(edit);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(links[i]->m_nTrigger, events[i]) << events[i];
}

}  // namespace
