#include "memdc.h"

#include <gtest/gtest.h>

#include "drawpolygon.h"
#include "render_surface.h"

namespace {

using qeltest::RenderSurface;

TEST(MemDCTest, PartialRepaintUsesABitmapOfTheClipBoxAndCopiesItBack) {
  RenderSurface surface(100, 100);
  surface.Fill(0xFFFFFF);
  HRGN clip = ::CreateRectRgn(20, 30, 60, 50);
  ::SelectClipRgn(surface.dc(), clip);
  ::DeleteObject(clip);
  ::SetBkColor(surface.dc(), RGB(0, 0, 255));
  CDC output(surface.dc());
  {
    CMemDC mem(&output);
    EXPECT_TRUE(mem.IsOffScreen());
    EXPECT_NE(mem.GetSafeHdc(), surface.dc());
    BITMAP bm = {};
    ::GetObjectA(::GetCurrentObject(mem, OBJ_BITMAP), sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 40);
    EXPECT_EQ(bm.bmHeight, 20);
    // Drawn in the output's own coordinates.
    mem.FillSolidRect(RECT{25, 35, 30, 40}, RGB(255, 0, 0));
    // Not on screen until the surface goes away.
    EXPECT_EQ(surface.Pixel(26, 36), 0xFFFFFFu);
  }
  EXPECT_EQ(surface.Pixel(26, 36), 0xFF0000u);
  EXPECT_EQ(surface.Pixel(21, 31), 0x0000FFu);  // the background fill
  EXPECT_EQ(surface.Pixel(10, 10), 0xFFFFFFu);  // outside the clip box
  EXPECT_EQ(surface.Pixel(60, 40), 0xFFFFFFu);
}

TEST(MemDCTest, GradientFillsLandInPlaceOnAPartialRepaint) {
  // GDI+ must follow the surface's window origin like GDI does.
  RenderSurface surface(100, 100);
  surface.Fill(0xFFFFFF);
  HRGN clip = ::CreateRectRgn(40, 40, 80, 80);
  ::SelectClipRgn(surface.dc(), clip);
  ::DeleteObject(clip);
  CDC output(surface.dc());
  {
    CMemDC mem(&output);
    CDrawPolygon square;
    for (CPointD p : {CPointD(50, 50), CPointD(70, 50), CPointD(70, 70), CPointD(50, 70)}) square.AddPoint(p);
    square.m_nFillStyle = 5;
    square.m_clrFill1 = RGB(255, 0, 0);
    square.m_clrFill2 = RGB(255, 0, 0);
    square.m_clrLine = static_cast<COLORREF>(-1);
    square.Draw(&mem, 0);
  }
  EXPECT_EQ(surface.Pixel(60, 60), 0xFF0000u);
  EXPECT_EQ(surface.Pixel(51, 51), 0xFF0000u);
  EXPECT_NE(surface.Pixel(45, 45), 0xFF0000u);
  EXPECT_NE(surface.Pixel(75, 75), 0xFF0000u);
}

TEST(MemDCTest, PrinterOutputIsDrawnDirectlyAndKeptAlive) {
  RenderSurface surface(50, 50);
  surface.Fill(0xFFFFFF);
  CDC printer(surface.dc());
  printer.m_bPrinting = TRUE;
  {
    CMemDC mem(&printer);
    EXPECT_FALSE(mem.IsOffScreen());
    EXPECT_EQ(mem.GetSafeHdc(), surface.dc());
    EXPECT_TRUE(mem.IsPrinting());
    mem.SetPixel(5, 5, RGB(255, 0, 0));
    EXPECT_EQ(surface.Pixel(5, 5), 0xFF0000u);
  }
  // The printer's DC survives the surface.
  EXPECT_EQ(::GetObjectType(surface.dc()), static_cast<DWORD>(OBJ_MEMDC));
  printer.SetPixel(6, 6, RGB(0, 255, 0));
  EXPECT_EQ(surface.Pixel(6, 6), 0x00FF00u);
}

}  // namespace
