// The editing window built into the test program itself (the same sources as
// the library), where a test can reach the window's object: the selection
// and what works on it (the arrow keys, the queries), and painting.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "drawcell.h"
#include "drawgroup.h"
#include "drawline.h"
#include "drawrect.h"
#include "editctrl_harness.h"
#include "editctrl_inproc.h"
#include "gripbar.h"
#include "linkclasses.h"
#include "piceditwnd.h"
#include "picobj.h"
#include "pictureclasses.h"
#include "wndclass.h"
#include "wndmodule.h"

namespace edittest {
namespace {

TEST_F(InProcessEditTest, ArrowKeysMoveTheSelectionByOneGridStep) {
  CDrawObj* a = AddRect(80, 80);
  CDrawObj* b = AddRect(200, 120);
  wnd_->Select(a, false);
  wnd_->Select(b, true);
  const struct {
    UINT key;
    double dx, dy;
  } moves[] = {{VK_LEFT, -8, 0}, {VK_RIGHT, 8, 0}, {VK_UP, 0, -8}, {VK_DOWN, 0, 8}};
  for (const auto& m : moves) {
    CRectD beforeA = a->GetRect(), beforeB = b->GetRect();
    Send(WM_KEYDOWN, m.key, 0);
    EXPECT_DOUBLE_EQ(a->GetRect().left, beforeA.left + m.dx) << m.key;
    EXPECT_DOUBLE_EQ(a->GetRect().top, beforeA.top + m.dy) << m.key;
    EXPECT_DOUBLE_EQ(b->GetRect().left, beforeB.left + m.dx) << m.key;
  }
  EXPECT_EQ(Send(QCM_QUERY, QCQ_MODIFIED), 1);
}

TEST_F(InProcessEditTest, ArrowStepIsOnePixelWithSnappingOff) {
  CDrawObj* a = AddRect(80, 80);
  wnd_->Select(a, false);
  Send(QCM_SNAPGRID, 0, 0);
  Send(WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_DOUBLE_EQ(a->GetRect().left, 81);
}

TEST_F(InProcessEditTest, KeysWithoutSelectionMoveNothing) {
  CDrawObj* a = AddRect(80, 80);
  Send(WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_DOUBLE_EQ(a->GetRect().left, 80);
  EXPECT_EQ(Send(QCM_QUERY, QCQ_MODIFIED), 0);
}

TEST_F(InProcessEditTest, SelectSendsThePropertyAndLinkNotices) {
  CDrawObj* a = AddRect(80, 80);
  wnd_->Select(a, false);
  EXPECT_EQ(TakeNoticeNumbers(), (std::vector<UINT>{QCN_PROPERTIES, QCN_EVENTLINKS}));
  wnd_->Select(a, true);  // already selected: nothing
  EXPECT_TRUE(TakeNoticeNumbers().empty());
  EXPECT_EQ(Send(QCM_RENOTIFY), 0);
  EXPECT_EQ(TakeNoticeNumbers(), (std::vector<UINT>{QCN_PROPERTIES, QCN_EVENTLINKS}));
}

TEST_F(InProcessEditTest, QueryCodesFollowTheSelection) {
  CDrawObj* rect = AddRect(10, 10);
  CDrawObj* group = Add(new CDrawGroup, 0, 0);
  CDrawObj* cell = Add(new CDrawCell, 0, 0);
  struct Case {
    std::vector<CDrawObj*> selected;
    LRESULT count, multi, group, any, cell;
  };
  const Case cases[] = {
      {{}, 0, 0, 0, 0, 0},     {{rect}, 1, 0, 0, 1, 0},        {{group}, 1, 0, 1, 1, 0},
      {{cell}, 1, 0, 0, 1, 1}, {{group, cell}, 2, 1, 0, 1, 0},
  };
  for (const Case& c : cases) {
    wnd_->Select(nullptr, false);
    for (CDrawObj* obj : c.selected) wnd_->Select(obj, true);
    EXPECT_EQ(Send(QCM_QUERY, QCQ_SELCOUNT), c.count);
    EXPECT_EQ(Send(QCM_QUERY, QCQ_MULTISEL), c.multi);
    EXPECT_EQ(Send(QCM_QUERY, QCQ_GROUPSEL), c.group);
    EXPECT_EQ(Send(QCM_QUERY, QCQ_ANYSEL), c.any);
    EXPECT_EQ(Send(QCM_QUERY, QCQ_SUBPICTURESEL), c.cell);
  }
}

TEST_F(InProcessEditTest, OpeningAnotherPictureEmptiesTheSelection) {
  CDrawObj* a = AddRect(10, 10);
  wnd_->Select(a, false);
  ASSERT_EQ(SendText(QCM_NEWPIC, "second.pic"), 0);
  EXPECT_EQ(Send(QCM_QUERY, QCQ_SELCOUNT), 0);
}

// ---- repainting and painting (a shown window) ------------------------------------

class ShownEditTest : public InProcessEditTest {
 protected:
  bool VisibleParent() const override { return true; }
  COLORREF PixelAt(int x, int y) {
    ::UpdateWindow(child_);
    HDC dc = ::GetDC(child_);
    COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(child_, dc);
    return c;
  }
  COLORREF Back() const { return wnd_->GetPicture()->m_clrBack; }
  // The grid dots' colour: the inverse of the background.
  COLORREF Dot() const {
    const COLORREF back = Back();
    return RGB(255 - GetRValue(back), 255 - GetGValue(back), 255 - GetBValue(back));
  }
};

TEST_F(ShownEditTest, EightSelectedObjectsRepaintTheWholeWindowFewerOnlyTheirAreas) {
  std::vector<CDrawObj*> objects;
  for (int i = 0; i < 8; ++i) objects.push_back(AddRect(16 + 48 * i, 16));
  RECT client;
  ::GetClientRect(child_, &client);
  for (int i = 0; i < 7; ++i) wnd_->Select(objects[i], i > 0);
  ::UpdateWindow(child_);
  Send(WM_KEYDOWN, VK_DOWN, 0);
  RECT some = UpdateRect();
  EXPECT_FALSE(::IsRectEmpty(&some));
  EXPECT_LT(some.bottom, client.bottom);
  wnd_->Select(objects[7], true);
  ::UpdateWindow(child_);
  Send(WM_KEYDOWN, VK_DOWN, 0);
  RECT all = UpdateRect();
  EXPECT_TRUE(::EqualRect(&all, &client));
}

// A line that counts the handle drawings of every paint.
class CCountedLine : public CDrawLine {
 public:
  void DrawTracker(CDC* pDC, int nState) override {
    ++trackers;
    CDrawLine::DrawTracker(pDC, nState);
  }
  static int trackers;
};
int CCountedLine::trackers = 0;

class ManySelectedTest : public ShownEditTest {
 protected:
  // count small shapes spread over the window, none selected yet: rectangles,
  // or counted lines.
  void Spread(int count, bool lines) {
    for (int i = 0; i < count; ++i) {
      const double x = (i * 37) % 460, y = (i * 53) % 370, w = 4 + i % 20, h = 4 + i % 17;
      if (lines) {
        auto* line = new CCountedLine;
        line->AddPoint(CPointD(x, y));
        line->AddPoint(CPointD(x + w, y + h));
        Add(line, 0, 0);
      } else {
        static_cast<CDrawRect*>(AddRect(0, 0))->SetCorners(CRectD(x, y, x + w, y + h));
      }
    }
    ::UpdateWindow(child_);
  }
  // The kind of region left to paint, and its box.
  int UpdateRegionKind(RECT* box) const {
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    const int kind = ::GetUpdateRgn(child_, region, FALSE);
    ::GetRgnBox(region, box);
    ::DeleteObject(region);
    return kind;
  }
  // The client area's pixels, drawn by the window itself (all of it, or only
  // the part given) or by drawing the background, every object and then
  // every selected object's handles in turn, as each object draws them.
  std::vector<COLORREF> Pixels(bool byTheWindow, const RECT* part = nullptr) {
    return ClientPixels(child_, [&](HDC memory, HDC screen, const RECT& client) {
      if (byTheWindow) {
        ::InvalidateRect(child_, part, FALSE);
        ::UpdateWindow(child_);
        ::BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
        return;
      }
      CDC dc;
      dc.Attach(memory);
      dc.FillSolidRect(client, wnd_->GetPicture()->m_clrBack);
      for (CDrawObj* obj : Objects()) obj->Draw(&dc, 0);
      for (CDrawObj* obj : wnd_->GetSelection()) obj->DrawTracker(&dc, 1);
      dc.Detach();
    });
  }
};

TEST_F(ManySelectedTest, ChangesOfManyObjectsLeaveOneRectangleToPaint) {
  RECT client;
  ::GetClientRect(child_, &client);
  const struct {
    const char* change;
    std::function<void(CPicEditWnd&)> make;
  } changes[] = {
      {"the rubber band",
       [](CPicEditWnd& w) {
         w.SelectInRect(RECT{0, 0, 500, 400}, true);
       }},
      {"a property", [](CPicEditWnd& w) { w.SendMessage(QCM_SETPROPERTY, 6, RGB(1, 2, 3)); }},
      {"an arrow key", [](CPicEditWnd& w) { w.SendMessage(WM_KEYDOWN, VK_RIGHT, 0); }},
  };
  Spread(2000, false);
  for (const auto& c : changes) {
    ::ValidateRect(child_, nullptr);
    c.make(*wnd_);
    ASSERT_GT(wnd_->GetSelection().size(), 1900u) << c.change;
    RECT box;
    EXPECT_EQ(UpdateRegionKind(&box), SIMPLEREGION) << c.change;
    EXPECT_TRUE(::EqualRect(&box, &client)) << c.change;
  }
}

TEST_F(ManySelectedTest, APaintDrawsOnlyTheHandlesThatReachIntoIt) {
  Spread(2000, true);
  wnd_->SelectInRect(RECT{0, 0, 500, 400}, true);
  ::UpdateWindow(child_);
  const RECT part = {100, 100, 140, 130};
  int reaching = 0;
  for (CDrawObj* obj : wnd_->GetSelection()) {
    RECT reach = obj->GetInvalidRect(), common;
    reaching += ::IntersectRect(&common, &reach, &part) ? 1 : 0;
  }
  ASSERT_GT(reaching, 0);
  ASSERT_LT(reaching, 200);
  CCountedLine::trackers = 0;
  ::InvalidateRect(child_, &part, FALSE);
  ::UpdateWindow(child_);
  EXPECT_EQ(CCountedLine::trackers, reaching);
  // A paint of the whole window draws every one once.
  CCountedLine::trackers = 0;
  ::InvalidateRect(child_, nullptr, FALSE);
  ::UpdateWindow(child_);
  EXPECT_EQ(CCountedLine::trackers, static_cast<int>(wnd_->GetSelection().size()));
}

TEST_F(ManySelectedTest, OverlappingHandleSquaresShowAsIfEachWereDrawnInTurn) {
  // Squares painted over by later ones are left out: the pixels stay those
  // of drawing every square in turn.
  Send(QCM_SNAPGRID, 0, 0);
  Spread(2000, false);
  wnd_->SelectInRect(RECT{0, 0, 500, 400}, true);
  ASSERT_GT(wnd_->GetSelection().size(), 1900u);
  const std::vector<COLORREF> painted = Pixels(true);
  const std::vector<COLORREF> expected = Pixels(false);
  ASSERT_EQ(painted.size(), expected.size());
  size_t differing = 0;
  for (size_t i = 0; i < painted.size(); ++i) differing += painted[i] != expected[i] ? 1 : 0;
  EXPECT_EQ(differing, 0u);
  // A part of the window, at an odd place, paints the same pixels again.
  const RECT part = {101, 77, 333, 301};
  const std::vector<COLORREF> repainted = Pixels(true, &part);
  differing = 0;
  for (size_t i = 0; i < repainted.size(); ++i) differing += repainted[i] != expected[i] ? 1 : 0;
  EXPECT_EQ(differing, 0u) << "after a paint of a part";
}

TEST_F(ShownEditTest, GridDotsAreTheInverseOfTheBackground) {
  wnd_->Invalidate(FALSE);
  EXPECT_EQ(PixelAt(8, 8), Dot());
  EXPECT_EQ(PixelAt(16, 24), Dot());
  EXPECT_EQ(PixelAt(9, 8), Back());
  EXPECT_EQ(PixelAt(0, 0), Back());  // no dot on the picture's edge
  Send(QCM_SNAPGRID, 0, 0);
  EXPECT_EQ(PixelAt(8, 8), Back());
}

// A panel over the whole window hides the grid and the objects under it;
// on a hidden layer it hides nothing.
TEST_F(ShownEditTest, APanelHidesTheGridAndTheObjectsUnderItUnlessItsLayerIsHidden) {
  constexpr COLORREF kUnder = RGB(200, 0, 0), kPanel = RGB(0, 90, 90);
  auto* under = static_cast<CDrawRect*>(AddRect(100, 100));
  under->m_nFillStyle = 1;
  under->m_clrFill1 = kUnder;
  // A layer of its own, first in the list: drawn last, over the others.
  auto* layer = new CPicLayer;
  wnd_->GetPicture()->m_layers.AddHead(layer);
  auto* panel = new CDrawRect;
  panel->SetCorners(CRectD(-10, -10, 600, 500));
  panel->m_nFillStyle = 1;
  panel->m_clrFill1 = kPanel;
  panel->SetViewTransform(wnd_->GetOrigin(), wnd_->GetZoom());
  layer->m_objects.AddTail(panel);
  for (BOOL shown : {TRUE, FALSE}) {
    SCOPED_TRACE(shown ? "shown" : "hidden");
    layer->m_bVisible = shown;
    wnd_->Invalidate(FALSE);
    EXPECT_EQ(PixelAt(8, 8), shown ? kPanel : Dot());
    EXPECT_EQ(PixelAt(110, 110), shown ? kPanel : kUnder);
    EXPECT_EQ(PixelAt(9, 8), shown ? kPanel : Back());
  }
}

TEST_F(ShownEditTest, SelectedObjectsShowTheirHandles) {
  Send(QCM_SNAPGRID, 0, 0);
  CDrawObj* a = AddRect(80, 80);  // 40 x 30: the corner handle sits on (80, 80)
  wnd_->Invalidate(FALSE);
  std::vector<COLORREF> before;
  for (int d = -3; d <= 3; ++d) before.push_back(PixelAt(80 + d, 80 + d));
  wnd_->Select(a, false);
  std::vector<COLORREF> after;
  for (int d = -3; d <= 3; ++d) after.push_back(PixelAt(80 + d, 80 + d));
  EXPECT_NE(before, after);
  wnd_->Select(nullptr, false);
  std::vector<COLORREF> again;
  for (int d = -3; d <= 3; ++d) again.push_back(PixelAt(80 + d, 80 + d));
  EXPECT_EQ(before, again);
}

TEST_F(ShownEditTest, AHugePictureShowsTheDotsOfItsVisiblePart) {
  // 62,914,815 x 44,564,480 pixels: the grid is not walked dot by dot.
  wnd_->GetPicture()->m_nWidth = 62914815;
  wnd_->GetPicture()->m_nHeight = 44564480;
  wnd_->UpdateScrollRanges();
  wnd_->Invalidate(FALSE);
  EXPECT_EQ(PixelAt(8, 8), Dot());
  EXPECT_EQ(PixelAt(496, 392), Dot());
  EXPECT_EQ(PixelAt(9, 8), Back());
}

TEST_F(ShownEditTest, PictureNarrowerThanTheGridHasNoDots) {
  wnd_->GetPicture()->m_nWidth = 7;
  COLORREF back = wnd_->GetPicture()->m_clrBack;
  wnd_->Invalidate(FALSE);
  EXPECT_EQ(PixelAt(8, 8), back);
}

}  // namespace
}  // namespace edittest

namespace edittest {
namespace {

// ---- the tool-bar gripper ---------------------------------------------------------

class GripToolBarTest : public EditWindowTest {
 protected:
  bool VisibleParent() const override { return true; }
  // The bar's window-relative client rectangle.
  RECT ClientInWindow(const CGripToolBar& bar) const {
    RECT window, client;
    ::GetWindowRect(bar.m_hWnd, &window);
    ::GetClientRect(bar.m_hWnd, &client);
    ::MapWindowPoints(bar.m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ::OffsetRect(&client, -window.left, -window.top);
    return client;
  }
  COLORREF WindowPixel(const CGripToolBar& bar, int x, int y) const {
    HDC dc = ::GetWindowDC(bar.m_hWnd);
    COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(bar.m_hWnd, dc);
    return c;
  }
};

TEST_F(GripToolBarTest, HorizontalBarKeepsItsLeadingEdgeForTwoRaisedLines) {
  CGripToolBar bar;
  ASSERT_TRUE(bar.Create(parent_, 7, WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN));
  ::SetWindowPos(bar.m_hWnd, nullptr, 0, 0, 200, 30, SWP_NOZORDER | SWP_FRAMECHANGED);
  ::RedrawWindow(bar.m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(ClientInWindow(bar).left, CGripToolBar::kGripSpace);
  COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_BTNSHADOW);
  // Lines at x = 2 and x = 5, each with its light left side and dark right side.
  EXPECT_EQ(WindowPixel(bar, 2, 15), light);
  EXPECT_EQ(WindowPixel(bar, 4, 15), dark);
  EXPECT_EQ(WindowPixel(bar, 5, 15), light);
  EXPECT_EQ(WindowPixel(bar, 7, 15), dark);
  EXPECT_EQ(WindowPixel(bar, 0, 15), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(GripToolBarTest, VerticalBarKeepsItsTopEdge) {
  CGripToolBar bar;
  ASSERT_TRUE(bar.Create(
      parent_, 8, WS_CHILD | WS_VISIBLE | CCS_VERT | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER));
  ::SetWindowPos(bar.m_hWnd, nullptr, 0, 0, 30, 200, SWP_NOZORDER | SWP_FRAMECHANGED);
  ::RedrawWindow(bar.m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(ClientInWindow(bar).top, CGripToolBar::kGripSpace);
  EXPECT_EQ(WindowPixel(bar, 15, 2), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(WindowPixel(bar, 15, 4), ::GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(GripToolBarTest, FloatingBarKeepsNoGripperRoom) {
  CGripToolBar bar;
  bar.SetFloating(true);
  ASSERT_TRUE(bar.Create(parent_, 9, WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN));
  ::SetWindowPos(bar.m_hWnd, nullptr, 0, 0, 200, 30, SWP_NOZORDER | SWP_FRAMECHANGED);
  EXPECT_EQ(ClientInWindow(bar).left, 0);
}

}  // namespace
}  // namespace edittest
