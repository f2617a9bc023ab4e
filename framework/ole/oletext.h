// Texts between the system's 8-bit texts (the platform's ANSI code page, GBK
// on the machines the system runs on) and COM's wide texts and BSTRs.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>

#include "qstring.h"

// The 8-bit text of a wide text (null gives ""); count -1: up to its zero.
CString TextFromWide(const wchar_t* wide, int count = -1);
// The 8-bit text of a BSTR, all of its length (embedded zeros stop nothing).
CString TextFromBstr(BSTR text);
// The wide text of an 8-bit text (null gives "").
std::wstring WideFromText(const char* text);
// A new BSTR of an 8-bit text (null gives an empty BSTR); null only when
// memory ran out. The caller frees it with SysFreeString.
BSTR BstrFromText(const char* text);

// A BSTR freed by its owner.
class QBstr {
 public:
  QBstr() = default;
  explicit QBstr(const char* text) : m_b(BstrFromText(text)) {}
  ~QBstr() { ::SysFreeString(m_b); }
  QBstr(const QBstr&) = delete;
  QBstr& operator=(const QBstr&) = delete;
  BSTR Get() const { return m_b; }
  BSTR* Out() {
    ::SysFreeString(m_b);
    m_b = nullptr;
    return &m_b;
  }

 private:
  BSTR m_b = nullptr;
};
