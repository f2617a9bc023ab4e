#include "binobj.h"

#include <new>

#include "archive.h"
#include "file.h"

IMPLEMENT_SERIAL(CBinObj, CObject, 0)

void CBinObj::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    const int size = GetSize();
    if (size >= 1 && size < kMaxSize) {
      ar << size;
      ar.Write(m_bytes.data(), static_cast<UINT>(size));
    } else {
      ar << 0;
    }
    return;
  }
  Clear();
  int size = 0;
  ar >> size;
  if (size <= 0 || size >= kMaxSize) return;
  std::vector<BYTE> bytes(static_cast<size_t>(size));
  ar.Read(bytes.data(), static_cast<UINT>(size));
  m_bytes.swap(bytes);
}

void CBinObj::SetData(const BYTE* data, int size) {
  if (!data || size <= 0) {
    Clear();
    return;
  }
  m_bytes.assign(data, data + size);
}

int CBinObj::LoadFromFile(const char* pszPath) {
  Clear();
  CFile file;
  if (!pszPath || !file.Open(pszPath, CFile::modeRead | CFile::shareDenyWrite)) return 0;
  try {
    const DWORD length = file.GetLength();
    if (length < 1 || length >= static_cast<DWORD>(kMaxSize)) return 0;
    std::vector<BYTE> bytes(length);
    if (file.Read(bytes.data(), length) != length) return 0;
    m_bytes.swap(bytes);
    return 1;
  } catch (const CException&) {
    return 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}
