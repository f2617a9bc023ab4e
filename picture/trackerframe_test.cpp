// The dotted frame lands on exactly the pixels its description names, cut
// at the clip wherever the clip falls, on a DC with a window origin, and for
// frames longer than one copy of its pattern.
#include <gtest/gtest.h>

#include <vector>

#include "render_surface.h"
#include "trackerframe.h"

namespace {

using qeltest::RenderSurface;

constexpr DWORD kGrey = 0x808080;

// The frame as its description gives it, pixel by pixel, on a grey surface
// of w x h whose pixel (0, 0) is logical (ox, oy), within the device clip.
std::vector<DWORD> Described(int w, int h, POINT origin, const RECT& r, const RECT& clip) {
    std::vector<DWORD> pixels(static_cast<size_t>(w) * h, kGrey);
    auto set = [&](long long x, long long y, DWORD c) {
        const long long dx = x - origin.x, dy = y - origin.y;
        if (dx >= clip.left && dx < clip.right && dy >= clip.top && dy < clip.bottom && dx >= 0 &&
            dy >= 0 && dx < w && dy < h)
            pixels[static_cast<size_t>(dy) * w + dx] = c;
    };
    for (long long x = r.left; x < r.right - 2; x += 2) {
        for (long long y : {r.top, r.bottom - 1}) {
            set(x, y, 0x000000);
            set(x + 1, y, 0xFFFFFF);
        }
    }
    for (long long y = r.top; y < r.bottom - 2; y += 2) {
        for (long long x : {r.left, r.right - 1}) {
            set(x, y, 0x000000);
            set(x, y + 1, 0xFFFFFF);
        }
    }
    return pixels;
}

TEST(TrackerFrame, LandsOnTheDescribedPixelsWhereverTheClipAndOriginFall) {
    struct Case {
        const char* what;
        int w, h;
        POINT origin;  // the logical point at device pixel (0, 0)
        RECT frame;    // logical
        RECT clip;     // device
    };
    const Case cases[] = {
        {"small, even sides", 64, 48, {0, 0}, {4, 4, 40, 30}, {0, 0, 64, 48}},
        {"odd sides", 64, 48, {0, 0}, {3, 5, 36, 32}, {0, 0, 64, 48}},
        {"clipped at odd places", 64, 48, {0, 0}, {3, 5, 60, 44}, {7, 9, 41, 30}},
        {"one row high", 64, 48, {0, 0}, {2, 10, 50, 11}, {0, 0, 64, 48}},
        {"under a window origin", 64, 48, {-13, 21}, {-20, 18, 40, 60}, {5, 3, 57, 40}},
        {"longer than a copy of the pattern", 600, 40, {4991, -3}, {-7, 2, 9000, 30}, {1, 0, 599, 40}},
        {"far beyond the surface", 200, 100, {0, 0}, {-100000001, -50, 100000003, 60}, {0, 0, 200, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RenderSurface surface(c.w, c.h);
        surface.Fill(kGrey);
        const int saved = ::SaveDC(surface.dc());
        ::IntersectClipRect(surface.dc(), c.clip.left, c.clip.top, c.clip.right, c.clip.bottom);
        ::SetWindowOrgEx(surface.dc(), c.origin.x, c.origin.y, nullptr);
        {
            CDC dc(surface.dc());
            DrawTrackerFrame(&dc, c.frame);
        }
        ::RestoreDC(surface.dc(), saved);
        EXPECT_EQ(surface.Pixels(), Described(c.w, c.h, c.origin, c.frame, c.clip));
    }
}

}  // namespace
