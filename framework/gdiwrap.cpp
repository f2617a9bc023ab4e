#include "gdiwrap.h"

CDC::~CDC() {
  if (m_bOwned) DeleteDC();
}

BOOL CDC::Attach(HDC hdc) {
  if (!hdc) return FALSE;
  m_hDC = m_hAttribDC = hdc;
  m_bOwned = FALSE;
  return TRUE;
}

HDC CDC::Detach() {
  HDC hdc = m_hDC;
  m_hDC = m_hAttribDC = nullptr;
  m_bOwned = FALSE;
  return hdc;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
  if (m_bOwned) DeleteDC();
  HDC hdc = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
  if (!hdc) return FALSE;
  m_hDC = m_hAttribDC = hdc;
  m_bOwned = TRUE;
  return TRUE;
}

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  BOOL ok = ::DeleteDC(m_hDC);
  m_hDC = m_hAttribDC = nullptr;
  m_bOwned = FALSE;
  return ok;
}

int CDC::SetMapMode(int nMode) {
  int old = ::SetMapMode(m_hDC, nMode);
  if (m_hAttribDC != m_hDC) ::SetMapMode(m_hAttribDC, nMode);
  return old;
}

POINT CDC::SetWindowOrg(int x, int y) {
  POINT old = {0, 0};
  ::SetWindowOrgEx(m_hDC, x, y, &old);
  if (m_hAttribDC != m_hDC) ::SetWindowOrgEx(m_hAttribDC, x, y, nullptr);
  return old;
}

void CDC::FillSolidRect(const RECT& r, COLORREF c) {
  // ExtTextOut with an opaque rectangle fills without creating a brush.
  COLORREF old = ::SetBkColor(m_hDC, c);
  ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, old);
}

CClientDC::CClientDC(HWND hWnd) : m_hWnd(hWnd) { Attach(::GetDC(hWnd)); }

CClientDC::~CClientDC() {
  HDC hdc = Detach();
  if (hdc) ::ReleaseDC(m_hWnd, hdc);
}

CPaintDC::CPaintDC(HWND hWnd) : m_hWnd(hWnd) { Attach(::BeginPaint(hWnd, &m_ps)); }

CPaintDC::~CPaintDC() {
  Detach();
  ::EndPaint(m_hWnd, &m_ps);
}

BOOL CGdiObject::Attach(HGDIOBJ h) {
  DeleteObject();
  m_hObject = h;
  return h != nullptr;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  m_hObject = nullptr;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  BOOL ok = ::DeleteObject(m_hObject);
  m_hObject = nullptr;
  return ok;
}

BOOL CBitmap::CreateDIBSection32(HDC hdc, int w, int h) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* pBits = nullptr;
  HBITMAP hbm = ::CreateDIBSection(hdc, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
  if (!Take(hbm)) return FALSE;
  m_pBits = pBits;
  return TRUE;
}
