// The view rules both picture windows share: device = picture x zoom -
// origin, with the origin in device pixels, the scroll ranges and the layout
// of the two bars, the scroll origin kept inside its range, and the record a
// view notice carries. Header only, so that the editing and the runtime
// library each compile the same rules in without a link between them. What
// the two windows do differently (how each scroll request is bounded, the
// wheel) stays in each window.
#pragma once
#include <windows.h>

#include "geometry.h"
#include "qel/picmsg.h"

namespace qelview {

constexpr int kLineStep = 100;  // pixels per scroll-bar arrow click

// The picture point under a client (device) point.
inline CPointD DeviceToPicture(POINT device, POINT origin, double zoom) {
  // In doubles: an origin near the end of a huge range plus a point would
  // overflow the integers.
  return CPointD((static_cast<double>(device.x) + origin.x) / zoom,
                 (static_cast<double>(device.y) + origin.y) / zoom);
}

// One axis's scroll range in device pixels: the picture size times the zoom,
// truncated; a zoom so large that the picture would not fit into the bar's
// integers is held at the largest range, and a negative size gives 0.
inline int ScrollRangeOf(int size, double zoom) {
  const double range = size * zoom;
  if (range >= 2147483647.0) return 2147483647;
  return range > 0 ? static_cast<int>(range) : 0;
}

// Keeps one axis's origin inside its range: at most range end - page, 0 when
// the whole range fits into the page.
inline int ClampOrigin(int origin, int range, int page) {
  if (range <= page) return 0;
  return origin + page >= range ? range - page : origin;
}

// A vertical origin no further down than one page returns to the top when the
// ranges are laid anew, so that a view near the top shows the top.
inline LONG SettleTopOrigin(LONG originY, int pageHeight) { return originY <= pageHeight ? 0 : originY; }

// Lays out both scroll bars of a picture window: ranges 0 to `range`, pages
// the client size, positions the origin, which is first kept inside its
// ranges (and, on the first pass, returned to the top when it lies within
// one page of it). Setting a bar shows or hides it, which changes the client
// size and sends WM_SIZE meanwhile (the window ignores that while it lays
// out its bars); a second pass, a third when both bars change, settles the
// pages on the final client size. Returns the settled pages.
inline SIZE LayOutScrollBars(HWND hwnd, SIZE range, POINT& origin) {
  SIZE page = {0, 0};
  for (int pass = 0; pass < 3; ++pass) {
    RECT client;
    ::GetClientRect(hwnd, &client);
    page = {client.right - client.left, client.bottom - client.top};
    if (pass == 0) origin.y = SettleTopOrigin(origin.y, page.cy);
    origin.x = ClampOrigin(origin.x, range.cx, page.cx);
    origin.y = ClampOrigin(origin.y, range.cy, page.cy);
    const int bars[2] = {SB_HORZ, SB_VERT};
    const int ranges[2] = {static_cast<int>(range.cx), static_cast<int>(range.cy)};
    const int pages[2] = {static_cast<int>(page.cx), static_cast<int>(page.cy)};
    const int positions[2] = {static_cast<int>(origin.x), static_cast<int>(origin.y)};
    for (int i = 0; i < 2; ++i) {
      SCROLLINFO info = {sizeof info,
                         SIF_RANGE | SIF_PAGE | SIF_POS,
                         0,
                         ranges[i],
                         static_cast<UINT>(pages[i] > 0 ? pages[i] : 0),
                         positions[i],
                         0};
      ::SetScrollInfo(hwnd, bars[i], &info, TRUE);
    }
    ::GetClientRect(hwnd, &client);
    if (client.right - client.left == page.cx && client.bottom - client.top == page.cy) break;
  }
  return page;
}

// The record of a view notice: the picture point at the top-left corner and
// the zoom in percent.
inline ViewInfo ViewInfoOf(POINT origin, double zoom, LONG zoomPercent) {
  const CPointD topLeft = DeviceToPicture(POINT{0, 0}, origin, zoom);
  return ViewInfo{topLeft.x, topLeft.y, zoomPercent, 0};
}

}  // namespace qelview
