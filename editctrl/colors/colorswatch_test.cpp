// The colour swatch on its page: the popup it opens, what it keeps of the
// popup's end, when it tells its page, and what it paints.
#include <gtest/gtest.h>

#include <vector>

#include "qel/picmsg.h"
#include "colortable.h"
#include "colorswatch.h"
#include "colortest_util.h"
#include "render_surface.h"

namespace {

using colortest::CRecorder;
using colortest::Key;
using colortest::OpenPopup;

constexpr COLORREF kRed = 0x0000FF;  // cell 16

struct SwatchFixture {
  CRecorder page;
  CColorSwatch swatch;
  bool Create(COLORREF color) {
    if (!page.Create()) return false;
    swatch.InitColor(color);
    return swatch.Create("STATIC", "", WS_CHILD | WS_VISIBLE, RECT{10, 10, 60, 30}, page, 1200) != FALSE;
  }
  // A click on the swatch; the popup it opened.
  CColorPopup* Click(int x = 5, int y = 5) {
    swatch.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    return OpenPopup();
  }
};

// A red swatch, clicked, and keys pressed in its popup (which starts at
// red, cell 16).
struct ChoiceCase {
  const char* what;
  std::vector<UINT> keys;
  COLORREF kept;  // the swatch's colour afterwards
  int changes;    // QCCN_CHANGED notices its page received
};

TEST(ColorSwatch, KeepsANewColourAndTellsThePageOfItOnly) {
  const ChoiceCase cases[] = {
      {"Esc keeps the colour", {VK_RIGHT, VK_ESCAPE}, kRed, 0},
      {"the same colour again tells nothing", {VK_RETURN}, kRed, 0},
      {"another colour", {VK_RIGHT, VK_RETURN}, 0x5BADFF, 1},
      // cell 16, 8, 0, then "Automatic": the default colour, never kColorDefault
      {"Automatic", {VK_UP, VK_UP, VK_UP, VK_RETURN}, 0xC0C0C0, 1},
  };
  for (const ChoiceCase& c : cases) {
    SwatchFixture f;
    ASSERT_TRUE(f.Create(kRed));
    CColorPopup* popup = f.Click();
    ASSERT_NE(nullptr, popup) << c.what;
    EXPECT_EQ(16, popup->GetChosenItem());
    const HWND hwnd = popup->m_hWnd;
    for (UINT key : c.keys) Key(hwnd, key);
    EXPECT_EQ(nullptr, OpenPopup()) << c.what;
    EXPECT_EQ(c.kept, f.swatch.GetColor()) << c.what;
    EXPECT_EQ(c.changes, f.page.Changes()) << c.what;
  }
}

TEST(ColorSwatch, AutomaticStandsForTheDefaultColour) {
  CColorSwatch swatch;
  swatch.SetDefaultColor(0x00FF00);
  swatch.SetColor(kColorDefault);
  EXPECT_EQ(0x00FF00u, swatch.GetColor());
}

TEST(ColorSwatch, ThePopupOpensAtTheClickPoint) {
  SwatchFixture f;
  ASSERT_TRUE(f.Create(kRed));
  CColorPopup* popup = f.Click(7, 9);
  ASSERT_NE(nullptr, popup);
  POINT at = {7, 9};
  f.swatch.ClientToScreen(&at);
  RECT r;
  popup->GetWindowRect(&r);
  EXPECT_EQ(at.x, r.left);
  EXPECT_EQ(at.y, r.top);
  Key(popup->m_hWnd, VK_ESCAPE);
}

// A colour from an older file with its high byte set is drawn without it.
TEST(ColorSwatch, PaintsItsColourInABlackFrame) {
  for (COLORREF stored : {kRed, COLORREF(0xFF0000FF), COLORREF(0x020000FF)}) {
    SwatchFixture f;
    ASSERT_TRUE(f.Create(stored));
    qeltest::RenderSurface surface(50, 20);
    f.swatch.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
    ::GdiFlush();
    EXPECT_EQ(qeltest::RgbOf(kRed), surface.Pixel(25, 10)) << std::hex << stored;
    EXPECT_EQ(0u, surface.Pixel(0, 0));
    EXPECT_EQ(0u, surface.Pixel(49, 19));
  }
}

}  // namespace
