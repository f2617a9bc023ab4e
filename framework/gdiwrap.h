// Thin owners of GDI handles: device contexts, pens, brushes, fonts, regions
// and bitmaps. Each object releases what it created in its destructor; a DC
// that was only attached is detached, never deleted.
#pragma once

#include <windows.h>

// A device context. m_hDC receives the output, m_hAttribDC answers queries;
// both are the same handle except while a CMemDC passes a printer through.
class CDC {
 public:
  HDC m_hDC = nullptr;
  HDC m_hAttribDC = nullptr;
  BOOL m_bPrinting = FALSE;

  CDC() = default;
  explicit CDC(HDC hdc) { Attach(hdc); }  // attached, not owned
  virtual ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  BOOL IsPrinting() const { return m_bPrinting; }

  BOOL Attach(HDC hdc);
  HDC Detach();
  BOOL CreateCompatibleDC(CDC* pDC);
  BOOL DeleteDC();

  HGDIOBJ SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
  int SaveDC() { return ::SaveDC(m_hDC); }
  BOOL RestoreDC(int nSaved) { return ::RestoreDC(m_hDC, nSaved); }

  int GetClipBox(RECT* pRect) const { return ::GetClipBox(m_hAttribDC, pRect); }
  int GetMapMode() const { return ::GetMapMode(m_hAttribDC); }
  int SetMapMode(int nMode);
  POINT SetWindowOrg(int x, int y);
  void LPtoDP(RECT* pRect) const { ::LPtoDP(m_hAttribDC, reinterpret_cast<POINT*>(pRect), 2); }
  void DPtoLP(RECT* pRect) const { ::DPtoLP(m_hAttribDC, reinterpret_cast<POINT*>(pRect), 2); }
  int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

  COLORREF GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
  COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
  COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
  int SetBkMode(int nMode) { return ::SetBkMode(m_hDC, nMode); }
  int SetPolyFillMode(int nMode) { return ::SetPolyFillMode(m_hDC, nMode); }
  int SetROP2(int nMode) { return ::SetROP2(m_hDC, nMode); }

  BOOL MoveTo(int x, int y) { return ::MoveToEx(m_hDC, x, y, nullptr); }
  BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
  BOOL Polyline(const POINT* pts, int n) { return ::Polyline(m_hDC, pts, n); }
  BOOL Polygon(const POINT* pts, int n) { return ::Polygon(m_hDC, pts, n); }
  BOOL Ellipse(const RECT& r) { return ::Ellipse(m_hDC, r.left, r.top, r.right, r.bottom); }
  BOOL Rectangle(const RECT& r) { return ::Rectangle(m_hDC, r.left, r.top, r.right, r.bottom); }
  void FillSolidRect(const RECT& r, COLORREF c);
  void InvertRect(const RECT& r) { ::InvertRect(m_hDC, &r); }
  COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
  COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
  BOOL BitBlt(int x, int y, int w, int h, CDC* pSrc, int xSrc, int ySrc, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, w, h, pSrc ? pSrc->m_hDC : nullptr, xSrc, ySrc, rop);
  }

 private:
  BOOL m_bOwned = FALSE;  // created here (CreateCompatibleDC): deleted here
};

// The client-area DC of a window, released with the object.
class CClientDC : public CDC {
 public:
  explicit CClientDC(HWND hWnd);
  ~CClientDC() override;
  HWND m_hWnd;
};

// The paint context of a window's WM_PAINT (BeginPaint), ended with the object.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(HWND hWnd);
  ~CPaintDC() override;
  HWND m_hWnd;
  PAINTSTRUCT m_ps = {};
};

// Common owner of one GDI object handle.
class CGdiObject {
 public:
  CGdiObject() = default;
  virtual ~CGdiObject() { DeleteObject(); }
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ m_hObject = nullptr;
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  operator HGDIOBJ() const { return m_hObject; }
  BOOL Attach(HGDIOBJ h);
  HGDIOBJ Detach();
  BOOL DeleteObject();

 protected:
  BOOL Take(HGDIOBJ h) { return Attach(h); }
};

class CPen : public CGdiObject {
 public:
  BOOL CreatePen(int nStyle, int nWidth, COLORREF c) { return Take(::CreatePen(nStyle, nWidth, c)); }
  BOOL CreatePenIndirect(const LOGPEN* p) { return Take(::CreatePenIndirect(p)); }
  BOOL CreatePen(int nStyle, int nWidth, const LOGBRUSH* pBrush) {
    return Take(::ExtCreatePen(nStyle, nWidth, pBrush, 0, nullptr));
  }
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CBrush : public CGdiObject {
 public:
  BOOL CreateSolidBrush(COLORREF c) { return Take(::CreateSolidBrush(c)); }
  BOOL CreateHatchBrush(int nIndex, COLORREF c) { return Take(::CreateHatchBrush(nIndex, c)); }
  BOOL CreateBrushIndirect(const LOGBRUSH* p) { return Take(::CreateBrushIndirect(p)); }
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
 public:
  BOOL CreateFontIndirect(const LOGFONTA* p) { return Take(::CreateFontIndirectA(p)); }
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CRgn : public CGdiObject {
 public:
  BOOL CreateRectRgn(int l, int t, int r, int b) { return Take(::CreateRectRgn(l, t, r, b)); }
  BOOL CreatePolygonRgn(const POINT* pts, int n, int nMode) {
    return Take(::CreatePolygonRgn(pts, n, nMode));
  }
  BOOL PtInRegion(int x, int y) const { return m_hObject && ::PtInRegion(*this, x, y); }
  operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};

class CBitmap : public CGdiObject {
 public:
  BOOL CreateCompatibleBitmap(CDC* pDC, int w, int h) {
    return Take(::CreateCompatibleBitmap(pDC->m_hDC, w, h));
  }
  // A top-down 32-bit DIB section; its pixels stay reachable through Bits().
  BOOL CreateDIBSection32(HDC hdc, int w, int h);
  void* Bits() const { return m_pBits; }
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

 private:
  void* m_pBits = nullptr;
};

// Selects a GDI object into a DC for the length of a scope.
class CSelectGdi {
 public:
  CSelectGdi(HDC hdc, HGDIOBJ hObject)
      : m_hDC(hdc), m_hOld(hObject ? ::SelectObject(hdc, hObject) : nullptr) {}
  ~CSelectGdi() {
    if (m_hOld) ::SelectObject(m_hDC, m_hOld);
  }
  CSelectGdi(const CSelectGdi&) = delete;
  CSelectGdi& operator=(const CSelectGdi&) = delete;

 private:
  HDC m_hDC;
  HGDIOBJ m_hOld;
};
