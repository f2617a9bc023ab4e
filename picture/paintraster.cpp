#include "paintraster.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>

#include "dibsurface.h"

namespace {

// Surfaces reach this many pixels past the area on every side: a drawing
// that touches them reaches outside its area and is not kept.
constexpr int kMargin = 2;

constexpr DWORD kBlack = 0x00000000;
constexpr DWORD kWhite = 0x00FFFFFF;

BYTE Channel(DWORD pixel, int shift) { return static_cast<BYTE>(pixel >> shift); }

enum class PixelKind : BYTE { alone, covered, blended };

// What the drawing did to one pixel, from its values on black and on white;
// false when it did something a copy cannot repeat. *pKept is what the
// raster keeps of a covered or blended pixel (premultiplied for a blend).
bool Classify(DWORD onBlack, DWORD onWhite, PixelKind* pKind, DWORD* pKept) {
  if (onBlack == kBlack && onWhite == kWhite) {
    *pKind = PixelKind::alone;
    return true;
  }
  if (onBlack == onWhite) {
    *pKind = PixelKind::covered;
    *pKept = onBlack;
    return true;
  }
  // A blend: the same gap 255 - a in every colour channel and the coverage
  // a itself in the fourth byte, each colour channel at most a.
  const int gap = Channel(onWhite, 0) - Channel(onBlack, 0);
  const int a = 255 - gap;
  if (gap < 1 || gap > 254 || Channel(onWhite, 8) - Channel(onBlack, 8) != gap ||
      Channel(onWhite, 16) - Channel(onBlack, 16) != gap || Channel(onBlack, 24) != a ||
      Channel(onWhite, 24) != a)
    return false;
  for (int shift : {0, 8, 16})
    if (Channel(onBlack, shift) > a) return false;
  *pKind = PixelKind::blended;
  *pKept = onBlack;
  return true;
}

size_t MaskStride(int width) { return static_cast<size_t>((width + 31) / 32) * 4; }

struct MonoInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[2];
};

BITMAPINFOHEADER TopDownHeader(int w, int h, WORD bits) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = w;
  header.biHeight = -h;
  header.biPlanes = 1;
  header.biBitCount = bits;
  header.biCompression = BI_RGB;
  return header;
}

void ApplyState(HDC hdc, const PaintDcState& state) {
  ::SetBkMode(hdc, state.bkMode);
  ::SetBkColor(hdc, state.bkColor);
  ::SetTextColor(hdc, state.textColor);
  ::SetPolyFillMode(hdc, state.polyFillMode);
  ::SetStretchBltMode(hdc, state.stretchMode);
}

// Blended rasters are blended from a surface kept between paints, grown to
// the largest one met (at most kMaxPixels). Only the part inside the clip
// box is blended: the platform refuses a blend that reaches past the
// surface it draws on.
void BlendFromScratch(HDC hdc, const RECT& area, const std::vector<DWORD>& pixels) {
  static std::mutex guard;
  static std::unique_ptr<CDibSurface> scratch;
  RECT clip, part;
  if (::GetClipBox(hdc, &clip) == ERROR || !::IntersectRect(&part, &clip, &area)) return;
  const int w = area.right - area.left;
  const int pw = part.right - part.left;
  const int ph = part.bottom - part.top;
  std::lock_guard<std::mutex> lock(guard);
  if (!scratch || scratch->width() < pw || scratch->height() < ph) {
    const int sw = std::max(pw, scratch ? scratch->width() : 0);
    const int sh = std::max(ph, scratch ? scratch->height() : 0);
    scratch.reset();
    if (static_cast<size_t>(sw) * sh > CPaintRaster::kMaxPixels) return;
    scratch.reset(new CDibSurface(nullptr, sw, sh));
    if (!scratch->IsValid()) {
      scratch.reset();
      return;
    }
  }
  ::GdiFlush();
  const DWORD* from = pixels.data() + static_cast<size_t>(part.top - area.top) * w + (part.left - area.left);
  for (int y = 0; y < ph; ++y)
    std::memcpy(scratch->bits() + static_cast<size_t>(y) * scratch->width(),
                from + static_cast<size_t>(y) * w, pw * sizeof(DWORD));
  const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::GdiAlphaBlend(hdc, part.left, part.top, pw, ph, scratch->dc(), 0, 0, pw, ph, blend);
}

// The surface rasters are drawn on where the DC has them, kept between
// rasters and grown to the largest met (at most kMaxSurfacePixels): one the
// size of a window costs the platform more to make than the drawing. A
// raster made while another is (a drawing that keeps one of its own, or
// another thread) takes a surface of its own.
class SharedSurface {
 public:
  // The surface, at least width x height, now in the caller's use; null
  // when it is in use already or cannot grow so far.
  static CDibSurface* Take(int width, int height) {
    if (Busy().exchange(true, std::memory_order_acquire)) return nullptr;
    std::unique_ptr<CDibSurface>& surface = Surface();
    if (!surface || surface->width() < width || surface->height() < height) {
      const int w = std::max(width, surface ? surface->width() : 0);
      const int h = std::max(height, surface ? surface->height() : 0);
      if (static_cast<size_t>(w) * h > CPaintRaster::kMaxSurfacePixels) {
        Give();
        return nullptr;
      }
      surface.reset();  // before the larger one is made
      surface.reset(new CDibSurface(nullptr, w, h, CDibSurface::Start::untouched));
      if (!surface->IsValid()) {
        surface.reset();
        Give();
      }
    }
    return surface.get();
  }
  // The surface back, for the next raster.
  static void Give() { Busy().store(false, std::memory_order_release); }

 private:
  static std::atomic<bool>& Busy() {
    static std::atomic<bool> busy{false};
    return busy;
  }
  static std::unique_ptr<CDibSurface>& Surface() {
    static std::unique_ptr<CDibSurface> surface;
    return surface;
  }
};

// The surface a raster is drawn on, holding the bounds (the area and its
// margin) at the device pixels the DC it is meant for gives them where it
// can (see CPaintRaster::Make), else at its own corner. Only the bounds are
// filled and read. A margin reaching past the surface's edges (left of or
// above its pixel (0, 0), or past the DC's own edges on a surface of the
// DC's size) is cut there, as the DC cuts it: nothing can be drawn there.
class BoundsSurface {
 public:
  BoundsSurface() = default;
  ~BoundsSurface() {
    if (m_shared) SharedSurface::Give();
  }
  BoundsSurface(const BoundsSurface&) = delete;
  BoundsSurface& operator=(const BoundsSurface&) = delete;

  // A surface for the area (logical) grown by the margin, on a DC that
  // adds toDevice; false when the platform refuses.
  bool Make(const RECT& area, POINT toDevice, int margin) {
    m_width = area.right - area.left + 2 * margin;
    m_height = area.bottom - area.top + 2 * margin;
    POINT corner;
    if (CornerOnTheDc(area, toDevice, margin, &corner) && TakeAt(corner)) return true;
    // Where the DC has no pixels for the area, or the platform refuses
    // the larger surface: the bounds alone.
    return MakeOwn(POINT{0, 0}, CDibSurface::Start::cleared);
  }

  // A surface of exactly the DC's bitmap size with the area (logical,
  // lying on the bitmap) where the DC has it: the platform cuts the
  // drawing at the same edges as on the DC.
  bool MakeOfTheDcsSize(const RECT& area, POINT toDevice, SIZE pixels, int margin) {
    m_width = area.right - area.left + 2 * margin;
    m_height = area.bottom - area.top + 2 * margin;
    m_corner = POINT{area.left + toDevice.x - margin, area.top + toDevice.y - margin};
    m_own.reset(new CDibSurface(nullptr, pixels.cx, pixels.cy, CDibSurface::Start::untouched));
    m_surface = m_own.get();
    return m_surface->IsValid();
  }

  HDC dc() const { return m_surface->dc(); }
  // Where the bounds' corner lies on the surface (up to the margin left of
  // and above its pixel (0, 0)).
  POINT corner() const { return m_corner; }

  void Fill(DWORD value) {
    ::GdiFlush();
    for (int y = FirstRow(); y < EndRow(); ++y) std::fill(At(FirstColumn(), y), At(EndColumn(), y), value);
  }
  // The bounds' pixels, row by row; those cut off read as background.
  std::vector<DWORD> Pixels(DWORD background) const {
    ::GdiFlush();
    std::vector<DWORD> pixels(static_cast<size_t>(m_width) * m_height, background);
    for (int y = FirstRow(); y < EndRow(); ++y)
      std::copy(At(FirstColumn(), y), At(EndColumn(), y),
                pixels.begin() + static_cast<size_t>(y) * m_width + FirstColumn());
    return pixels;
  }

 private:
  // The bounds' corner on the DC's pixels, when the area lies on them and
  // a surface from pixel (0, 0) past the bounds stays within kMaxSurfacePixels.
  bool CornerOnTheDc(const RECT& area, POINT toDevice, int margin, POINT* pCorner) const {
    const long long x = static_cast<long long>(area.left) + toDevice.x;
    const long long y = static_cast<long long>(area.top) + toDevice.y;
    const long long pixels = (x + m_width - margin) * (y + m_height - margin);
    if (x < 0 || y < 0 || pixels > static_cast<long long>(CPaintRaster::kMaxSurfacePixels)) return false;
    *pCorner = POINT{static_cast<LONG>(x - margin), static_cast<LONG>(y - margin)};
    return true;
  }
  // The shared surface, or one of its own when that is in use, with the
  // bounds at corner.
  bool TakeAt(POINT corner) {
    m_surface = SharedSurface::Take(corner.x + m_width, corner.y + m_height);
    m_shared = m_surface != nullptr;
    if (!m_shared) return MakeOwn(corner, CDibSurface::Start::untouched);
    m_corner = corner;
    return true;
  }
  bool MakeOwn(POINT corner, CDibSurface::Start start) {
    m_corner = corner;
    m_own.reset(new CDibSurface(nullptr, corner.x + m_width, corner.y + m_height, start));
    m_surface = m_own.get();
    return m_surface->IsValid();
  }
  // The first row and column of the bounds that lie on the surface.
  int FirstRow() const { return std::max(0, -static_cast<int>(m_corner.y)); }
  int FirstColumn() const { return std::max(0, -static_cast<int>(m_corner.x)); }
  // The row and column past the last of the bounds that lie on the surface.
  int EndRow() const { return std::min(m_height, m_surface->height() - static_cast<int>(m_corner.y)); }
  int EndColumn() const { return std::min(m_width, m_surface->width() - static_cast<int>(m_corner.x)); }
  // The surface pixel of bounds pixel (x, y), which lies on the surface.
  DWORD* At(int x, int y) const {
    return m_surface->bits() + static_cast<size_t>(m_corner.y + y) * m_surface->width() + (m_corner.x + x);
  }

  CDibSurface* m_surface = nullptr;
  bool m_shared = false;  // m_surface is the shared one, given back at the end
  std::unique_ptr<CDibSurface> m_own;
  POINT m_corner = {0, 0};
  int m_width = 0, m_height = 0;
};

// Whether the area lies on the DC's bitmap. Its margin may reach past the
// bitmap's edges: the surface cuts it at the left and top edges as the DC
// does, and a drawing reaching the margin is not kept anyway.
bool LiesOnTheDc(const RECT& area, const PaintDcState& state) {
  const long long left = static_cast<long long>(area.left) + state.toDevice.x;
  const long long top = static_cast<long long>(area.top) + state.toDevice.y;
  const long long right = static_cast<long long>(area.right) + state.toDevice.x;
  const long long bottom = static_cast<long long>(area.bottom) + state.toDevice.y;
  return left >= 0 && top >= 0 && right <= state.pixels.cx && bottom <= state.pixels.cy;
}

}  // namespace

bool ReadRasterTarget(CDC* pDC, PaintDcState* pState) {
  const HDC hdc = pDC ? pDC->GetSafeHdc() : nullptr;
  if (!hdc || pDC->IsPrinting() || ::GetObjectType(hdc) != OBJ_MEMDC) return false;
  BITMAP bitmap;
  const HGDIOBJ selected = ::GetCurrentObject(hdc, OBJ_BITMAP);
  if (!selected || ::GetObjectA(selected, sizeof bitmap, &bitmap) != sizeof bitmap ||
      bitmap.bmBitsPixel != 32)
    return false;
  if (::GetMapMode(hdc) != MM_TEXT || ::GetLayout(hdc) != 0 || ::GetROP2(hdc) != R2_COPYPEN) return false;
  if (::GetGraphicsMode(hdc) == GM_ADVANCED) {
    XFORM x;
    if (!::GetWorldTransform(hdc, &x) || x.eM11 != 1.0f || x.eM12 != 0.0f || x.eM21 != 0.0f ||
        x.eM22 != 1.0f || x.eDx != 0.0f || x.eDy != 0.0f)
      return false;
  }
  pState->bkMode = ::GetBkMode(hdc);
  pState->bkColor = ::GetBkColor(hdc);
  pState->textColor = ::GetTextColor(hdc);
  pState->polyFillMode = ::GetPolyFillMode(hdc);
  pState->stretchMode = ::GetStretchBltMode(hdc);
  POINT window, viewport;
  if (!::GetWindowOrgEx(hdc, &window) || !::GetViewportOrgEx(hdc, &viewport)) return false;
  pState->toDevice = POINT{viewport.x - window.x, viewport.y - window.y};
  pState->pixels = SIZE{bitmap.bmWidth, bitmap.bmHeight};
  return true;
}

std::unique_ptr<CPaintRaster> CPaintRaster::Make(const RECT& area, const PaintDcState& state,
                                                 const std::function<void(CDC*)>& draw) {
  const long long w = static_cast<long long>(area.right) - area.left;
  const long long h = static_cast<long long>(area.bottom) - area.top;
  if (w <= 0 || h <= 0) return nullptr;
  // A drawing reaching past the DC's edges is made on a surface of the
  // DC's size, and only its part on the DC is kept.
  const bool cut = !LiesOnTheDc(area, state);
  RECT kept = area;
  const RECT onTheDc = {-state.toDevice.x, -state.toDevice.y, state.pixels.cx - state.toDevice.x,
                        state.pixels.cy - state.toDevice.y};
  if (cut && !::IntersectRect(&kept, &area, &onTheDc)) return nullptr;
  const long long keptPixels = static_cast<long long>(kept.right - kept.left) * (kept.bottom - kept.top);
  if (keptPixels > static_cast<long long>(kMaxPixels)) return nullptr;
  BoundsSurface surface;
  const bool made = cut ? surface.MakeOfTheDcsSize(kept, state.toDevice, state.pixels, kMargin)
                        : surface.Make(kept, state.toDevice, kMargin);
  if (!made) return nullptr;
  auto drawOn = [&](DWORD background) {
    surface.Fill(background);
    const HDC hdc = surface.dc();
    const int saved = ::SaveDC(hdc);
    // The bounds' logical corner onto their corner on the surface.
    ::SetWindowOrgEx(hdc, kept.left - kMargin - surface.corner().x, kept.top - kMargin - surface.corner().y,
                     nullptr);
    ApplyState(hdc, state);
    {
      CDC dc(hdc);
      draw(&dc);
    }
    ::RestoreDC(hdc, saved);
    ::GdiFlush();
  };
  drawOn(kBlack);
  const std::vector<DWORD> onBlack = surface.Pixels(kBlack);
  drawOn(kWhite);
  const std::vector<DWORD> onWhite = surface.Pixels(kWhite);
  std::unique_ptr<CPaintRaster> raster(new CPaintRaster(kept));
  if (cut) raster->m_onlyFor = state;
  if (!raster->Analyse(onBlack.data(), onWhite.data(), (kept.right - kept.left) + 2 * kMargin, kMargin))
    return nullptr;
  return raster;
}

bool CPaintRaster::Fits(const PaintDcState& state) const {
  if (!m_onlyFor) return true;
  const PaintDcState& made = *m_onlyFor;
  return made.toDevice.x == state.toDevice.x && made.toDevice.y == state.toDevice.y &&
         made.pixels.cx == state.pixels.cx && made.pixels.cy == state.pixels.cy;
}

bool CPaintRaster::Analyse(const DWORD* black, const DWORD* white, int stride, int margin) {
  const int w = m_area.right - m_area.left;
  const int h = m_area.bottom - m_area.top;
  const int rows = h + 2 * margin;
  m_pixels.assign(static_cast<size_t>(w) * h, 0);
  std::vector<PixelKind> kinds(m_pixels.size(), PixelKind::alone);
  bool blended = false;
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < stride; ++x) {
      const size_t at = static_cast<size_t>(y) * stride + x;
      PixelKind kind;
      DWORD kept = 0;
      if (!Classify(black[at], white[at], &kind, &kept)) return false;
      if (kind == PixelKind::alone) continue;
      const int ax = x - margin;
      const int ay = y - margin;
      if (ax < 0 || ay < 0 || ax >= w || ay >= h) return false;  // reached past its area
      const size_t i = static_cast<size_t>(ay) * w + ax;
      m_pixels[i] = kept;
      kinds[i] = kind;
      blended = blended || kind == PixelKind::blended;
    }
  }
  m_mask.clear();
  if (blended) {
    // Covered pixels blend in at full coverage.
    for (size_t i = 0; i < m_pixels.size(); ++i)
      if (kinds[i] == PixelKind::covered) m_pixels[i] = 0xFF000000u | (m_pixels[i] & 0x00FFFFFF);
    return true;
  }
  const size_t maskStride = MaskStride(w);
  m_mask.assign(maskStride * h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (kinds[static_cast<size_t>(y) * w + x] == PixelKind::alone)
        m_mask[y * maskStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
  return true;
}

void CPaintRaster::Blit(HDC hdc) const {
  const int w = m_area.right - m_area.left;
  const int h = m_area.bottom - m_area.top;
  if (IsBlended()) {
    BlendFromScratch(hdc, m_area, m_pixels);
    return;
  }
  // Where the mask is 1 the destination stays (AND with white); where it
  // is 0 it is cleared and the colour ORed in.
  MonoInfo mono = {TopDownHeader(w, h, 1), {{0, 0, 0, 0}, {255, 255, 255, 0}}};
  ::StretchDIBits(hdc, m_area.left, m_area.top, w, h, 0, 0, w, h, m_mask.data(),
                  reinterpret_cast<const BITMAPINFO*>(&mono), DIB_RGB_COLORS, SRCAND);
  BITMAPINFO colour = {};
  colour.bmiHeader = TopDownHeader(w, h, 32);
  ::StretchDIBits(hdc, m_area.left, m_area.top, w, h, 0, 0, w, h, m_pixels.data(), &colour, DIB_RGB_COLORS,
                  SRCPAINT);
}
