#include "gradientline.h"

#include "dibsurface.h"
#include "paintraster.h"

namespace {

// The part of `area` within the DC's clip box; false when nothing shows.
bool VisiblePart(HDC hdc, const RECT& area, RECT* pVisible) {
  RECT clip;
  const int kind = ::GetClipBox(hdc, &clip);
  return kind != ERROR && kind != NULLREGION && ::IntersectRect(pVisible, &area, &clip);
}

// The visible part's first line drawn by fillLine at the DC's device pixels
// on a surface of its own, then stretched over the visible part.
bool StretchFirstLine(HDC hdc, const PaintDcState& state, const RECT& visible, bool bAcross,
                      const std::function<void(HDC)>& fillLine) {
  // The surface reaches from device pixel 0 to the visible part's end.
  const int length = bAcross ? visible.right + state.toDevice.x : visible.bottom + state.toDevice.y;
  if (length <= 0) return true;
  CDibSurface line(hdc, bAcross ? length : 1, bAcross ? 1 : length);
  if (!line.IsValid()) return false;
  // The visible part's first row (column) lands on the surface's only one.
  // The DC's own origins are kept and only the window origin moves, so
  // that the line lies at the DC's device pixels.
  POINT window, viewport;
  ::GetWindowOrgEx(hdc, &window);
  ::GetViewportOrgEx(hdc, &viewport);
  ::SetViewportOrgEx(line.dc(), viewport.x, viewport.y, nullptr);
  if (bAcross)
    ::SetWindowOrgEx(line.dc(), window.x, visible.top + viewport.y, nullptr);
  else
    ::SetWindowOrgEx(line.dc(), visible.left + viewport.x, window.y, nullptr);
  fillLine(line.dc());
  const int w = visible.right - visible.left;
  const int h = visible.bottom - visible.top;
  const int oldMode = ::SetStretchBltMode(hdc, COLORONCOLOR);
  ::StretchBlt(hdc, visible.left, visible.top, w, h, line.dc(), visible.left, visible.top, bAcross ? w : 1,
               bAcross ? 1 : h, SRCCOPY);
  ::SetStretchBltMode(hdc, oldMode);
  return true;
}

}  // namespace

bool FillThroughGradientLine(HDC hdc, const RECT& area, bool bAcross, HRGN shape,
                             const std::function<void(HDC)>& fillLine) {
  CDC target(hdc);
  PaintDcState state;
  const bool translatesOnly = ReadRasterTarget(&target, &state);
  target.Detach();
  if (!translatesOnly) return false;
  if (!shape) {
    RECT visible;
    return !VisiblePart(hdc, area, &visible) || StretchFirstLine(hdc, state, visible, bAcross, fillLine);
  }
  // The shape joins the clip for the length of the fill.
  const int saved = ::SaveDC(hdc);
  if (!saved) return false;
  bool filled = ::ExtSelectClipRgn(hdc, shape, RGN_AND) != ERROR;
  RECT visible;
  if (filled && VisiblePart(hdc, area, &visible))
    filled = StretchFirstLine(hdc, state, visible, bAcross, fillLine);
  ::RestoreDC(hdc, saved);
  return filled;
}
