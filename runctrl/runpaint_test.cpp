// A running picture as the window draws it (into a memory surface, with
// WM_PRINTCLIENT): its linked objects must change colour and position as
// their tags change.
#include <gtest/gtest.h>

#include <memory>

#include "activex/drawctrlocx.h"
#include "actkinds.h"
#include "drawbutton.h"
#include "drawctrledit.h"
#include "drawrect.h"
#include "gdiwrap.h"
#include "picobj.h"
#include "render_surface.h"
#include "runharness.h"
#include "runscripts.h"
#include "testocx_ids.h"
#include "testocx_register.h"

using namespace runtest;
using qeltest::RenderSurface;
using qeltest::RgbOf;

namespace {

constexpr COLORREF kBack = RGB(255, 255, 255);
constexpr COLORREF kOff = RGB(0, 160, 0);
constexpr COLORREF kOn = RGB(200, 0, 0);
constexpr COLORREF kBar = RGB(0, 0, 200);

// Draws the window's client area as the window itself draws it
// (WM_PRINTCLIENT), at `origin` of `dc`, then its visible child windows over
// it where they lie, from the bottom of their order to the top, each clipped
// to its rectangle.
void PrintWithChildren(HWND window, HDC dc, POINT origin) {
  const int saved = ::SaveDC(dc);
  ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  ::RestoreDC(dc, saved);
  for (HWND child = ::GetWindow(::GetWindow(window, GW_CHILD), GW_HWNDLAST); child;
       child = ::GetWindow(child, GW_HWNDPREV)) {
    if (!::IsWindowVisible(child)) continue;
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    const int outer = ::SaveDC(dc);
    ::IntersectClipRect(dc, origin.x + r.left, origin.y + r.top, origin.x + r.right, origin.y + r.bottom);
    PrintWithChildren(child, dc, POINT{origin.x + r.left, origin.y + r.top});
    ::RestoreDC(dc, outer);
  }
}

// What the window shows in its client area, read from its own drawing, not
// from the screen that the tests of other programs share.
void Screenshot(HWND hwnd, RenderSurface& out) {
  PrintWithChildren(hwnd, out.dc(), POINT{0, 0});
  ::GdiFlush();
}

TEST(RunPaint, LinkedObjectsChangeColourAndPositionWithTheirTags) {
  Harness h(300, 200, 0, 0);
  ASSERT_TRUE(h.Ok());
  std::unique_ptr<CPicObj> picture(NewPicture(kBack, 1000));
  // A lamp whose fill follows tag "lamp".
  CDrawRect* lamp = AddRect(*picture, RECT{20, 20, 80, 80}, RGB(128, 128, 128));
  AddFillColorLink(*lamp, "lamp", kOff, kOn);
  // A horizontal bar that turns by 90 degrees about its centre while "turn"
  // is non-zero and back when it is zero (a swinging rotation link).
  CDrawRect* bar = AddRect(*picture, RECT{150, 95, 250, 105}, kBar);
  bar->m_clrLine = kBar;
  auto* roll = new CActRoll;
  roll->m_nMode = AM_DIRECT;
  roll->m_nTrigger = 1;
  roll->m_nPeriod = 100;
  roll->m_nSwing = 1;
  roll->m_nStep = 90;
  roll->m_strExpression = "TV(turn)";
  bar->AddAction(roll);

  h.host.values["lamp"] = IntValue(0);
  h.host.values["turn"] = IntValue(0);
  ASSERT_EQ(h.Load(*picture), 0);
  h.Tick(1);
  RenderSurface before(300, 200);
  Screenshot(h.View(), before);
  EXPECT_EQ(before.Pixel(50, 50), RgbOf(kOff));
  EXPECT_EQ(before.Pixel(240, 100), RgbOf(kBar));
  EXPECT_EQ(before.Pixel(200, 140), RgbOf(kBack));
  EXPECT_EQ(before.Pixel(5, 5), RgbOf(kBack));

  h.host.values["lamp"] = IntValue(5);
  h.host.values["turn"] = IntValue(1);
  h.Tick(6);  // the refresh on tick 7 brings the new values; tick 8 applies them
  h.Tick(1);
  RenderSurface after(300, 200);
  Screenshot(h.View(), after);
  EXPECT_EQ(after.Pixel(50, 50), RgbOf(kOn));
  EXPECT_EQ(after.Pixel(240, 100), RgbOf(kBack));
  EXPECT_EQ(after.Pixel(200, 140), RgbOf(kBar));
  EXPECT_EQ(after.Pixel(5, 5), RgbOf(kBack));
}

// The test control fills its window with its back colour (its text empty).
constexpr COLORREF kControlBack = RGB(10, 200, 30);

CDrawCtrlOcx* AddTestControl(CPicObj& picture, const CRectD& rect) {
  auto* ocx = new CDrawCtrlOcx(CLSID_QelTestOcx);
  ocx->m_rect = rect;
  const std::vector<BYTE> state = TestOcxSavedState("", kControlBack);
  EXPECT_FALSE(state.empty());
  ocx->SetState(state.data(), static_cast<UINT>(state.size()));
  picture.GetLayer(0)->m_objects.AddTail(ocx);
  return ocx;
}

// A panel over the whole window, of a colour of its own.
constexpr COLORREF kPanel = RGB(0, 90, 90);
CDrawRect* AddPanel(CPicObj& picture) { return AddRect(picture, RECT{-10, -10, 310, 210}, kPanel); }

int ClientPixelCount(HWND window) {
  RECT client;
  ::GetClientRect(window, &client);
  return client.right * client.bottom;
}

// Also under a panel over the whole window, which leaves out of the paint
// what lies under it: the control's window is still at its rectangle.
TEST(RunPaint, AnActiveXControlIsShownWithItsStateAtItsObjectsRectangle) {
  for (bool underPanel : {false, true}) {
    SCOPED_TRACE(underPanel ? "under a panel" : "alone");
    Harness h(300, 200, 0, 420);
    ASSERT_TRUE(h.Ok());
    ASSERT_TRUE(StartTestOcx());
    std::unique_ptr<CPicObj> picture(NewPicture(kBack, 1000));
    AddTestControl(*picture, CRectD(40, 30, 200, 130));
    if (underPanel) AddPanel(*picture);
    const COLORREF around = underPanel ? kPanel : kBack;
    ASSERT_EQ(h.Load(*picture), 0);
    RenderSurface shot(300, 200);
    Screenshot(h.View(), shot);
    EXPECT_EQ(shot.Pixel(40, 30), RgbOf(kControlBack));
    EXPECT_EQ(shot.Pixel(199, 129), RgbOf(kControlBack));
    EXPECT_EQ(shot.Pixel(39, 30), RgbOf(around));
    EXPECT_EQ(shot.Pixel(200, 129), RgbOf(around));
    EXPECT_EQ(shot.Pixel(40, 130), RgbOf(around));
    EXPECT_EQ(shot.CountPixels(RgbOf(kControlBack)), 160 * 100);
    EXPECT_EQ(shot.CountPixels(RgbOf(around)), ClientPixelCount(h.View()) - 160 * 100);
    StopTestOcx();
  }
}

TEST(RunPaint, AScriptCallsIntoAnActiveXControlAndTheControlShowsIt) {
  Harness h(300, 200, 640, 420);
  ASSERT_TRUE(h.Ok());
  ASSERT_TRUE(StartTestOcx());
  std::unique_ptr<CPicObj> picture(NewPicture(kBack, 1000));
  CDrawCtrlOcx* ocx = AddTestControl(*picture, CRectD(40, 30, 200, 130));
  ocx->m_strName = "ocx1";
  // Red once the control says it holds no text (its Length, read back).
  ASSERT_TRUE(runtest::AddScriptLink(*ocx,
                                     "int main()\n{\n  int n;\n  int r;\n  n = 9;\n"
                                     "  ocx_GetVal(\"ocx1\", \"Length\", &n);\n"
                                     "  if (n == 0) ocx_SetVal(0, \"BackColor\", &r, 255);\n"
                                     "  return 0;\n}\n"));
  ASSERT_EQ(h.Load(*picture), 0);
  h.Tick(1);
  RenderSurface shot(300, 200);
  Screenshot(h.View(), shot);
  EXPECT_EQ(shot.CountPixels(RgbOf(RGB(255, 0, 0))), 160 * 100);
  EXPECT_EQ(shot.CountPixels(RgbOf(kControlBack)), 0);
  StopTestOcx();
}

// Show/hide links are offered to no control; a group's link shows and hides
// its members, the control's window with them.
TEST(RunPaint, AGroupsShowHideLinkHidesAndShowsAnActiveXControl) {
  Harness h(300, 200, 320, 420);
  ASSERT_TRUE(h.Ok());
  ASSERT_TRUE(StartTestOcx());
  std::unique_ptr<CPicObj> picture(NewPicture(kBack, 1000));
  GroupWithShowHide(*picture, AddTestControl(*picture, CRectD(40, 30, 200, 130)), "lamp");
  h.host.values["lamp"] = IntValue(0);
  ASSERT_EQ(h.Load(*picture), 0);
  HWND window = ::FindWindowExA(h.View(), nullptr, "QelOleControlSite", nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(::IsWindowVisible(window));
  h.Tick(8);
  EXPECT_FALSE(::IsWindowVisible(window));
  RenderSurface hidden(300, 200);
  Screenshot(h.View(), hidden);
  EXPECT_EQ(hidden.CountPixels(RgbOf(kControlBack)), 0);
  h.host.values["lamp"] = IntValue(1);
  h.Tick(8);
  EXPECT_TRUE(::IsWindowVisible(window));
  StopTestOcx();
}

// SetViewFlag shows and hides every object that hosts a window as a show/hide
// link does: the buttons and edit boxes as well as the ActiveX control.
TEST(RunPaint, SetViewFlagHidesAndShowsEveryControlWindow) {
  Harness h(420, 120, 0, 640);
  ASSERT_TRUE(h.Ok());
  ASSERT_TRUE(StartTestOcx());
  std::unique_ptr<CPicObj> picture(NewPicture(kBack, 1000));
  const struct {
    const char* name;
    CDrawObj* obj;
  } kControls[] = {{"push", new CDrawPushBt},
                   {"check", new CDrawCheckBt},
                   {"radio", new CDrawRadioBt},
                   {"edit", new CDrawCtrlEdit},
                   {"ocx", nullptr}};
  std::string hideAll, showAll;
  std::vector<POINT> centres;
  for (const auto& c : kControls) {
    const CRectD at(10 + 80.0 * centres.size(), 20, 80 + 80.0 * centres.size(), 60);
    CDrawObj* obj = c.obj ? c.obj : AddTestControl(*picture, at);
    if (c.obj) picture->GetLayer(0)->m_objects.AddTail(obj);
    obj->m_rect = at;
    obj->m_strName = c.name;
    centres.push_back(POINT{static_cast<LONG>(at.left + 35), 40});
    hideAll += std::string("    SetViewFlag(\"") + c.name + "\", 0);\n";
    showAll += std::string("    SetViewFlag(\"") + c.name + "\", 1);\n";
  }
  // Hides them all on its first run and shows them again on its third.
  CDrawRect* owner = AddRect(*picture, RECT{10, 80, 30, 100}, kOff);
  ASSERT_TRUE(runtest::AddScriptLink(*owner, "int n;\nint main()\n{\n  n = n + 1;\n  if (n == 1) {\n" +
                                                 hideAll + "  }\n  if (n == 3) {\n" + showAll +
                                                 "  }\n  return 0;\n}\n"));
  ASSERT_EQ(h.Load(*picture), 0);
  std::vector<HWND> windows;
  for (POINT p : centres) {
    HWND child = ::ChildWindowFromPointEx(h.View(), p, CWP_SKIPINVISIBLE);
    EXPECT_NE(child, h.View()) << "no window at " << p.x;
    windows.push_back(child);
  }
  // Whether a click at the control's centre lands on its window: the view's
  // visible, enabled child there (asked of the view itself, so that another
  // program's window on the shared test display does not matter).
  auto clickable = [&](size_t i) {
    HWND under = ::ChildWindowFromPointEx(h.View(), centres[i], CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
    return under == windows[i];
  };
  h.Tick(1);
  for (size_t i = 0; i < windows.size(); ++i) {
    EXPECT_FALSE(::IsWindowVisible(windows[i])) << kControls[i].name;
    EXPECT_FALSE(clickable(i)) << kControls[i].name;
  }
  h.Tick(2);
  for (size_t i = 0; i < windows.size(); ++i) {
    EXPECT_TRUE(::IsWindowVisible(windows[i])) << kControls[i].name;
    EXPECT_TRUE(clickable(i)) << kControls[i].name;
  }
  StopTestOcx();
}

// What a panel over the window hides is left out of the paint, but its
// links still change it, and when the panel goes (its group's link hides
// it, its movement script moves it away) it shows as it now is.
TEST(RunPaint, WhatAPanelHidesShowsAsItNowIsWhenThePanelGoes) {
  for (bool moved : {false, true}) {
    SCOPED_TRACE(moved ? "moved away by its script" : "hidden by its group's link");
    if (moved) {
      ASSERT_TRUE(runtest::ScriptsRun()) << "script links get no machine";
    }
    Harness h(300, 200, 0, 200);
    ASSERT_TRUE(h.Ok());
    std::unique_ptr<CPicObj> picture(NewPicture(kBack, 1000));
    CDrawRect* lamp = AddRect(*picture, RECT{20, 20, 80, 80}, RGB(128, 128, 128));
    AddFillColorLink(*lamp, "lamp", kOff, kOn);
    CDrawRect* panel = AddPanel(*picture);
    if (moved)
      ASSERT_TRUE(runtest::AddMoveLink(*panel, "panel", "x", 150.0, 100.0));
    else
      GroupWithShowHide(*picture, panel, "shown");
    h.host.values["lamp"] = IntValue(0);
    h.host.values["shown"] = IntValue(1);
    h.host.values["x"] = IntValue(0);
    ASSERT_EQ(h.Load(*picture), 0);
    h.Tick(1);
    h.host.values["lamp"] = IntValue(5);
    h.Tick(6);  // the refresh on tick 7 brings the new value; tick 8 applies it
    h.Tick(1);
    RenderSurface covered(300, 200);
    Screenshot(h.View(), covered);
    EXPECT_EQ(covered.CountPixels(RgbOf(kPanel)), ClientPixelCount(h.View()));

    h.host.values["shown"] = IntValue(0);
    h.host.values["x"] = IntValue(1000);
    h.Tick(8);
    RenderSurface uncovered(300, 200);
    Screenshot(h.View(), uncovered);
    EXPECT_EQ(uncovered.Pixel(50, 50), RgbOf(kOn));
    EXPECT_EQ(uncovered.Pixel(5, 5), RgbOf(kBack));
    EXPECT_EQ(uncovered.CountPixels(RgbOf(kPanel)), 0);
  }
}

TEST(RunPaint, WithoutPictureOnlyTheBackgroundIsPainted) {
  Harness h(100, 80, 320, 0);
  ASSERT_TRUE(h.Ok());
  RenderSurface shot(100, 80);
  shot.Fill(0x123456);
  ::InvalidateRect(h.View(), nullptr, TRUE);
  Screenshot(h.View(), shot);
  EXPECT_NE(shot.Pixel(50, 40), 0x123456u);
  EXPECT_EQ(shot.CountPixels(shot.Pixel(0, 0)), 100 * 80);
}

TEST(RunPaint, DamagedLoadClearsThePicture) {
  Harness h(100, 80, 440, 0);
  ASSERT_TRUE(h.Ok());
  std::unique_ptr<CPicObj> picture(NewPicture(RGB(0, 0, 255)));
  ASSERT_EQ(h.Load(*picture), 0);
  RenderSurface blue(100, 80);
  Screenshot(h.View(), blue);
  EXPECT_EQ(blue.Pixel(50, 40), RgbOf(RGB(0, 0, 255)));
  EXPECT_EQ(h.Load(std::vector<BYTE>{1, 2, 3}), 1);
  RenderSurface after(100, 80);
  Screenshot(h.View(), after);
  EXPECT_NE(after.Pixel(50, 40), RgbOf(RGB(0, 0, 255)));
}

}  // namespace

namespace {

TEST(RunPaint, MovementScriptPlacesItsObjectByItsTag) {
  ASSERT_TRUE(runtest::ScriptsRun()) << "script links get no machine";
  Harness h(300, 200, 560, 0);
  ASSERT_TRUE(h.Ok());
  std::unique_ptr<CPicObj> picture(NewPicture(kBack, 1000));
  CDrawRect* box = AddRect(*picture, RECT{40, 40, 60, 60}, kBar);
  ASSERT_TRUE(runtest::AddMoveLink(*box, "box", "x", 50.0, 50.0));
  h.host.values["x"] = IntValue(0);
  ASSERT_EQ(h.Load(*picture), 0);
  h.Tick(1);
  RenderSurface before(300, 200);
  Screenshot(h.View(), before);
  EXPECT_EQ(before.Pixel(50, 50), RgbOf(kBar));
  h.host.values["x"] = IntValue(150);
  h.Tick(7);  // refreshed on tick 7, moved on tick 8
  RenderSurface after(300, 200);
  Screenshot(h.View(), after);
  EXPECT_EQ(after.Pixel(50, 50), RgbOf(kBack));
  EXPECT_EQ(after.Pixel(200, 50), RgbOf(kBar));
}

}  // namespace

namespace {

// The update region of a tick is what its links and scripts changed, made
// in one invalidation: the links' dirty rectangle and each area a script
// invalidated (MoveTo: the object's area before and after the move).
TEST(RunPaint, ATickLeavesTheAreasItsLinksAndScriptsChangedToBeRepainted) {
  ASSERT_TRUE(runtest::ScriptsRun()) << "script links get no machine";
  // Off the screen: no other program's window uncovers it meanwhile.
  Harness h(300, 200, -3000, -3000);
  ASSERT_TRUE(h.Ok());
  std::unique_ptr<CPicObj> picture(NewPicture(kBack, 1000));
  CDrawRect* moved = AddRect(*picture, RECT{20, 20, 40, 40}, kBar);
  ASSERT_TRUE(runtest::AddMoveLink(*moved, "moved", "x", 30.0, 30.0));
  CDrawRect* still = AddRect(*picture, RECT{200, 20, 220, 40}, kBar);
  ASSERT_TRUE(runtest::AddMoveLink(*still, "still", "y", 210.0, 30.0));
  CDrawRect* lamp = AddRect(*picture, RECT{20, 150, 40, 170}, kBar);
  AddFillColorLink(*lamp, "lamp", kOff, kOn);
  h.host.values["x"] = IntValue(100);
  h.host.values["y"] = IntValue(0);
  h.host.values["lamp"] = IntValue(1);
  ASSERT_EQ(h.Load(*picture), 0);
  ::ValidateRect(h.View(), nullptr);
  h.Tick(1);

  const RECT movedBefore = moved->GetInvalidRect();
  moved->MoveBy(CPointD(100, 0));
  const RECT areas[] = {movedBefore, moved->GetInvalidRect(), still->GetInvalidRect(),
                        lamp->GetInvalidRect()};
  CRgn expected, area, actual;
  expected.CreateRectRgn(0, 0, 0, 0);
  for (const RECT& r : areas) {
    area.CreateRectRgn(r.left, r.top, r.right, r.bottom);
    ::CombineRgn(expected, expected, area, RGN_OR);
  }
  actual.CreateRectRgn(0, 0, 0, 0);
  ::GetUpdateRgn(h.View(), actual, FALSE);
  EXPECT_TRUE(::EqualRgn(expected, actual));
}

}  // namespace
