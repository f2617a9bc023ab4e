#include "memdc.h"

CMemDC::CMemDC(CDC* pOutput) : m_pOutput(pOutput), m_bMemDC(!pOutput->IsPrinting()) {
  pOutput->GetClipBox(&m_rcArea);
  if (m_bMemDC) {
    CreateSurface();
  } else {
    m_hDC = pOutput->m_hDC;
    m_hAttribDC = pOutput->m_hAttribDC;
    m_bPrinting = pOutput->m_bPrinting;
  }
  FillSolidRect(m_rcArea, pOutput->GetBkColor());
}

void CMemDC::CreateSurface() {
  CreateCompatibleDC(m_pOutput);
  RECT rcDevice = m_rcArea;
  m_pOutput->LPtoDP(&rcDevice);
  int width = rcDevice.right - rcDevice.left;
  int height = rcDevice.bottom - rcDevice.top;
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  // A memory output (a DIB or a bitmap of its own) makes any "compatible"
  // bitmap follow whatever happens to be selected into it, down to one bit
  // per pixel; a 32-bit DIB section keeps every colour for the copy back.
  if (::GetObjectType(m_pOutput->m_hDC) == OBJ_MEMDC)
    m_bitmap.CreateDIBSection32(m_pOutput->m_hDC, width, height);
  else
    m_bitmap.CreateCompatibleBitmap(m_pOutput, width, height);
  m_hOldBitmap = SelectObject(m_bitmap);
  SetMapMode(m_pOutput->GetMapMode());
  SetWindowOrg(m_rcArea.left, m_rcArea.top);
}

CMemDC::~CMemDC() {
  if (m_bMemDC) {
    m_pOutput->BitBlt(m_rcArea.left, m_rcArea.top, m_rcArea.right - m_rcArea.left,
                      m_rcArea.bottom - m_rcArea.top, this, m_rcArea.left, m_rcArea.top, SRCCOPY);
    SelectObject(m_hOldBitmap);
  } else {
    // The handles belong to the printer's DC: drop them, destroy nothing.
    m_hDC = m_hAttribDC = nullptr;
  }
}
