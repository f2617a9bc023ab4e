// The runtime window in-process: loading, the tick schedule, the tag
// refresh in batches, picture links and the view notice.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>

#include "actkinds.h"
#include "drawbutton.h"
#include "drawgroup.h"
#include "drawrect.h"
#include "picfile.h"
#include "picobj.h"
#include "runharness.h"
#include "streamtest_util.h"

using namespace runtest;

namespace {

// A picture whose rectangles each read their own tag on every tick.
std::unique_ptr<CPicObj> PictureReading(int tags, int periodMs = 1000) {
  std::unique_ptr<CPicObj> picture(NewPicture(RGB(255, 255, 255), periodMs));
  for (int i = 0; i < tags; ++i) {
    CDrawRect* rect = AddRect(*picture, RECT{10, 10, 20, 20}, RGB(0, 0, 255));
    AddFillColorLink(*rect, ("t" + std::to_string(i)).c_str(), RGB(0, 255, 0), RGB(255, 0, 0));
  }
  return picture;
}

TEST(RunWindow, LibraryRegistersTheGlobalClassAndTheTimerRuns) {
  Harness h;
  ASSERT_TRUE(h.Ok());
  WNDCLASSA wc = {};
  ASSERT_TRUE(::GetClassInfoA(h.Library(), "QELPICVIEW", &wc));
  EXPECT_TRUE(wc.style & CS_DBLCLKS);
  EXPECT_TRUE(wc.style & CS_GLOBALCLASS);
  EXPECT_EQ(wc.hbrBackground, ::GetStockObject(LTGRAY_BRUSH));
  // WM_CREATE started timer 1, which the harness killed.
  EXPECT_TRUE(h.timerWasRunning);
  EXPECT_FALSE(::KillTimer(h.View(), 1));
}

TEST(RunWindow, LoadAnswersZeroAndNotifiesTheView) {
  Harness h;
  ASSERT_TRUE(h.Ok());
  auto picture = PictureReading(1);
  EXPECT_EQ(h.Load(*picture), 0);
  // The load sends one notice; the scroll bars that a picture larger than
  // the window brings resize the client area, which sends more.
  auto views = h.NoticesOf(QCN_VIEWCHANGED);
  ASSERT_GE(views.size(), 1u);
  for (const Notice& n : views) {
    EXPECT_EQ(n.wParam, 1000u);
    EXPECT_EQ(n.view.zoom, 100);
    EXPECT_EQ(n.view.x, 0.0);
    EXPECT_EQ(n.view.y, 0.0);
    EXPECT_EQ(n.view.zero, 0u);
  }
}

TEST(RunWindow, DamagedOrEmptyBufferAnswersOneAndLeavesNoPicture) {
  Harness h;
  ASSERT_TRUE(h.Ok());
  auto picture = PictureReading(3);
  std::vector<BYTE> bytes = StorePictureBytes(*picture);
  const std::vector<std::vector<BYTE>> damaged = {
      {}, std::vector<BYTE>(bytes.begin(), bytes.begin() + bytes.size() / 2), {0xFF, 0xFF, 0xFF}};
  for (const auto& buffer : damaged) {
    ASSERT_EQ(h.Load(bytes), 0);
    h.host.readCounts.clear();
    EXPECT_EQ(h.Load(buffer), 1) << buffer.size();
    EXPECT_FALSE(::GetWindowLongA(h.View(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
    // No picture: ticks do nothing, so nothing is read.
    h.Tick(16);
    EXPECT_TRUE(h.host.readCounts.empty()) << buffer.size();
  }
  PictureDataBlock none = {nullptr, nullptr, nullptr, 0};
  EXPECT_EQ(::SendMessageA(h.View(), QCM_LOADPICDATA, 0, reinterpret_cast<LPARAM>(&none)), 1);
  EXPECT_EQ(::SendMessageA(h.View(), QCM_LOADPICDATA, 0, 0), 1);
}

TEST(RunWindow, PictureNestedTooDeepAnswersOneAndOneAtTheBoundRuns) {
  Harness h;
  ASSERT_TRUE(h.Ok());
  EXPECT_EQ(h.Load(streamtest::NestedGroupBytes(10000)), 1);
  EXPECT_EQ(h.Load(streamtest::NestedGroupBytes(CDrawGroup::kMaxNesting)), 0);
  h.Tick(16);  // prepares, fires and draws every level
  ::UpdateWindow(h.View());
  EXPECT_EQ(h.Load(streamtest::NestedGroupBytes(CDrawGroup::kMaxNesting + 1)), 1);
}

TEST(RunWindow, FirstRefreshOnTickSevenThenEveryEighth) {
  Harness h;
  ASSERT_TRUE(h.Ok());
  auto picture = PictureReading(2);
  ASSERT_EQ(h.Load(*picture), 0);
  h.Tick(1);  // the first tick reads each new tag once
  ASSERT_EQ(h.host.readCounts, (std::vector<int>{1, 1}));
  std::vector<int> refreshTicks;
  for (int tick = 2; tick <= 31; ++tick) {
    const size_t before = h.host.readCounts.size();
    h.Tick();
    if (h.host.readCounts.size() != before) refreshTicks.push_back(tick);
  }
  EXPECT_EQ(refreshTicks, (std::vector<int>{7, 15, 23, 31}));
  EXPECT_EQ(h.host.readCounts.back(), 2);  // one batch with both tags
}

TEST(RunWindow, LoadingAgainEmptiesTheCacheAndRestartsTheTicks) {
  Harness h;
  ASSERT_TRUE(h.Ok());
  auto picture = PictureReading(1);
  ASSERT_EQ(h.Load(*picture), 0);
  h.Tick(5);
  ASSERT_EQ(h.Load(*picture), 0);
  h.host.readCounts.clear();
  h.Tick(6);
  // The tag is new again (one read), and no refresh came before tick 7.
  EXPECT_EQ(h.host.readCounts, (std::vector<int>{1}));
  h.Tick(1);
  EXPECT_EQ(h.host.readCounts, (std::vector<int>{1, 1}));
}

TEST(RunWindow, BatchesHoldAtMost1024Records) {
  struct Case {
    int tags;
    std::vector<int> batches;
  };
  const Case cases[] = {{1025, {1024, 1}}, {2048, {1024, 1024}}, {3, {3}}};
  for (const Case& c : cases) {
    Harness h;
    ASSERT_TRUE(h.Ok());
    auto picture = PictureReading(c.tags);
    ASSERT_EQ(h.Load(*picture), 0);
    h.Tick(6);
    h.host.readCounts.clear();
    h.Tick(1);
    EXPECT_EQ(h.host.readCounts, c.batches) << c.tags;
  }
}

TEST(RunWindow, PictureCycleDivisorFollowsThePeriod) {
  struct Case {
    int periodMs;
    std::vector<int> cycleTicks;  // of ticks 1..6
  };
  // An event link on the picture-cycle trigger asks for a picture each time
  // it runs, and the parent records every request.
  const Case cases[] = {{50, {1, 2, 3, 4, 5, 6}}, {150, {1, 2, 3, 4, 5, 6}}, {200, {1, 3, 5}}, {1000, {1}},
                        {0, {1, 2, 3, 4, 5, 6}},  {-500, {1, 2, 3, 4, 5, 6}}};
  for (const Case& c : cases) {
    Harness h;
    ASSERT_TRUE(h.Ok());
    std::unique_ptr<CPicObj> picture(NewPicture(RGB(255, 255, 255), c.periodMs));
    CDrawRect* rect = AddRect(*picture, RECT{10, 10, 20, 20}, RGB(0, 0, 255));
    auto* link = new CActEvent;
    link->m_nMode = AM_DIRECT;
    link->m_nEvent = 0;  // runs on the picture-cycle event
    link->m_nTrigger = 0;
    link->m_strCommand = "link\ncycle";
    rect->AddAction(link);
    ASSERT_EQ(h.Load(*picture), 0);
    std::vector<int> fired;
    for (int tick = 1; tick <= 6; ++tick) {
      const size_t before = h.LinkedPictures().size();
      h.Tick();
      if (h.LinkedPictures().size() != before) fired.push_back(tick);
    }
    EXPECT_EQ(fired, c.cycleTicks) << c.periodMs;
  }
}

TEST(RunWindow, ValuesComeBackByNameAndAFailedBatchKeepsTheOld) {
  Harness h;
  ASSERT_TRUE(h.Ok());
  auto picture = PictureReading(3);
  ASSERT_EQ(h.Load(*picture), 0);
  h.Tick(6);
  h.host.values["t0"] = IntValue(10);
  h.host.values["t1"] = IntValue(11);
  h.host.values["t2"] = IntValue(12);
  h.host.reverseBatch = true;
  h.Tick(1);  // refresh on tick 7, answered in reverse order
  auto read = [&](const char* name) {
    QB_VALUE v = {};
    NumTagRequest r = {name, &v};
    EXPECT_EQ(h.Request(QSM_READTAG, &r), 0);
    return v;
  };
  EXPECT_EQ(read("t0").data.i32, 10);
  EXPECT_EQ(read("t2").data.i32, 12);
  EXPECT_EQ(read("t1").status, 0);
  h.host.readResult = 31;
  h.host.values["t0"] = IntValue(99);
  h.Tick(8);  // a failed refresh on tick 15
  EXPECT_EQ(read("t0").data.i32, 10);
  EXPECT_EQ(read("t1").data.i32, 11);
}

TEST(RunWindow, PictureLinksReachTheParentWithTheControlId) {
  Harness h;
  ASSERT_TRUE(h.Ok());
  const char name[] = "主画面.pic";
  EXPECT_EQ(::SendMessageA(h.View(), QCN_LINKPICTURE, 0, reinterpret_cast<LPARAM>(name)), 0);
  auto links = h.NoticesOf(QCN_LINKPICTURE);
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0].wParam, 1000u);
  EXPECT_EQ(links[0].text, name);
}

TEST(RunWindow, LinkPictureWithoutParentIsNotForwarded) {
  ASSERT_NE(::LoadLibraryA("..\\out\\QelRun.dll"), nullptr);
  HWND lone = ::CreateWindowA("QELPICVIEW", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(lone, nullptr);
  EXPECT_EQ(::SendMessageA(lone, QCN_LINKPICTURE, 0, reinterpret_cast<LPARAM>("x")), 0);
  ::DestroyWindow(lone);
  ::FreeLibrary(::GetModuleHandleA("QelRun.dll"));
}

TEST(RunWindow, ZoomChangesTheViewAndIgnoresZeroOrLess) {
  Harness h;
  ASSERT_TRUE(h.Ok());
  EXPECT_EQ(::SendMessageA(h.View(), QCM_ZOOM, 0, 200), 0);
  EXPECT_TRUE(h.NoticesOf(QCN_VIEWCHANGED).empty());  // no picture: nothing happens
  auto picture = PictureReading(1);
  ASSERT_EQ(h.Load(*picture), 0);
  h.notices.clear();
  EXPECT_EQ(::SendMessageA(h.View(), QCM_ZOOM, 0, 0), 0);
  EXPECT_EQ(::SendMessageA(h.View(), QCM_ZOOM, 0, -50), 0);
  EXPECT_TRUE(h.NoticesOf(QCN_VIEWCHANGED).empty());
  EXPECT_EQ(::SendMessageA(h.View(), QCM_ZOOM, 0, 250), 0);
  auto views = h.NoticesOf(QCN_VIEWCHANGED);
  ASSERT_EQ(views.size(), 1u);
  EXPECT_EQ(views[0].view.zoom, 250);
}

TEST(RunWindow, MessagesOfTheEditingWindowAnswerZero) {
  Harness h;
  ASSERT_TRUE(h.Ok());
  for (UINT msg : {QCM_OPENPIC, QCM_SAVEPIC, QCM_QUERY, QCM_SELECTTOOL, QCM_COMPILE})
    EXPECT_EQ(::SendMessageA(h.View(), msg, 1, 0), 0) << msg;
}

TEST(RunWindow, ReloadingRemovesTheOldControlWindows) {
  Harness h;
  ASSERT_TRUE(h.Ok());
  std::unique_ptr<CPicObj> withButton(NewPicture());
  auto* button = new CDrawPushBt;
  button->m_rect = CRectD(10, 10, 90, 40);
  withButton->GetLayer(0)->m_objects.AddTail(button);
  ASSERT_EQ(h.Load(*withButton), 0);
  EXPECT_NE(::FindWindowExA(h.View(), nullptr, "BUTTON", nullptr), nullptr);
  auto plain = PictureReading(1);
  ASSERT_EQ(h.Load(*plain), 0);
  EXPECT_EQ(::FindWindowExA(h.View(), nullptr, "BUTTON", nullptr), nullptr);
  // The harness destroys the window with a button picture loaded.
  ASSERT_EQ(h.Load(*withButton), 0);
}

// Pictures whose links ask for another picture, for a host that loads it
// at once inside the request: the picture is replaced while the window's
// walk, the object and the link that asked are still running. Only the
// first request reaches the host; nothing of the replaced picture runs
// after it (nor reads what was deleted).
struct ReplacingCase {
  const char* what;
  std::function<void(CPicObj&)> build;
  std::function<void(Harness&)> fire;
  std::vector<std::string> requests;
};

void TickOnce(Harness& h) { h.Tick(1); }

void ClickAt150(Harness& h) {
  ::SendMessageA(h.View(), WM_LBUTTONDOWN, 0, MAKELPARAM(150, 150));
  ::SendMessageA(h.View(), WM_LBUTTONUP, 0, MAKELPARAM(150, 150));
}

CDrawRect* RectWithEvents(CPicObj& picture, std::initializer_list<std::pair<int, const char*>> links) {
  CDrawRect* rect = AddRect(picture, RECT{100, 100, 200, 200}, RGB(0, 0, 255));
  for (const auto& link : links) AddEventLink(*rect, link.first, link.second);
  return rect;
}

const ReplacingCase kReplacingCases[] = {
    {"objects that each ask on the picture cycle",
     [](CPicObj& p) {
       for (int i = 0; i < 20; ++i) RectWithEvents(p, {{AT_PICTURE_CYCLE, i == 0 ? "first" : "later"}});
     },
     TickOnce,
     {"first"}},
    {"one object that asks three times on the picture cycle",
     [](CPicObj& p) {
       RectWithEvents(p, {{AT_PICTURE_CYCLE, "a"}, {AT_PICTURE_CYCLE, "b"}, {AT_PICTURE_CYCLE, "c"}});
     },
     TickOnce,
     {"a"}},
    {"one object that asks on its own period and on the picture cycle",
     [](CPicObj& p) {
       RectWithEvents(p, {{AT_OWN_PERIOD, "own"}, {AT_PICTURE_CYCLE, "cycle"}});
     },
     TickOnce,
     {"own"}},
    {"a group whose members ask on the picture cycle",
     [](CPicObj& p) {
       auto* group = new CDrawGroup;
       for (const char* name : {"member", "second member"}) {
         CDrawRect* rect = RectWithEvents(p, {{AT_PICTURE_CYCLE, name}});
         p.GetLayer(0)->m_objects.RemoveTail();
         group->AddChild(rect);
       }
       group->ResetReferenceRect();
       p.GetLayer(0)->m_objects.AddTail(group);
     },
     TickOnce,
     {"member"}},
    {"a click with two click links and a release link",
     [](CPicObj& p) {
       RectWithEvents(p, {{AK_MOUSE_CLICK, "clicked"}, {AK_MOUSE_CLICK, "again"}, {AK_LBUTTON_UP, "up"}});
     },
     ClickAt150,
     {"clicked"}},
};

TEST(RunWindow, AHostThatLoadsInsideALinkRequestDoesNotBreakTheTick) {
  Harness h;
  ASSERT_TRUE(h.Ok());
  auto next = PictureReading(1);
  for (const ReplacingCase& c : kReplacingCases) {
    std::unique_ptr<CPicObj> picture(NewPicture(RGB(255, 255, 255), 100));
    c.build(*picture);
    ASSERT_EQ(h.Load(*picture), 0) << c.what;
    h.notices.clear();
    h.loadOnLink = StorePictureBytes(*next);
    c.fire(h);
    EXPECT_EQ(h.LinkedPictures(), c.requests) << c.what;
    EXPECT_TRUE(h.loadOnLink.empty()) << c.what << ": the host loaded nothing";
    // The picture that came in its place runs: its tag is read on its first tick.
    h.host.readCounts.clear();
    h.Tick(1);
    EXPECT_EQ(h.host.readCounts, (std::vector<int>{1})) << c.what;
  }
}

TEST(RunWindow, ScrollingMovesTheViewAndNotifiesIt) {
  Harness h(400, 300);
  ASSERT_TRUE(h.Ok());
  auto picture = PictureReading(1);  // 960 x 680
  ASSERT_EQ(h.Load(*picture), 0);
  RECT client;
  ::GetClientRect(h.View(), &client);
  const int page = client.right;
  struct Case {
    int code;
    double x;
  };
  const Case cases[] = {{SB_LINEDOWN, 100},          {SB_LINEDOWN, 200},        {SB_LINEUP, 100},
                        {SB_PAGEDOWN, 100.0 + page}, {SB_BOTTOM, 960.0 - page}, {SB_TOP, 0}};
  for (const Case& c : cases) {
    h.notices.clear();
    ::SendMessageA(h.View(), WM_HSCROLL, c.code, 0);
    auto views = h.NoticesOf(QCN_VIEWCHANGED);
    ASSERT_EQ(views.size(), 1u) << c.code;
    EXPECT_EQ(views[0].view.x, c.x) << c.code;
    EXPECT_EQ(::GetScrollPos(h.View(), SB_HORZ), static_cast<int>(c.x));
  }
  h.notices.clear();
  ::SendMessageA(h.View(), WM_HSCROLL, SB_ENDSCROLL, 0);
  EXPECT_TRUE(h.NoticesOf(QCN_VIEWCHANGED).empty());
}

SCROLLINFO BarOf(HWND window, int bar) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  ::GetScrollInfo(window, bar, &info);
  return info;
}

TEST(RunWindow, APictureWiderAndTallerThanTheWindowScrollsToItsLastRow) {
  // The window has no bars of its own until the picture brings both; each
  // takes room from the client area, and the pages follow what is left.
  Harness h(400, 300);
  ASSERT_TRUE(h.Ok());
  auto picture = PictureReading(1);  // 960 x 680
  ASSERT_EQ(h.Load(*picture), 0);
  const int width = 400 - ::GetSystemMetrics(SM_CXVSCROLL);
  const int height = 300 - ::GetSystemMetrics(SM_CYHSCROLL);
  RECT client;
  ::GetClientRect(h.View(), &client);
  ASSERT_EQ(client.right, width);
  ASSERT_EQ(client.bottom, height);
  const SCROLLINFO horizontal = BarOf(h.View(), SB_HORZ);
  const SCROLLINFO vertical = BarOf(h.View(), SB_VERT);
  EXPECT_EQ(horizontal.nMax, 960);
  EXPECT_EQ(horizontal.nPage, static_cast<UINT>(width));
  EXPECT_EQ(vertical.nMax, 680);
  EXPECT_EQ(vertical.nPage, static_cast<UINT>(height));
  // The last rows and columns of the picture come into view.
  h.notices.clear();
  ::SendMessageA(h.View(), WM_VSCROLL, SB_BOTTOM, 0);
  ::SendMessageA(h.View(), WM_HSCROLL, SB_BOTTOM, 0);
  auto views = h.NoticesOf(QCN_VIEWCHANGED);
  ASSERT_EQ(views.size(), 2u);
  EXPECT_EQ(views.back().view.x, 960.0 - width);
  EXPECT_EQ(views.back().view.y, 680.0 - height);
  EXPECT_EQ(::GetScrollPos(h.View(), SB_VERT), 680 - height);
  // Resizing lays the bars out again with the new pages.
  ::MoveWindow(h.View(), 0, 0, 500, 400, TRUE);
  EXPECT_EQ(BarOf(h.View(), SB_VERT).nPage, static_cast<UINT>(400 - ::GetSystemMetrics(SM_CYHSCROLL)));
  EXPECT_EQ(BarOf(h.View(), SB_HORZ).nPage, static_cast<UINT>(500 - ::GetSystemMetrics(SM_CXVSCROLL)));
}

TEST(RunWindow, OnlyTheWindowsOwnBarsScrollIt) {
  Harness h(400, 300);
  ASSERT_TRUE(h.Ok());
  auto picture = PictureReading(1);
  ASSERT_EQ(h.Load(*picture), 0);
  // A scroll-bar control inside the window reports with its own handle.
  HWND control = ::CreateWindowA("SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 10, 10, 16, 100, h.View(),
                                 nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(control, nullptr);
  h.notices.clear();
  for (int code : {SB_LINEDOWN, SB_PAGEDOWN, SB_BOTTOM}) {
    ::SendMessageA(h.View(), WM_VSCROLL, code, reinterpret_cast<LPARAM>(control));
    ::SendMessageA(h.View(), WM_HSCROLL, code, reinterpret_cast<LPARAM>(control));
  }
  EXPECT_TRUE(h.NoticesOf(QCN_VIEWCHANGED).empty());
  EXPECT_EQ(::GetScrollPos(h.View(), SB_VERT), 0);
  EXPECT_EQ(::GetScrollPos(h.View(), SB_HORZ), 0);
  // The window's own bar (lParam 0) still scrolls.
  ::SendMessageA(h.View(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(::GetScrollPos(h.View(), SB_VERT), 100);
  ::DestroyWindow(control);
}

TEST(RunWindow, ScrolledClicksHitThePictureUnderTheCursor) {
  Harness h(400, 300);
  ASSERT_TRUE(h.Ok());
  std::unique_ptr<CPicObj> picture(NewPicture());
  CDrawRect* distant = AddRect(*picture, RECT{500, 10, 550, 60}, RGB(0, 0, 255));
  AddEventLink(*distant, AK_LBUTTON_DOWN, "far");
  ASSERT_EQ(h.Load(*picture), 0);
  ::SendMessageA(h.View(), WM_HSCROLL, SB_LINEDOWN, 0);
  ::SendMessageA(h.View(), WM_HSCROLL, SB_LINEDOWN, 0);
  ::SendMessageA(h.View(), WM_HSCROLL, SB_LINEDOWN, 0);
  ::SendMessageA(h.View(), WM_HSCROLL, SB_LINEDOWN, 0);  // origin 400
  ::SendMessageA(h.View(), WM_LBUTTONDOWN, 0, MAKELPARAM(120, 30));
  EXPECT_EQ(h.LinkedPictures(), (std::vector<std::string>{"far"}));
}

TEST(RunWindow, MouseMoveSetsTheArrowAsClassCursor) {
  Harness h;
  ASSERT_TRUE(h.Ok());
  ::SetClassLongPtrA(h.View(), GCLP_HCURSOR, 0);
  ::SendMessageA(h.View(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(reinterpret_cast<HCURSOR>(::GetClassLongPtrA(h.View(), GCLP_HCURSOR)),
            ::LoadCursorA(nullptr, IDC_ARROW));
}

TEST(RunWindow, ResizingNotifiesTheView) {
  Harness h(400, 300);
  ASSERT_TRUE(h.Ok());
  auto picture = PictureReading(1);
  ASSERT_EQ(h.Load(*picture), 0);
  h.notices.clear();
  ::MoveWindow(h.View(), 0, 0, 300, 200, TRUE);
  auto views = h.NoticesOf(QCN_VIEWCHANGED);
  ASSERT_GE(views.size(), 1u);
  EXPECT_EQ(views.back().view.zoom, 100);
  EXPECT_EQ(views.back().wParam, 1000u);
}

}  // namespace
