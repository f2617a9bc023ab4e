// The colour popup as a window: what it reports to its owner for keys and
// the mouse, the item that holds the initial colour, its layout, its
// tooltips, its cells' colours, and its place on the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "qel/picmsg.h"
#include "colortable.h"
#include "colortest_util.h"
#include "render_surface.h"
#include "testing/dialogscript.h"

namespace {

using colortest::CRecorder;
using colortest::Key;
using colortest::Report;
using Reports = std::vector<Report>;

constexpr COLORREF kRed = 0x0000FF;          // cell 16
constexpr COLORREF kLightOrange = 0x5BADFF;  // cell 17

// An owner window and the popup opened for it.
struct PopupFixture {
  CRecorder owner;
  CColorPopup* popup = nullptr;
  HWND hwnd = nullptr;
  bool Open(COLORREF initial, POINT at = {100, 100}, const char* autoText = CColorPopup::kAutomaticText,
            const char* moreText = CColorPopup::kMoreColorsText, COLORREF defaultValue = kColorDefault) {
    if (!owner.m_hWnd && !owner.Create()) return false;
    popup = CColorPopup::Create(at, initial, owner, autoText, moreText, defaultValue);
    hwnd = popup ? popup->m_hWnd : nullptr;
    return popup != nullptr;
  }
};

TEST(ColorPopup, EscCancelsWithTheInitialColourAndCloses) {
  PopupFixture f;
  ASSERT_TRUE(f.Open(kRed));
  EXPECT_EQ(f.hwnd, ::GetCapture());
  Key(f.hwnd, VK_RIGHT);
  Key(f.hwnd, VK_ESCAPE);
  EXPECT_EQ((Reports{{QCPN_SELCHANGE, kLightOrange}, {QCPN_SELENDCANCEL, kRed}}), f.owner.reports);
  EXPECT_FALSE(::IsWindow(f.hwnd));
  EXPECT_NE(f.hwnd, ::GetCapture());
}

TEST(ColorPopup, EnterAndSpaceEndWithTheHotColour) {
  for (UINT key : {VK_RETURN, VK_SPACE}) {
    PopupFixture f;
    ASSERT_TRUE(f.Open(kRed));
    Key(f.hwnd, VK_RIGHT);
    Key(f.hwnd, VK_DOWN);  // cell 25, gold
    Key(f.hwnd, key);
    EXPECT_EQ(
        (Reports{{QCPN_SELCHANGE, kLightOrange}, {QCPN_SELCHANGE, 0x00D7FF}, {QCPN_SELENDOK, 0x00D7FF}}),
        f.owner.reports)
        << key;
    EXPECT_FALSE(::IsWindow(f.hwnd));
  }
}

TEST(ColorPopup, RightFromTheLastCellReachesMoreColorsWithTheInitialColour) {
  PopupFixture f;
  ASSERT_TRUE(f.Open(0xFFFFFF));  // white, the last cell
  ASSERT_EQ(39, f.popup->GetChosenItem());
  ASSERT_EQ(39, f.popup->GetHotItem());
  Key(f.popup->m_hWnd, VK_RIGHT);
  EXPECT_EQ(kPopupMoreBox, f.popup->GetHotItem());
  Key(f.popup->m_hWnd, VK_RIGHT);
  EXPECT_EQ(kPopupAutoBox, f.popup->GetHotItem());
  Key(f.popup->m_hWnd, VK_ESCAPE);
  EXPECT_EQ(
      (Reports{{QCPN_SELCHANGE, 0xFFFFFF}, {QCPN_SELCHANGE, kColorDefault}, {QCPN_SELENDCANCEL, 0xFFFFFF}}),
      f.owner.reports);
}

TEST(ColorPopup, TheChosenItemHoldsTheInitialColour) {
  const struct {
    const char* what;
    COLORREF initial;
    bool autoBox, moreBox;
    int chosen;
  } cases[] = {
      {"the default value", kColorDefault, true, true, kPopupAutoBox},
      {"a palette colour", kRed, true, true, 16},
      {"the first of the palette", 0x000000, true, true, 0},
      {"another colour", 0x123456, true, true, kPopupMoreBox},
      {"another colour, no More box", 0x123456, true, false, kPopupNoItem},
      {"the default value, no Automatic box", kColorDefault, false, true, kPopupMoreBox},
  };
  for (const auto& c : cases) {
    PopupFixture f;
    ASSERT_TRUE(f.Open(c.initial, {100, 100}, c.autoBox ? CColorPopup::kAutomaticText : "",
                       c.moreBox ? CColorPopup::kMoreColorsText : nullptr))
        << c.what;
    EXPECT_EQ(c.chosen, f.popup->GetChosenItem()) << c.what;
    EXPECT_EQ(c.chosen, f.popup->GetHotItem()) << c.what;
    Key(f.popup->m_hWnd, VK_ESCAPE);
  }
}

TEST(ColorPopup, NoColourAsTheDefaultValueReadsNoColourAndGivesIt) {
  PopupFixture f;
  ASSERT_TRUE(f.Open(CColorPopup::kNoColor, {100, 100}, CColorPopup::kAutomaticText,
                     CColorPopup::kMoreColorsText, CColorPopup::kNoColor));
  EXPECT_EQ("无颜色", f.popup->GetBoxText(kPopupAutoBox).str());
  EXPECT_EQ(kPopupAutoBox, f.popup->GetChosenItem());
  Key(f.popup->m_hWnd, VK_RETURN);
  EXPECT_EQ((Reports{{QCPN_SELENDOK, CColorPopup::kNoColor}}), f.owner.reports);
}

TEST(ColorPopup, TheMouseMakesCellsHotAndAReleaseEndsOrCancels) {
  const struct {
    const char* what;
    bool inside;
    Reports reports;
  } cases[] = {
      {"inside", true, {{QCPN_SELCHANGE, 0xFF0000}, {QCPN_SELENDOK, 0xFF0000}}},
      {"outside", false, {{QCPN_SELCHANGE, 0xFF0000}, {QCPN_SELENDCANCEL, kRed}}},
  };
  for (const auto& c : cases) {
    PopupFixture f;
    ASSERT_TRUE(f.Open(kRed));
    const RECT blue = f.popup->GetItemRect(13);
    const LPARAM over = MAKELPARAM(blue.left + 3, blue.top + 3);
    ::SendMessageA(f.hwnd, WM_MOUSEMOVE, 0, over);
    ::SendMessageA(f.hwnd, WM_MOUSEMOVE, 0, over);  // already hot: no second report
    ::SendMessageA(f.hwnd, WM_LBUTTONUP, 0, c.inside ? over : MAKELPARAM(-20, -20));
    EXPECT_EQ(c.reports, f.owner.reports) << c.what;
    EXPECT_FALSE(::IsWindow(f.hwnd)) << c.what;
  }
}

TEST(ColorPopup, LosingTheApplicationsActivationCancels) {
  PopupFixture f;
  ASSERT_TRUE(f.Open(kRed));
  ::SendMessageA(f.hwnd, WM_ACTIVATEAPP, TRUE, 0);
  ::SendMessageA(f.hwnd, WM_ACTIVATE, WA_INACTIVE, 0);  // another window of this program
  EXPECT_TRUE(f.owner.reports.empty());
  ::SendMessageA(f.hwnd, WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ((Reports{{QCPN_SELENDCANCEL, kRed}}), f.owner.reports);
  EXPECT_FALSE(::IsWindow(f.hwnd));
}

TEST(ColorPopup, TakesTheMouseBackWhenAnotherWindowTookIt) {
  PopupFixture f;
  ASSERT_TRUE(f.Open(kRed));
  ::SetCapture(f.owner);
  ::SendMessageA(f.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5));
  EXPECT_EQ(f.hwnd, ::GetCapture());
  Key(f.hwnd, VK_ESCAPE);
}

// Eight columns by five rows of 18-pixel boxes below the "Automatic" box,
// the "More Colors..." box below them; without boxes the palette alone.
TEST(ColorPopup, LaysOutThePaletteBetweenItsBoxes) {
  const int m = ::GetSystemMetrics(SM_CXEDGE);
  const int box = 18 - 2 * m - 2 < 5 ? 2 * m + 7 : 18;
  for (bool boxes : {true, false}) {
    PopupFixture f;
    ASSERT_TRUE(f.Open(kRed, {100, 100}, boxes ? CColorPopup::kAutomaticText : nullptr,
                       boxes ? CColorPopup::kMoreColorsText : nullptr));
    CColorPopup* popup = f.popup;
    const RECT first = popup->GetItemRect(0), last = popup->GetItemRect(39);
    const RECT autoBox = popup->GetItemRect(kPopupAutoBox), more = popup->GetItemRect(kPopupMoreBox);
    RECT client;
    popup->GetClientRect(&client);
    EXPECT_EQ(box, first.right - first.left);
    EXPECT_EQ(box, first.bottom - first.top);
    EXPECT_EQ(m, first.left);
    EXPECT_EQ(first.left + 7 * box, last.left);
    EXPECT_EQ(first.top + 4 * box, last.top);
    if (boxes) {
      EXPECT_EQ(m, autoBox.left);
      EXPECT_EQ(m, autoBox.top);
      EXPECT_EQ(autoBox.bottom + m, first.top);
      EXPECT_EQ(last.bottom + m, more.top);
      EXPECT_EQ(autoBox.bottom - autoBox.top, more.bottom - more.top);
      // Each box adds its height and two margins, one of which the palette
      // does not take: three margins stay under the lower box.
      EXPECT_EQ(more.bottom + 3 * m, client.bottom);
      EXPECT_GE(autoBox.right - autoBox.left, 8 * box);
    } else {
      EXPECT_EQ(m, first.top);
      EXPECT_TRUE(::IsRectEmpty(&autoBox));
      EXPECT_TRUE(::IsRectEmpty(&more));
      EXPECT_EQ(5 * box + 2 * m, client.bottom);
      EXPECT_EQ(8 * box + 2 * m, client.right);
    }
    Key(popup->m_hWnd, VK_ESCAPE);
  }
}

TEST(ColorPopup, EachCellShowsItsColourAndNamesItInATooltip) {
  PopupFixture f;
  ASSERT_TRUE(f.Open(kRed));
  RECT client;
  f.popup->GetClientRect(&client);
  qeltest::RenderSurface surface(client.right, client.bottom);
  f.popup->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
  ::GdiFlush();
  for (int i = 0; i < kPopupColorCount; ++i) {
    const RECT cell = f.popup->GetItemRect(i);
    EXPECT_EQ(qeltest::RgbOf(kPopupColors[i].color),
              surface.Pixel((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2))
        << kPopupColors[i].name;
  }

  const HWND tooltip = f.popup->GetTooltip();
  ASSERT_NE(nullptr, tooltip);
  ASSERT_EQ(40, ::SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
  for (int i : {0, 23, 35, 39}) {
    char text[80] = "";
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = f.popup->m_hWnd;
    tool.uId = UINT_PTR(i + 1);
    tool.lpszText = text;
    ::SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::string(kPopupColors[i].name), text);
  }
  EXPECT_STREQ("Pale green ", kPopupColors[35].name) << "with its trailing blank";
  Key(f.popup->m_hWnd, VK_ESCAPE);
}

TEST(ColorPopup, StaysOnTheScreenAndOpensAboveItsOwnerNearTheBottom) {
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  PopupFixture f;  // one owner, near the bottom, for every popup
  ASSERT_TRUE(f.owner.Create());
  f.owner.MoveWindow(300, screenHeight - 120, 200, 100);

  const struct {
    const char* what;
    POINT at;
  } cases[] = {
      {"near the right edge", {screenWidth - 10, 100}},
      {"past the left edge", {-50, 100}},
      {"near the bottom", {320, screenHeight - 10}},
      {"in the middle", {200, 200}},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(f.Open(kRed, c.at)) << c.what;
    RECT r;
    f.popup->GetWindowRect(&r);
    const int width = r.right - r.left;
    EXPECT_GE(r.left, 0) << c.what;
    EXPECT_LE(r.right, screenWidth) << c.what;
    const int left = c.at.x + width > screenWidth ? screenWidth - width : (c.at.x < 0 ? 0 : c.at.x);
    EXPECT_EQ(left, r.left) << c.what;
    RECT ownerRect;
    f.owner.GetWindowRect(&ownerRect);
    const bool nearBottom = c.at.y == screenHeight - 10;
    EXPECT_EQ(nearBottom ? ownerRect.top : c.at.y, nearBottom ? r.bottom : r.top) << c.what;
    Key(f.hwnd, VK_ESCAPE);
  }
}

// "More Colors..." opens the platform's colour dialog at the initial colour:
// its OK ends the selection with the dialog's colour, its cancel cancels.
TEST(ColorPopup, MoreColorsEndsWithTheColourDialogsChoice) {
  const struct {
    const char* what;
    int button;
    Reports reports;
  } cases[] = {
      {"OK", IDOK, {{QCPN_SELENDOK, 0x123456}}},
      {"Cancel", IDCANCEL, {{QCPN_SELENDCANCEL, 0x123456}}},
  };
  for (const auto& c : cases) {
    PopupFixture f;
    ASSERT_TRUE(f.Open(0x123456));  // in no cell: "More Colors..." holds it
    ASSERT_EQ(kPopupMoreBox, f.popup->GetHotItem());
    qeltest::DialogScript script;
    script.OnAny([&](qeltest::DialogDriver& d) { d.Click(c.button); });
    script.Run([&] { Key(f.hwnd, VK_RETURN); });
    EXPECT_EQ(c.reports, f.owner.reports) << c.what;
    EXPECT_FALSE(::IsWindow(f.hwnd)) << c.what;
  }
}

// A colour typed into the dialog is the one the selection ends with.
TEST(ColorPopup, AColourChosenInTheDialogIsTheOneReported) {
  PopupFixture f;
  ASSERT_TRUE(f.Open(kRed));
  for (int i = 0; i < 3; ++i) Key(f.hwnd, VK_DOWN);  // cell 16, 24, 32, then "More Colors..."
  ASSERT_EQ(kPopupMoreBox, f.popup->GetHotItem());
  qeltest::DialogScript script;
  script.OnAny([](qeltest::DialogDriver& d) {
    // The dialog's red, green and blue fields.
    d.Type(706, "18");
    d.Type(707, "52");
    d.Type(708, "86");
    d.Click(IDOK);
  });
  script.Run([&] { Key(f.hwnd, VK_RETURN); });
  ASSERT_FALSE(f.owner.reports.empty());
  EXPECT_EQ((Report{QCPN_SELENDOK, RGB(18, 52, 86)}), f.owner.reports.back());
}

}  // namespace
