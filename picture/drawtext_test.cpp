// The single-line text: its box, escapement, turning, stretching, hit test,
// properties and measuring; and the text editor that both text objects open.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "drawmtext.h"
#include "drawtext.h"
#include "textedit.h"
#include "testing/render_surface.h"

namespace {

LOGFONTA FontOfHeight(const CDrawText& text, LONG height) {
  LOGFONTA lf = text.GetFont();
  lf.lfHeight = height;
  return lf;
}

// A text from (100, 100) to (200, 100) with font height 13.
void MakeText(CDrawText& text) {
  text.SetFont(FontOfHeight(text, 13));
  text.SetPoints(CPointD(100, 100), CPointD(200, 100));
}

TEST(SingleLineText, EscapementFollowsTheDirectionFromAToB) {
  const struct {
    CPointD b;
    int escapement;
  } cases[] = {
      {{200, 100}, 0},     // to the right
      {{100, 200}, -900},  // straight below: going down on the screen
      {{0, 100}, -1800},   // to the left
      {{100, 0}, -2700},   // straight above
      {{200, 200}, -450},  // down to the right
      {{200, 0}, -3150},   // up to the right
  };
  for (const auto& c : cases) {
    CDrawText text;
    text.SetPoints(CPointD(100, 100), c.b);
    EXPECT_EQ(text.EscapementOfDirection(), c.escapement) << c.b.x << "," << c.b.y;
  }
}

TEST(SingleLineText, DrawingStoresTheEscapementInTheFont) {
  qeltest::RenderSurface surface(50, 50);
  CDrawText text;
  text.SetPoints(CPointD(10, 10), CPointD(10, 40));
  CDC dc(surface.dc());
  text.Draw(&dc, 0);
  EXPECT_EQ(text.GetFont().lfEscapement, -900);
}

TEST(SingleLineText, TextBoxHandlesAndBounds) {
  CDrawText text;
  MakeText(text);
  EXPECT_EQ(text.GetHandleCount(), 4);
  EXPECT_EQ(text.GetHandle(1), CPointD(200, 100));
  EXPECT_EQ(text.GetHandle(2), CPointD(100, 100));
  EXPECT_EQ(text.GetHandle(3), CPointD(200, 113));
  EXPECT_EQ(text.GetHandle(4), CPointD(100, 113));
  EXPECT_EQ(text.GetHandle(5), CPointD(0, 0));
  const CRectD r = text.GetRect();
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 100);
  EXPECT_EQ(r.right, 200);
  EXPECT_EQ(r.bottom, 113);
  EXPECT_EQ(text.GetHandleCursor(0), ::LoadCursorA(nullptr, IDC_SIZEALL));
  EXPECT_EQ(text.GetHandleCursor(3), ::LoadCursorA(nullptr, IDC_HAND));
}

TEST(SingleLineText, OnlyTheTurnHandleIsTestedAsAHandle) {
  CDrawText text;
  MakeText(text);
  CDrawObj* hit = nullptr;
  EXPECT_EQ(text.HitTest(CPointD(101, 101), &hit), 0);  // next to A: the body, not handle 2
  EXPECT_EQ(hit, &text);
  EXPECT_EQ(text.HitTest(CPointD(199, 99), nullptr), 1);
  EXPECT_EQ(text.HitTest(CPointD(150, 110), nullptr), 0);
  EXPECT_EQ(text.HitTest(CPointD(150, 120), nullptr), -1);
  EXPECT_EQ(text.HitTest(CPointD(90, 105), nullptr), -1);
}

TEST(SingleLineText, TurnHandleTurnsBAboutAKeepingTheLength) {
  CDrawText text;
  MakeText(text);
  int handle = 1;
  text.MoveHandleTo(handle, CPointD(100, 130), nullptr);
  EXPECT_NEAR(text.GetB().x, 100, 1e-9);
  EXPECT_NEAR(text.GetB().y, 200, 1e-9);
  // Closer than 10 to A: ignored.
  text.MoveHandleTo(handle, CPointD(105, 95), nullptr);
  EXPECT_NEAR(text.GetB().y, 200, 1e-9);
  // Other handles do not turn.
  handle = 2;
  text.MoveHandleTo(handle, CPointD(300, 100), nullptr);
  EXPECT_NEAR(text.GetB().y, 200, 1e-9);
}

TEST(SingleLineText, StretchScalesTheReferenceHeightWithTheLength) {
  CDrawText text;
  text.SetFont(FontOfHeight(text, 13));
  text.SetPoints(CPointD(0, 0), CPointD(100, 0));
  text.Stretch(CPointD(0, 0), CPointD(100, 13), CPointD(150, 13));
  EXPECT_NEAR(text.GetB().x, 150, 1e-9);
  EXPECT_EQ(text.GetFont().lfHeight, 19);  // 19.5 truncated
  text.Stretch(CPointD(0, 0), CPointD(150, 13), CPointD(100, 13));
  EXPECT_EQ(text.GetFont().lfHeight, 13);
}

TEST(SingleLineText, NewFontThroughThePropertyThenStretch) {
  CDrawText text;
  text.SetPoints(CPointD(0, 0), CPointD(100, 0));
  LOGFONTA lf = FontOfHeight(text, 20);
  EXPECT_TRUE(text.SetProp(PROP_FONT, reinterpret_cast<LONG_PTR>(&lf)));
  text.Stretch(CPointD(0, 0), CPointD(100, 5), CPointD(200, 5));
  EXPECT_EQ(text.GetFont().lfHeight, 40);
}

TEST(SingleLineText, StretchWithoutFactorsOrLengthLeavesTheHeight) {
  CDrawText text;
  MakeText(text);
  EXPECT_EQ(text.Stretch(CPointD(100, 100), CPointD(100, 100), CPointD(150, 150)), 0);
  EXPECT_EQ(text.GetB(), CPointD(200, 100));
  CDrawText dot;
  dot.SetFont(FontOfHeight(dot, 13));
  dot.SetPoints(CPointD(5, 5), CPointD(5, 5));
  dot.Stretch(CPointD(0, 0), CPointD(10, 10), CPointD(20, 20));
  EXPECT_EQ(dot.GetFont().lfHeight, 13);
  EXPECT_FALSE(std::isnan(dot.GetB().x));
}

TEST(SingleLineText, MoveScaleRotateAndFlipMoveBothPoints) {
  CDrawText text;
  MakeText(text);
  text.MoveBy(CPointD(10, -10));
  EXPECT_EQ(text.GetA(), CPointD(110, 90));
  EXPECT_EQ(text.GetB(), CPointD(210, 90));
  text.Scale(CPointD(110, 90), 0.5);
  EXPECT_EQ(text.GetB(), CPointD(160, 90));
  EXPECT_EQ(text.GetFont().lfHeight, 13);  // the font is not scaled
  text.Flip(0, 100, 1);
  EXPECT_EQ(text.GetA(), CPointD(110, 110));
  text.Flip(100, 0, 0);
  EXPECT_EQ(text.GetA(), CPointD(90, 110));
  text.Rotate(text.GetA(), DirectionOfDegrees(90));
  EXPECT_NEAR(text.GetB().x, 90, 1e-4);
  EXPECT_NEAR(text.GetB().y, 60, 1e-4);
}

TEST(SingleLineText, PropertiesAndLinkKinds) {
  CDrawText text;
  MakeText(text);
  PropDesc items[32] = {};
  PropDescList list = {0, items};
  text.GetPropList(&list);
  const int ids[] = {0, 1, 2, 3, 6, 13, 7, 9, 10};
  ASSERT_EQ(list.count, 9);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(items[i].id, ids[i]);
  EXPECT_STREQ(reinterpret_cast<const char*>(items[3].value), "单行文字");
  EXPECT_STREQ(items[4].name, "字体颜色");
  EXPECT_STREQ(items[6].name, "背景颜色");
  EXPECT_EQ(items[6].minimum, 1);
  EXPECT_EQ(items[7].value, 100);

  EXPECT_TRUE(text.SetProp(PROP_TEXT, reinterpret_cast<LONG_PTR>("abc")));
  EXPECT_STREQ(text.GetText().GetString(), "abc");
  EXPECT_TRUE(text.SetProp(PROP_TOPX, 0));
  EXPECT_EQ(text.GetA(), CPointD(0, 100));
  EXPECT_FALSE(text.SetProp(PROP_WIDTH, 10));
  EXPECT_FALSE(text.SetProp(PROP_FONT, 0));

  ActionKindDesc kinds[16] = {};
  ActionKindList klist = {0, kinds};
  const int expected[] = {2, 3, 4, 7, 5, 6, 101, 102, 103, 0};
  ASSERT_EQ(text.GetActionKinds(&klist), 10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(kinds[i].kind, expected[i]);
}

// A window to measure in.
class MeasureWindow {
 public:
  MeasureWindow() {
    m_hWnd = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr, nullptr, nullptr);
  }
  ~MeasureWindow() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
  }
  HWND hwnd() const { return m_hWnd; }

 private:
  HWND m_hWnd;
};

double MeasuredWidth(const LOGFONTA& lf, const char* s) {
  HDC hdc = ::GetDC(nullptr);
  HFONT font = ::CreateFontIndirectA(&lf);
  HGDIOBJ old = ::SelectObject(hdc, font);
  SIZE size = {};
  ::GetTextExtentPoint32A(hdc, s, lstrlenA(s), &size);
  ::SelectObject(hdc, old);
  ::DeleteObject(font);
  ::ReleaseDC(nullptr, hdc);
  return size.cx;
}

TEST(SingleLineText, CalcExtentPlacesBInPictureUnitsWhateverTheZoom) {
  MeasureWindow window;
  ASSERT_TRUE(window.hwnd());
  CDrawText text;
  text.SetFont(FontOfHeight(text, -16));
  text.SetText("Measure me");
  text.SetPoints(CPointD(10, 10), CPointD(10, 60));  // going down
  const double atZoom1 = MeasuredWidth(text.GetFont(), "Measure me");
  ASSERT_GT(atZoom1, 16);

  text.CalcExtent(window.hwnd());
  EXPECT_NEAR(text.GetB().x, 10, 1e-9);
  EXPECT_NEAR(text.GetB().y, 10 + atZoom1, 1e-9);

  // At zoom 2 the font is measured twice as large, and B lands in the same
  // picture place (give or take the rounding of glyph widths).
  text.SetViewTransform(POINT{0, 0}, 2.0);
  text.CalcExtent(window.hwnd());
  EXPECT_NEAR(text.GetB().y, 10 + atZoom1, atZoom1 * 0.15);

  // A text narrower than its font height still gets one height.
  text.SetText("");
  text.CalcExtent(window.hwnd());
  EXPECT_NEAR(text.GetB().y, 26, 1e-9);
  text.CalcExtent(nullptr);  // nothing without a window
  EXPECT_NEAR(text.GetB().y, 26, 1e-9);
}

// EditObjectText goes to the editor that the editing control installs.
struct SeenEdit {
  HWND owner = nullptr;
  CDrawObj* object = nullptr;
  int calls = 0;
};
SeenEdit g_seenEdit;

int RecordingEditor(HWND owner, CDrawObj* object) {
  g_seenEdit.owner = owner;
  g_seenEdit.object = object;
  ++g_seenEdit.calls;
  return 7;
}

TEST(TextEditing, WithoutAnEditorNothingOpens) {
  SetTextEditor(nullptr);
  CDrawText text;
  CDrawMtext mtext;
  EXPECT_EQ(text.EditObjectText(nullptr), 0);
  EXPECT_EQ(mtext.EditObjectText(nullptr), 0);
}

TEST(TextEditing, BothTextObjectsOpenTheInstalledEditorForThemselves) {
  g_seenEdit = SeenEdit();
  SetTextEditor(RecordingEditor);
  CDrawText text;
  CDrawMtext mtext;
  HWND owner = ::GetDesktopWindow();
  EXPECT_EQ(text.EditObjectText(owner), 7);
  EXPECT_EQ(g_seenEdit.object, &text);
  EXPECT_EQ(mtext.EditObjectText(owner), 7);
  EXPECT_EQ(g_seenEdit.object, &mtext);
  EXPECT_EQ(g_seenEdit.owner, owner);
  EXPECT_EQ(g_seenEdit.calls, 2);
  SetTextEditor(nullptr);
}

}  // namespace
