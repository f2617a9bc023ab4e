// CFile over the Win32 file functions.
#include "file.h"

#include <algorithm>
#include <atomic>

namespace {

// The bytes that writes may still take under a test's limit; none is set
// while it is negative.
std::atomic<long long> g_writeBytesLeft{-1};

// How many of count bytes the limit lets through, taken from what is left.
DWORD BytesWithinLimit(DWORD count) {
  long long left = g_writeBytesLeft.load();
  while (left >= 0) {
    long long taken = std::min<long long>(left, count);
    if (g_writeBytesLeft.compare_exchange_weak(left, left - taken)) return static_cast<DWORD>(taken);
  }
  return count;
}

DWORD DesiredAccess(UINT flags) {
  switch (flags & 3) {
    case CFile::modeWrite: return GENERIC_WRITE;
    case CFile::modeReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
  }
}

DWORD ShareMode(UINT flags) {
  switch (flags & 0x70) {
    case CFile::shareExclusive: return 0;
    case CFile::shareDenyWrite: return FILE_SHARE_READ;
    case CFile::shareDenyRead: return FILE_SHARE_WRITE;
    case CFile::shareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0;  // compatibility mode: exclusive
  }
}

DWORD CreationDisposition(UINT flags) {
  if (flags & CFile::modeCreate) return (flags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  return OPEN_EXISTING;
}

}  // namespace

CFile::CFile(const char* lpszFileName, UINT nOpenFlags) {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e)) throw e;
}

CFile::~CFile() {
  if (IsOpen()) Abort();
}

void CFile::ThrowLastError() const { CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName); }

BOOL CFile::Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError) {
  if (IsOpen()) Abort();
  m_strFileName = lpszFileName ? lpszFileName : "";
  SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};
  HANDLE h = CreateFileA(m_strFileName, DesiredAccess(nOpenFlags), ShareMode(nOpenFlags), &sa,
                         CreationDisposition(nOpenFlags), FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    LONG err = (LONG)GetLastError();
    if (pError != nullptr)
      *pError = CFileException(CFileException::OsErrorToException(err), err, m_strFileName);
    return FALSE;
  }
  m_hFile = h;
  return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0) return 0;
  DWORD got = 0;
  if (!ReadFile(m_hFile, lpBuf, nCount, &got, nullptr)) ThrowLastError();
  return got;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  DWORD fits = BytesWithinLimit(nCount);
  DWORD written = 0;
  if (fits > 0 && !WriteFile(m_hFile, lpBuf, fits, &written, nullptr)) ThrowLastError();
  if (written != nCount) throw CFileException(CFileException::diskFull, -1, m_strFileName);
}

LONG CFile::Seek(LONG lOff, UINT nFrom) {
  static const DWORD kMethod[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  if (nFrom > end) throw CFileException(CFileException::badSeek, -1, m_strFileName);
  SetLastError(NO_ERROR);
  DWORD pos = SetFilePointer(m_hFile, lOff, nullptr, kMethod[nFrom]);
  if (pos == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) ThrowLastError();
  return (LONG)pos;
}

DWORD CFile::GetPosition() const {
  SetLastError(NO_ERROR);
  DWORD pos = SetFilePointer(m_hFile, 0, nullptr, FILE_CURRENT);
  if (pos == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) ThrowLastError();
  return pos;
}

DWORD CFile::GetLength() const {
  SetLastError(NO_ERROR);
  DWORD len = GetFileSize(m_hFile, nullptr);
  if (len == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) ThrowLastError();
  return len;
}

void CFile::SetLength(DWORD dwNewLen) {
  DWORD pos = GetPosition();
  Seek((LONG)dwNewLen, begin);
  if (!SetEndOfFile(m_hFile)) ThrowLastError();
  Seek((LONG)pos, begin);
}

void CFile::Flush() {
  if (IsOpen() && !FlushFileBuffers(m_hFile)) ThrowLastError();
}

void CFile::Close() {
  if (!IsOpen()) return;
  HANDLE h = m_hFile;
  m_hFile = INVALID_HANDLE_VALUE;
  if (!CloseHandle(h)) ThrowLastError();
}

void CFile::Abort() {
  if (!IsOpen()) return;
  CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
}

CFileWriteLimit::CFileWriteLimit(DWORD bytes) { g_writeBytesLeft = bytes; }

CFileWriteLimit::~CFileWriteLimit() { g_writeBytesLeft = -1; }
