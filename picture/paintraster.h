// What one drawing left on a 32-bit surface, kept in device pixels so that
// it can be put back with a copy instead of being drawn again.
//
// The drawing is made twice, on black and on white. A pixel that comes out
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
#include <vector>

#include "gdiwrap.h"

// The state of a device context that a drawing reads without setting it.
struct PaintDcState {
    int bkMode = OPAQUE;
    COLORREF bkColor = 0xFFFFFF;
    COLORREF textColor = 0;
    int polyFillMode = ALTERNATE;
    int stretchMode = BLACKONWHITE;
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

    // The drawing made on surfaces covering area (in the logical units of the
    // DC it is meant for, which only translates), with the DC state given;
    // null when the area is empty or above kMaxPixels, or the drawing cannot
    // be kept (see above).
    static std::unique_ptr<CPaintRaster> Make(const RECT& area, const PaintDcState& state,
                                              const std::function<void(CDC*)>& draw);

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
    // Covering rasters: the colour of each covered pixel, 0 elsewhere, with
    // a 1-bit mask (1 where the drawing left the pixel alone). Blended
    // rasters: premultiplied colour and coverage, and no mask.
    std::vector<DWORD> m_pixels;
    std::vector<BYTE> m_mask;
};
