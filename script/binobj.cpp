#include "binobj.h"

#include "archive.h"

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
