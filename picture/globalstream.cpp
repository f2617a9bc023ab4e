#include "globalstream.h"

#include <cstring>

IStream* CreateStreamOverCopy(const BYTE* bytes, size_t count) {
  const SIZE_T size = (count + 7) & ~static_cast<SIZE_T>(7);
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  void* p = ::GlobalLock(block);
  if (!p) {
    ::GlobalFree(block);
    return nullptr;
  }
  if (count) std::memcpy(p, bytes, count);
  ::GlobalUnlock(block);
  IStream* stream = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
    ::GlobalFree(block);
    return nullptr;
  }
  return stream;
}
