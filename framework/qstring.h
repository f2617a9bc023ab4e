// CString: a string of 8-bit GBK bytes (code page 936).
//
// Lengths and positions count bytes. The searching and case operations are
// double-byte aware: the trail byte of a GBK character (0x40..0xFE, which
// includes '\\' and the ASCII letters) is never taken for an ASCII character,
// so Find('\\') does not stop inside a Chinese character and MakeUpper leaves
// Chinese text untouched.
//
// A CString cannot be passed through "..." (the pragma below makes the
// compiler refuse it, where it would otherwise pass the object's bytes):
// pass s.GetString() or (const char*)s to Format and the like.
#pragma once
#include <string>

#pragma GCC diagnostic error "-Wconditionally-supported"

class CString {
 public:
  CString() = default;
  CString(const char* psz);               // null gives the empty string
  CString(const char* pch, int nLength);  // exactly nLength bytes (may hold zeros)
  CString(char ch, int nRepeat = 1);
  CString(const CString&) = default;
  CString(CString&&) noexcept = default;
  CString& operator=(const CString&) = default;
  CString& operator=(CString&&) noexcept = default;
  CString& operator=(const char* psz);
  CString& operator=(char ch);

  int GetLength() const { return (int)m_s.size(); }
  bool IsEmpty() const { return m_s.empty(); }
  void Empty() { m_s.clear(); }

  operator const char*() const { return m_s.c_str(); }
  const char* GetString() const { return m_s.c_str(); }

  // Bytes by index; out-of-range reads give 0 and writes are ignored.
  char GetAt(int nIndex) const;
  char operator[](int nIndex) const { return GetAt(nIndex); }
  char operator[](unsigned nIndex) const { return GetAt((int)nIndex); }
  void SetAt(int nIndex, char ch);

  CString& operator+=(const CString& s) {
    m_s += s.m_s;
    return *this;
  }
  CString& operator+=(const char* psz);
  CString& operator+=(char ch) {
    m_s += ch;
    return *this;
  }

  // Byte-wise comparison (strcmp order); CompareNoCase folds ASCII letters only.
  int Compare(const char* psz) const;
  int CompareNoCase(const char* psz) const;

  // Substrings; out-of-range arguments are clamped to the string.
  CString Left(int nCount) const;
  CString Mid(int nFirst) const;
  CString Mid(int nFirst, int nCount) const;
  CString Right(int nCount) const;

  // Byte index of the first match at or after nStart, or -1.
  int Find(char ch, int nStart = 0) const;
  int Find(const char* pszSub, int nStart = 0) const;
  // Byte index of the last occurrence of ch, or -1.
  int ReverseFind(char ch) const;
  // Number of replacements made.
  int Replace(char chOld, char chNew);
  int Replace(const char* pszOld, const char* pszNew);

  CString& MakeUpper();
  CString& MakeLower();
  // Remove ASCII white space (space, tab, CR, LF, VT, FF).
  CString& TrimLeft();
  CString& TrimRight();
  CString& Trim();
  CString& TrimLeft(char chTarget);
  CString& TrimRight(char chTarget);

  // A writable buffer of at least nMinBufLength bytes plus a terminating zero;
  // ReleaseBuffer(-1) takes the length up to the first zero byte.
  char* GetBuffer(int nMinBufLength);
  void ReleaseBuffer(int nNewLength = -1);

  // printf-style formatting with the platform runtime's rules (crtformat.h);
  // the arguments are checked against the format as there.
  void Format(const char* pszFormat, ...) __attribute__((format(ms_printf, 2, 3)));

  const std::string& str() const { return m_s; }

 private:
  std::string m_s;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, const char* b);
bool operator<(const char* a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator>=(const CString& a, const CString& b);

// True for a GBK lead byte (0x81..0xFE): it and the next byte form one character.
inline bool IsGbkLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
