#include "objlist_io.h"

namespace {
// The smallest element reference is a two-byte word.
constexpr UINT kMinReferenceBytes = 2;
}  // namespace

void StoreObjectList(CArchive& ar, CObList& list) {
  ar.WriteCount(static_cast<DWORD>(list.GetCount()));
  for (POSITION pos = list.GetHeadPosition(); pos;) ar.WriteObject(list.GetNext(pos));
}

void LoadObjectList(CArchive& ar, CObList& list, const CRuntimeClass* pRequired) {
  DWORD count = ar.ReadCount(kMinReferenceBytes);
  for (DWORD i = 0; i < count; ++i) list.AddTail(ar.ReadElement(pRequired));
}

void StoreObjectArray(CArchive& ar, CObArray& array) {
  ar.WriteCount(static_cast<DWORD>(array.GetSize()));
  for (int i = 0; i < array.GetSize(); ++i) ar.WriteObject(array.GetAt(i));
}

void LoadObjectArray(CArchive& ar, CObArray& array, const CRuntimeClass* pRequired) {
  DWORD count = ar.ReadCount(kMinReferenceBytes);
  for (DWORD i = 0; i < count; ++i) array.Add(ar.ReadElement(pRequired));
}

void DeleteObjectList(CObList& list) {
  while (!list.IsEmpty()) delete list.RemoveHead();
}
