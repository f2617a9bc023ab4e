// Fonts for windows: an owned font handle and the platform's default GUI font.
#pragma once
#include <windows.h>

// Owns one font; deleted with the object or when another is made.
class CFont {
 public:
  CFont() = default;
  ~CFont() { DeleteObject(); }
  CFont(const CFont&) = delete;
  CFont& operator=(const CFont&) = delete;

  BOOL CreateFontIndirect(const LOGFONTA& lf);
  void DeleteObject();
  BOOL GetLogFont(LOGFONTA* lf) const;
  HFONT GetSafeHandle() const { return m_hFont; }
  operator HFONT() const { return m_hFont; }

 private:
  HFONT m_hFont = nullptr;
};

// The platform's default GUI font as a LOGFONTA, read at run time.
BOOL QelGetDefaultGuiFont(LOGFONTA* lf);
