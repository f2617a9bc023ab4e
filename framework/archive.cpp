// CArchive: buffered primitives, strings, counts, and object references with
// class records (see archive.h for the bytes and the loading rules).
#include "archive.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "file.h"

namespace {

constexpr WORD kNullTag = 0x0000;
constexpr WORD kBigIndexTag = 0x7FFF;  // a dword index follows
constexpr WORD kNewClassTag = 0xFFFF;  // a class record follows
constexpr WORD kClassTagBit = 0x8000;
constexpr DWORD kBigClassTagBit = 0x80000000;
constexpr WORD kBigCountTag = 0xFFFF;
constexpr BYTE kLongStringByte = 0xFF;
constexpr WORD kDwordStringLength = 0xFFFF;
constexpr WORD kUnusedStringLength = 0xFFFE;  // never written: a damaged stream

}  // namespace

class CArchive::NestingLevel {
 public:
  explicit NestingLevel(CArchive& ar) : m_ar(ar) {
    if (m_ar.m_nNesting >= kMaxNesting) m_ar.Fail(CArchiveException::tooDeep);
    ++m_ar.m_nNesting;
  }
  ~NestingLevel() { --m_ar.m_nNesting; }
  NestingLevel(const NestingLevel&) = delete;
  NestingLevel& operator=(const NestingLevel&) = delete;

 private:
  CArchive& m_ar;
};

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize)
    : m_pFile(pFile), m_nMode((nMode & load) ? load : store), m_buf((size_t)std::max(nBufSize, 1)) {
  if (IsLoading()) m_loadTable.emplace_back();  // index 0 is the null reference
  if (IsStoring() && m_pFile != nullptr) m_nWriteEnd = (UINT)m_buf.size();
}

CArchive::~CArchive() {
  if (m_pFile != nullptr && IsStoring()) {
    try {
      FlushWriteBuffer();
    } catch (...) {
      // A destructor must not throw; Close() reports write errors.
    }
  }
}

void CArchive::Fail(int cause) {
  throw CArchiveException(cause, m_pFile ? m_pFile->GetFilePath() : CString());
}

void CArchive::RequireStoring() {
  if (m_pFile == nullptr) Fail(CArchiveException::generic);
  if (!IsStoring()) Fail(CArchiveException::readOnly);
}

void CArchive::RequireLoading() {
  if (m_pFile == nullptr || m_failed) Fail(CArchiveException::generic);
  if (!IsLoading()) Fail(CArchiveException::writeOnly);
}

// ---- buffering ----

void CArchive::FlushWriteBuffer() {
  if (m_cur == 0) return;
  UINT n = m_cur;
  m_cur = 0;
  m_pFile->Write(m_buf.data(), n);
}

void CArchive::Flush() {
  if (m_pFile == nullptr) return;
  if (IsStoring()) {
    FlushWriteBuffer();  // to the file; syncing the file to disk is its owner's business
  } else if (m_cur < m_end) {
    m_pFile->Seek(-(LONG)(m_end - m_cur), CFile::current);
    m_cur = m_end = 0;
  }
}

void CArchive::Close() {
  if (m_pFile == nullptr) return;
  Flush();
  m_pFile = nullptr;
  m_cur = m_end = m_nWriteEnd = 0;  // no fast path past the close
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  RequireStoring();
  const BYTE* p = static_cast<const BYTE*>(lpBuf);
  UINT size = (UINT)m_buf.size();
  if (nMax <= size - m_cur) {  // the common case: fits the buffer
    std::memcpy(m_buf.data() + m_cur, p, nMax);
    m_cur += nMax;
    return;
  }
  while (nMax > 0) {
    if (m_cur == size) FlushWriteBuffer();
    if (m_cur == 0 && nMax >= size) {  // a big block goes straight to the file
      m_pFile->Write(p, nMax);
      return;
    }
    UINT n = std::min(nMax, size - m_cur);
    std::memcpy(m_buf.data() + m_cur, p, n);
    m_cur += n;
    p += n;
    nMax -= n;
  }
}

void CArchive::FillBuffer() {
  m_cur = 0;
  m_end = m_pFile->Read(m_buf.data(), (UINT)m_buf.size());
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  RequireLoading();
  BYTE* p = static_cast<BYTE*>(lpBuf);
  if (nMax <= m_end - m_cur) {  // the common case: already buffered
    std::memcpy(p, m_buf.data() + m_cur, nMax);
    m_cur += nMax;
    return nMax;
  }
  UINT total = nMax;
  while (nMax > 0) {
    if (m_cur == m_end) {
      if (nMax >= m_buf.size()) {  // a big block comes straight from the file
        UINT got = m_pFile->Read(p, nMax);
        if (got < nMax) Fail(CArchiveException::endOfFile);
        return total;
      }
      FillBuffer();
      if (m_end == 0) Fail(CArchiveException::endOfFile);
    }
    UINT n = std::min(nMax, m_end - m_cur);
    std::memcpy(p, m_buf.data() + m_cur, n);
    m_cur += n;
    p += n;
    nMax -= n;
  }
  return total;
}

ULONGLONG CArchive::GetBytesLeft() {
  RequireLoading();
  DWORD len = m_pFile->GetLength(), pos = m_pFile->GetPosition();
  return (ULONGLONG)(m_end - m_cur) + (len > pos ? len - pos : 0);
}

void CArchive::CheckAvailable(ULONGLONG nBytes) {
  if (nBytes <= m_end - m_cur) return;
  if (GetBytesLeft() < nBytes) Fail(CArchiveException::endOfFile);
}

// ---- strings and counts ----

void CArchive::WriteString(const CString& s) {
  DWORD len = (DWORD)s.GetLength();
  if (len < kLongStringByte) {
    *this << (BYTE)len;
  } else if (len < kUnusedStringLength) {
    *this << kLongStringByte << (WORD)len;
  } else {
    *this << kLongStringByte << kDwordStringLength << len;
  }
  if (len > 0 && !PutBuffered(s.GetString(), len)) Write(s.GetString(), len);
}

CString CArchive::ReadString() {
  BYTE b;
  *this >> b;
  DWORD len = b;
  if (b == kLongStringByte) {
    WORD w;
    *this >> w;
    len = w;
    if (w == kUnusedStringLength) Fail(CArchiveException::generic);
    if (w == kDwordStringLength) *this >> len;
  }
  CheckAvailable(len);
  if (len == 0) return CString();
  if (IsBuffered(len)) {  // the whole string: made in one copy
    CString s((const char*)m_buf.data() + m_cur, (int)len);
    m_cur += len;
    return s;
  }
  CString s;
  Read(s.GetBuffer((int)len), len);
  s.ReleaseBuffer((int)len);
  return s;
}

void CArchive::WriteCount(DWORD dwCount) {
  if (dwCount < kBigCountTag) {
    *this << (WORD)dwCount;
  } else {
    *this << kBigCountTag << dwCount;
  }
}

DWORD CArchive::ReadCount(UINT nMinItemBytes) {
  WORD w;
  *this >> w;
  DWORD count = w;
  if (w == kBigCountTag) *this >> count;
  CheckAvailable((ULONGLONG)count * nMinItemBytes);
  return count;
}

// ---- storing object references ----

void CArchive::WriteIndexTag(DWORD index, bool isClass) {
  if (index < kBigIndexTag) {
    *this << (WORD)(isClass ? (kClassTagBit | index) : index);
  } else {
    *this << kBigIndexTag << (isClass ? (kBigClassTagBit | index) : index);
  }
}

void CArchive::WriteClass(const CRuntimeClass* pClass) {
  RequireStoring();
  if (pClass == nullptr || !pClass->IsSerializable()) Fail(CArchiveException::badClass);
  if (DWORD index = m_storeMap.Find(pClass)) {
    WriteIndexTag(index, true);
    return;
  }
  WORD nameLen = (WORD)std::strlen(pClass->m_lpszClassName);
  *this << kNewClassTag << (WORD)pClass->m_wSchema << nameLen;
  Write(pClass->m_lpszClassName, nameLen);
  m_storeMap.Insert(pClass, m_nextStoreIndex++);
}

void CArchive::WriteObject(const CObject* pOb) {
  RequireStoring();
  if (pOb == nullptr) {
    *this << kNullTag;
    return;
  }
  if (DWORD index = m_storeMap.Find(pOb)) {
    WriteIndexTag(index, false);
    return;
  }
  NestingLevel level(*this);
  WriteClass(pOb->GetRuntimeClass());
  m_storeMap.Insert(pOb, m_nextStoreIndex++);
  const_cast<CObject*>(pOb)->Serialize(*this);
}

// ---- loading object references ----

DWORD CArchive::NextIndex() {
  m_loadTable.emplace_back();
  return (DWORD)(m_loadTable.size() - 1);
}

CRuntimeClass* CArchive::ClassAt(DWORD index) {
  if (index >= m_loadTable.size() || m_loadTable[index].pClass == nullptr) Fail(CArchiveException::badIndex);
  return m_loadTable[index].pClass;
}

CRuntimeClass* CArchive::ReadNewClassRecord() {
  WORD schema, nameLen;
  *this >> schema >> nameLen;
  CheckAvailable(nameLen);
  std::string name(nameLen, '\0');
  if (nameLen > 0) Read(&name[0], nameLen);
  CRuntimeClass* pClass = CRuntimeClass::FromName(name.c_str());
  if (pClass == nullptr || name.size() != std::strlen(name.c_str()) || !pClass->IsSerializable())
    Fail(CArchiveException::badClass);
  if (schema != pClass->m_wSchema) Fail(CArchiveException::badSchema);
  m_loadTable[NextIndex()].pClass = pClass;
  return pClass;
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pRequired) {
  RequireLoading();
  WORD tag;
  *this >> tag;
  CRuntimeClass* pClass = nullptr;
  if (tag == kNewClassTag) {
    pClass = ReadNewClassRecord();
  } else if (tag == kBigIndexTag) {
    DWORD d;
    *this >> d;
    if (!(d & kBigClassTagBit)) Fail(CArchiveException::badIndex);
    pClass = ClassAt(d & ~kBigClassTagBit);
  } else if (tag & kClassTagBit) {
    pClass = ClassAt(tag & ~kClassTagBit);
  } else {
    Fail(CArchiveException::badIndex);
  }
  if (pRequired != nullptr && !pClass->IsDerivedFrom(pRequired)) Fail(CArchiveException::badClass);
  return pClass;
}

CObject* CArchive::LoadNewObject(CRuntimeClass* pClass, bool asElement) {
  NestingLevel level(*this);
  CObject* pOb = pClass->CreateObject();
  if (pOb == nullptr) Fail(CArchiveException::badClass);
  DWORD index = NextIndex();
  m_loadTable[index].pObject = pOb;
  try {
    pOb->Serialize(*this);
  } catch (...) {
    // Nobody holds this object yet: it is ours to delete. What it already
    // holds goes with it (its destructor); the table may now point at freed
    // objects, so the archive refuses any further reading.
    m_loadTable[index].pObject = nullptr;
    m_failed = true;
    delete pOb;
    throw;
  }
  m_loadTable[index].state = asElement ? LoadState::ownedByCollection : LoadState::handedOut;
  return pOb;
}

CObject* CArchive::ReadReference(const CRuntimeClass* pRequired, bool asElement) {
  RequireLoading();
  WORD tag;
  *this >> tag;
  DWORD objectIndex = tag;
  CRuntimeClass* pClass = nullptr;
  if (tag == kNullTag) {
    if (asElement) Fail(CArchiveException::badClass);  // a collection holds no nulls
    return nullptr;
  } else if (tag == kNewClassTag) {
    pClass = ReadNewClassRecord();
  } else if (tag == kBigIndexTag) {
    DWORD d;
    *this >> d;
    if (d & kBigClassTagBit)
      pClass = ClassAt(d & ~kBigClassTagBit);
    else
      objectIndex = d;
  } else if (tag & kClassTagBit) {
    pClass = ClassAt(tag & ~kClassTagBit);
  }

  if (pClass != nullptr) {
    if (pRequired != nullptr && !pClass->IsDerivedFrom(pRequired)) Fail(CArchiveException::badClass);
    return LoadNewObject(pClass, asElement);
  }

  if (objectIndex >= m_loadTable.size() || m_loadTable[objectIndex].pObject == nullptr)
    Fail(CArchiveException::badIndex);
  LoadEntry& entry = m_loadTable[objectIndex];
  if (pRequired != nullptr && !entry.pObject->IsKindOf(pRequired)) Fail(CArchiveException::badClass);
  if (asElement) {
    // A second owner would delete it twice; one still being read would own itself.
    if (entry.state != LoadState::handedOut) Fail(CArchiveException::badIndex);
    entry.state = LoadState::ownedByCollection;
  }
  return entry.pObject;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pRequired) { return ReadReference(pRequired, false); }

CObject* CArchive::ReadElement(const CRuntimeClass* pRequired) { return ReadReference(pRequired, true); }
