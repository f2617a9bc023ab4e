// CMemFile: a growable file in memory, or one over the caller's bytes.
#include "memfile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_nGrowBytes(0) {
  Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() { FreeOwned(); }

void CMemFile::FreeOwned() {
  if (m_bOwnsBuffer) std::free(m_lpBuffer);
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  m_bOwnsBuffer = true;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
  FreeOwned();
  m_lpBuffer = lpBuffer;
  m_nBufferSize = lpBuffer ? nBufferSize : 0;
  m_nGrowBytes = nGrowBytes;
  m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
  m_bOwnsBuffer = false;
}

BYTE* CMemFile::Detach() {
  BYTE* p = m_lpBuffer;
  m_lpBuffer = nullptr;
  m_bOwnsBuffer = true;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  return p;
}

BOOL CMemFile::Open(const char*, UINT, CFileException* pError) {
  if (pError != nullptr) *pError = CFileException(CFileException::generic, -1);
  return FALSE;
}

void CMemFile::GrowTo(DWORD dwNewCapacity) {
  if (dwNewCapacity <= m_nBufferSize) return;
  if (m_nGrowBytes == 0) throw CMemoryException();
  // At least twice as much as now, so that a long run of small writes copies
  // the bytes only a few times (each move also touches fresh pages, which
  // under Wine cost more than the copy); then whole grow steps.
  ULONGLONG wanted = std::max<ULONGLONG>(dwNewCapacity, 2ull * m_nBufferSize);
  ULONGLONG rounded = (wanted + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
  if (rounded > 0xFFFFFFFFull) rounded = dwNewCapacity;  // no room to spare: just what is needed
  DWORD capacity = (DWORD)rounded;
  BYTE* p;
  if (m_bOwnsBuffer) {
    p = static_cast<BYTE*>(std::realloc(m_lpBuffer, capacity));
    if (p == nullptr) throw CMemoryException();
  } else {
    // The caller's bytes stay theirs: move into storage of our own.
    p = static_cast<BYTE*>(std::malloc(capacity));
    if (p == nullptr) throw CMemoryException();
    if (m_nFileSize > 0) std::memcpy(p, m_lpBuffer, m_nFileSize);
    m_bOwnsBuffer = true;
  }
  m_lpBuffer = p;
  m_nBufferSize = capacity;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
  if (m_nPosition >= m_nFileSize) return 0;
  UINT n = std::min<DWORD>(nCount, m_nFileSize - m_nPosition);
  std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
  m_nPosition += n;
  return n;
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  ULONGLONG end = (ULONGLONG)m_nPosition + nCount;
  if (end > 0xFFFFFFFFull) throw CMemoryException();
  GrowTo((DWORD)end);
  if (m_nPosition > m_nFileSize)  // a write after a seek past the end: the gap reads as zeros
    std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
  std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
  m_nPosition = (DWORD)end;
  m_nFileSize = std::max(m_nFileSize, m_nPosition);
}

LONG CMemFile::Seek(LONG lOff, UINT nFrom) {
  LONGLONG base = nFrom == begin ? 0 : nFrom == current ? (LONGLONG)m_nPosition : (LONGLONG)m_nFileSize;
  LONGLONG pos = base + lOff;
  if (nFrom > end || pos < 0 || pos > 0x7FFFFFFF) throw CFileException(CFileException::badSeek, -1);
  m_nPosition = (DWORD)pos;
  return (LONG)pos;
}

void CMemFile::SetLength(DWORD dwNewLen) {
  GrowTo(dwNewLen);
  if (dwNewLen > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, dwNewLen - m_nFileSize);
  m_nFileSize = dwNewLen;
}

void CMemFile::Close() { FreeOwned(); }
