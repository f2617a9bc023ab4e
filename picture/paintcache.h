// What a draw object painted, kept between paints: the next paint with the
// same inputs (PaintKey) puts the pixels back with a copy instead of asking
// the platform to draw again (a GDI+ gradient, a shaded pipe, an image or a
// turned text costs it a software pass over every pixel).
//
// A drawing is kept the second time it is painted with the same key, so an
// object that changes at every paint (moved or recoloured by a link) is
// drawn as before at no extra cost. Only drawings onto a 32-bit memory DC
// that only translates are kept (see ReadRasterTarget); printers and
// metafiles get the drawing itself.
//
// All caches together hold at most kBudgetBytes; the one used longest ago
// gives way to a new one. A cache that gave way draws directly until its
// key changes, so a picture whose drawings do not all fit is not drawn
// twice over at every paint. Caches are not copied: a cloned or loaded
// object starts without one.
#pragma once

#include <windows.h>

#include <functional>
#include <list>
#include <memory>

#include "gdiwrap.h"
#include "paintkey.h"
#include "paintraster.h"

class CPaintCache {
public:
    static constexpr size_t kBudgetBytes = 64u << 20;

    CPaintCache() = default;
    ~CPaintCache();
    CPaintCache(const CPaintCache&) = delete;
    CPaintCache& operator=(const CPaintCache&) = delete;

    // Paints draw() on the DC, or what the last paint with the same key left.
    // reach() is the device rectangle (logical units of the DC) that the
    // drawing stays within; it is asked only when a drawing is kept.
    void Paint(CDC* pDC, const PaintKey& key, const std::function<RECT()>& reach,
               const std::function<void(CDC*)>& draw);
    // Drops what is kept.
    void Forget();

    // The kept raster, or null.
    const CPaintRaster* Kept() const { return m_raster.get(); }
    // The bytes all caches of the process hold.
    static size_t HeldBytes();

private:
    bool KeepLocked(std::unique_ptr<CPaintRaster> raster);
    void ForgetLocked();

    PaintKey m_seen;  // the key of the last paint on a raster target
    std::unique_ptr<CPaintRaster> m_raster;  // drawn with key m_seen
    bool m_refused = false;  // m_seen cannot be kept, or gave way
    std::list<CPaintCache*>::iterator m_used;  // place in the use order while kept
};
