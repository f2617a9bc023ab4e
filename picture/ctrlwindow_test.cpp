// Control objects in real windows: creation in the editor and at run time,
// clicks and check states, the edit box's focus and content events, window
// placement, re-creation on a style change, fonts and painting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawbutton.h"
#include "drawctrledit.h"
#include "drawgroup.h"
#include "groupclasses.h"
#include "groups_test_link.h"
#include "objectclasses.h"
#include "render_surface.h"
#include "window.h"
#include "wndtest/wndtest_util.h"

namespace {

using grouptest::CStandInLink;
using grouptest::RunLog;

std::vector<std::string> g_reports;

void RecordReport(HWND, UINT, const char* what) { g_reports.push_back(what ? what : ""); }

class CtrlWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterObjectClasses();
    RegisterGroupAndControlClasses();
    g_reports.clear();
    previous_ = QelSetExceptionReporter(&RecordReport);
    ASSERT_TRUE(wndtest::CreateTopLevel(view_, true, "controls"));
    context_.hView = view_;
  }
  void TearDown() override {
    view_.DestroyWindow();
    QelSetExceptionReporter(previous_);
    EXPECT_TRUE(g_reports.empty()) << g_reports.front();
  }

  // Attaches at run time and prepares the links, as the runtime window does.
  void StartRunning(CDrawObj& obj) {
    obj.SetViewTransform(POINT{0, 0}, 1.0);
    ASSERT_TRUE(obj.AttachView(&context_, TRUE));
    obj.PrepareActions(&context_);
  }
  static void Click(CDrawObj& obj) {
    ::SendMessageA(obj.GetCtrlWnd(), BM_CLICK, 0, 0);
    wndtest::PumpPending();
  }
  static RECT WindowRectIn(HWND child, HWND parent) {
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  grouptest::StandInLinks links_;
  CWnd view_;
  DrawViewContext context_;
  QelExceptionReporter previous_ = nullptr;
};

TEST_F(CtrlWindowTest, ButtonsAreDisabledInTheEditorAndLiveAtRunTime) {
  struct Case {
    BOOL runTime;
    DWORD style;
  };
  for (Case c : {Case{FALSE, 0x5C00000Bu}, Case{TRUE, 0x5400000Bu}}) {
    CDrawPushBt button;
    button.m_rect = CRectD(10, 20, 90, 45);
    ASSERT_TRUE(button.AttachView(&context_, c.runTime));
    HWND hwnd = button.GetCtrlWnd();
    ASSERT_TRUE(hwnd);
    char cls[16] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    EXPECT_STRCASEEQ(cls, "BUTTON");
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(hwnd, GWL_STYLE)), c.style);
    EXPECT_EQ(::GetDlgCtrlID(hwnd), 0xFFFF);
    EXPECT_EQ(::GetParent(hwnd), view_.m_hWnd);
    RECT r = WindowRectIn(hwnd, view_);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 90);
    EXPECT_EQ(r.bottom, 45);
    EXPECT_TRUE(button.AttachView(&context_, c.runTime));  // the window is kept
    EXPECT_EQ(button.GetCtrlWnd(), hwnd);
    button.EnableWnd(!c.runTime);
    EXPECT_EQ(::IsWindowEnabled(hwnd) != FALSE, !c.runTime);
  }
}

TEST_F(CtrlWindowTest, ARadioButtonClickedTwiceStaysCheckedAndFiresTwice) {
  CDrawRadioBt radio;
  CDrawRadioBt other;
  radio.m_rect = CRectD(10, 10, 90, 30);
  other.m_rect = CRectD(10, 40, 90, 60);
  auto* link = new CStandInLink(500);
  radio.AddAction(link);
  StartRunning(radio);
  StartRunning(other);
  ::SendMessageA(other.GetCtrlWnd(), BM_SETCHECK, BST_CHECKED, 0);
  Click(radio);
  Click(radio);
  EXPECT_EQ(::SendMessageA(radio.GetCtrlWnd(), BM_GETCHECK, 0, 0), 1);
  EXPECT_EQ(link->runs, 2);
  EXPECT_EQ(link->lastTick, 0u);
  EXPECT_EQ(link->lastArgument, view_.m_hWnd);
  // Radio buttons form no groups.
  EXPECT_EQ(::SendMessageA(other.GetCtrlWnd(), BM_GETCHECK, 0, 0), 1);
}

// The second of two quick clicks on an owner-drawn button arrives as a
// double click (BN_DOUBLECLICKED, no BN_CLICKED): it still counts.
TEST_F(CtrlWindowTest, ADoubleClickCountsAsTwoClicks) {
  CDrawCheckBt check;
  check.m_rect = CRectD(10, 10, 90, 30);
  auto* link = new CStandInLink(500);
  check.AddAction(link);
  StartRunning(check);
  HWND hwnd = check.GetCtrlWnd();
  const LPARAM at = MAKELPARAM(5, 5);
  ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(hwnd, WM_LBUTTONUP, 0, at);
  ::SendMessageA(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  ::SendMessageA(hwnd, WM_LBUTTONUP, 0, at);
  wndtest::PumpPending();
  EXPECT_EQ(link->runs, 2);
  EXPECT_EQ(check.GetButton().GetCheck(), 0);
}

TEST_F(CtrlWindowTest, ACheckBoxTogglesOnEveryClick) {
  CDrawCheckBt check;
  check.m_rect = CRectD(10, 10, 90, 30);
  auto* link = new CStandInLink(500);
  check.AddAction(link);
  StartRunning(check);
  Click(check);
  EXPECT_EQ(check.GetButton().GetCheck(), 1);
  Click(check);
  EXPECT_EQ(check.GetButton().GetCheck(), 0);
  EXPECT_EQ(link->runs, 2);
}

TEST_F(CtrlWindowTest, APushButtonWithoutAClickLinkFiresNothing) {
  CDrawPushBt button;
  button.m_rect = CRectD(10, 10, 90, 30);
  auto* other = new CStandInLink(2);
  button.AddAction(other);
  StartRunning(button);
  Click(button);
  EXPECT_EQ(button.GetButton().GetCheck(), 0);
  EXPECT_TRUE(RunLog().empty());
}

TEST_F(CtrlWindowTest, BmSetCheckTakesCheckedAndIndeterminateAsChecked) {
  CDrawCheckBt check;
  check.m_rect = CRectD(10, 10, 90, 30);
  StartRunning(check);
  const struct {
    WPARAM state;
    LRESULT expected;
  } cases[] = {{1, 1}, {0, 0}, {2, 1}, {3, 0}};
  for (auto c : cases) {
    EXPECT_EQ(::SendMessageA(check.GetCtrlWnd(), BM_SETCHECK, c.state, 0), 0);
    EXPECT_EQ(::SendMessageA(check.GetCtrlWnd(), BM_GETCHECK, 0, 0), c.expected);
  }
}

TEST_F(CtrlWindowTest, AnEditFiresFocusGainedChangedAndFocusLostInThatOrder) {
  CDrawCtrlEdit edit;
  CDrawCtrlEdit next;
  edit.m_rect = CRectD(10, 10, 150, 35);
  next.m_rect = CRectD(10, 50, 150, 75);
  auto* changed = new CStandInLink(520);
  edit.AddAction(changed);
  edit.AddAction(new CStandInLink(511));
  edit.AddAction(new CStandInLink(510));
  StartRunning(edit);
  StartRunning(next);
  EXPECT_EQ(edit.GetText(), "edit");
  ::SetForegroundWindow(view_);
  ::SetFocus(edit.GetCtrlWnd());
  ::SendMessageA(edit.GetCtrlWnd(), EM_SETSEL, 4, 4);
  ::SendMessageA(edit.GetCtrlWnd(), WM_CHAR, 'x', 0);
  ::SetFocus(next.GetCtrlWnd());
  wndtest::PumpPending();
  EXPECT_EQ(RunLog(), (std::vector<int>{510, 520, 511}));
  EXPECT_EQ(changed->lastArgument, view_.m_hWnd);
  EXPECT_EQ(edit.GetText(), "editx");
}

TEST_F(CtrlWindowTest, TheTextRecordShowsWhatWasTyped) {
  CDrawCtrlEdit edit;
  edit.m_rect = CRectD(10, 10, 150, 35);
  StartRunning(edit);
  ::SetWindowTextA(edit.GetCtrlWnd(), "42.5");
  PropDesc items[32];
  PropDescList list = {0, items};
  edit.GetPropList(&list);
  ASSERT_EQ(items[3].id, PROP_TEXT);
  EXPECT_STREQ(reinterpret_cast<const char*>(items[3].value), "42.5");
}

TEST_F(CtrlWindowTest, EditWindowsTakeTheirStyleBits) {
  struct Case {
    DWORD bits;
    BOOL runTime;
    DWORD style;
  };
  const Case cases[] = {
      {0, FALSE, 0x5C000000u | ES_AUTOHSCROLL},
      {EDIT_MULTILINE | EDIT_READONLY, TRUE, 0x54000000u | ES_MULTILINE | ES_READONLY | 0x201000u},
  };
  for (const Case& c : cases) {
    CDrawCtrlEdit edit;
    edit.m_rect = CRectD(10, 10, 150, 60);
    edit.m_dwStyle = c.bits;
    ASSERT_TRUE(edit.AttachView(&context_, c.runTime));
    DWORD style = static_cast<DWORD>(::GetWindowLongA(edit.GetCtrlWnd(), GWL_STYLE));
    // The edit window keeps WS_BORDER to itself (it draws the border
    // and clears the bit), so the mask leaves it out.
    const DWORD kMask = (0xFFFF0000u & ~WS_BORDER) | ES_MULTILINE | ES_READONLY | ES_PASSWORD |
                        ES_AUTOHSCROLL | ES_WANTRETURN;
    EXPECT_EQ(style & kMask, c.style) << std::hex << style;
  }
}

TEST_F(CtrlWindowTest, SwitchingToPasswordMakesTheWindowAgainWithTheTextKept) {
  CDrawCtrlEdit edit;
  edit.m_rect = CRectD(10, 10, 150, 35);
  edit.SetViewTransform(POINT{0, 0}, 1.0);
  ASSERT_TRUE(edit.AttachView(&context_, FALSE));
  ::SetWindowTextA(edit.GetCtrlWnd(), "secret");
  EXPECT_TRUE(edit.SetProp(PROP_PASSWORD, 1));
  HWND after = edit.GetCtrlWnd();
  ASSERT_TRUE(after);
  DWORD style = static_cast<DWORD>(::GetWindowLongA(after, GWL_STYLE));
  EXPECT_TRUE(style & ES_PASSWORD);
  EXPECT_TRUE(style & WS_CLIPSIBLINGS);
  EXPECT_TRUE(style & WS_DISABLED);  // it was disabled: it stays so
  EXPECT_EQ(::GetParent(after), view_.m_hWnd);
  EXPECT_EQ(edit.GetText(), "secret");
  EXPECT_NE(::SendMessageA(after, WM_GETFONT, 0, 0), 0);
}

TEST_F(CtrlWindowTest, AControlNarrowerThanSixIsPlacedSixWideInOneBatch) {
  CDrawGroup group;
  auto* narrow = new CDrawPushBt;
  narrow->m_rect = CRectD(10, 10, 13, 40);
  auto* edit = new CDrawCtrlEdit;
  edit->m_rect = CRectD(50, 10, 150, 40);
  group.AddChild(narrow);
  group.AddChild(edit);
  ASSERT_TRUE(group.AttachView(&context_, FALSE));  // no view change: no regrowth
  int count = 0;
  group.CountWindows(count);
  EXPECT_EQ(count, 2);
  group.MoveBy(CPointD(20, 5));
  group.MoveChildWindows();
  RECT r = WindowRectIn(narrow->GetCtrlWnd(), view_);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 15);
  EXPECT_EQ(r.right - r.left, 6);
  EXPECT_DOUBLE_EQ(narrow->GetWidth(), 6.0);
  r = WindowRectIn(edit->GetCtrlWnd(), view_);
  EXPECT_EQ(r.left, 70);
  EXPECT_EQ(r.right, 170);
}

TEST_F(CtrlWindowTest, WindowsFollowTheZoomAndTheirFontToo) {
  CDrawPushBt button;
  button.m_rect = CRectD(10, 10, 50, 30);
  LOGFONTA lf = button.m_font;
  lf.lfHeight = 15;
  button.SetProp(PROP_FONT, reinterpret_cast<LONG_PTR>(&lf));
  button.SetViewTransform(POINT{5, 0}, 1.5);
  ASSERT_TRUE(button.AttachView(&context_, TRUE));
  RECT r = WindowRectIn(button.GetCtrlWnd(), view_);
  EXPECT_EQ(r.left, 10);  // 10 x 1.5 - 5
  EXPECT_EQ(r.right, 70);
  EXPECT_EQ(button.GetButton().GetButtonFont().lfHeight, 23);  // 15 x 1.5 + 0.5
  EXPECT_EQ(button.m_font.lfHeight, 15);
}

TEST_F(CtrlWindowTest, HidingTheObjectHidesItsWindow) {
  CDrawCtrlEdit edit;
  edit.m_rect = CRectD(10, 10, 150, 35);
  ASSERT_TRUE(edit.AttachView(&context_, TRUE));
  edit.SetVisible(FALSE);
  EXPECT_FALSE(::IsWindowVisible(edit.GetCtrlWnd()));
  edit.SetVisible(TRUE);
  EXPECT_TRUE(::IsWindowVisible(edit.GetCtrlWnd()));
}

TEST_F(CtrlWindowTest, AGroupPassesViewAndLinksOnToItsControls) {
  CDrawGroup group;
  auto* button = new CDrawPushBt;
  button->m_rect = CRectD(10, 10, 13, 30);  // collapsed: regrown by the view change
  auto* link = new CStandInLink(500);
  button->AddAction(link);
  group.AddChild(button);
  group.SetViewTransform(POINT{0, 0}, 2.0);
  EXPECT_DOUBLE_EQ(button->GetWidth(), 12.0);
  ASSERT_TRUE(group.AttachView(&context_, TRUE));
  group.PrepareActions(&context_);
  RECT r = WindowRectIn(button->GetCtrlWnd(), view_);
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.right, 44);
  Click(*button);
  EXPECT_EQ(link->runs, 1);
}

TEST_F(CtrlWindowTest, ColourAndFontPropertiesReachTheButtonWindow) {
  CDrawPushBt button;
  button.m_rect = CRectD(10, 10, 90, 30);
  button.SetViewTransform(POINT{0, 0}, 2.0);
  ASSERT_TRUE(button.AttachView(&context_, FALSE));
  EXPECT_TRUE(button.SetProp(PROP_LINECOLOR, 0x0000FF));
  EXPECT_TRUE(button.SetProp(PROP_FILLCOLOR1, 0x00FF00));
  EXPECT_EQ(button.GetButton().GetTextColor(), 0x0000FFu);
  EXPECT_EQ(button.GetButton().GetFaceColor(), 0x00FF00u);
  LOGFONTA lf = button.m_font;
  lf.lfHeight = -12;
  EXPECT_TRUE(button.SetProp(PROP_FONT, reinterpret_cast<LONG_PTR>(&lf)));
  EXPECT_EQ(button.GetButton().GetButtonFont().lfHeight, 24);
  EXPECT_TRUE(button.SetProp(PROP_TEXT, reinterpret_cast<LONG_PTR>("停止")));
  char text[16] = {};
  ::GetWindowTextA(button.GetCtrlWnd(), text, sizeof text);
  EXPECT_STREQ(text, "停止");
}

TEST_F(CtrlWindowTest, AnEditWindowGetsTheZoomedFont) {
  CDrawCtrlEdit edit;
  edit.m_rect = CRectD(10, 10, 150, 40);
  LOGFONTA lf = edit.m_font;
  lf.lfHeight = 16;
  edit.SetProp(PROP_FONT, reinterpret_cast<LONG_PTR>(&lf));
  edit.SetViewTransform(POINT{0, 0}, 1.5);
  ASSERT_TRUE(edit.AttachView(&context_, TRUE));
  HFONT font = reinterpret_cast<HFONT>(::SendMessageA(edit.GetCtrlWnd(), WM_GETFONT, 0, 0));
  ASSERT_TRUE(font);
  LOGFONTA used = {};
  ::GetObjectA(font, sizeof used, &used);
  EXPECT_EQ(used.lfHeight, 24);
  EXPECT_EQ(edit.m_font.lfHeight, 16);
}

TEST_F(CtrlWindowTest, HidingAGroupHidesTheWindowsOfItsControls) {
  CDrawGroup group;
  auto* button = new CDrawPushBt;
  button->m_rect = CRectD(10, 10, 60, 30);
  group.AddChild(button);
  ASSERT_TRUE(group.AttachView(&context_, TRUE));
  group.SetVisible(FALSE);
  EXPECT_FALSE(button->IsVisible());
  EXPECT_FALSE(::IsWindowVisible(button->GetCtrlWnd()));
}

// Paints a button into a surface through the reflected WM_DRAWITEM.
void PaintInto(CWnd& view, CDrawPushBt& button, qeltest::RenderSurface& surface, UINT state) {
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.CtlID = 0xFFFF;
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = state;
  item.hwndItem = button.GetCtrlWnd();
  item.hDC = surface.dc();
  item.rcItem = RECT{0, 0, surface.width(), surface.height()};
  ::SendMessageA(view, WM_DRAWITEM, 0xFFFF, reinterpret_cast<LPARAM>(&item));
}

TEST_F(CtrlWindowTest, APushButtonPaintsItsFaceAndRaisedOrSunkenFrame) {
  CDrawPushBt button;
  button.m_rect = CRectD(0, 0, 60, 24);
  button.SetText("");
  button.SetProp(PROP_FILLCOLOR1, 0x00AA55);
  ASSERT_TRUE(button.AttachView(&context_, TRUE));
  qeltest::RenderSurface surface(60, 24);
  ASSERT_TRUE(surface.IsValid());
  PaintInto(view_, button, surface, 0);
  EXPECT_EQ(surface.Pixel(30, 12), qeltest::RgbOf(0x00AA55));
  EXPECT_EQ(surface.Pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(surface.Pixel(59, 23), 0x000000u);
  EXPECT_EQ(surface.Pixel(58, 22), 0x808080u);
  PaintInto(view_, button, surface, ODS_SELECTED);
  EXPECT_EQ(surface.Pixel(0, 0), 0x000000u);
  EXPECT_EQ(surface.Pixel(1, 1), 0x808080u);
  EXPECT_EQ(surface.Pixel(59, 23), 0xFFFFFFu);
}

TEST_F(CtrlWindowTest, ACheckedBoxCrossesItsSquare) {
  CDrawCheckBt check;
  check.m_rect = CRectD(0, 0, 80, 30);
  check.SetText("");
  LOGFONTA lf = check.m_font;
  lf.lfHeight = 20;
  check.SetProp(PROP_FONT, reinterpret_cast<LONG_PTR>(&lf));
  ASSERT_TRUE(check.AttachView(&context_, TRUE));
  qeltest::RenderSurface surface(80, 30);
  ASSERT_TRUE(surface.IsValid());
  // The square: 20 wide at x = 1, from y = 5 (centred in 1..29).
  PaintInto(view_, check, surface, 0);
  EXPECT_EQ(surface.Pixel(11, 15), 0xFFFFFFu);
  ::SendMessageA(check.GetCtrlWnd(), BM_SETCHECK, 1, 0);
  PaintInto(view_, check, surface, 0);
  EXPECT_EQ(surface.Pixel(11, 15), 0x000000u);  // where the diagonals cross
}

TEST_F(CtrlWindowTest, ARadioButtonPaintsRingsAndACheckedDot) {
  CDrawRadioBt radio;
  radio.m_rect = CRectD(0, 0, 80, 30);
  radio.SetText("");
  LOGFONTA lf = radio.m_font;
  lf.lfHeight = 20;
  radio.SetProp(PROP_FONT, reinterpret_cast<LONG_PTR>(&lf));
  ASSERT_TRUE(radio.AttachView(&context_, TRUE));
  qeltest::RenderSurface surface(80, 30);
  ASSERT_TRUE(surface.IsValid());
  // The disc fills (1, 5, 21, 25): black rim, grey ring, white inside.
  PaintInto(view_, radio, surface, 0);
  EXPECT_EQ(surface.Pixel(1, 15), 0x000000u);
  EXPECT_EQ(surface.Pixel(2, 15), 0xC0C0C0u);
  EXPECT_EQ(surface.Pixel(11, 15), 0xFFFFFFu);
  EXPECT_EQ(surface.Pixel(40, 15), qeltest::RgbOf(0xC8D0D4));  // the face beside it
  ::SendMessageA(radio.GetCtrlWnd(), BM_SETCHECK, 1, 0);
  PaintInto(view_, radio, surface, 0);
  EXPECT_EQ(surface.Pixel(11, 15), 0x000000u);
  EXPECT_EQ(surface.Pixel(3, 15), 0xFFFFFFu);
}

}  // namespace
