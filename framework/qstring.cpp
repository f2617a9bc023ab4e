// CString: GBK byte strings.
#include "qstring.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>

#include "crtformat.h"

namespace {

bool IsAsciiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c; }

// Steps over one character: two bytes for a GBK lead byte with a trail byte.
size_t NextChar(const std::string& s, size_t i) {
  return IsGbkLeadByte((unsigned char)s[i]) && i + 1 < s.size() ? i + 2 : i + 1;
}

// The start of the character that holds byte nStart (so a search never
// begins on a trail byte).
size_t CharStartAtOrAfter(const std::string& s, size_t nStart) {
  size_t i = 0;
  while (i < nStart && i < s.size()) i = NextChar(s, i);
  return i;
}

template <class Fn>
void ForEachSingleByteChar(std::string& s, Fn fn) {
  for (size_t i = 0; i < s.size(); i = NextChar(s, i))
    if (NextChar(s, i) == i + 1) s[i] = fn(s[i]);
}

}  // namespace

CString::CString(const char* psz) : m_s(psz ? psz : "") {}
CString::CString(const char* pch, int nLength)
    : m_s(pch && nLength > 0 ? std::string(pch, (size_t)nLength) : std::string()) {}
CString::CString(char ch, int nRepeat) : m_s(nRepeat > 0 ? (size_t)nRepeat : 0, ch) {}

CString& CString::operator=(const char* psz) {
  m_s = psz ? psz : "";
  return *this;
}

CString& CString::operator=(char ch) {
  m_s.assign(1, ch);
  return *this;
}

CString& CString::operator+=(const char* psz) {
  if (psz) m_s += psz;
  return *this;
}

char CString::GetAt(int nIndex) const {
  return nIndex >= 0 && (size_t)nIndex < m_s.size() ? m_s[(size_t)nIndex] : '\0';
}

void CString::SetAt(int nIndex, char ch) {
  if (nIndex >= 0 && (size_t)nIndex < m_s.size()) m_s[(size_t)nIndex] = ch;
}

int CString::Compare(const char* psz) const { return std::strcmp(m_s.c_str(), psz ? psz : ""); }

int CString::CompareNoCase(const char* psz) const {
  CString a(*this), b(psz);
  a.MakeLower();
  b.MakeLower();
  return a.Compare(b);
}

CString CString::Left(int nCount) const {
  if (nCount <= 0) return CString();
  return CString(m_s.data(), (int)std::min(m_s.size(), (size_t)nCount));
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const {
  if (nFirst < 0) nFirst = 0;
  if (nCount < 0) nCount = 0;
  if ((size_t)nFirst >= m_s.size()) return CString();
  size_t n = std::min((size_t)nCount, m_s.size() - (size_t)nFirst);
  return CString(m_s.data() + nFirst, (int)n);
}

CString CString::Right(int nCount) const {
  if (nCount <= 0) return CString();
  size_t n = std::min((size_t)nCount, m_s.size());
  return CString(m_s.data() + (m_s.size() - n), (int)n);
}

int CString::Find(char ch, int nStart) const {
  if (nStart < 0) nStart = 0;
  for (size_t i = CharStartAtOrAfter(m_s, (size_t)nStart); i < m_s.size(); i = NextChar(m_s, i))
    if (m_s[i] == ch && NextChar(m_s, i) == i + 1) return (int)i;
  return -1;
}

int CString::Find(const char* pszSub, int nStart) const {
  if (pszSub == nullptr) return -1;
  if (nStart < 0) nStart = 0;
  size_t n = std::strlen(pszSub);
  for (size_t i = CharStartAtOrAfter(m_s, (size_t)nStart); i + n <= m_s.size(); i = NextChar(m_s, i)) {
    if (m_s.compare(i, n, pszSub, n) == 0) return (int)i;
    if (i == m_s.size()) break;  // only an empty pattern gets here
  }
  return -1;
}

int CString::ReverseFind(char ch) const {
  int found = -1;
  for (size_t i = 0; i < m_s.size(); i = NextChar(m_s, i))
    if (m_s[i] == ch && NextChar(m_s, i) == i + 1) found = (int)i;
  return found;
}

int CString::Replace(char chOld, char chNew) {
  int n = 0;
  for (size_t i = 0; i < m_s.size(); i = NextChar(m_s, i))
    if (m_s[i] == chOld && NextChar(m_s, i) == i + 1) {
      m_s[i] = chNew;
      ++n;
    }
  return n;
}

int CString::Replace(const char* pszOld, const char* pszNew) {
  size_t nOld = pszOld ? std::strlen(pszOld) : 0;
  if (nOld == 0) return 0;
  std::string repl = pszNew ? pszNew : "";
  std::string out;
  int n = 0;
  size_t i = 0;
  while (i < m_s.size()) {
    if (m_s.compare(i, nOld, pszOld, nOld) == 0) {
      out += repl;
      i += nOld;
      ++n;
    } else {
      size_t next = NextChar(m_s, i);
      out.append(m_s, i, next - i);
      i = next;
    }
  }
  m_s.swap(out);
  return n;
}

CString& CString::MakeUpper() {
  ForEachSingleByteChar(m_s, AsciiUpper);
  return *this;
}

CString& CString::MakeLower() {
  ForEachSingleByteChar(m_s, AsciiLower);
  return *this;
}

CString& CString::TrimLeft() {
  size_t i = 0;
  while (i < m_s.size() && IsAsciiSpace(m_s[i])) ++i;
  m_s.erase(0, i);
  return *this;
}

CString& CString::TrimRight() {
  // A trail byte is never white space (0x40 and up), so scanning from the
  // end cannot split a character.
  size_t n = m_s.size();
  while (n > 0 && IsAsciiSpace(m_s[n - 1])) --n;
  m_s.resize(n);
  return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft(char chTarget) {
  size_t i = 0;
  while (i < m_s.size() && m_s[i] == chTarget) ++i;
  m_s.erase(0, i);
  return *this;
}

CString& CString::TrimRight(char chTarget) {
  // Keep a character whose trail byte happens to equal chTarget.
  size_t keep = 0;
  for (size_t i = 0; i < m_s.size(); i = NextChar(m_s, i))
    if (!(m_s[i] == chTarget && NextChar(m_s, i) == i + 1)) keep = NextChar(m_s, i);
  m_s.resize(keep);
  return *this;
}

char* CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength > 0 && (size_t)nMinBufLength > m_s.size()) m_s.resize((size_t)nMinBufLength);
  return &m_s[0];
}

void CString::ReleaseBuffer(int nNewLength) {
  size_t n = nNewLength < 0 ? std::strlen(m_s.c_str()) : (size_t)nNewLength;
  if (n <= m_s.size()) m_s.resize(n);
}

void CString::Format(const char* pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  std::string s = qel::FormatStrV(pszFormat ? pszFormat : "", args);
  va_end(args);
  m_s.swap(s);
}

CString operator+(const CString& a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, const char* b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const char* a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, char b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(char a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}

bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
bool operator!=(const char* a, const CString& b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, const char* b) { return a.Compare(b) < 0; }
bool operator<(const char* a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return b < a; }
bool operator<=(const CString& a, const CString& b) { return !(b < a); }
bool operator>=(const CString& a, const CString& b) { return !(a < b); }
