#include "wndfont.h"

BOOL CFont::CreateFontIndirect(const LOGFONTA& lf) {
  HFONT font = ::CreateFontIndirectA(&lf);
  if (!font) return FALSE;
  DeleteObject();
  m_hFont = font;
  return TRUE;
}

void CFont::DeleteObject() {
  if (m_hFont) ::DeleteObject(m_hFont);
  m_hFont = nullptr;
}

BOOL CFont::GetLogFont(LOGFONTA* lf) const {
  return m_hFont && lf && ::GetObjectA(m_hFont, sizeof *lf, lf) == sizeof *lf;
}

BOOL QelGetDefaultGuiFont(LOGFONTA* lf) {
  HGDIOBJ font = ::GetStockObject(DEFAULT_GUI_FONT);
  return font && lf && ::GetObjectA(font, sizeof *lf, lf) == sizeof *lf;
}
