#include "rectpaint.h"

#include <gtest/gtest.h>

#include <functional>

#include "render_surface.h"

namespace {

using qeltest::RenderSurface;

constexpr int kSide = 160;

// How the DC is set up before the fill: the clip and the mapping a window's
// partial repaint or a kept drawing's surface gives it.
struct DcSetup {
    const char* what;
    std::function<void(HDC)> apply;
};

void ClipTo(HDC hdc, std::initializer_list<RECT> parts) {
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    for (const RECT& r : parts) {
        HRGN part = ::CreateRectRgnIndirect(&r);
        ::CombineRgn(region, region, part, RGN_OR);
        ::DeleteObject(part);
    }
    ::SelectClipRgn(hdc, region);
    ::DeleteObject(region);
}

const DcSetup kSetups[] = {
    {"the whole surface", [](HDC) {}},
    {"a clip box inside", [](HDC dc) { ClipTo(dc, {{31, 17, 97, 120}}); }},
    {"a clip of two parts", [](HDC dc) { ClipTo(dc, {{0, 0, 40, 40}, {70, 90, 150, 140}}); }},
    {"a window origin", [](HDC dc) { ::SetWindowOrgEx(dc, 23, -11, nullptr); }},
    {"a window origin and a clip",
     [](HDC dc) {
         ClipTo(dc, {{5, 60, 120, 100}});
         ::SetViewportOrgEx(dc, -37, 14, nullptr);
     }},
};

struct FrameCase {
    const char* what;
    int left, top, width, height;
};

const FrameCase kFrames[] = {
    {"inside the surface", 20, 30, 120, 60},
    {"one pixel wide", 50, 10, 1, 90},
    {"one pixel high", 10, 50, 90, 1},
    {"past the left and top edges", -45, -20, 110, 70},
    {"past the right and bottom edges", 100, 110, 90, 80},
    {"over the whole surface and far beyond", -65535, -65535, 131071, 131071},
};

DeviceFrame UprightFrame(const FrameCase& f) {
    DeviceFrame frame;
    frame.width = f.width;
    frame.height = f.height;
    frame.xform.eDx = static_cast<FLOAT>(f.left);
    frame.xform.eDy = static_cast<FLOAT>(f.top);
    return frame;
}

// A background GDI+ must leave alone outside the fill.
void Paper(RenderSurface& surface) {
    surface.Fill(0xF0E0D0);
    ::SelectClipRgn(surface.dc(), nullptr);
    ::SetWindowOrgEx(surface.dc(), 0, 0, nullptr);
    ::SetViewportOrgEx(surface.dc(), 0, 0, nullptr);
}

TEST(RectPaint, AnUprightGradientRectangleHasGdiplusOwnPixels) {
    RenderSurface byGdiplus(kSide, kSide), filled(kSide, kSide);
    for (int style = 2; style <= 5; ++style) {
        for (const FrameCase& f : kFrames) {
            for (const DcSetup& setup : kSetups) {
                SCOPED_TRACE(testing::Message() << "style " << style << ", " << f.what << ", "
                                                << setup.what);
                const DeviceFrame frame = UprightFrame(f);
                const COLORREF c1 = RGB(250, 120 + style, 3);
                const COLORREF c2 = RGB(7, 40, 200 - style);
                Paper(byGdiplus);
                setup.apply(byGdiplus.dc());
                FillFrameShapeByGdiplus(byGdiplus.dc(), frame, FrameShape::rectangle, style, c1, c2);
                Paper(filled);
                setup.apply(filled.dc());
                FillFrameShape(filled.dc(), frame, FrameShape::rectangle, style, c1, c2);
                ASSERT_EQ(filled.Pixels(), byGdiplus.Pixels());
            }
        }
    }
}

}  // namespace
