// Helpers of the object-model tests: the bytes an object stores, and an
// object read back from bytes.
#pragma once

#include <cstring>
#include <vector>

#include "archive.h"
#include "memfile.h"
#include "objectclasses.h"
#include "objlist_io.h"

namespace objtest {

// The object's own fields as Serialize stores them (no class record).
template <class T>
std::vector<BYTE> FieldBytes(T& obj) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    obj.Serialize(ar);
    ar.Close();
  }
  return std::vector<BYTE>(file.GetData(), file.GetData() + file.GetLength());
}

// Fills obj from bytes stored by FieldBytes.
template <class T>
void LoadFields(T& obj, std::vector<BYTE> bytes) {
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  obj.Serialize(ar);
  ar.Close();
}

// An object reference as the clipboard writes it (class record, then fields).
inline std::vector<BYTE> ObjectBytes(CObject* pObj) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar.WriteObject(pObj);
    ar.Close();
  }
  return std::vector<BYTE>(file.GetData(), file.GetData() + file.GetLength());
}

inline CObject* ReadObjectBytes(std::vector<BYTE> bytes) {
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  CObject* p = ar.ReadObject(nullptr);
  ar.Close();
  return p;
}

inline void AppendU32(std::vector<BYTE>& v, DWORD x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<BYTE>(x >> (8 * i)));
}
inline void AppendDouble(std::vector<BYTE>& v, double d) {
  unsigned long long bits;
  static_assert(sizeof bits == sizeof d, "8-byte double");
  memcpy(&bits, &d, sizeof d);
  for (int i = 0; i < 8; ++i) v.push_back(static_cast<BYTE>(bits >> (8 * i)));
}

}  // namespace objtest
