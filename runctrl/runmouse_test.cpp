// Mouse buttons as link events: their order, the pressed object, hit order,
// and the context menu that a right-button link replaces.
#include <gtest/gtest.h>

#include <memory>

#include "drawrect.h"
#include "picobj.h"
#include "propdesc.h"
#include "runharness.h"

using namespace runtest;

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// Two rectangles, A at (10,10)-(60,60) and B at (100,10)-(150,60), each with
// an event link per mouse event that asks for "<object>:<event>".
class RunMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(h.Ok());
    picture.reset(NewPicture());
    a = AddRect(*picture, RECT{10, 10, 60, 60}, RGB(0, 0, 255));
    b = AddRect(*picture, RECT{100, 10, 150, 60}, RGB(0, 255, 0));
  }
  void LinkAll(CDrawObj* obj, const char* name) {
    for (int e : {AK_MOUSE_CLICK, AK_LBUTTON_DOWN, AK_LBUTTON_UP, AK_RBUTTON_DOWN, AK_RBUTTON_UP})
      AddEventLink(*obj, e, (std::string(name) + ":" + std::to_string(e)).c_str());
  }
  void Load() {
    ASSERT_EQ(h.Load(*picture), 0);
    h.notices.clear();
  }
  void Send(UINT msg, int x, int y) { ::SendMessageA(h.View(), msg, 0, At(x, y)); }
  size_t ContextMenus() const { return h.NoticesOf(WM_CONTEXTMENU).size(); }

  Harness h;
  std::unique_ptr<CPicObj> picture;
  CDrawRect* a = nullptr;
  CDrawRect* b = nullptr;
};

TEST_F(RunMouse, ClickFiresDownThenClickThenUp) {
  LinkAll(a, "A");
  Load();
  Send(WM_LBUTTONDOWN, 30, 30);
  Send(WM_LBUTTONUP, 30, 30);
  EXPECT_EQ(h.LinkedPictures(), (std::vector<std::string>{"A:102", "A:101", "A:103"}));
  for (const Notice& n : h.NoticesOf(QCN_LINKPICTURE)) EXPECT_EQ(n.wParam, 1000u);
}

TEST_F(RunMouse, ReleaseOverAnotherObjectIsNoClick) {
  LinkAll(a, "A");
  LinkAll(b, "B");
  Load();
  Send(WM_LBUTTONDOWN, 30, 30);
  Send(WM_LBUTTONUP, 120, 30);
  EXPECT_EQ(h.LinkedPictures(), (std::vector<std::string>{"A:102", "B:103"}));
}

TEST_F(RunMouse, PressedObjectSurvivesAMissedPress) {
  LinkAll(a, "A");
  Load();
  Send(WM_RBUTTONDOWN, 30, 30);
  Send(WM_RBUTTONUP, 30, 30);
  h.notices.clear();
  Send(WM_LBUTTONDOWN, 300, 200);  // empty space
  Send(WM_LBUTTONUP, 30, 30);
  EXPECT_EQ(h.LinkedPictures(), (std::vector<std::string>{"A:101", "A:103"}));
}

TEST_F(RunMouse, DoubleClickRunsTheClickTwice) {
  LinkAll(a, "A");
  Load();
  Send(WM_LBUTTONDOWN, 30, 30);
  Send(WM_LBUTTONUP, 30, 30);
  Send(WM_LBUTTONDBLCLK, 30, 30);
  Send(WM_LBUTTONUP, 30, 30);
  EXPECT_EQ(h.LinkedPictures(), (std::vector<std::string>{"A:102", "A:101", "A:103", "A:101", "A:103"}));
}

TEST_F(RunMouse, RightDoubleClickFiresDownOnceAndUpTwice) {
  LinkAll(a, "A");
  Load();
  Send(WM_RBUTTONDOWN, 30, 30);
  Send(WM_RBUTTONUP, 30, 30);
  Send(WM_RBUTTONDBLCLK, 30, 30);
  Send(WM_RBUTTONUP, 30, 30);
  EXPECT_EQ(h.LinkedPictures(), (std::vector<std::string>{"A:104", "A:105", "A:105"}));
}

TEST_F(RunMouse, RightButtonLinkThatRanReplacesTheContextMenu) {
  AddEventLink(*a, AK_RBUTTON_UP, "menu");
  Load();
  Send(WM_RBUTTONDOWN, 30, 30);
  Send(WM_RBUTTONUP, 30, 30);
  EXPECT_EQ(h.LinkedPictures(), (std::vector<std::string>{"menu"}));
  EXPECT_EQ(ContextMenus(), 0u);
  // On B (no right-button link) and on empty space the parent gets its menu.
  Send(WM_RBUTTONDOWN, 120, 30);
  Send(WM_RBUTTONUP, 120, 30);
  const size_t onB = ContextMenus();
  Send(WM_RBUTTONDOWN, 300, 200);
  Send(WM_RBUTTONUP, 300, 200);
  EXPECT_EQ(ContextMenus(), onB + 1);
  EXPECT_GE(onB, 1u);
}

TEST_F(RunMouse, TheTopmostObjectTakesTheHit) {
  // C lies over A (added later, drawn later): C is hit.
  CDrawRect* c = AddRect(*picture, RECT{20, 20, 50, 50}, RGB(255, 0, 0));
  LinkAll(a, "A");
  LinkAll(c, "C");
  Load();
  Send(WM_LBUTTONDOWN, 30, 30);
  EXPECT_EQ(h.LinkedPictures(), (std::vector<std::string>{"C:102"}));
}

TEST_F(RunMouse, TheFirstLayerLiesOnTop) {
  auto* top = new CPicLayer;
  picture->m_layers.AddHead(top);  // the new first layer
  auto* over = new CDrawRect;
  over->SetCorners(CRectD(20, 20, 50, 50));
  top->m_objects.AddTail(over);
  LinkAll(a, "A");
  LinkAll(over, "Top");
  Load();
  Send(WM_LBUTTONDOWN, 30, 30);
  EXPECT_EQ(h.LinkedPictures(), (std::vector<std::string>{"Top:102"}));
}

TEST_F(RunMouse, WithoutPictureButtonsAreDropped) {
  Send(WM_RBUTTONDOWN, 30, 30);
  Send(WM_RBUTTONUP, 30, 30);
  EXPECT_EQ(ContextMenus(), 0u);
}

}  // namespace
