#include "frametext.h"

#include <cstring>

#include "gdiplusapi.h"
#include "textfont.h"

namespace {

// A turned text is laid out upright in a bitmap of the frame's size, which
// then is mapped onto the frame; beyond this many pixels it is not drawn.
constexpr LONGLONG kMaxTurnedTextPixels = 4096LL * 4096LL;

bool IsTranslation(const XFORM& x) {
    return x.eM11 == 1.0f && x.eM12 == 0.0f && x.eM21 == 0.0f && x.eM22 == 1.0f;
}

// Draws with DrawText's own layout and clipping into r on the DC as it is.
void DrawTextPlain(HDC hdc, HFONT font, RECT r, const char* pszText, COLORREF clrText,
                   UINT nFlags) {
    CSelectGdi selectFont(hdc, font);
    const COLORREF oldColour = ::SetTextColor(hdc, clrText);
    const int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    ::DrawTextA(hdc, pszText, -1, &r, nFlags);
    ::SetBkMode(hdc, oldMode);
    ::SetTextColor(hdc, oldColour);
}

// An upright, top-down 32-bit bitmap with its own memory DC.
class CUprightBitmap {
public:
    CUprightBitmap(HDC hdcLike, int w, int h) : m_width(w), m_height(h) {
        m_hDC = ::CreateCompatibleDC(hdcLike);
        if (!m_hDC)
            return;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_hBitmap = ::CreateDIBSection(m_hDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!m_hBitmap)
            return;
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
        m_pBits = static_cast<DWORD*>(bits);
        std::memset(m_pBits, 0, static_cast<size_t>(w) * h * 4);
    }
    ~CUprightBitmap() {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
        if (m_hBitmap)
            ::DeleteObject(m_hBitmap);
        if (m_hDC)
            ::DeleteDC(m_hDC);
    }
    CUprightBitmap(const CUprightBitmap&) = delete;
    CUprightBitmap& operator=(const CUprightBitmap&) = delete;

    bool IsValid() const { return m_pBits != nullptr; }
    HDC dc() const { return m_hDC; }
    DWORD* bits() const { return m_pBits; }
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    int m_width, m_height;
    HDC m_hDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    DWORD* m_pBits = nullptr;
};

// White text on black gives each pixel's coverage; turns it into the text
// colour with that coverage as (premultiplied) alpha.
void CoverageToColour(CUprightBitmap& bitmap, COLORREF clrText) {
    const DWORD red = GetRValue(clrText), green = GetGValue(clrText), blue = GetBValue(clrText);
    DWORD* p = bitmap.bits();
    const size_t count = static_cast<size_t>(bitmap.width()) * bitmap.height();
    for (size_t i = 0; i < count; ++i) {
        const DWORD px = p[i];
        DWORD coverage = px & 0xFF;
        if (((px >> 8) & 0xFF) > coverage) coverage = (px >> 8) & 0xFF;
        if (((px >> 16) & 0xFF) > coverage) coverage = (px >> 16) & 0xFF;
        p[i] = (coverage << 24) | ((red * coverage / 255) << 16) | ((green * coverage / 255) << 8) |
               (blue * coverage / 255);
    }
}

// Lays the text out upright and maps it onto the turned (or mirrored)
// frame with GDI+, since GDI's own text under a turned world transform is
// not placed reliably on every platform.
void DrawTextTurned(HDC hdc, const DeviceFrame& frame, HFONT font, const RECT& r,
                    const char* pszText, COLORREF clrText, UINT nFlags) {
    const int w = frame.width;
    const int h = frame.height;
    if (static_cast<LONGLONG>(w) * h > kMaxTurnedTextPixels || !qel::StartGdiplus())
        return;
    CUprightBitmap upright(hdc, w, h);
    if (!upright.IsValid())
        return;
    DrawTextPlain(upright.dc(), font, r, pszText, RGB(255, 255, 255), nFlags);
    ::GdiFlush();
    CoverageToColour(upright, clrText);

    Gdiplus::GpBitmap* image = nullptr;
    if (qel::gdip::GdipCreateBitmapFromScan0(w, h, w * 4, PixelFormat32bppPARGB,
                                             reinterpret_cast<BYTE*>(upright.bits()),
                                             &image) != Gdiplus::Ok)
        return;
    {
        qel::GdipGraphics graphics(hdc);
        if (graphics) {
            const XFORM& x = frame.xform;
            const Gdiplus::GpPointF corners[3] = {
                Gdiplus::GpPointF(x.eDx, x.eDy),
                Gdiplus::GpPointF(x.eDx + w * x.eM11, x.eDy + w * x.eM12),
                Gdiplus::GpPointF(x.eDx + h * x.eM21, x.eDy + h * x.eM22),
            };
            // The bitmap has the frame's own size: each pixel only turns, so
            // the nearest pixel serves (and costs a fraction of smoothing).
            qel::gdip::GdipSetInterpolationMode(graphics.get(),
                                                Gdiplus::InterpolationModeNearestNeighbor);
            qel::gdip::GdipDrawImagePoints(graphics.get(), image, corners, 3);
        }
    }
    qel::gdip::GdipDisposeImage(image);
}

}  // namespace

void DrawTextInFrame(HDC hdc, const DeviceFrame& frame, const FrameInset& inset,
                     const char* pszText, const LOGFONTA& lf, double dZoom, COLORREF clrText,
                     UINT nFlags) {
    RECT r = {inset.left, inset.top, frame.width - inset.right, frame.height - inset.bottom};
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    CFont font;
    if (!CreateZoomedFont(font, lf, dZoom))
        return;
    const char* text = pszText ? pszText : "";
    if (IsTranslation(frame.xform)) {
        // An upright frame is only moved: the same layout at its origin.
        ::OffsetRect(&r, static_cast<int>(frame.xform.eDx), static_cast<int>(frame.xform.eDy));
        DrawTextPlain(hdc, font, r, text, clrText, nFlags);
    } else {
        DrawTextTurned(hdc, frame, font, r, text, clrText, nFlags);
    }
}
