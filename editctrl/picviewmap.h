// The view rules both picture windows share: device = picture x zoom -
// origin, with the origin in device pixels, the scroll origin kept inside its
// range, and the record a view notice carries. Header only, so that the
// editing and the runtime library each compile the same rules in without a
// link between them. What the two windows do differently (how a range is
// computed, how each scroll request is bounded, the wheel) stays in each
// window.
#pragma once
#include <windows.h>

#include "geometry.h"
#include "picmsg.h"

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

// The record of a view notice: the picture point at the top-left corner and
// the zoom in percent.
inline ViewInfo ViewInfoOf(POINT origin, double zoom, LONG zoomPercent) {
  const CPointD topLeft = DeviceToPicture(POINT{0, 0}, origin, zoom);
  return ViewInfo{topLeft.x, topLeft.y, zoomPercent, 0};
}

}  // namespace qelview
