// The clip box a paint knows stands in for the DC's own in the objects'
// clip test.
#include "knownclip.h"

#include <gtest/gtest.h>

#include "drawrect.h"
#include "render_surface.h"

namespace {

using qeltest::RenderSurface;

TEST(KnownClipBox, BelongsToItsDcAndNests) {
  RenderSurface a(8, 8), b(8, 8);
  ASSERT_TRUE(a.IsValid() && b.IsValid());
  EXPECT_EQ(nullptr, CKnownClipBox::Of(a.dc()));
  {
    CKnownClipBox outer(a.dc(), RECT{0, 0, 100, 100});
    {
      CKnownClipBox inner(a.dc(), RECT{10, 10, 20, 20});
      ASSERT_NE(nullptr, CKnownClipBox::Of(a.dc()));
      EXPECT_EQ(10, CKnownClipBox::Of(a.dc())->left);
      EXPECT_EQ(nullptr, CKnownClipBox::Of(b.dc()));
    }
    ASSERT_NE(nullptr, CKnownClipBox::Of(a.dc()));
    EXPECT_EQ(100, CKnownClipBox::Of(a.dc())->right);
  }
  EXPECT_EQ(nullptr, CKnownClipBox::Of(a.dc()));
}

// The surface is not clipped at all: only the known box keeps an object
// away from it out of the drawing.
TEST(KnownClipBox, ObjectsBeyondItAreNotDrawn) {
  const struct {
    const char* what;
    RECT known;
    bool drawn;
  } kCases[] = {
      {"the box holds the object", {0, 0, 64, 64}, true},
      {"the box touches the outline's reach", {0, 0, 39, 39}, true},
      {"the box lies apart", {0, 0, 20, 20}, false},
      {"the box is empty", {30, 30, 30, 30}, false},
  };
  for (const auto& c : kCases) {
    RenderSurface s(64, 64);
    ASSERT_TRUE(s.IsValid());
    s.Fill(0xFFFFFF);
    CDrawRect rect;
    rect.SetCorners(CRectD(40, 40, 50, 50));
    rect.m_nFillStyle = 1;
    rect.m_clrFill1 = RGB(0, 0, 255);
    rect.m_clrLine = RGB(0, 0, 0);
    CDC dc(s.dc());
    {
      CKnownClipBox known(s.dc(), c.known);
      rect.Draw(&dc, 0);
    }
    EXPECT_EQ(c.drawn, s.CountPixels(0x0000FF) > 0) << c.what;
  }
}

}  // namespace
