// What one drawing left on a 32-bit surface, kept in device pixels so that
// it can be put back with a copy instead of being drawn again.
//
// The drawing is made at the device pixels the DC gives it (see
// CPaintRaster::Make), twice, on black and on white. A pixel that comes out
// the same on both was covered; one that stays black and white was left
// alone; one in between was blended with what lay beneath, and the
// difference gives its coverage (the platform blends a premultiplied colour
// c with coverage a as c + d x (255 - a) / 255, so black gives c and white
// c + 255 - a). Putting the pixels back repeats exactly that: the covered
// ones are copied through a mask, the blended ones blended again with the
// same colour and coverage. A drawing that reaches outside its area, or
// changes a pixel in any other way (an inversion, a colour that depends on
// what lies beneath), gives no raster and is drawn as it is.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "gdiwrap.h"

// The state of a device context that a drawing reads without setting it.
struct PaintDcState {
  int bkMode = OPAQUE;
  COLORREF bkColor = 0xFFFFFF;
  COLORREF textColor = 0;
  int polyFillMode = ALTERNATE;
  int stretchMode = BLACKONWHITE;
  // Where the DC puts a logical point: at the device pixel point + toDevice.
  POINT toDevice = {0, 0};
  // The size of the DC's bitmap, in pixels.
  SIZE pixels = {0, 0};
};

// Whether drawing on the DC can be kept and copied back: a memory DC with a
// 32-bit bitmap, mapped by a translation only (text mapping mode, no world
// transform, no mirroring), copying pens (R2_COPYPEN), not a printer. Its
// state goes to *pState.
bool ReadRasterTarget(CDC* pDC, PaintDcState* pState);

class CPaintRaster {
 public:
  // The largest raster made, in pixels: a screen of 2,560 x 1,600, 16 MB
  // (a full-HD background with its outline fits).
  static constexpr size_t kMaxPixels = 2560 * 1600;

  // The largest surface a raster is made on, in pixels: the area lies on it
  // where the DC has it, so the surface reaches from pixel (0, 0) past the
  // area's far corner. One surface serves every raster in turn, and only
  // the areas' pages of it are touched.
  static constexpr size_t kMaxSurfacePixels = 2 * kMaxPixels;

  // The drawing made on surfaces covering area (in the logical units of the
  // DC it is meant for, which only translates), with the DC state given;
  // null when the area is empty or above kMaxPixels, or the drawing cannot
  // be kept (see above).
  //
  // GDI+ and GDI work out a gradient, an image or a turned shape in the
  // device pixels they draw to, and round it there: the same drawing moved
  // by whole pixels can come out a shade apart in some of them (in more of
  // them under the x86-64 platform than under the i686 one). The area is
  // therefore drawn at the device pixels state.toDevice gives it, so that
  // the raster holds what the DC would have been given. They also cut a
  // drawing at the edges of the bitmap they draw on, and round it after
  // the cut: an area that does not lie on the DC's bitmap (a drawing
  // reaching out of a window's edge) is drawn on a surface of the DC's
  // size at the DC's pixels, and only its part on the bitmap is kept; such
  // a raster fits only a DC of that size and translation (Fits). The margin
  // around the area is cut at the DC's edges, as the DC cuts it. An area
  // that would need a surface above kMaxSurfacePixels is drawn at the
  // surface's corner instead.
  static std::unique_ptr<CPaintRaster> Make(const RECT& area, const PaintDcState& state,
                                            const std::function<void(CDC*)>& draw);

  // Whether the raster can be put back on a DC in this state: one cut at a
  // DC's edges fits only a DC of the same size and translation.
  bool Fits(const PaintDcState& state) const;
  // Puts the pixels back at their place on a DC that ReadRasterTarget accepts.
  void Blit(HDC hdc) const;

  const RECT& Area() const { return m_area; }
  size_t Bytes() const { return m_pixels.size() * sizeof(DWORD) + m_mask.size(); }
  // True when some pixel is blended (the raster is put back by blending).
  bool IsBlended() const { return m_mask.empty(); }

 private:
  CPaintRaster(const RECT& area) : m_area(area) {}
  bool Analyse(const DWORD* black, const DWORD* white, int stride, int margin);

  RECT m_area;
  std::optional<PaintDcState> m_onlyFor;  // a raster cut at that DC's edges
  // Covering rasters: the colour of each covered pixel, 0 elsewhere, with
  // a 1-bit mask (1 where the drawing left the pixel alone). Blended
  // rasters: premultiplied colour and coverage, and no mask.
  std::vector<DWORD> m_pixels;
  std::vector<BYTE> m_mask;
};
